// libFuzzer target for the blitters, the pixel effects and the sprite: a display of any depth,
// pictures of any size in any slot (the work surface too), a clip rectangle anywhere, and calls
// whose arguments come as often from the ends of the int and float ranges as from anywhere else.
// Every call must stay inside its surfaces (the sanitizers watch) and must answer 0 or 1; the
// clipping and the rotation plan must hand on rectangles that really lie where they promise.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "platform/headless.h"
#include "runtime/graphics/blitters.h"
#include "runtime/graphics/display.h"
#include "runtime/graphics/image_slots.h"
#include "runtime/graphics/pixel_effects.h"
#include "runtime/graphics/sprite.h"
#include "runtime/shell/main_window.h"
#include "runtime/shell/runtime_state.h"

namespace {

using namespace tessary;

constexpr int kEdgeInts[] = {INT_MIN, INT_MIN + 1, -(1 << 30),  -65536, -2049, -640,  -2,
                             -1,      0,           1,           2,      31,    32,    479,
                             480,     639,         640,         641,    2048,  16384, 32768,
                             65535,   1 << 30,     INT_MAX - 5, INT_MAX};

void Check(bool ok) {
    if (!ok) std::abort();
}

class Args {
  public:
    explicit Args(FuzzedDataProvider& data) : data_(data) {}

    // An end of the range as often as a place on or near the screen or in a small picture, so
    // that the draws both refuse and draw.
    int Int() {
        switch (data_.ConsumeIntegralInRange(0, 7)) {
        case 0:
        case 1:
            return data_.PickValueInArray(kEdgeInts);
        case 2:
            return -1;
        case 3:
        case 4:
            return data_.ConsumeIntegralInRange(0, 64);
        case 5:
        case 6:
            return data_.ConsumeIntegralInRange(-100, 740);
        default:
            return data_.ConsumeIntegral<int>();
        }
    }

    float Float() {
        constexpr float kEdgeFloats[] = {std::numeric_limits<float>::quiet_NaN(),
                                         std::numeric_limits<float>::infinity(),
                                         -std::numeric_limits<float>::infinity(),
                                         FLT_MAX,
                                         -FLT_MAX,
                                         1e30f,
                                         -1e30f,
                                         3e9f,
                                         -3e9f,
                                         2048.0f,
                                         -2048.0f,
                                         2049.5f,
                                         -0.5f,
                                         0.0f,
                                         1e-40f};
        switch (data_.ConsumeIntegralInRange(0, 2)) {
        case 0:
            return data_.PickValueInArray(kEdgeFloats);
        case 1:
            return data_.ConsumeFloatingPointInRange(-3000.0f, 3000.0f);
        default:
            return data_.ConsumeFloatingPoint<float>();
        }
    }

    uint16_t Slot() {
        constexpr uint16_t kSlots[] = {0, 1, 2, 3, 255, 0, 1, 256, 257, 65535};
        return data_.ConsumeIntegralInRange(0, 3) != 0 ? data_.PickValueInArray(kSlots)
                                                       : data_.ConsumeIntegral<uint16_t>();
    }

  private:
    FuzzedDataProvider& data_;
};

// A picture of the given size in slot n: a row of a cheap pattern repeated down the picture, each
// row with one pixel of the key colour (the top-left pixel) at a different place.
void MakePicture(int n, int w, int h, int transparent, uint32_t seed) {
    ImageSlot& slot = *ImageSlotAt(n);
    slot.surface = TheDisplay().CreateOffscreen(w, h, 0);
    if (!slot.surface) {
        slot.width = slot.height = 0;
        return;
    }
    slot.width = w;
    slot.height = h;
    uint32_t v = seed | 1u;
    for (int x = 0; x < w; ++x) {
        v = v * 1664525u + 1013904223u;
        slot.surface->WritePixel(x, 0, (v & 7u) == 0 ? 0u : v >> 7);
    }
    int pitch = 0;
    uint8_t* pixels = slot.surface->Lock(&pitch);
    for (int y = 1; y < h; ++y)
        std::memcpy(pixels + static_cast<ptrdiff_t>(y) * pitch, pixels, static_cast<size_t>(pitch));
    const uint32_t key = slot.surface->ReadPixel(0, 0);
    for (int y = 1; y < h; ++y)
        slot.surface->WritePixel((y * 7) % w, y, key);
    TakeColorKey(n);
    slot.transparent = transparent;
}

// What the shared clipping promises: a rectangle inside the picture, placed inside the clip.
void CheckClipped(int n, int x, int y, int l, int t, int r, int b) {
    const ImageSlot& slot = *ImageSlotAt(n);
    const Display& d = TheDisplay();
    Check(l >= 0 && t >= 0 && l < r && t < b && r <= slot.width && b <= slot.height);
    Check(x >= d.clipLeft && y >= d.clipTop);
    Check(int64_t{x} + (r - l) <= d.clipRight && int64_t{y} + (b - t) <= d.clipBottom);
}

// What a rotation plan promises: a source inside the picture and a visible part of the square
// that lies on the screen.
void CheckPlan(const RotationPlan& p, int w, int h, int l, int t, int r, int b) {
    Check(l >= 0 && t >= 0 && l < r && t < b && r <= w && b <= h);
    Check(p.angle >= 0 && p.angle < 360 && p.side >= 1 && p.side <= kMaxRotationSide);
    Check(0 <= p.visLeft && p.visLeft < p.visRight && p.visRight <= p.side);
    Check(0 <= p.visTop && p.visTop < p.visBottom && p.visBottom <= p.side);
    Check(int64_t{p.squareLeft} + p.visLeft >= 0 &&
          int64_t{p.squareLeft} + p.visRight <= kDisplayWidth);
    Check(int64_t{p.squareTop} + p.visTop >= 0 &&
          int64_t{p.squareTop} + p.visBottom <= kDisplayHeight);
}

void CheckResult(int result) {
    Check(result == 0 || result == 1);
}

void SpriteStep(FuzzedDataProvider& data, Args& a, Sprite& sp, const Sprite& other) {
    switch (data.ConsumeIntegralInRange(0, 13)) {
    case 0:
        sp.x = a.Float(), sp.y = a.Float();
        break;
    case 1:
        sp.vx = a.Float(), sp.vy = a.Float(), sp.ax = a.Float(), sp.ay = a.Float();
        break;
    case 2:
        sp.frame = a.Int(), sp.row = a.Int(), sp.tickCount = a.Int();
        break;
    case 3:
        sp.frameWidth = a.Int(), sp.frameHeight = a.Int(), sp.frameCount = a.Int();
        break;
    case 4:
        sp.drawMode = a.Int(), sp.scale = a.Float(), sp.angle = a.Int(), sp.image = a.Int();
        sp.ticksPerFrame = a.Int();
        break;
    case 5: {
        const int r = data.ConsumeIntegralInRange(0, kSpriteHitRows - 1);
        sp.hitLeft[r] = a.Int(), sp.hitRight[r] = a.Int();
        sp.hitTop[r] = a.Int(), sp.hitBottom[r] = a.Int();
        break;
    }
    case 6: {
        const int index = a.Int();
        const int l = a.Int(), r = a.Int(), t = a.Int(), b = a.Int();
        const int result = sp.SetHitBox(index, l, r, t, b);
        CheckResult(result);
        if (result == 1) {
            // The right edge never falls left of the left one, nor the bottom above the top.
            Check(int64_t{sp.frameWidth} - sp.hitRight[index] >= sp.hitLeft[index]);
            Check(int64_t{sp.frameHeight} - sp.hitBottom[index] >= sp.hitTop[index]);
        }
        break;
    }
    case 7:
        CheckResult(sp.SetFrames(a.Int(), a.Int(), a.Int(), a.Int()));
        break;
    case 8:
        sp.SetPosition(a.Float(), a.Float());
        Check(sp.x >= -2048.0f && sp.x <= 2048.0f && sp.y >= -2048.0f && sp.y <= 2048.0f);
        break;
    case 9:
        sp.SetVelocityPolar(a.Int(), a.Float());
        sp.SetScale(a.Float());
        CheckResult(sp.SetRow(a.Int()));
        CheckResult(sp.SetTicksPerFrame(a.Int()));
        break;
    case 10:
        CheckResult(sp.Draw());
        break;
    case 11:
        sp.DrawHitBox(static_cast<uint32_t>(a.Int()));
        break;
    case 12:
        CheckResult(sp.HitTest(&other));
        break;
    default: {
        const Sprite::Box box = sp.HitBox();
        (void)box;
        sp.active = data.ConsumeBool() ? 1 : 0;
        sp.animate = a.Int();
        break;
    }
    }
}

void DrawOrCopy(FuzzedDataProvider& data, Args& a, int op);

// The back buffer as it was before a draw, to hold the draw to the clip rectangle: every byte
// outside it must be as it was.
class OutsideTheClip {
  public:
    OutsideTheClip() : back_(*TheDisplay().backBuffer) {
        int pitch = 0;
        const uint8_t* p = back_.Lock(&pitch);
        if (p != nullptr) before_.assign(p, p + static_cast<size_t>(pitch) * back_.Height());
    }

    void CheckUnchanged() const {
        int pitch = 0;
        const uint8_t* p = back_.Lock(&pitch);
        if (p == nullptr || before_.empty()) return;
        const Display& d = TheDisplay();
        const int w = back_.Width(), h = back_.Height(), bpp = back_.BytesPerPixel();
        const int l = std::clamp(d.clipLeft, 0, w), r = std::clamp(d.clipRight, l, w);
        const int t = std::clamp(d.clipTop, 0, h), b = std::clamp(d.clipBottom, t, h);
        for (int y = 0; y < h; ++y) {
            const uint8_t* now = p + static_cast<ptrdiff_t>(y) * pitch;
            const uint8_t* was = before_.data() + static_cast<ptrdiff_t>(y) * pitch;
            if (y < t || y >= b) {
                Check(std::memcmp(now, was, static_cast<size_t>(w * bpp)) == 0);
                continue;
            }
            Check(std::memcmp(now, was, static_cast<size_t>(l * bpp)) == 0);
            Check(std::memcmp(now + r * bpp, was + r * bpp, static_cast<size_t>((w - r) * bpp)) ==
                  0);
        }
    }

    // Worth the copy only while the clip leaves part of the screen out.
    static bool Matters() {
        const Display& d = TheDisplay();
        return d.clipLeft > 0 || d.clipTop > 0 || d.clipRight < kDisplayWidth ||
               d.clipBottom < kDisplayHeight;
    }

  private:
    const platform::Surface& back_;
    std::vector<uint8_t> before_;
};

void BlitStep(FuzzedDataProvider& data, Args& a) {
    const int op = data.ConsumeIntegralInRange(0, 14);
    // The draws held to the clip rectangle (rotation is judged against the screen instead).
    const bool clipped = op == 0 || op == 1 || op == 2 || op == 4 || op == 5 || op == 6;
    std::optional<OutsideTheClip> outside;
    if (clipped && OutsideTheClip::Matters()) outside.emplace();
    DrawOrCopy(data, a, op);
    if (outside) outside->CheckUnchanged();
}

void DrawOrCopy(FuzzedDataProvider& data, Args& a, int op) {
    switch (op) {
    case 0:
        CheckResult(DrawImage(a.Int(), a.Int(), a.Slot(), a.Int(), a.Int(), a.Int(), a.Int()));
        break;
    case 1:
        CheckResult(DrawImageScaled(a.Int(), a.Int(), a.Slot(), a.Int(), a.Int(), a.Int(), a.Int(),
                                    a.Int(), a.Int()));
        break;
    case 2:
        CheckResult(DrawImageBanded(a.Int(), a.Int(), a.Slot(), a.Int(), a.Int(), a.Int(), a.Int(),
                                    a.Int()));
        break;
    case 3:
        CheckResult(DrawImageRotated(a.Int(), a.Int(), a.Slot(), a.Int(), a.Int(), a.Int(), a.Int(),
                                     a.Int()));
        break;
    case 4:
        CheckResult(DrawImageTranslucent(a.Int(), a.Int(), a.Slot(), a.Int(), a.Int(), a.Int(),
                                         a.Int(), a.Int(), a.Int()));
        break;
    case 5:
        CheckResult(
            DrawImageRop(a.Int(), a.Int(), a.Slot(), a.Int(), a.Int(), a.Int(), a.Int(), a.Int()));
        break;
    case 6:
        CheckResult(
            DrawImageAdditive(a.Int(), a.Int(), a.Slot(), a.Int(), a.Int(), a.Int(), a.Int()));
        break;
    case 7:
        CheckResult(
            CopyScreenToImage(a.Slot(), a.Int(), a.Int(), a.Int(), a.Int(), a.Int(), a.Int()));
        break;
    case 8: {
        const int n = a.Slot();
        int x = a.Int(), y = a.Int(), l = a.Int(), t = a.Int(), r = a.Int(), b = a.Int();
        if (ClipSourceRect(x, y, n, l, t, r, b)) CheckClipped(n, x, y, l, t, r, b);
        break;
    }
    case 9: {
        const int w = a.Int(), h = a.Int();
        int l = a.Int(), t = a.Int(), r = a.Int(), b = a.Int();
        RotationPlan plan;
        if (PlanRotation(a.Int(), a.Int(), a.Int(), w, h, l, t, r, b, plan))
            CheckPlan(plan, w, h, l, t, r, b);
        break;
    }
    case 10:
        CheckResult(RotateImageIntoSquare(a.Slot(), a.Int(), a.Int(), a.Int(), a.Int(), a.Int(),
                                          a.Int(), a.Int(), a.Int(), a.Int(), a.Int(), a.Int(),
                                          a.Int()));
        break;
    case 11:
        CheckResult(
            BlendImage(a.Int(), a.Int(), a.Slot(), a.Int(), a.Int(), a.Int(), a.Int(), a.Int()));
        break;
    case 12: {
        // The platform's own copies between any two surfaces there are, one surface with itself
        // included.
        platform::Surface* dst = ImageSurface(a.Slot());
        const platform::Surface* src = ImageSurface(a.Slot());
        if (data.ConsumeBool()) dst = TheDisplay().backBuffer.get();
        if (dst == nullptr || src == nullptr) break;
        const platform::Rect rect{a.Int(), a.Int(), a.Int(), a.Int()};
        if (data.ConsumeBool()) {
            platform::BltFast(*dst, a.Int(), a.Int(), *src, rect, data.ConsumeBool());
        } else {
            platform::BltStretch(*dst, platform::Rect{a.Int(), a.Int(), a.Int(), a.Int()}, *src,
                                 rect, data.ConsumeBool());
        }
        break;
    }
    case 13: {
        // Surfaces lost and brought back, so that the reload paths run too.
        platform::Surface* s =
            data.ConsumeBool() ? TheDisplay().backBuffer.get() : ImageSurface(a.Slot());
        if (s == nullptr) break;
        if (data.ConsumeBool()) {
            s->SetLostForTest(true);
        } else {
            s->Restore();
        }
        break;
    }
    default:
        TheDisplay().SetClip(a.Int(), a.Int(), a.Int(), a.Int());
        break;
    }
}

// Back to black and not lost, in one memset rather than a pixel loop.
void Clear(platform::Surface& s) {
    s.Restore();
    int pitch = 0;
    uint8_t* pixels = s.Lock(&pitch);
    std::memset(pixels, 0, static_cast<size_t>(pitch) * static_cast<size_t>(s.Height()));
}

// Each depth keeps a display and work surface of its own, opened once and moved in and out, so
// that an input pays for clearing them rather than for making them (everything is made afresh
// now and then, so that the captured debug lines do not pile up). Everything a run can change is
// then put back as a fresh start leaves it, so that each input runs the same whatever ran before.
struct DepthWorld {
    Display display;
    ImageSlot scratch;
    bool open = false;
};

void StartAt(int depth) {
    static DepthWorld worlds[4];
    static int current = -1;
    static int runs = 0;
    const int index = depth / 8 - 1;
    if (++runs % 4096 == 0 || current < 0) {
        platform::headless::Reset();
        ResetRuntimeStatics();
        BuildSineTable();
        for (DepthWorld& w : worlds)
            w = DepthWorld{};
        current = -1;
        if (CreateMainWindow() != 1) std::abort();
    }
    if (index != current) {
        if (current >= 0) {
            worlds[current].display = std::move(TheDisplay());
            worlds[current].scratch = std::move(*ImageSlotAt(kScratchSlot));
        }
        DepthWorld& world = worlds[index];
        if (!world.open) {
            setenv("TESSARY_DESKTOP_DEPTH", std::to_string(depth).c_str(), 1);
            TheDisplay() = Display{};
            *ImageSlotAt(kScratchSlot) = ImageSlot{};
            if (TheDisplay().Open() != 1 || CreateScratchImage() != 1) std::abort();
            world.open = true;
        } else {
            TheDisplay() = std::move(world.display);
            *ImageSlotAt(kScratchSlot) = std::move(world.scratch);
        }
        current = index;
    }
    Display& d = TheDisplay();
    Clear(*d.backBuffer);
    d.SetClip(0, 0, 0, 0);
    d.clipRegion = 1;
    for (int n = 0; n < kScratchSlot; ++n)
        *ImageSlotAt(n) = ImageSlot{};
    ImageSlot& scratch = *ImageSlotAt(kScratchSlot);
    if (!scratch.surface || scratch.width != kDisplayWidth || scratch.height != kDisplayHeight) {
        scratch = ImageSlot{};
        if (CreateScratchImage() != 1) std::abort();
    } else {
        Clear(*scratch.surface);
        scratch.surface->ClearColorKey();
        scratch.colorKey = 0;
        scratch.transparent = 0;
        scratch.fileName = {};
        scratch.inVideoMemory = 0;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    FuzzedDataProvider data(bytes, size);
    Args a(data);
    constexpr int kDepths[] = {8, 16, 24, 32};
    StartAt(data.PickValueInArray(kDepths));
    TheDisplay().canStretch = data.ConsumeBool() ? 1 : 0;
    if (data.ConsumeBool()) {
        // A clip rectangle within the screen, so that the draws held to it are checked often.
        const int left = data.ConsumeIntegralInRange(0, kDisplayWidth - 1);
        const int top = data.ConsumeIntegralInRange(0, kDisplayHeight - 1);
        TheDisplay().SetClip(left, top, data.ConsumeIntegralInRange(left, kDisplayWidth),
                             data.ConsumeIntegralInRange(top, kDisplayHeight));
    }

    const int pictures = data.ConsumeIntegralInRange(1, 4);
    for (int i = 0; i < pictures; ++i) {
        // Now and then the work surface itself is swapped for a picture of another size.
        constexpr int kPictureSlots[] = {0, 1, 2, 3, 255};
        const int n = data.ConsumeIntegralInRange(0, 15) == 0
                          ? kScratchSlot
                          : data.PickValueInArray(kPictureSlots);
        const bool large = data.ConsumeIntegralInRange(0, 7) == 0;
        const int w = data.ConsumeIntegralInRange(1, large ? 700 : 48);
        const int h = data.ConsumeIntegralInRange(1, large ? 520 : 48);
        MakePicture(n, w, h, data.ConsumeBool() ? 1 : 0, data.ConsumeIntegral<uint32_t>());
    }

    Sprite sprites[2];
    for (Sprite& sp : sprites)
        sp.SetFrames(data.ConsumeIntegralInRange(0, 3), 4, 16, 16);
    for (int step = 0; step < 48 && data.remaining_bytes() > 0; ++step) {
        if (data.ConsumeIntegralInRange(0, 2) == 0) {
            const int which = data.ConsumeIntegralInRange(0, 1);
            SpriteStep(data, a, sprites[which], sprites[1 - which]);
        } else {
            BlitStep(data, a);
        }
    }
    return 0;
}
