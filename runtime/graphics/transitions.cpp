#include "transitions.h"

#include "runtime/graphics/blitters.h"
#include "runtime/graphics/display.h"
#include "runtime/graphics/pixel_access.h"
#include "runtime/graphics/primitives.h"

namespace tessary {
namespace {

// Levels 1..10 paint every pixel whose index is not a multiple of the divisor (covering most of
// the screen at level 1, half at level 10); levels 11..19 paint only the multiples.
constexpr int kCoverDivisors[10] = {103, 76, 51, 38, 25, 18, 13, 7, 3, 2};
constexpr int kRevealDivisors[9] = {3, 7, 13, 18, 25, 38, 51, 76, 103};

constexpr int kBlindsBandCount = 40;
constexpr int kBlindsSpacing = 16;

// The dither runs over the linear index n = 640 * row + column of each pixel in the clip
// rectangle; the remainder is stepped along the row instead of divided per pixel.
template <int Bytes>
void PaintDither(uint8_t* memory, int pitch, const platform::Rect& clip, int divisor,
                 bool paintMultiples, uint32_t pixel) {
    for (int py = clip.top; py < clip.bottom; ++py) {
        uint8_t* p =
            memory + static_cast<ptrdiff_t>(py) * pitch + static_cast<ptrdiff_t>(clip.left) * Bytes;
        int remainder = (kDisplayWidth * py + clip.left) % divisor;
        for (int px = clip.left; px < clip.right; ++px, p += Bytes) {
            if ((remainder == 0) == paintMultiples) StorePixel<Bytes>(p, pixel);
            if (++remainder == divisor) remainder = 0;
        }
    }
}

// false when the back buffer cannot be locked: the fade has nothing to paint on, so the screen
// waiting for it is told it has finished rather than wait on a lost surface.
bool PaintFade(int level, uint32_t color) {
    Display& d = TheDisplay();
    if (!d.backBuffer) return false;
    platform::Surface& s = *d.backBuffer;
    const uint32_t pixel = d.ColorToPixel(s, color);
    int pitch = 0;
    uint8_t* memory = s.Lock(&pitch);
    if (memory == nullptr) return false;
    const platform::Rect clip = CutToSurface(s, d.clipLeft, d.clipTop, d.clipRight, d.clipBottom);
    if (IsEmpty(clip)) {
        s.Unlock();
        return true;
    }
    const bool reveal = level > 10;
    const int divisor = reveal ? kRevealDivisors[level - 11] : kCoverDivisors[level - 1];
    // Whole pixels at every depth, so a 24 or 32-bit screen fades in the colour itself.
    switch (s.BytesPerPixel()) {
    case 1:
        PaintDither<1>(memory, pitch, clip, divisor, reveal, pixel);
        break;
    case 2:
        PaintDither<2>(memory, pitch, clip, divisor, reveal, pixel);
        break;
    case 3:
        PaintDither<3>(memory, pitch, clip, divisor, reveal, pixel);
        break;
    default:
        PaintDither<4>(memory, pitch, clip, divisor, reveal, pixel);
        break;
    }
    s.Unlock();
    return true;
}

} // namespace

int SetFadeLevel(int flag) {
    TheTransitions().fadeLevel = flag != 0 ? kFadeVisible : 0;
    return 1;
}

int FadeStep(int direction, uint32_t color) {
    int& level = TheTransitions().fadeLevel;
    if (direction != 0) {
        if (level < kFadeVisible) ++level;
    } else if (level > 0) {
        --level;
    }
    if (level == kFadeVisible) return 1;
    if (level == 0) {
        ClearScreen(color);
        return 1;
    }
    return PaintFade(level, color) ? 0 : 1;
}

int SetBlinds(int flag) {
    TheTransitions().blindsHeight = flag != 0 ? 0 : kBlindsClosed;
    return 1;
}

int BlindsStep(int direction, uint32_t color, int image) {
    int& height = TheTransitions().blindsHeight;
    int result = 0;
    if (direction != 0) {
        if (height == 0)
            result = 1;
        else
            --height;
    } else {
        if (height == kBlindsClosed)
            result = 1;
        else
            ++height;
    }
    for (int band = 0; band < kBlindsBandCount; ++band) {
        const int y = kDisplayHeight - band * kBlindsSpacing;
        // Bands that end above the screen are skipped: the band at -16 of height 15 would end at
        // -1, which a blit reads as "to the picture's bottom edge", and so draw the whole picture.
        if (y + height <= 0) continue;
        if (image != -1) {
            DrawImage(0, y, static_cast<uint16_t>(image), 0, y, kDisplayWidth, y + height);
        } else {
            FillRect(0, y, kDisplayWidth, y + height, color);
        }
    }
    return result;
}

} // namespace tessary
