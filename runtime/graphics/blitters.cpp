#include "runtime/graphics/blitters.h"

#include <algorithm>
#include <cmath>

#include "runtime/graphics/display.h"
#include "runtime/graphics/image_slots.h"
#include "runtime/graphics/int_range.h"
#include "runtime/graphics/pixel_effects.h"

namespace tessary {
namespace {

// A picture slot (0..last) that holds a surface, with a back buffer to draw on.
ImageSlot* DrawableSlot(int n, int last) {
    if (n > last || !TheDisplay().backBuffer) return nullptr;
    ImageSlot* slot = ImageSlotAt(n);
    return slot != nullptr && slot->surface ? slot : nullptr;
}

// -1 edges reach the picture's edge from the given start; a start so far right that the edge
// would pass the int range is held there, still past the picture.
void WidenToEdges(int width, int height, int srcLeft, int srcTop, int& srcRight, int& srcBottom) {
    if (srcRight == -1) srcRight = SaturateToInt(int64_t{srcLeft} + width);
    if (srcBottom == -1) srcBottom = SaturateToInt(int64_t{srcTop} + height);
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

bool PlanRotation(int x, int y, int angle, int imageWidth, int imageHeight, int& srcLeft,
                  int& srcTop, int& srcRight, int& srcBottom, RotationPlan& plan) {
    WidenToEdges(imageWidth, imageHeight, srcLeft, srcTop, srcRight, srcBottom);
    // The rotation reads the whole rectangle, so it must lie inside the picture; checked before
    // the edges are subtracted, so the sizes fit.
    if (srcLeft < 0 || srcTop < 0 || srcRight > imageWidth || srcBottom > imageHeight ||
        srcRight <= srcLeft || srcBottom <= srcTop)
        return false;
    const int w = srcRight - srcLeft, h = srcBottom - srcTop;
    const double diagonal = std::sqrt(static_cast<double>(h) * h + static_cast<double>(w) * w);
    if (!(diagonal < kMaxRotationSide + 1.0)) return false; // larger than any surface allows
    const int side = static_cast<int>(diagonal);
    // The square in 64 bits: a destination near either end of the int range must not wrap round
    // onto the screen. A square with a visible part lies within a side of the screen.
    const int64_t squareLeft = int64_t{x} - (side - w) / 2;
    const int64_t squareTop = int64_t{y} - (side - h) / 2;
    // The visible part is judged against the screen, not the clip rectangle.
    const int64_t visLeft = squareLeft < 0 ? -squareLeft : 0;
    const int64_t visTop = squareTop < 0 ? -squareTop : 0;
    const int64_t visRight = squareLeft + side > kDisplayWidth ? kDisplayWidth - squareLeft : side;
    const int64_t visBottom = squareTop + side > kDisplayHeight ? kDisplayHeight - squareTop : side;
    if (visLeft >= visRight || visTop >= visBottom) return false;
    plan.side = side;
    plan.squareLeft = static_cast<int>(squareLeft);
    plan.squareTop = static_cast<int>(squareTop);
    plan.visLeft = static_cast<int>(visLeft);
    plan.visTop = static_cast<int>(visTop);
    plan.visRight = static_cast<int>(visRight);
    plan.visBottom = static_cast<int>(visBottom);
    if (angle >= 360 || angle < -359) angle %= 360;
    if (angle < 0) angle += 360;
    plan.angle = angle;
    return true;
}

int DrawImageRotated(int x, int y, uint16_t n, int angle, int srcLeft, int srcTop, int srcRight,
                     int srcBottom) {
    const ImageSlot* slot = DrawableSlot(n, kLastPictureSlot);
    RotationPlan plan;
    if (slot == nullptr || !PlanRotation(x, y, angle, slot->width, slot->height, srcLeft, srcTop,
                                         srcRight, srcBottom, plan))
        return 0;
    // Every depth rotates: a 24 or 32-bit desktop, the usual one, would otherwise show nothing.
    return RotateImageIntoSquare(n, plan.angle, srcLeft, srcTop, srcRight, srcBottom, plan.side,
                                 plan.squareLeft, plan.squareTop, plan.visLeft, plan.visTop,
                                 plan.visRight, plan.visBottom);
}

int DrawImageTranslucent(int x, int y, uint16_t n, int percent, int srcLeft, int srcTop,
                         int srcRight, int srcBottom, int interlace) {
    const ImageSlot* slot = DrawableSlot(n, kLastPictureSlot);
    if (slot == nullptr || !ClipSourceRect(x, y, n, srcLeft, srcTop, srcRight, srcBottom)) return 0;
    const int depth = TheDisplay().depth;
    if (depth >= 16 && interlace == 0) {
        // Blended per channel at 16, 24 and 32 bits alike. Opacity is a share of the whole: past
        // 100 percent the picture is drawn as it is, below 0 not at all.
        const int alpha = std::clamp(percent, 0, 100) * 256 / 100;
        return BlendImage(x, y, n, alpha, srcLeft, srcTop, srcRight, srcBottom);
    }
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
