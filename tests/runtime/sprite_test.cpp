// Sprites: defaults, clamps, hit-box insets, the animation's wrap, polar velocity, the strict
// overlap test with positions truncated toward zero, and drawing by mode.
#include <cmath>
#include <functional>
#include <limits>

#include "runtime/graphics/blitters.h"
#include "runtime/graphics/pixel_effects.h"
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

// Each draw mode draws the frame with its own blitter at the truncated position: over a busy
// screen, where the blitters give different pictures, the sprite must draw exactly what that
// blitter draws, and something other than a plain copy where the mode is not one.
TEST_F(SpriteTest, DrawModesPickTheirBlitter) {
    OpenDisplay(16);
    MakePicture(2, 32, 32, 1);
    const auto busyScreen = [this] {
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                Back().WritePixel(x, y, static_cast<uint32_t>(x * 31 + y * 977) & 0xFFFF);
    };
    // Row 1, column 0 of the 16 x 16 grid, at (100, 120).
    const auto drawn = [&](const std::function<void()>& draw) {
        busyScreen();
        draw();
        return Snapshot();
    };
    const auto plain = drawn([] { DrawImage(100, 120, 2, 0, 16, 16, 32); });
    struct Case {
        int mode;
        float scale;
        std::function<void()> blitter;
        bool plainCopy;
    };
    const Case cases[] = {
        {1, 2.0f, [] { DrawImageScaled(100, 120, 2, 32, 32, 0, 16, 16, 32); }, false},
        // 16 x 1.3 is 20.8: the side is truncated, not rounded.
        {1, 1.3f, [] { DrawImageScaled(100, 120, 2, 20, 20, 0, 16, 16, 32); }, false},
        {2, 2.0f, [] { DrawImageRotated(100, 120, 2, 90, 0, 16, 16, 32); }, false},
        {3, 4.9f, [] { DrawImageBanded(100, 120, 2, 4, 0, 16, 16, 32); }, false},
        {4, 2.0f, [] { DrawImageTranslucent(100, 120, 2, 50, 0, 16, 16, 32, 0); }, false},
        {5, 2.0f, [] { DrawImageAdditive(100, 120, 2, 0, 16, 16, 32); }, false},
        {0, 2.0f, [] { DrawImage(100, 120, 2, 0, 16, 16, 32); }, true},
        {6, 2.0f, [] { DrawImage(100, 120, 2, 0, 16, 16, 32); }, true},
        {9, 2.0f, [] { DrawImage(100, 120, 2, 0, 16, 16, 32); }, true},
        {-2, 2.0f, [] { DrawImage(100, 120, 2, 0, 16, 16, 32); }, true},
        // From 10 on the mode less 10 is a raster code; code 0 leaves the screen as it is.
        {10, 2.0f, [] { DrawImageRop(100, 120, 2, 0, 0, 16, 16, 32); }, false},
        {12, 2.0f, [] { DrawImageRop(100, 120, 2, 2, 0, 16, 16, 32); }, false},
        {17, 2.0f, [] { DrawImageRop(100, 120, 2, 7, 0, 16, 16, 32); }, false},
        {-1, 2.0f, [] {}, false},
    };
    for (const Case& c : cases) {
        Sprite sp;
        sp.SetFrames(2, 2, 16, 16);
        sp.SetAnimate(0);
        sp.SetRow(1);
        sp.SetPosition(100.7f, 120.2f);
        sp.SetAngle(90);
        sp.SetScale(c.scale);
        sp.SetDrawMode(c.mode);
        const auto bySprite = drawn([&] { sp.Draw(); });
        const auto byBlitter = drawn(c.blitter);
        EXPECT_EQ(bySprite, byBlitter) << "mode " << c.mode << " scale " << c.scale;
        EXPECT_EQ(byBlitter == plain, c.plainCopy) << "mode " << c.mode;
    }
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
