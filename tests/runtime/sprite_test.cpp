// Sprites: defaults, clamps, hit-box insets, the animation's wrap, polar velocity, the strict
// overlap test with positions truncated toward zero, and drawing by mode.
#include <cmath>
#include <limits>

#include "runtime/graphics/sprite.h"
#include "support/graphics_fixture.h"

namespace tessary {
namespace {

class SpriteTest : public testing::GraphicsTest {
  protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        BuildSineTable();
    }
};

TEST_F(SpriteTest, ANewSpriteDrawsPlainlyAtTheOriginAndAdvancesAColumnPerDraw) {
    OpenDisplay(32);
    ImageSlot& s = MakePicture(2, 64, 16, 0);
    Sprite sp;
    sp.SetFrames(2, 4, 16, 16);
    EXPECT_EQ(sp.scale, 2.0f);
    EXPECT_EQ(sp.Draw(), 0);
    EXPECT_TRUE(ShowsExactly(s, 0, 0, 0, 0, 16, 16, false));
    EXPECT_EQ(sp.frame, 1);
    Sprite::Box box = sp.HitBox();
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.right, 16);
    EXPECT_EQ(box.bottom, 16);
}

TEST_F(SpriteTest, SettersClampAndNaNLandsOnTheLowerBound) {
    Sprite sp;
    sp.SetPosition(5000, -3000);
    EXPECT_EQ(sp.x, 2048.0f);
    EXPECT_EQ(sp.y, -2048.0f);
    sp.SetPosition(std::numeric_limits<float>::quiet_NaN(), 2048.0f);
    EXPECT_EQ(sp.x, -2048.0f);
    EXPECT_EQ(sp.y, 2048.0f);
    sp.SetVelocityX(-200);
    sp.SetVelocityY(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(sp.vx, -128.0f);
    EXPECT_EQ(sp.vy, -128.0f);
    sp.SetAccelY(40);
    sp.SetAccelX(-31.5f);
    EXPECT_EQ(sp.ay, 32.0f);
    EXPECT_EQ(sp.ax, -31.5f);
    sp.SetScale(-1);
    EXPECT_EQ(sp.scale, 0.1f);
    sp.SetScale(0);
    EXPECT_EQ(sp.scale, 0.0f);
    EXPECT_EQ(sp.SetRow(256), 0);
    EXPECT_EQ(sp.SetRow(-1), 0);
    EXPECT_EQ(sp.row, 0);
    EXPECT_EQ(sp.SetRow(255), 1);
    EXPECT_EQ(sp.SetTicksPerFrame(-1), 0);
    EXPECT_EQ(sp.ticksPerFrame, 1);
    sp.SetFrames(0, 40, 8, 8);
    EXPECT_EQ(sp.frameCount, 32);
    EXPECT_EQ(sp.row, 0);
}

TEST_F(SpriteTest, HitBoxInsetsNeverCrossTheOppositeEdge) {
    Sprite sp;
    sp.SetFrames(0, 1, 64, 64);
    EXPECT_EQ(sp.SetHitBox(1, 30, 40, 0, 0), 1);
    EXPECT_EQ(sp.hitLeft[1], 30);
    EXPECT_EQ(sp.hitRight[1], 34);
    EXPECT_EQ(sp.SetHitBox(0, 100, 5, 70, 5), 1);
    EXPECT_EQ(sp.hitLeft[0], 63);
    EXPECT_EQ(sp.hitRight[0], 1);
    EXPECT_EQ(sp.hitTop[0], 63);
    EXPECT_EQ(sp.hitBottom[0], 1);
    EXPECT_EQ(sp.SetHitBox(2, -4, -4, -2, 3), 1); // negative insets reach outside the frame
    EXPECT_EQ(sp.hitLeft[2], -4);
    EXPECT_EQ(sp.hitRight[2], -4);
    EXPECT_EQ(sp.SetHitBox(256, 1, 1, 1, 1), 0);
    EXPECT_EQ(sp.SetHitBox(-1, 1, 1, 1, 1), 0);
}

TEST_F(SpriteTest, TwoColumnsOfEightTicksWrapOnEverySixteenthDraw) {
    Sprite sp;
    sp.SetFrames(0, 2, 8, 8); // slot 0 is empty: nothing is drawn, the sprite still animates
    sp.SetTicksPerFrame(8);
    for (int call = 1; call <= 48; ++call) {
        const int column = sp.frame;
        EXPECT_EQ(column, ((call - 1) / 8) % 2) << call;
        EXPECT_EQ(sp.Draw(), call % 16 == 0 ? 1 : 0) << call;
    }
}

TEST_F(SpriteTest, AFrameCountOfZeroRunsThroughAllThirtyTwoColumns) {
    Sprite sp;
    sp.SetFrames(0, 0, 8, 8);
    for (int call = 1; call < 32; ++call)
        ASSERT_EQ(sp.Draw(), 0) << call;
    EXPECT_EQ(sp.frame, 31);
    EXPECT_EQ(sp.Draw(), 1);
    EXPECT_EQ(sp.frame, 0);
}

TEST_F(SpriteTest, ThePositionTakesTheVelocityOfBeforeTheAcceleration) {
    Sprite sp;
    sp.SetFrames(0, 1, 8, 8);
    sp.SetDrawMode(-1);
    sp.SetVelocityX(1.0f);
    sp.SetAccelX(0.5f);
    sp.SetAnimate(0);
    EXPECT_EQ(sp.Draw(), 0);
    EXPECT_EQ(sp.x, 1.0f);
    EXPECT_EQ(sp.vx, 1.5f);
    sp.Draw();
    EXPECT_EQ(sp.x, 2.5f);
    sp.SetPosition(2047.0f, 0);
    sp.SetVelocityX(100.0f);
    sp.Draw();
    EXPECT_EQ(sp.x, 2048.0f); // stops at the edge of the range
    sp.Hide();
    EXPECT_EQ(sp.Draw(), 0);
    EXPECT_EQ(sp.x, 2048.0f); // an inactive sprite does not move
}

TEST_F(SpriteTest, PolarVelocityUsesTheSineTable) {
    Sprite sp;
    sp.SetVelocityPolar(90, 4.0f);
    EXPECT_EQ(sp.vx, 0.0f);
    EXPECT_FLOAT_EQ(sp.vy, -4.0f);
    sp.SetVelocityPolar(45, 1.0f);
    EXPECT_NEAR(sp.vx, 254.0 / 360.0, 1e-6);
    EXPECT_NEAR(sp.vy, -254.0 / 360.0, 1e-6);
    sp.SetVelocityPolar(360, 1.0f);
    sp.SetVelocityPolar(-1, 1.0f);
    EXPECT_NEAR(sp.vx, 254.0 / 360.0, 1e-6);
}

TEST_F(SpriteTest, HitTestsNeedStrictOverlapOfTruncatedBoxes) {
    Sprite a, b;
    a.SetFrames(0, 1, 32, 32);
    b.SetFrames(0, 1, 32, 32);
    b.SetPosition(32, 0);
    EXPECT_EQ(a.HitTest(&b), 0);
    b.SetPosition(31, 0);
    EXPECT_EQ(a.HitTest(&b), 1);
    EXPECT_EQ(b.HitTest(&a), 1);
    // -0.5 truncates to 0, not -1, so a box at x = -0.5 still ends at 32.
    a.SetPosition(-0.5f, 0);
    b.SetPosition(32, 0);
    EXPECT_EQ(a.HitTest(&b), 0);
    b.SetPosition(31.9f, 31.9f);
    EXPECT_EQ(a.HitTest(&b), 1);
    b.SetPosition(31.9f, 32.0f);
    EXPECT_EQ(a.HitTest(&b), 0);
    b.SetPosition(31, 0);
    b.SetHitBox(0, 1, 0, 0, 0); // an inset of one takes it off the edge
    EXPECT_EQ(a.HitTest(&b), 0);
    b.SetHitBox(0, 0, 0, 0, 0);
    a.SetDrawMode(-1); // an invisible sprite still collides
    EXPECT_EQ(a.HitTest(&b), 1);
    b.Hide();
    EXPECT_EQ(a.HitTest(&b), 0);
    EXPECT_EQ(a.HitTest(nullptr), 0);
}

TEST_F(SpriteTest, DrawModesPickTheirBlitter) {
    OpenDisplay(16);
    ImageSlot& s = MakePicture(2, 32, 32, 0);
    Sprite sp;
    sp.SetFrames(2, 2, 16, 16);
    sp.SetAnimate(0);
    sp.SetPosition(10.7f, 20.2f);
    sp.SetDrawMode(1); // scaled by 2 at the truncated position
    sp.Draw();
    EXPECT_EQ(Back().ReadPixel(10 + 31, 20 + 31), s.surface->ReadPixel(15, 15));
    EXPECT_EQ(Back().ReadPixel(10 + 32, 20), 0u);
    platform::FillRect(Back(), platform::Rect{0, 0, 640, 480}, 0);
    sp.SetDrawMode(3);
    sp.SetScale(4.9f); // bands of 4 rows
    sp.Draw();
    EXPECT_EQ(Back().ReadPixel(10, 20 + 7), s.surface->ReadPixel(0, 4));
    platform::FillRect(Back(), platform::Rect{0, 0, 640, 480}, 0);
    sp.SetDrawMode(-1);
    sp.Draw();
    EXPECT_TRUE(BackIsEmpty());
    sp.SetDrawMode(7); // anything unknown is a plain copy
    sp.SetRow(1);
    sp.Draw();
    EXPECT_TRUE(ShowsExactly(s, 10, 20, 0, 16, 16, 32, false));
    sp.SetDrawMode(17); // exclusive-or (code 7) with the same picture clears it
    sp.Draw();
    EXPECT_TRUE(BackIsEmpty());
    sp.SetDrawMode(5); // additive over black shows the picture itself
    sp.Draw();
    EXPECT_TRUE(ShowsExactly(s, 10, 20, 0, 16, 16, 32, false));
}

TEST_F(SpriteTest, TheHitBoxOutlineIsDrawnInsideTheClip) {
    OpenDisplay(32);
    Sprite sp;
    sp.SetFrames(0, 1, 10, 8);
    sp.SetPosition(-3, 5);
    sp.DrawHitBox(0x0000FF);
    const uint32_t red = Back().PixelFromColor(0x0000FF);
    EXPECT_EQ(Back().ReadPixel(0, 5), red);
    EXPECT_EQ(Back().ReadPixel(6, 5), red);
    EXPECT_EQ(Back().ReadPixel(6, 12), red);
    EXPECT_EQ(Back().ReadPixel(6, 8), red);
    EXPECT_EQ(Back().ReadPixel(5, 8), 0u);
    EXPECT_EQ(Back().ReadPixel(7, 8), 0u);
}

// A picture swapped for a smaller one leaves its insets behind, so the box's right edge can fall
// left of its left edge; the outline is still drawn, between the two edges.
TEST_F(SpriteTest, AnInsideOutHitBoxIsStillOutlined) {
    OpenDisplay(32);
    Sprite sp;
    sp.SetFrames(0, 1, 32, 32);
    sp.SetHitBox(0, 20, 0, 20, 0);
    sp.SetFrames(0, 1, 8, 8); // the box now runs from 20 back to 8 each way
    sp.SetPosition(100, 50);
    sp.DrawHitBox(0x0000FF);
    const uint32_t red = Back().PixelFromColor(0x0000FF);
    EXPECT_EQ(Back().ReadPixel(108, 58), red);
    EXPECT_EQ(Back().ReadPixel(119, 69), red);
    EXPECT_EQ(Back().ReadPixel(119, 58), red);
    EXPECT_EQ(Back().ReadPixel(113, 63), 0u);
}

} // namespace
} // namespace tessary
