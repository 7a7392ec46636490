#include "runtime/graphics/blitters.h"

#include <algorithm>
#include <cmath>

#include "runtime/graphics/display.h"
#include "runtime/graphics/image_slots.h"
#include "runtime/graphics/pixel_effects.h"

namespace tessary {
namespace {

// A picture slot (0..last) that holds a surface, with a back buffer to draw on.
ImageSlot* DrawableSlot(int n, int last) {
    if (n > last || !TheDisplay().backBuffer) return nullptr;
    ImageSlot* slot = ImageSlotAt(n);
    return slot != nullptr && slot->surface ? slot : nullptr;
}

void WidenToEdges(const ImageSlot& slot, int srcLeft, int srcTop, int& srcRight, int& srcBottom) {
    if (srcRight == -1) srcRight = srcLeft + slot.width;
    if (srcBottom == -1) srcBottom = srcTop + slot.height;
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
    const int w = visible.right - visible.left, h = visible.bottom - visible.top;
    if (w > scratch->width || h > scratch->height) return platform::BlitResult::Failed;
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
    WidenToEdges(*slot, srcLeft, srcTop, srcRight, srcBottom);
    if (srcLeft < 0) srcLeft = 0;
    if (srcTop < 0) srcTop = 0;
    if (srcRight > slot->width) srcRight = slot->width;
    if (srcBottom > slot->height) srcBottom = slot->height;
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
    WidenToEdges(*slot, srcLeft, srcTop, srcRight, srcBottom);
    const int srcW = srcRight - srcLeft, srcH = srcBottom - srcTop;
    if (srcW < 1 || srcH < 1) return 0;
    const double fx = static_cast<double>(dstWidth) / srcW;
    const float fy = static_cast<float>(static_cast<double>(dstHeight) / srcH);

    const Display& d = TheDisplay();
    const int left = std::max(x, d.clipLeft), top = std::max(y, d.clipTop);
    const int right = static_cast<int>(std::min<int64_t>(int64_t{x} + dstWidth, d.clipRight));
    const int bottom = static_cast<int>(std::min<int64_t>(int64_t{y} + dstHeight, d.clipBottom));
    const int visW = right - left, visH = bottom - top;
    if (visW < 1 || visH < 1) return 0;
    const int cutLeft = left - x, cutTop = top - y;

    const int partLeft = srcLeft + static_cast<int>(cutLeft / fx);
    const int partTop = srcTop + static_cast<int>(static_cast<float>(cutTop) / fy);
    const int partW = static_cast<int>(visW / fx);
    const int partH = static_cast<int>(static_cast<float>(visH) / fy);
    const platform::Rect source{partLeft, partTop, partLeft + partW, partTop + partH};
    const platform::Rect visible{left, top, right, bottom};
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
    if (srcRight == -1) srcRight = srcLeft + imageWidth;
    if (srcBottom == -1) srcBottom = srcTop + imageHeight;
    const int w = srcRight - srcLeft, h = srcBottom - srcTop;
    // The rotation reads the whole rectangle, so it must lie inside the picture.
    if (w < 1 || h < 1 || srcLeft < 0 || srcTop < 0 || srcRight > imageWidth ||
        srcBottom > imageHeight)
        return false;
    plan.side =
        static_cast<int>(std::sqrt(static_cast<double>(h) * h + static_cast<double>(w) * w));
    plan.squareLeft = x - (plan.side - w) / 2;
    plan.squareTop = y - (plan.side - h) / 2;
    // The visible part is judged against the screen, not the clip rectangle.
    plan.visLeft = plan.squareLeft < 0 ? -plan.squareLeft : 0;
    plan.visTop = plan.squareTop < 0 ? -plan.squareTop : 0;
    plan.visRight =
        plan.squareLeft + plan.side > kDisplayWidth ? kDisplayWidth - plan.squareLeft : plan.side;
    plan.visBottom =
        plan.squareTop + plan.side > kDisplayHeight ? kDisplayHeight - plan.squareTop : plan.side;
    if (plan.visLeft >= plan.visRight || plan.visTop >= plan.visBottom) return false;
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
        // Blended per channel at 16, 24 and 32 bits alike.
        return BlendImage(x, y, n, percent * 256 / 100, srcLeft, srcTop, srcRight, srcBottom);
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
    srcRight = std::min(srcRight, kDisplayWidth);
    srcBottom = std::min(srcBottom, kDisplayHeight);
    srcLeft = std::max(srcLeft, 0);
    srcTop = std::max(srcTop, 0);
    if (x < 0) {
        srcLeft -= x;
        x = 0;
    }
    if (y < 0) {
        srcTop -= y;
        y = 0;
    }
    if (x + (srcRight - srcLeft) > slot->width) srcRight = slot->width - x + srcLeft;
    if (y + (srcBottom - srcTop) > slot->height) srcBottom = slot->height - y + srcTop;
    const auto result =
        platform::BltFast(*slot->surface, x, y, *TheDisplay().backBuffer,
                          platform::Rect{srcLeft, srcTop, srcRight, srcBottom}, false);
    if (result != platform::BlitResult::Ok) return Finish(n, result);
    TakeColorKey(n);
    return 1;
}

} // namespace tessary
