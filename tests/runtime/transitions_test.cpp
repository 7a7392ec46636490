// The dithered fade and the blinds: how many frames they take, what they return, and which pixels
// each frame paints, at every depth.
#include "runtime/graphics/transitions.h"
#include "support/display_fixture.h"

namespace tessary {
namespace {

constexpr uint32_t kGrey = 0x808080;
constexpr uint32_t kRed = 0x0000FF;

class TransitionsTest : public testing::DisplayTest, public ::testing::WithParamInterface<int> {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        OpenDisplay(GetParam());
    }
    bool Painted(int x, int y) { return At(x, y) == Pixel(kRed); }
    int PaintedCount() {
        const uint32_t red = Pixel(kRed); // the nearest palette entry is a search at 8 bits
        int n = 0;
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                n += At(x, y) == red;
        return n;
    }
};

TEST_P(TransitionsTest, FadeInTakesNineteenFramesOfThinningDitherThenShowsThePicture) {
    SetFadeLevel(0);
    int previous = 640 * 480 + 1;
    for (int frame = 1; frame <= 19; ++frame) {
        FillBack(kGrey);
        EXPECT_EQ(FadeStep(1, kRed), 0) << frame;
        const int painted = PaintedCount();
        EXPECT_LT(painted, previous) << frame;
        EXPECT_GT(painted, 0) << frame;
        previous = painted;
    }
    FillBack(kGrey);
    EXPECT_EQ(FadeStep(1, kRed), 1);
    EXPECT_EQ(PaintedCount(), 0);
    EXPECT_EQ(FadeStep(1, kRed), 1); // stays visible
    EXPECT_EQ(TheTransitions().fadeLevel, 20);
}

TEST_P(TransitionsTest, FadeLevelsPaintAFixedDitherOfThePixelIndex) {
    // Level 10 (divisor 2) paints the odd indexes: every other column.
    FillBack(kGrey);
    TheTransitions().fadeLevel = 9;
    FadeStep(1, kRed);
    EXPECT_FALSE(Painted(0, 0));
    EXPECT_TRUE(Painted(1, 0));
    EXPECT_FALSE(Painted(2, 7));
    EXPECT_EQ(PaintedCount(), 640 * 480 / 2);

    // Level 1 covers all but every 103rd index; level 19 paints only every 103rd.
    FillBack(kGrey);
    TheTransitions().fadeLevel = 2;
    FadeStep(0, kRed);
    EXPECT_FALSE(Painted(0, 0));
    EXPECT_FALSE(Painted(103, 0));
    EXPECT_TRUE(Painted(104, 0));
    const int multiples = (640 * 480 + 102) / 103;
    EXPECT_EQ(PaintedCount(), 640 * 480 - multiples);
    FillBack(kGrey);
    TheTransitions().fadeLevel = 18;
    FadeStep(1, kRed);
    EXPECT_EQ(PaintedCount(), multiples);
    EXPECT_TRUE(Painted(0, 0));
    EXPECT_TRUE(Painted(81, 1)); // 640 + 81 = 7 x 103
    EXPECT_FALSE(Painted(82, 1));
}

// Every level of the fade, through its divisor: levels 1..10 paint the indexes that are not
// multiples of it, levels 11..19 only the multiples.
TEST_P(TransitionsTest, EachFadeLevelPaintsByItsOwnDivisor) {
    const int divisors[20] = {0, 103, 76, 51, 38, 25, 18, 13, 7,  3,
                              2, 3,   7,  13, 18, 25, 38, 51, 76, 103};
    const int total = 640 * 480;
    for (int level = 1; level <= 19; ++level) {
        const int d = divisors[level];
        FillBack(kGrey);
        TheTransitions().fadeLevel = level - 1;
        FadeStep(1, kRed);
        const int multiples = (total + d - 1) / d;
        EXPECT_EQ(PaintedCount(), level <= 10 ? total - multiples : multiples) << level;
        // Index d is the first multiple after 0, index d + 1 the next index.
        EXPECT_EQ(Painted(d % 640, d / 640), level > 10) << level;
        EXPECT_EQ(Painted((d + 1) % 640, (d + 1) / 640), level <= 10) << level;
    }
}

TEST_P(TransitionsTest, FadeStaysInsideTheClipRectangleAndFadeOutEndsInAClearScreen) {
    TheDisplay().SetClip(100, 100, 200, 150);
    SetFadeLevel(1);
    FillBack(kGrey);
    FadeStep(0, kRed); // level 19
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            if (Painted(x, y)) {
                EXPECT_TRUE(x >= 100 && x < 200 && y >= 100 && y < 150) << x << "," << y;
                EXPECT_EQ((640 * y + x) % 103, 0);
            }
    for (int frame = 2; frame <= 19; ++frame)
        EXPECT_EQ(FadeStep(0, kRed), 0) << frame;
    FillBack(kGrey);
    EXPECT_EQ(FadeStep(0, kRed), 1);
    EXPECT_EQ(PaintedCount(), 640 * 480); // level 0 clears the whole screen
}

TEST_P(TransitionsTest, AFadeOnALostBackBufferReportsItselfFinishedWithoutPainting) {
    SetFadeLevel(0);
    TheDisplay().backBuffer->SetLostForTest(true);
    EXPECT_EQ(FadeStep(1, kRed), 1);
    EXPECT_EQ(TheTransitions().fadeLevel, 1);
    TheDisplay().backBuffer->SetLostForTest(false);
    FillBack(kGrey);
    EXPECT_EQ(FadeStep(1, kRed), 0); // level 2 paints again once the surface is back
    EXPECT_GT(PaintedCount(), 0);
}

TEST_P(TransitionsTest, BlindsCloseInSixteenFramesOfGrowingColourStripes) {
    SetBlinds(1);
    for (int frame = 1; frame <= 16; ++frame) {
        FillBack(kGrey);
        EXPECT_EQ(BlindsStep(0, kRed, -1), 0) << frame;
        // Every 16-row band is painted from its top for `frame` rows.
        for (int y = 0; y < 480; ++y)
            EXPECT_EQ(Painted(5, y), y % 16 < frame) << frame << "," << y;
    }
    EXPECT_EQ(PaintedCount(), 640 * 480);
    EXPECT_EQ(BlindsStep(0, kRed, -1), 1);
}

TEST_P(TransitionsTest, BlindsOpenWithStripesOfAPicture) {
    PaintPicture(3, 640, 480, false, [this](int, int y) { return Pixel(y % 2 ? kRed : 0xFF0000); });
    SetBlinds(0);
    for (int frame = 1; frame <= 16; ++frame) {
        FillBack(kGrey);
        EXPECT_EQ(BlindsStep(1, 0, 3), 0) << frame;
        const int height = 16 - frame;
        for (int y = 0; y < 480; ++y) {
            const uint32_t expected =
                y % 16 < height ? Pixel(y % 2 ? kRed : 0xFF0000) : Pixel(kGrey);
            ASSERT_EQ(At(7, y), expected) << frame << "," << y;
        }
    }
    EXPECT_EQ(BlindsStep(1, 0, 3), 1);
    EXPECT_EQ(BlindsStep(1, 0, 3), 1);
}

INSTANTIATE_TEST_SUITE_P(Depths, TransitionsTest, ::testing::Values(8, 16, 24, 32));

} // namespace
} // namespace tessary
