#include "pause_sign.h"

#include "runtime/graphics/display.h"
#include "runtime/graphics/pixel_access.h"
#include "runtime/graphics/primitives.h"
#include "runtime/graphics/text.h"

namespace tessary {
namespace {

constexpr int kBandTop = 176, kBandBottom = 304;
constexpr int kHeadingTop = 190, kLineTop = 268;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr const char* kSignFace = "Impact";

// Every channel halved: halfMask drops each channel's lowest bit, so the shift cannot carry one
// channel's bit into the next.
template <int Bytes> void HalveRow(uint8_t* p, int width, uint32_t halfMask) {
    for (int x = 0; x < width; ++x, p += Bytes)
        StorePixel<Bytes>(p, (LoadPixel<Bytes>(p) & halfMask) >> 1);
}

void ChequerRow(uint8_t* p, int width, int y, uint8_t black) {
    for (int x = y & 1; x < width; x += 2)
        p[x] = black;
}

void DimBackBuffer() {
    Display& d = TheDisplay();
    if (!d.backBuffer) return;
    platform::Surface& s = *d.backBuffer;
    const uint32_t black = d.ColorToPixel(s, 0);
    int pitch = 0;
    uint8_t* memory = s.Lock(&pitch);
    if (memory == nullptr) return;
    for (int y = 0; y < s.Height(); ++y) {
        uint8_t* row = memory + static_cast<ptrdiff_t>(y) * pitch;
        switch (s.BytesPerPixel()) {
        case 1:
            ChequerRow(row, s.Width(), y, static_cast<uint8_t>(black));
            break;
        case 2:
            HalveRow<2>(row, s.Width(), d.halfMask);
            break;
        case 3:
            HalveRow<3>(row, s.Width(), d.halfMask);
            break;
        default:
            HalveRow<4>(row, s.Width(), d.halfMask);
            break;
        }
    }
    s.Unlock();
}

} // namespace

void DrawPauseSign(const char* heading, const char* line) {
    const TextState gameText = TheTextState();
    DimBackBuffer();
    FillRect(0, kBandTop, kDisplayWidth, kBandBottom, 0);
    SetTextCentered(1);
    SetTextFont(24, 56, kWhite, kSignFace);
    PrintText(0, kHeadingTop, "%s", heading != nullptr ? heading : "");
    SetTextFont(8, 18, kWhite, kSignFace);
    PrintText(0, kLineTop, "%s", line != nullptr ? line : "");
    TheTextState() = gameText;
}

} // namespace tessary
