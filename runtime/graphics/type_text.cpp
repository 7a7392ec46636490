#include "type_text.h"

#include <cstring>

#include "platform/fonts.h"
#include "runtime/graphics/text.h"

namespace tessary {
namespace {

// Restores the centring flag however the draw ends.
class CentringOff {
  public:
    CentringOff() : saved_(TheTextState().centered) { TheTextState().centered = 0; }
    ~CentringOff() { TheTextState().centered = saved_; }
    CentringOff(const CentringOff&) = delete;
    CentringOff& operator=(const CentringOff&) = delete;

  private:
    int saved_;
};

} // namespace

TypeText::TypeText() = default;

TypeText::TypeText(const char* newText) {
    SetText(newText);
}

void TypeText::SetPosition(int newX, int newY) {
    x = newX;
    y = newY;
}

void TypeText::SetSpeed(int ticks) {
    ticksPerChar = ticks > kSlowestTicks ? kSlowestTicks : ticks;
}

void TypeText::SetText(const char* newText) {
    if (newText == nullptr) newText = "";
    const int full = static_cast<int>(std::strlen(newText));
    int cut = 0;
    while (cut < full) {
        int n = platform::Utf8SequenceLength(newText, full, cut);
        if (cut + n > kTextSize - 1) break;
        cut += n;
    }
    std::memcpy(text.data(), newText, static_cast<size_t>(cut));
    text[static_cast<size_t>(cut)] = '\0';
    length = cut;
    shown = 0;
}

int TypeText::Draw() {
    CentringOff centringOff;
    if (ticksPerChar >= 1 && shown < length) {
        if (shown > 0) PrintText(x, y, "%.*s", shown, text.data());
        if (++tickCount >= ticksPerChar) {
            tickCount = 0;
            // A whole UTF-8 character at a time, so a character is never shown half.
            shown += platform::Utf8SequenceLength(text.data(), length, shown);
        }
        return 0;
    }
    PrintText(x, y, "%s", text.data());
    return 1;
}

} // namespace tessary
