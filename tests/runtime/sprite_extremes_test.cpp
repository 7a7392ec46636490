// Sprites whose fields hold what no setter would store (the game writes them directly): positions
// that are not numbers or lie far outside the play range, insets and frame sizes at the ends of
// the int range, counters at their maximum. Boxes keep their edges in order, nothing wraps round,
// and drawing such a sprite draws nothing while it still moves and animates.
#include <climits>
#include <cmath>
#include <limits>

#include "runtime/graphics/sprite.h"
#include "support/graphics_fixture.h"

namespace tessary {
namespace {

class SpriteExtremesTest : public testing::GraphicsTest {
  protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        BuildSineTable();
    }
};

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

TEST_F(SpriteExtremesTest, InsetsAtTheEndsOfTheRangeAreClampedWithoutWrapping) {
    Sprite sp;
    sp.SetFrames(0, 1, 64, 64);
    ASSERT_EQ(sp.SetHitBox(0, INT_MIN, INT_MAX, INT_MIN, INT_MAX), 1);
    EXPECT_EQ(sp.hitLeft[0], INT_MIN);
    EXPECT_EQ(sp.hitRight[0], INT_MAX); // the room left of 64 - INT_MIN is more than any int
    EXPECT_EQ(sp.hitTop[0], INT_MIN);
    EXPECT_EQ(sp.hitBottom[0], INT_MAX);
    ASSERT_EQ(sp.SetHitBox(1, INT_MIN, 0, INT_MIN, 7), 1);
    EXPECT_EQ(sp.hitRight[1], 0);
    EXPECT_EQ(sp.hitBottom[1], 7);
    ASSERT_EQ(sp.SetHitBox(2, INT_MAX, INT_MAX, INT_MAX, INT_MIN), 1);
    EXPECT_EQ(sp.hitLeft[2], 63);
    EXPECT_EQ(sp.hitRight[2], 1);
    EXPECT_EQ(sp.hitTop[2], 63);
    EXPECT_EQ(sp.hitBottom[2], INT_MIN);

    // Whatever the frame size, the right edge never lands left of the left one.
    for (int side : {INT_MIN, INT_MIN + 1, -5, 0, 1, INT_MAX}) {
        sp.SetFrames(0, 1, side, side);
        for (int inset : {INT_MIN, -1, 0, 1, INT_MAX}) {
            ASSERT_EQ(sp.SetHitBox(3, inset, inset, inset, inset), 1);
            EXPECT_GE(int64_t{side} - sp.hitRight[3], sp.hitLeft[3]) << side << " " << inset;
            EXPECT_GE(int64_t{side} - sp.hitBottom[3], sp.hitTop[3]) << side << " " << inset;
        }
    }
}

// A position the setter would not store counts as the setter would store it: NaN as the lower
// end, anything beyond the play range as its nearer end.
TEST_F(SpriteExtremesTest, PositionsThatAreNotNumbersOrOutOfRangeTruncateToThePlayRange) {
    Sprite sp;
    sp.SetFrames(0, 1, 32, 32);
    struct Case {
        float value;
        int truncated;
    };
    for (Case c : {Case{kNaN, -2048}, Case{kInf, 2048}, Case{-kInf, -2048}, Case{1e30f, 2048},
                   Case{-3e9f, -2048}, Case{2047.9f, 2047}, Case{-0.5f, 0}}) {
        sp.x = c.value;
        sp.y = -c.value;
        const Sprite::Box box = sp.HitBox();
        EXPECT_EQ(box.left, c.truncated) << c.value;
        EXPECT_EQ(box.right, c.truncated + 32) << c.value;
        if (!std::isnan(c.value)) {
            EXPECT_EQ(box.top, -c.truncated) << c.value;
        }
    }
    Sprite other;
    other.SetFrames(0, 1, 32, 32);
    other.SetPosition(-2040, -2040);
    sp.x = sp.y = kNaN;
    EXPECT_EQ(sp.HitTest(&other), 1); // both boxes lie in the top-left corner of the range
    EXPECT_EQ(other.HitTest(&sp), 1);
}

// Insets and frame sizes at the ends of the range reach as far as an int goes, not round to the
// other side.
TEST_F(SpriteExtremesTest, BoxEdgesBeyondTheIntRangeStopAtItsEnds) {
    Sprite wide, far;
    wide.SetFrames(0, 1, 32, 32);
    far.SetFrames(0, 1, 32, 32);
    far.SetPosition(2000, 0);
    wide.hitRight[0] = INT_MIN; // the right edge runs off past every int
    EXPECT_EQ(wide.HitBox().right, INT_MAX);
    EXPECT_EQ(wide.HitTest(&far), 1);
    wide.hitRight[0] = 0;
    wide.frameWidth = INT_MAX;
    wide.SetPosition(2048, 0);
    EXPECT_EQ(wide.HitBox().right, INT_MAX);
    wide.SetPosition(-2048, 0);
    wide.frameWidth = 32;
    wide.hitLeft[0] = INT_MIN;
    EXPECT_EQ(wide.HitBox().left, INT_MIN);
    wide.hitTop[0] = INT_MAX; // a top edge past every int: nothing can lie below it
    wide.SetPosition(0, 2048);
    EXPECT_EQ(wide.HitBox().top, INT_MAX);
    EXPECT_EQ(wide.HitTest(&far), 0);
}

TEST_F(SpriteExtremesTest, FramesOutsideEveryPictureDrawNothingButTheSpriteStillMovesAndAnimates) {
    OpenDisplay(32);
    MakePicture(2, 64, 64, 0);
    struct Case {
        const char* what;
        int frameWidth, frameHeight, frame, row;
        float x, y;
    };
    for (int mode : {0, 1, 2, 3, 4, 5, 17}) {
        for (Case c : {Case{"column far right", 16, 16, 1 << 28, 0, 10, 10},
                       Case{"row far down", 16, 16, 0, INT_MAX, 10, 10},
                       Case{"width at the bottom of the range", INT_MIN, 16, 0, 0, 10, 10},
                       Case{"height at the bottom of the range", 16, INT_MIN, 0, 0, 10, 10},
                       Case{"width at the top of the range", INT_MAX, 16, 1, 0, 10, 10},
                       Case{"no position", 16, 16, 0, 0, kNaN, kNaN},
                       Case{"far off position", 16, 16, 0, 0, 1e30f, -1e30f}}) {
            Sprite sp;
            sp.SetFrames(2, 2, 16, 16);
            sp.frameWidth = c.frameWidth;
            sp.frameHeight = c.frameHeight;
            sp.frame = c.frame;
            sp.row = c.row;
            sp.x = c.x;
            sp.y = c.y;
            sp.vx = 1.0f;
            sp.SetDrawMode(mode);
            sp.Draw();
            ASSERT_TRUE(BackIsEmpty()) << c.what << " in mode " << mode;
            EXPECT_FALSE(std::isnan(sp.x)) << c.what;
            EXPECT_GE(sp.x, -2048.0f);
            EXPECT_LE(sp.x, 2048.0f);
        }
    }
    Sprite sp;
    sp.SetFrames(2, 2, 16, 16);
    sp.frame = INT_MAX; // past every column: the next step wraps to the first
    EXPECT_EQ(sp.Draw(), 1);
    EXPECT_EQ(sp.frame, 0);
    sp.SetTicksPerFrame(8);
    sp.tickCount = INT_MAX; // long overdue: the column moves on at once
    EXPECT_EQ(sp.Draw(), 0);
    EXPECT_EQ(sp.frame, 1);
    EXPECT_EQ(sp.tickCount, 0);
}

} // namespace
} // namespace tessary
