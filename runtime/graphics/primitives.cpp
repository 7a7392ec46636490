#include "primitives.h"

#include <algorithm>
#include <utility>

#include "runtime/graphics/display.h"
#include "runtime/graphics/pixel_access.h"

namespace tessary {
namespace {

// Fills the part of (left, top, right, bottom) inside the context's clip and its surface.
void FillClipped(const DrawingContext& dc, int left, int top, int right, int bottom,
                 uint32_t pixel) {
    platform::Rect r =
        CutToSurface(*dc.surface, std::max(left, dc.clip.left), std::max(top, dc.clip.top),
                     std::min(right, dc.clip.right), std::min(bottom, dc.clip.bottom));
    if (!IsEmpty(r)) platform::FillRect(*dc.surface, r, pixel);
}

} // namespace

int ClearScreen(uint32_t color) {
    platform::Surface* s = TheDisplay().backBuffer.get();
    if (s == nullptr || s->IsLost()) return 0;
    const uint32_t pixel = TheDisplay().ColorToPixel(*s, color);
    return platform::FillRect(*s, platform::Rect{0, 0, s->Width(), s->Height()}, pixel) ==
                   platform::BlitResult::Ok
               ? 1
               : 0;
}

int DrawRect(int left, int top, int right, int bottom, uint32_t color) {
    Display& d = TheDisplay();
    const DrawingContext dc = d.GetBackDC();
    if (dc.surface == nullptr) return 0;
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    if (right > left && bottom > top) {
        const uint32_t pixel = dc.surface->PixelFromColor(color);
        FillClipped(dc, left, top, right, top + 1, pixel);
        FillClipped(dc, left, bottom - 1, right, bottom, pixel);
        FillClipped(dc, left, top, left + 1, bottom, pixel);
        FillClipped(dc, right - 1, top, right, bottom, pixel);
    }
    d.ReleaseBackDC(dc);
    return 1;
}

int FillRect(int left, int top, int right, int bottom, uint32_t color) {
    Display& d = TheDisplay();
    if (left >= d.clipRight || top >= d.clipBottom || right < d.clipLeft || bottom < d.clipTop)
        return 0;
    const DrawingContext dc = d.GetBackDC();
    if (dc.surface == nullptr) return 0;
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    // The rectangle is cut to the clip rectangle itself, whatever region the context has.
    FillClipped(DrawingContext{dc.surface,
                               platform::Rect{d.clipLeft, d.clipTop, d.clipRight, d.clipBottom}},
                left, top, right, bottom, dc.surface->PixelFromColor(color));
    d.ReleaseBackDC(dc);
    return 1;
}

} // namespace tessary
