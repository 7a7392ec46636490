#include "primitives.h"

#include <algorithm>
#include <utility>

#include "runtime/graphics/display.h"
#include "runtime/graphics/pixel_access.h"

namespace tessary {
namespace {

platform::Surface* DrawableBackBuffer() {
    Display& d = TheDisplay();
    if (!d.backBuffer || d.backBuffer->IsLost()) return nullptr;
    return d.backBuffer.get();
}

// Fills the part of (left, top, right, bottom) inside the clip rectangle and the surface.
void FillClipped(platform::Surface& s, int left, int top, int right, int bottom, uint32_t pixel) {
    const Display& d = TheDisplay();
    platform::Rect r = CutToSurface(s, std::max(left, d.clipLeft), std::max(top, d.clipTop),
                                    std::min(right, d.clipRight), std::min(bottom, d.clipBottom));
    if (!IsEmpty(r)) platform::FillRect(s, r, pixel);
}

} // namespace

int ClearScreen(uint32_t color) {
    platform::Surface* s = DrawableBackBuffer();
    if (s == nullptr) return 0;
    const uint32_t pixel = TheDisplay().ColorToPixel(*s, color);
    return platform::FillRect(*s, platform::Rect{0, 0, s->Width(), s->Height()}, pixel) ==
                   platform::BlitResult::Ok
               ? 1
               : 0;
}

int DrawRect(int left, int top, int right, int bottom, uint32_t color) {
    platform::Surface* s = DrawableBackBuffer();
    if (s == nullptr) return 0;
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    if (right == left || bottom == top) return 1;
    const uint32_t pixel = s->PixelFromColor(color);
    FillClipped(*s, left, top, right, top + 1, pixel);
    FillClipped(*s, left, bottom - 1, right, bottom, pixel);
    FillClipped(*s, left, top, left + 1, bottom, pixel);
    FillClipped(*s, right - 1, top, right, bottom, pixel);
    return 1;
}

int FillRect(int left, int top, int right, int bottom, uint32_t color) {
    const Display& d = TheDisplay();
    if (left >= d.clipRight || top >= d.clipBottom || right < d.clipLeft || bottom < d.clipTop)
        return 0;
    platform::Surface* s = DrawableBackBuffer();
    if (s == nullptr) return 0;
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    FillClipped(*s, left, top, right, bottom, s->PixelFromColor(color));
    return 1;
}

} // namespace tessary
