#include "runtime/graphics/blitters.h"

#include <algorithm>
#include <cmath>

#include "runtime/graphics/display.h"
#include "runtime/graphics/image_slots.h"
#include "runtime/graphics/int_range.h"

namespace tessary {
namespace {

// A picture slot (0..last) that holds a surface, with a back buffer to draw on.
ImageSlot* DrawableSlot(int n, int last) {
    if (n > last || !TheDisplay().backBuffer) return nullptr;
    ImageSlot* slot = ImageSlotAt(n);
    return slot != nullptr && slot->surface ? slot : nullptr;
}

// A copy that found its source lost starts the reload and counts as done; the picture comes back
// from the next frame on.
int Finish(int slot, platform::BlitResult result) {
    switch (result) {
    case platform::BlitResult::Ok:
        return 1;
    case platform::BlitResult::Lost:
        ReloadImage(slot);
        return 1;
    default:
        return 0;
    }
}

platform::BlitResult CopyRows(int x, int y, const ImageSlot& slot, int srcLeft, int srcTop,
                              int srcRight, int srcBottom) {
    return platform::BltFast(*TheDisplay().backBuffer, x, y, *slot.surface,
                             platform::Rect{srcLeft, srcTop, srcRight, srcBottom},
                             slot.transparent != 0);
}

// Without a stretching blitter the picture is scaled into the top-left corner of the work surface
// first and copied from there; its key is then that corner's top-left pixel.
platform::BlitResult StretchThroughScratch(const ImageSlot& slot, const platform::Rect& source,
                                           const platform::Rect& visible) {
    ImageSlot* scratch = ImageSlotAt(kScratchSlot);
    if (!scratch->surface) return platform::BlitResult::Failed;
    // A clip rectangle may span the whole int range, and so may the visible part.
    if (int64_t{visible.right} - visible.left > scratch->width ||
        int64_t{visible.bottom} - visible.top > scratch->height)
        return platform::BlitResult::Failed;
    const int w = visible.right - visible.left, h = visible.bottom - visible.top;
    auto r = platform::BltStretch(*scratch->surface, platform::Rect{0, 0, w, h}, *slot.surface,
                                  source, false);
    if (r == platform::BlitResult::Lost && scratch->surface->IsLost()) {
        ReloadImage(kScratchSlot); // the work surface has no file; it comes back empty
        return platform::BlitResult::Failed;
    }
    if (r != platform::BlitResult::Ok) return r;
    if (slot.transparent != 0) TakeColorKey(kScratchSlot);
    return platform::BltFast(*TheDisplay().backBuffer, visible.left, visible.top, *scratch->surface,
                             platform::Rect{0, 0, w, h}, slot.transparent != 0);
}

// Copies the first row of every band of `band` rows: repeated over the band, or once (band 2
// without repeating is the interlaced copy).
int CopyBands(int x, int y, int n, const ImageSlot& slot, int band, bool repeat, int srcLeft,
              int srcTop, int srcRight, int srcBottom) {
    platform::BlitResult last = platform::BlitResult::Failed;
    for (int r = srcTop; r < srcBottom; r += band) {
        const int rows = repeat ? std::min(band, srcBottom - r) : 1;
        for (int k = r; k < r + rows; ++k) {
            last = CopyRows(x, y + k - srcTop, slot, srcLeft, r, srcRight, r + 1);
            if (last == platform::BlitResult::Lost) return Finish(n, last);
        }
    }
    return Finish(n, last);
}

} // namespace

// A start so far right that the edge would pass the int range is held there, still past the
// picture.
void WidenToEdges(int width, int height, int srcLeft, int srcTop, int& srcRight, int& srcBottom) {
    if (srcRight == -1) srcRight = SaturateToInt(int64_t{srcLeft} + width);
    if (srcBottom == -1) srcBottom = SaturateToInt(int64_t{srcTop} + height);
}

bool ClipSourceRect(int& x, int& y, int n, int& srcLeft, int& srcTop, int& srcRight,
                    int& srcBottom) {
    const ImageSlot* slot = ImageSlotAt(n);
    if (slot == nullptr || !slot->surface) return false;
    const Display& d = TheDisplay();
    WidenToEdges(slot->width, slot->height, srcLeft, srcTop, srcRight, srcBottom);
    if (srcLeft < 0) srcLeft = 0;
    if (srcTop < 0) srcTop = 0;
    if (srcRight > slot->width) srcRight = slot->width;
    if (srcBottom > slot->height) srcBottom = slot->height;
    // Nothing of the picture left: refused before one edge is taken from another, which for edges
    // at opposite ends of the int range would wrap round into a width. Clipping only shrinks.
    if (srcRight <= srcLeft || srcBottom <= srcTop) return false;
    // Wide arithmetic: a destination far off screen must not overflow into view.
    if (x < d.clipLeft) {
        srcLeft = static_cast<int>(std::min<int64_t>(int64_t{srcLeft} + d.clipLeft - x, srcRight));
        x = d.clipLeft;
    }
    if (y < d.clipTop) {
        srcTop = static_cast<int>(std::min<int64_t>(int64_t{srcTop} + d.clipTop - y, srcBottom));
        y = d.clipTop;
    }
    if (int64_t{x} + (srcRight - srcLeft) > d.clipRight)
        srcRight = static_cast<int>(std::max<int64_t>(int64_t{d.clipRight} - x + srcLeft, srcLeft));
    if (int64_t{y} + (srcBottom - srcTop) > d.clipBottom)
        srcBottom = static_cast<int>(std::max<int64_t>(int64_t{d.clipBottom} - y + srcTop, srcTop));
    return srcRight - srcLeft >= 1 && srcBottom - srcTop >= 1;
}

int DrawImage(int x, int y, uint16_t n, int srcLeft, int srcTop, int srcRight, int srcBottom) {
    const ImageSlot* slot = DrawableSlot(n, kScratchSlot);
    if (slot == nullptr || !ClipSourceRect(x, y, n, srcLeft, srcTop, srcRight, srcBottom)) return 0;
    return Finish(n, CopyRows(x, y, *slot, srcLeft, srcTop, srcRight, srcBottom));
}

int DrawImageScaled(int x, int y, uint16_t n, int dstWidth, int dstHeight, int srcLeft, int srcTop,
                    int srcRight, int srcBottom) {
    const ImageSlot* slot = DrawableSlot(n, kLastPictureSlot);
    if (slot == nullptr) return 0;
    if (dstWidth == -1) dstWidth = slot->width * 2;
    if (dstHeight == -1) dstHeight = slot->height * 2;
    WidenToEdges(slot->width, slot->height, srcLeft, srcTop, srcRight, srcBottom);
    // Sizes and cuts in 64 bits: the source may span the whole int range, the destination start
    // anywhere in it.
    const int64_t srcW = int64_t{srcRight} - srcLeft, srcH = int64_t{srcBottom} - srcTop;
    if (srcW < 1 || srcH < 1) return 0;
    // A destination size below one has no visible part, wherever it is.
    if (dstWidth < 1 || dstHeight < 1) return 0;
    const double fx = static_cast<double>(dstWidth) / static_cast<double>(srcW);
    const float fy = static_cast<float>(static_cast<double>(dstHeight) / static_cast<double>(srcH));

    const Display& d = TheDisplay();
    const int64_t left = std::max(x, d.clipLeft), top = std::max(y, d.clipTop);
    const int64_t right = std::min<int64_t>(int64_t{x} + dstWidth, d.clipRight);
    const int64_t bottom = std::min<int64_t>(int64_t{y} + dstHeight, d.clipBottom);
    const int64_t visW = right - left, visH = bottom - top;
    if (visW < 1 || visH < 1) return 0;
    const int64_t cutLeft = left - x, cutTop = top - y;

    // A tiny factor puts the source part past any int; it is then past the picture as well, and
    // held at the int range's end the copy refuses it.
    const double partLeft = srcLeft + std::trunc(static_cast<double>(cutLeft) / fx);
    const double partTop =
        srcTop + std::trunc(static_cast<double>(static_cast<float>(cutTop) / fy));
    const double partW = std::trunc(static_cast<double>(visW) / fx);
    const double partH = std::trunc(static_cast<double>(static_cast<float>(visH) / fy));
    const platform::Rect source{TruncateToInt(partLeft), TruncateToInt(partTop),
                                TruncateToInt(partLeft + partW), TruncateToInt(partTop + partH)};
    // Within the clip rectangle, so each edge is an int.
    const platform::Rect visible{static_cast<int>(left), static_cast<int>(top),
                                 static_cast<int>(right), static_cast<int>(bottom)};
    if (d.canStretch != 0)
        return Finish(n, platform::BltStretch(*d.backBuffer, visible, *slot->surface, source,
                                              slot->transparent != 0));
    return Finish(n, StretchThroughScratch(*slot, source, visible));
}

int DrawImageBanded(int x, int y, uint16_t n, int band, int srcLeft, int srcTop, int srcRight,
                    int srcBottom) {
    const ImageSlot* slot = DrawableSlot(n, kLastPictureSlot);
    if (slot == nullptr || !ClipSourceRect(x, y, n, srcLeft, srcTop, srcRight, srcBottom)) return 0;
    // A band taller than the rectangle shows its first row throughout, whatever its height.
    band = std::clamp(band, 1, srcBottom - srcTop);
    return CopyBands(x, y, n, *slot, band, true, srcLeft, srcTop, srcRight, srcBottom);
}

int DrawImageInterlaced(int x, int y, uint16_t n, int srcLeft, int srcTop, int srcRight,
                        int srcBottom) {
    const ImageSlot* slot = DrawableSlot(n, kLastPictureSlot);
    if (slot == nullptr || !ClipSourceRect(x, y, n, srcLeft, srcTop, srcRight, srcBottom)) return 0;
    return CopyBands(x, y, n, *slot, 2, false, srcLeft, srcTop, srcRight, srcBottom);
}

int CopyScreenToImage(uint16_t n, int x, int y, int srcLeft, int srcTop, int srcRight,
                      int srcBottom) {
    const ImageSlot* slot = DrawableSlot(n, kScratchSlot);
    if (slot == nullptr) return 0;
    if (srcRight == -1 || srcBottom == -1) {
        srcRight = kDisplayWidth;
        srcBottom = kDisplayHeight;
    }
    // In 64 bits: a destination or source start at either end of the int range must not wrap.
    int64_t left = std::max(srcLeft, 0), top = std::max(srcTop, 0);
    int64_t right = std::min(srcRight, kDisplayWidth), bottom = std::min(srcBottom, kDisplayHeight);
    int64_t dx = x, dy = y;
    if (dx < 0) {
        left -= dx;
        dx = 0;
    }
    if (dy < 0) {
        top -= dy;
        dy = 0;
    }
    if (dx + (right - left) > slot->width) right = slot->width - dx + left;
    if (dy + (bottom - top) > slot->height) bottom = slot->height - dy + top;
    // A rectangle with something in it lies on the screen and lands inside the slot, so every
    // edge is an int; an empty one goes to the copy as an empty rectangle, which it refuses (or
    // reports a lost surface, as any copy does).
    const bool empty = right <= left || bottom <= top;
    const platform::Rect source =
        empty ? platform::Rect{0, 0, 0, 0}
              : platform::Rect{static_cast<int>(left), static_cast<int>(top),
                               static_cast<int>(right), static_cast<int>(bottom)};
    const auto result = platform::BltFast(*slot->surface, empty ? 0 : static_cast<int>(dx),
                                          empty ? 0 : static_cast<int>(dy),
                                          *TheDisplay().backBuffer, source, false);
    if (result != platform::BlitResult::Ok) return Finish(n, result);
    TakeColorKey(n);
    return 1;
}

} // namespace tessary
