#include "pixel_effects.h"

#include <algorithm>
#include <cmath>

#include "runtime/graphics/blitters.h"
#include "runtime/graphics/display.h"
#include "runtime/graphics/image_slots.h"
#include "runtime/graphics/pixel_loops.h"

namespace tessary {
namespace {

constexpr int kCopyCode = 13;

// A picture slot with its surface, or null.
ImageSlot* PictureSlot(int n) {
    if (n < 0 || n > kLastPictureSlot) return nullptr;
    ImageSlot* slot = ImageSlotAt(n);
    return slot != nullptr && slot->surface ? slot : nullptr;
}

bool InsidePicture(const ImageSlot& slot, int srcLeft, int srcTop, int srcRight, int srcBottom) {
    return srcLeft >= 0 && srcTop >= 0 && srcRight <= slot.width && srcBottom <= slot.height &&
           srcLeft < srcRight && srcTop < srcBottom;
}

SourceKey KeyOf(const ImageSlot& slot) {
    return SourceKey{slot.transparent != 0, slot.colorKey};
}

// A picture that cannot be read because it was lost is reloaded for the next frame.
bool PictureReadable(int n, const ImageSlot& slot) {
    if (!slot.surface->IsLost()) return true;
    ReloadImage(n);
    return false;
}

// The scratch procedure: the screen under the rectangle is copied into the scratch slot at the
// same place, the picture is combined into that copy, and the copy goes back in one blit.
template <class Combine>
int ThroughScratch(int x, int y, int n, const ImageSlot& slot, int srcLeft, int srcTop,
                   int srcRight, int srcBottom, Combine combine) {
    const int w = srcRight - srcLeft, h = srcBottom - srcTop;
    ImageSlot* scratch = ImageSlotAt(kScratchSlot);
    // Only a place on the scratch can be combined there; checked first, so that the far edges
    // below cannot pass the int range.
    if (!scratch->surface || x < 0 || y < 0 || x >= scratch->width || y >= scratch->height)
        return 0;
    if (CopyScreenToImage(kScratchSlot, x, y, x, y, x + w, y + h) == 0) return 0;
    if (!PictureReadable(n, slot) || scratch->surface->IsLost()) return 0;
    // The screen copy may have been cut at the scratch's edges; combine only what it holds.
    const int usableW = std::min(w, scratch->width - x), usableH = std::min(h, scratch->height - y);
    if (usableW < 1 || usableH < 1) return 0;
    combine(*scratch->surface, SourceRect{slot.surface.get(), srcLeft, srcTop, usableW, usableH});
    return DrawImage(x, y, kScratchSlot, x, y, x + usableW, y + usableH);
}

} // namespace

int RotateImageIntoSquare(int n, int angle, int srcLeft, int srcTop, int srcRight, int srcBottom,
                          int side, int squareLeft, int squareTop, int visLeft, int visTop,
                          int visRight, int visBottom) {
    const ImageSlot* slot = PictureSlot(n);
    Display& d = TheDisplay();
    if (slot == nullptr || !d.backBuffer || angle < 0 || angle >= 360) return 0;
    // A side past the largest square would overflow the loop's sine sums.
    if (side < 1 || side > kMaxRotationSide) return 0;
    if (!PictureReadable(n, *slot) || d.backBuffer->IsLost()) return 0;
    // The loop writes without checking, so the ranges are held to the square and the surface,
    // in 64 bits since the square may lie anywhere. What is left lies within the side.
    const int64_t left = std::max<int64_t>({visLeft, 0, -int64_t{squareLeft}});
    const int64_t top = std::max<int64_t>({visTop, 0, -int64_t{squareTop}});
    const int64_t right =
        std::min<int64_t>({visRight, side, int64_t{d.backBuffer->Width()} - squareLeft});
    const int64_t bottom =
        std::min<int64_t>({visBottom, side, int64_t{d.backBuffer->Height()} - squareTop});
    if (left >= right || top >= bottom) return 0;
    visLeft = static_cast<int>(left);
    visTop = static_cast<int>(top);
    visRight = static_cast<int>(right);
    visBottom = static_cast<int>(bottom);
    if (!InsidePicture(*slot, srcLeft, srcTop, srcRight, srcBottom)) return 0;
    RotateLoop(
        *d.backBuffer, squareLeft, squareTop, side,
        SourceRect{slot->surface.get(), srcLeft, srcTop, srcRight - srcLeft, srcBottom - srcTop},
        KeyOf(*slot), angle, visLeft, visTop, visRight, visBottom);
    return 1;
}

int BlendImage(int x, int y, int n, int alpha, int srcLeft, int srcTop, int srcRight,
               int srcBottom) {
    const ImageSlot* slot = PictureSlot(n);
    if (slot == nullptr || TheDisplay().depth == 8 ||
        !InsidePicture(*slot, srcLeft, srcTop, srcRight, srcBottom))
        return 0;
    alpha = std::clamp(alpha, 0, 256); // beyond a whole the channel sums would overflow
    const ChannelLayout layout = CurrentChannelLayout();
    return ThroughScratch(x, y, n, *slot, srcLeft, srcTop, srcRight, srcBottom,
                          [&](platform::Surface& scratch, SourceRect src) {
                              BlendLoop(scratch, x, y, src, KeyOf(*slot), alpha, layout);
                          });
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
    const ImageSlot* slot = PictureSlot(n);
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
    if (TheDisplay().depth < 16 || interlace != 0)
        return DrawImageInterlaced(x, y, n, srcLeft, srcTop, srcRight, srcBottom);
    const ImageSlot* slot = PictureSlot(n);
    if (slot == nullptr || !TheDisplay().backBuffer ||
        !ClipSourceRect(x, y, n, srcLeft, srcTop, srcRight, srcBottom))
        return 0;
    // Blended per channel at 16, 24 and 32 bits alike. Opacity is a share of the whole: past
    // 100 percent the picture is drawn as it is, below 0 not at all.
    const int alpha = std::clamp(percent, 0, 100) * 256 / 100;
    return BlendImage(x, y, n, alpha, srcLeft, srcTop, srcRight, srcBottom);
}

int DrawImageRop(int x, int y, uint16_t n, int code, int srcLeft, int srcTop, int srcRight,
                 int srcBottom) {
    const ImageSlot* slot = PictureSlot(n);
    if (slot == nullptr || !TheDisplay().backBuffer) return 0;
    if (code == kCopyCode || TheDisplay().depth == 8) {
        DrawImage(x, y, n, srcLeft, srcTop, srcRight, srcBottom);
        return 0;
    }
    if (!ClipSourceRect(x, y, n, srcLeft, srcTop, srcRight, srcBottom)) return 0;
    return ThroughScratch(x, y, n, *slot, srcLeft, srcTop, srcRight, srcBottom,
                          [&](platform::Surface& scratch, SourceRect src) {
                              RopLoop(scratch, x, y, src, KeyOf(*slot), code);
                          });
}

int DrawImageAdditive(int x, int y, uint16_t n, int srcLeft, int srcTop, int srcRight,
                      int srcBottom) {
    const ImageSlot* slot = PictureSlot(n);
    if (slot == nullptr || !TheDisplay().backBuffer) return 0;
    if (TheDisplay().depth == 8) {
        DrawImage(x, y, n, srcLeft, srcTop, srcRight, srcBottom);
        return 0;
    }
    if (!ClipSourceRect(x, y, n, srcLeft, srcTop, srcRight, srcBottom)) return 0;
    const ChannelLayout layout = CurrentChannelLayout();
    return ThroughScratch(x, y, n, *slot, srcLeft, srcTop, srcRight, srcBottom,
                          [&](platform::Surface& scratch, SourceRect src) {
                              AddLoop(scratch, x, y, src, KeyOf(*slot), layout);
                          });
}

} // namespace tessary
