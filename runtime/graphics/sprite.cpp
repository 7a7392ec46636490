#include "runtime/graphics/sprite.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "runtime/graphics/blitters.h"
#include "runtime/graphics/int_range.h"
#include "runtime/graphics/pixel_effects.h"
#include "runtime/graphics/primitives.h"
#include "runtime/shell/runtime_state.h"

namespace tessary {
namespace {

constexpr float kPositionLimit = 2048.0f;
constexpr float kVelocityLimit = 128.0f;
constexpr float kAccelLimit = 32.0f;
constexpr float kOneDegreeOfSine = 0.0027777778f; // the sine table holds sin x 360
constexpr int kMaxFrameCount = 32;
constexpr int kFirstRopMode = 10; // modes 10 and above draw with raster operation mode - 10

// "Not >= -limit" rather than "< -limit", so that a NaN lands on the lower bound.
float Clamp(float v, float limit) {
    if (!(v >= -limit)) return -limit;
    if (v > limit) return limit;
    return v;
}

// A position field truncated toward zero as the setter would have stored it: the game writes the
// fields directly, and a NaN or a value past the int range has no truncation of its own.
int TruncatedPosition(float v) {
    return static_cast<int>(Clamp(v, kPositionLimit));
}

// frameSide x scale truncated toward zero; a scale too large for an int (the setter leaves large
// values alone) is held at a size that simply covers the screen many times over.
int ScaledSide(int side, float scale) {
    const float size = static_cast<float>(side) * scale;
    if (!(size > -1.0e8f)) return -100000000;
    if (size > 1.0e8f) return 100000000;
    return static_cast<int>(size);
}

// One frame cell drawn by the draw mode's blitter.
void DrawCell(const Sprite& sp, int dx, int dy, int srcLeft, int srcTop, int srcRight,
              int srcBottom) {
    const auto slot = static_cast<uint16_t>(sp.image & 0xFFFF);
    switch (sp.drawMode) {
    case -1:
        break;
    case 1:
        DrawImageScaled(dx, dy, slot, ScaledSide(sp.frameWidth, sp.scale),
                        ScaledSide(sp.frameHeight, sp.scale), srcLeft, srcTop, srcRight, srcBottom);
        break;
    case 2:
        DrawImageRotated(dx, dy, slot, sp.angle, srcLeft, srcTop, srcRight, srcBottom);
        break;
    case 3:
        DrawImageBanded(dx, dy, slot, ScaledSide(1, sp.scale), srcLeft, srcTop, srcRight,
                        srcBottom);
        break;
    case 4:
        DrawImageTranslucent(dx, dy, slot, 50, srcLeft, srcTop, srcRight, srcBottom, 0);
        break;
    case 5:
        DrawImageAdditive(dx, dy, slot, srcLeft, srcTop, srcRight, srcBottom);
        break;
    default:
        if (sp.drawMode >= kFirstRopMode) {
            DrawImageRop(dx, dy, slot, sp.drawMode - kFirstRopMode, srcLeft, srcTop, srcRight,
                         srcBottom);
        } else {
            DrawImage(dx, dy, slot, srcLeft, srcTop, srcRight, srcBottom);
        }
        break;
    }
}

} // namespace

Sprite::Sprite() {
    active = 1;
    animate = 1;
    row = 0;
    x = y = 0.0f;
    vx = vy = 0.0f;
    ax = ay = 0.0f;
    ticksPerFrame = 1;
    scale = 2.0f;
    drawMode = 0;
    std::memset(hitLeft, 0, sizeof hitLeft);
    std::memset(hitRight, 0, sizeof hitRight);
    std::memset(hitTop, 0, sizeof hitTop);
    std::memset(hitBottom, 0, sizeof hitBottom);
}

int Sprite::SetRow(int newRow) {
    if (newRow < 0 || newRow >= kSpriteHitRows) return 0;
    row = newRow;
    return 1;
}

int Sprite::SetTicksPerFrame(int n) {
    if (n < 0) return 0;
    ticksPerFrame = n;
    return 1;
}

void Sprite::SetScale(float s) {
    scale = s < 0.0f ? 0.1f : s;
}

void Sprite::SetPosition(float newX, float newY) {
    x = Clamp(newX, kPositionLimit);
    y = Clamp(newY, kPositionLimit);
}

void Sprite::SetVelocityX(float v) {
    vx = Clamp(v, kVelocityLimit);
}
void Sprite::SetVelocityY(float v) {
    vy = Clamp(v, kVelocityLimit);
}
void Sprite::SetAccelX(float a) {
    ax = Clamp(a, kAccelLimit);
}
void Sprite::SetAccelY(float a) {
    ay = Clamp(a, kAccelLimit);
}

void Sprite::SetVelocityPolar(int degrees, float speed) {
    if (degrees < 0 || degrees >= 360) return;
    const auto cosine = static_cast<float>(SineTable[static_cast<size_t>(degrees + 90)]);
    const auto sine = static_cast<float>(SineTable[static_cast<size_t>(degrees)]);
    SetVelocityX(cosine * speed * kOneDegreeOfSine);
    SetVelocityY(sine * speed * -kOneDegreeOfSine); // screen y grows downward
}

int Sprite::SetFrames(int imageSlot, int count, int width, int height) {
    image = imageSlot;
    frameCount = count < kMaxFrameCount + 1 ? count : kMaxFrameCount;
    frameWidth = width;
    frameHeight = height;
    row = 0;
    frame = 0;
    tickCount = 0;
    return 1;
}

// The right inset never takes the right edge past the left one, nor the bottom past the top.
// In 64 bits, for insets and frame sizes anywhere in the int range: the right and bottom insets
// never exceed the ones given, so they fit; a left or top one short of the smallest frame size
// is held at the end of the range.
int Sprite::SetHitBox(int index, int left, int right, int top, int bottom) {
    if (index < 0 || index >= kSpriteHitRows) return 0;
    const int64_t w = frameWidth, h = frameHeight;
    const int l = left < frameWidth ? left : SaturateToInt(w - 1);
    const int t = top < frameHeight ? top : SaturateToInt(h - 1);
    hitLeft[index] = l;
    hitRight[index] = static_cast<int>(std::min<int64_t>(right, w - l));
    hitTop[index] = t;
    hitBottom[index] = static_cast<int>(std::min<int64_t>(bottom, h - t));
    return 1;
}

int Sprite::Draw() {
    if (active == 0) return 0;
    // The cell in 64 bits: frame, row and sizes may all have been written directly. A cell past
    // the int range lies outside every picture, so there is nothing to draw.
    const int64_t srcLeft = int64_t{frameWidth} * frame, srcTop = int64_t{frameHeight} * row;
    const int64_t srcRight = srcLeft + frameWidth, srcBottom = srcTop + frameHeight;
    if (FitsInt(srcLeft) && FitsInt(srcTop) && FitsInt(srcRight) && FitsInt(srcBottom)) {
        DrawCell(*this, TruncatedPosition(x), TruncatedPosition(y), static_cast<int>(srcLeft),
                 static_cast<int>(srcTop), static_cast<int>(srcRight), static_cast<int>(srcBottom));
    }
    // The position takes the velocity of before this frame's acceleration.
    SetPosition(x + vx, y + vy);
    SetVelocityX(vx + ax);
    SetVelocityY(vy + ay);
    if (animate == 0) return 0;
    // Counters written far past their range move on at once instead of wrapping round.
    if (tickCount < INT_MAX) ++tickCount;
    if (tickCount < ticksPerFrame) return 0;
    tickCount = 0;
    frame = frame < kMaxFrameCount ? frame + 1 : kMaxFrameCount;
    if (frame >= kMaxFrameCount || frame == frameCount) {
        frame = 0;
        return 1;
    }
    return 0;
}

Sprite::Box Sprite::HitBox() const {
    const int64_t left = TruncatedPosition(x), top = TruncatedPosition(y); // toward zero
    const int r = row >= 0 && row < kSpriteHitRows ? row : 0; // row may be written directly
    // Insets and frame sizes may be written directly too: an edge past the int range stops at
    // its end rather than wrapping round to the other side.
    return Box{SaturateToInt(left + hitLeft[r]), SaturateToInt(top + hitTop[r]),
               SaturateToInt(left + frameWidth - hitRight[r]),
               SaturateToInt(top + frameHeight - hitBottom[r])};
}

void Sprite::DrawHitBox(uint32_t color) const {
    if (active == 0) return;
    const Box b = HitBox();
    DrawRect(b.left, b.top, b.right, b.bottom, color);
}

// Boxes that only touch at an edge do not hit.
int Sprite::HitTest(const Sprite* other) const {
    if (other == nullptr || other->active == 0 || active == 0) return 0;
    const Box a = HitBox(), b = other->HitBox();
    return a.left < b.right && a.right > b.left && a.top < b.bottom && a.bottom > b.top ? 1 : 0;
}

} // namespace tessary
