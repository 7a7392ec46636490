// The blitters and the pixel effects under arguments at the ends of the int range: every call
// either draws what the clipping rule leaves or refuses with 0, and nothing is read or written
// outside a surface on the way (run under the sanitizers, these also catch signed overflow).
#include <climits>
#include <functional>
#include <vector>

#include "runtime/graphics/blitters.h"
#include "runtime/graphics/pixel_effects.h"
#include "support/graphics_fixture.h"

namespace tessary {
namespace {

class BlitterExtremesTest : public testing::GraphicsTest,
                            public ::testing::WithParamInterface<int> {
  protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        BuildSineTable();
        OpenDisplay(GetParam());
    }
    void ClearBack() { platform::FillRect(Back(), platform::Rect{0, 0, 640, 480}, 0); }
};

struct Call {
    const char* what;
    std::function<int()> run;
};

// Source rectangles whose edges, widened or subtracted in int, would wrap round.
TEST_P(BlitterExtremesTest, RectanglesAtTheEndsOfTheRangeAreRefusedByEveryBlitter) {
    MakePicture(3, 30, 20, 1);
    struct Rect4 {
        int x, y, l, t, r, b;
    };
    const Rect4 refused[] = {{0, 0, INT_MAX, 0, -1, -1},
                             {0, 0, 0, INT_MAX, -1, -1},
                             {0, 0, 5, 0, INT_MIN, -1},
                             {0, 0, 0, 5, -1, INT_MIN},
                             {INT_MIN, 0, 0, 0, -1, -1},
                             {0, INT_MIN, 0, 0, -1, -1},
                             {INT_MAX, 0, 0, 0, -1, -1},
                             {0, INT_MAX - 5, 0, 0, -1, -1},
                             {INT_MIN + 10, 0, INT_MIN, 0, INT_MAX, INT_MAX},
                             {INT_MAX - 5, INT_MAX - 5, 0, 0, INT_MAX, INT_MAX}};
    for (const Rect4& c : refused) {
        const std::vector<Call> calls = {
            {"DrawImage", [&] { return DrawImage(c.x, c.y, 3, c.l, c.t, c.r, c.b); }},
            {"Banded", [&] { return DrawImageBanded(c.x, c.y, 3, INT_MAX, c.l, c.t, c.r, c.b); }},
            {"Interlaced",
             [&] { return DrawImageTranslucent(c.x, c.y, 3, 50, c.l, c.t, c.r, c.b, 1); }},
            {"Blended",
             [&] { return DrawImageTranslucent(c.x, c.y, 3, 50, c.l, c.t, c.r, c.b, 0); }},
            {"Rop", [&] { return DrawImageRop(c.x, c.y, 3, 15, c.l, c.t, c.r, c.b); }},
            {"Additive", [&] { return DrawImageAdditive(c.x, c.y, 3, c.l, c.t, c.r, c.b); }},
            {"Rotated", [&] { return DrawImageRotated(c.x, c.y, 3, 30, c.l, c.t, c.r, c.b); }},
            {"Scaled", [&] { return DrawImageScaled(c.x, c.y, 3, -1, -1, c.l, c.t, c.r, c.b); }},
        };
        for (const Call& call : calls) {
            EXPECT_EQ(call.run(), 0) << call.what << " " << c.x << "," << c.y << " " << c.l << ","
                                     << c.t << "," << c.r << "," << c.b;
            ASSERT_TRUE(BackIsEmpty()) << call.what << " " << c.x << "," << c.y;
        }
    }
}

// The widest rectangle there is still means "the whole picture".
TEST_P(BlitterExtremesTest, TheWidestSourceRectangleIsCutToThePicture) {
    ImageSlot& s = MakePicture(3, 30, 20, 1);
    ASSERT_EQ(DrawImage(5, 7, 3, INT_MIN, INT_MIN, INT_MAX, INT_MAX), 1);
    EXPECT_TRUE(ShowsExactly(s, 5, 7, 0, 0, 30, 20, true));
    ClearBack();
    ASSERT_EQ(DrawImageBanded(5, 7, 3, INT_MIN, INT_MIN, INT_MIN, INT_MAX, INT_MAX), 1);
    EXPECT_TRUE(ShowsExactly(s, 5, 7, 0, 0, 30, 20, true)); // band raised to 1: unchanged
}

TEST_P(BlitterExtremesTest, ScaledCopiesWithHugeFactorsOrSizesDrawNothing) {
    MakePicture(3, 30, 20, 0);
    const std::vector<Call> calls = {
        {"width across the range",
         [] { return DrawImageScaled(0, 0, 3, 10, 10, -1, 0, INT_MAX, -1); }},
        {"whole range",
         [] { return DrawImageScaled(0, 0, 3, 1, 1, INT_MIN, INT_MIN, INT_MAX, INT_MAX); }},
        {"negative size far left",
         [] { return DrawImageScaled(INT_MIN, 0, 3, -5, 10, 0, 0, -1, -1); }},
        {"negative height far up",
         [] { return DrawImageScaled(0, INT_MIN, 3, 10, -5, 0, 0, -1, -1); }},
        {"huge size far left",
         [] { return DrawImageScaled(INT_MIN, 0, 3, INT_MAX, 10, 0, 0, -1, -1); }},
        {"huge size from the far right",
         [] { return DrawImageScaled(INT_MAX, 0, 3, INT_MAX, 10, 0, 0, -1, -1); }},
        {"minimum sizes", [] { return DrawImageScaled(0, 0, 3, INT_MIN, INT_MIN, 0, 0, -1, -1); }},
    };
    for (const Call& call : calls) {
        EXPECT_EQ(call.run(), 0) << call.what;
        ASSERT_TRUE(BackIsEmpty()) << call.what;
    }
    // A size far beyond the screen from far off to the left still shows its visible part.
    EXPECT_EQ(DrawImageScaled(-1000, 0, 3, 3000, 40, 0, 0, -1, -1), 1);
    EXPECT_FALSE(BackIsEmpty());
}

TEST_P(BlitterExtremesTest, RotationAnglesAnywhereInTheRangeAreReduced) {
    MakePicture(3, 30, 20, 0);
    EXPECT_EQ(DrawImageRotated(100, 100, 3, INT_MIN, 0, 0, -1, -1), 1);
    EXPECT_FALSE(BackIsEmpty());
    ClearBack();
    EXPECT_EQ(DrawImageRotated(100, 100, 3, INT_MAX, 0, 0, -1, -1), 1);
    EXPECT_FALSE(BackIsEmpty());
}

// The pixel effects' own entry points, reached with rectangles no front end would pass.
TEST_P(BlitterExtremesTest, EffectLoopsRefuseSquaresAndPlacesOffTheSurface) {
    MakePicture(3, 30, 20, 0);
    const std::vector<Call> calls = {
        {"huge square",
         [] { return RotateImageIntoSquare(3, 0, 0, 0, 30, 20, INT_MAX, 0, 0, 0, 0, 640, 480); }},
        {"square far left",
         [] { return RotateImageIntoSquare(3, 0, 0, 0, 30, 20, 36, INT_MIN, 0, 0, 0, 36, 36); }},
        {"square far right",
         [] {
             return RotateImageIntoSquare(3, 0, 0, 0, 30, 20, 36, INT_MAX, INT_MAX, 0, 0, 36, 36);
         }},
        {"negative square",
         [] {
             return RotateImageIntoSquare(3, 0, 0, 0, 30, 20, INT_MIN, 0, 0, INT_MIN, INT_MIN, 36,
                                          36);
         }},
        {"blend far left", [] { return BlendImage(INT_MIN, 0, 3, 128, 0, 0, 30, 20); }},
        {"blend far right", [] { return BlendImage(INT_MAX - 5, 0, 3, 128, 0, 0, 30, 20); }},
        {"blend far down", [] { return BlendImage(0, INT_MAX, 3, 77, 0, 0, 30, 20); }},
    };
    for (const Call& call : calls) {
        EXPECT_EQ(call.run(), 0) << call.what;
        ASSERT_TRUE(BackIsEmpty()) << call.what;
    }
}

TEST_P(BlitterExtremesTest, CopyScreenToImageFarOutsideTheSlotCopiesNothing) {
    ImageSlot& s = MakePicture(3, 100, 50, 1);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            Back().WritePixel(x, y, static_cast<uint32_t>(x * 7 + y * 3 + 5));
    std::vector<uint32_t> before;
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 100; ++x)
            before.push_back(s.surface->ReadPixel(x, y));
    const uint32_t key = s.colorKey;
    struct Args {
        int x, y, l, t, r, b;
    };
    for (Args a : {Args{INT_MAX - 5, 0, 0, 0, -1, -1}, Args{0, INT_MAX - 5, 0, 0, -1, -1},
                   Args{INT_MIN, 0, 0, 0, -1, -1}, Args{0, INT_MIN, 0, 0, -1, -1},
                   Args{-5, 0, INT_MAX, 0, -1, -1}, Args{0, -5, 0, INT_MAX, -1, -1},
                   Args{0, 0, 5, 0, INT_MIN, 10}, Args{0, 0, 0, 5, 10, INT_MIN},
                   Args{INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MAX, INT_MAX}}) {
        EXPECT_EQ(CopyScreenToImage(3, a.x, a.y, a.l, a.t, a.r, a.b), 0)
            << a.x << "," << a.y << " " << a.l << "," << a.t << "," << a.r << "," << a.b;
        size_t i = 0;
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 100; ++x, ++i)
                ASSERT_EQ(s.surface->ReadPixel(x, y), before[i]) << x << "," << y;
        EXPECT_EQ(s.colorKey, key);
    }
    // The same corner from a sane call, for contrast: ten by five pixels land there.
    ASSERT_EQ(CopyScreenToImage(3, 90, 45, 0, 0, -1, -1), 1);
    EXPECT_EQ(s.surface->ReadPixel(99, 49), Back().ReadPixel(9, 4));
    EXPECT_EQ(s.surface->ReadPixel(89, 49), before[49 * 100 + 89]);
}

INSTANTIATE_TEST_SUITE_P(Depths, BlitterExtremesTest, ::testing::Values(8, 16, 24, 32),
                         [](const auto& p) { return std::to_string(p.param) + "bit"; });

// 8-bit screens interlace instead of blending.
class TrueColourExtremesTest : public BlitterExtremesTest {};

// Opacity is a share of 0..100 percent: beyond it the picture is drawn as it is, below it not
// at all.
TEST_P(TrueColourExtremesTest, OpacityBeyondAWholeOrBelowNothingIsHeldToThoseEnds) {
    ImageSlot& s = MakePicture(3, 30, 20, 1);
    for (int percent : {INT_MAX, 1000, 101}) {
        ClearBack();
        EXPECT_EQ(DrawImageTranslucent(10, 10, 3, percent, 0, 0, -1, -1, 0), 1) << percent;
        EXPECT_TRUE(ShowsExactly(s, 10, 10, 0, 0, 30, 20, true)) << percent;
    }
    for (int percent : {INT_MIN, -1000}) {
        ClearBack();
        EXPECT_EQ(DrawImageTranslucent(10, 10, 3, percent, 0, 0, -1, -1, 0), 1) << percent;
        EXPECT_TRUE(BackIsEmpty()) << percent;
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, TrueColourExtremesTest, ::testing::Values(16, 24, 32),
                         [](const auto& p) { return std::to_string(p.param) + "bit"; });

TEST(RotationPlanExtremesTest, SquaresThatWouldWrapRoundAreNotOnScreen) {
    RotationPlan plan;
    struct Case {
        int x, y, w, h, l, t, r, b;
    };
    for (Case c :
         {Case{INT_MAX - 5, 0, 30, 40, 0, 0, 30, 40}, Case{0, INT_MAX - 5, 30, 40, 0, 0, 30, 40},
          Case{INT_MIN + 5, 0, 30, 40, 0, 0, 30, 40}, Case{0, INT_MIN, 30, 40, 0, 0, 30, 40},
          Case{0, 0, 30, 40, INT_MAX, 0, -1, -1}, Case{0, 0, 30, 40, 0, INT_MAX, -1, -1},
          Case{0, 0, 30, 40, INT_MIN, 0, 5, 40}, Case{0, 0, 30, 40, 5, 0, INT_MIN, 40},
          Case{0, 0, INT_MAX, INT_MAX, 0, 0, -1, -1}}) {
        int l = c.l, t = c.t, r = c.r, b = c.b;
        EXPECT_FALSE(PlanRotation(c.x, c.y, 0, c.w, c.h, l, t, r, b, plan))
            << c.x << "," << c.y << " " << c.l << "," << c.t << "," << c.r << "," << c.b;
    }
    int l = 0, t = 0, r = -1, b = -1;
    ASSERT_TRUE(PlanRotation(0, 0, INT_MIN, 30, 40, l, t, r, b, plan));
    EXPECT_EQ(plan.angle, 232); // -2147483648 = -5965232 x 360 - 128
    ASSERT_TRUE(PlanRotation(0, 0, INT_MAX, 30, 40, l, t, r, b, plan));
    EXPECT_EQ(plan.angle, 127);
}

} // namespace
} // namespace tessary
