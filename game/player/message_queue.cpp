// The centre-screen messages. A message waits in one of ten slots until the clock passes its key;
// among the waiting ones the smallest key is typed first, and a smaller key posted later takes
// over the typewriter (the displaced message starts again from its beginning when its turn comes).
#include "game/player/message_queue.h"

#include <cstring>

#include "platform/clock.h"
#include "platform/fonts.h"
#include "runtime/graphics/text.h"

namespace pelko {
namespace {

constexpr uint32_t kMessageColor = 255; // red
constexpr const char* kMessageFace = "Impact";

struct FontSize {
    int width, height;
};

FontSize SizeOfCode(int code) {
    switch (code) {
    case 1:
        return {8, 18};
    case 2:
        return {12, 26};
    case 3:
        return {20, 42};
    default:
        return {16, 34};
    }
}

// Copies at most size - 1 bytes, never cutting a character in two.
void CopyWholeCharacters(char* dest, const char* text, int size) {
    const int full = static_cast<int>(std::strlen(text));
    int cut = 0;
    while (cut < full) {
        const int n = platform::Utf8SequenceLength(text, full, cut);
        if (cut + n > size - 1) break;
        cut += n;
    }
    std::memcpy(dest, text, static_cast<size_t>(cut));
    dest[cut] = '\0';
}

} // namespace

MessageQueue::MessageQueue() {
    for (int i = 0; i < kMessageSlots; ++i) {
        texts[i] = std::make_unique<char[]>(kMessageTextSize); // zeroed
        keys[i] = kFreeMessageKey;
    }
}

int MessageQueue::Post(const char* text, int key, int size) {
    if (text == nullptr || text[0] == '\0') return 0;
    int occupied = 0, freeSlot = -1;
    for (int i = 0; i < kMessageSlots; ++i) {
        if (texts[i][0] != '\0')
            ++occupied;
        else
            freeSlot = i; // the highest free slot wins
    }
    // One slot always stays free: at most nine messages wait.
    if (occupied + 1 >= kMessageSlots || freeSlot < 0) return 0;
    CopyWholeCharacters(texts[freeSlot].get(), text, kMessageTextSize);
    keys[freeSlot] = key;
    sizes[freeSlot] = size;
    count = occupied + 1;
    return 1;
}

int MessageQueue::Step() {
    const FontSize font = SizeOfCode(current >= 0 ? sizes[current] : 0);
    fontWidth = font.width;
    fontHeight = font.height;
    tessary::SetTextFont(fontWidth, fontHeight, kMessageColor, kMessageFace);

    const int finished = typewriter.Draw();
    typing = finished == 0 ? 1 : 0;
    if (finished != 0 && current >= 0) {
        FreeSlot(current);
        current = -1;
        --count;
        typewriter.SetText("");
    }
    SelectNext();
    return typing;
}

void MessageQueue::SelectNext() {
    const long now = platform::ClockMs();
    for (int i = kMessageSlots - 1; i >= 0; --i) {
        if (texts[i][0] == '\0' || !(keys[i] < now)) continue;
        if (current == -1 || keys[i] < keys[current]) {
            current = i;
            typewriter.SetText(texts[i].get());
        }
    }
}

void MessageQueue::FreeSlot(int slot) {
    texts[slot][0] = '\0';
    keys[slot] = kFreeMessageKey;
}

void MessageQueue::Clear() {
    for (int i = 0; i < kMessageSlots; ++i) {
        FreeSlot(i);
        sizes[i] = 0;
    }
    count = 0;
    current = -1;
    typewriter.SetText("");
    typing = 0;
}

void MessageQueue::SetSpeed(int ticks) {
    typewriter.SetSpeed(ticks);
}

void MessageQueue::SetPosition(int x, int y) {
    typewriter.SetPosition(x, y);
}

} // namespace pelko
