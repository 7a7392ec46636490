// Angles in 256 steps, aiming, homing and leaving the field.
#include <cmath>

#include "support/enemy_fixture.h"

namespace pelko::testing {
namespace {

constexpr double kPi = 3.14159265358979323846;

TEST(RadiansToSteps, TruncatesTowardZeroAndKeepsTheSignOfTheRemainder) {
    EXPECT_EQ(RadiansToSteps(-0.1), -4);
    EXPECT_EQ(RadiansToSteps(3 * kPi / 2), 192);
    EXPECT_EQ(RadiansToSteps(0.0), 0);
    EXPECT_EQ(RadiansToSteps(3 * kPi), 128);   // 384 folds to 128
    EXPECT_EQ(RadiansToSteps(-3 * kPi), -128); // and keeps its sign
    EXPECT_EQ(RadiansToSteps(2 * kPi), 0);     // exactly 256 folds to 0
}

TEST(RadiansToSteps, DegenerateInputStaysInRange) {
    for (double r : {1e300, -1e300, double{INFINITY}, -double{INFINITY}, double{NAN}}) {
        const int steps = RadiansToSteps(r);
        EXPECT_GE(steps, -255) << r;
        EXPECT_LE(steps, 255) << r;
    }
}

TEST(AngleTable, CoversSixteenTurnsCentredOnZero) {
    AngleTable t;
    EXPECT_DOUBLE_EQ(t.Cos(0), std::cos(2048 * 0.0245436875));
    EXPECT_NEAR(t.Cos(0), 1.0, 1e-4);
    EXPECT_NEAR(t.Sin(64), 1.0, 1e-4);   // down the screen
    EXPECT_NEAR(t.Sin(-64), -1.0, 1e-4); // up
    EXPECT_NEAR(t.Cos(128), -1.0, 1e-4);
    EXPECT_NEAR(t.Cos(-2048), 1.0, 1e-9); // entry 0 is angle 0 exactly
    EXPECT_NEAR(t.Sin(2047), t.Sin(-1), 1e-4);
}

class AimTest : public EnemyTest {
  protected:
    Shot shot;
    tessary::Sprite target;

    void SetUp() override {
        EnemyTest::SetUp();
        shot.SetPosition(300.0f, 200.0f);
    }
    void AimAt(float tx, float ty) {
        target.SetPosition(tx, ty);
        shot.Aim(&target);
    }
};

TEST_F(AimTest, NoTargetPointsBothAnglesRight) {
    shot.aimAngle = 40;
    shot.heading = 50;
    shot.Aim(nullptr);
    EXPECT_EQ(shot.aimAngle, 0);
    EXPECT_EQ(shot.heading, 0);
}

TEST_F(AimTest, DirectionsUseTheShortenedPi) {
    AimAt(400.0f, 200.0f);
    EXPECT_EQ(shot.aimAngle, 0);
    // Straight left comes out just short of a half turn: 3.141592 is a little less than pi.
    AimAt(100.0f, 200.0f);
    EXPECT_EQ(shot.aimAngle, 127);
    AimAt(300.0f, 300.0f);
    EXPECT_EQ(shot.aimAngle, 63);
    AimAt(300.0f, 100.0f);
    EXPECT_EQ(shot.aimAngle, -63);
    AimAt(400.0f, 300.0f);
    EXPECT_EQ(shot.aimAngle, 32);
    // Up and to the left goes past the half turn.
    AimAt(200.0f, 100.0f);
    EXPECT_EQ(shot.aimAngle, RadiansToSteps(std::atan(1.0) + 3.141592));
    EXPECT_EQ(shot.aimAngle, 159);
}

TEST_F(AimTest, UsesWholePixels) {
    shot.SetPosition(300.9f, 200.9f);
    AimAt(300.2f, 250.7f); // dx is 0 once truncated
    EXPECT_EQ(shot.aimAngle, 63);
}

TEST_F(AimTest, OnTheTargetsPixelKeepsThePreviousAim) {
    shot.aimAngle = 77;
    shot.SetVelocityX(-4.0f);
    AimAt(300.5f, 200.5f);
    EXPECT_EQ(shot.aimAngle, 77);
    EXPECT_EQ(shot.heading, 127); // the heading still follows the velocity
}

TEST_F(AimTest, HeadingFollowsTheVelocity) {
    shot.SetVelocityX(4.0f);
    AimAt(0.0f, 0.0f);
    EXPECT_EQ(shot.heading, 0);
    shot.SetVelocityX(-4.0f);
    AimAt(0.0f, 0.0f);
    EXPECT_EQ(shot.heading, 127);
    shot.SetVelocityX(3.0f);
    shot.SetVelocityY(3.0f);
    AimAt(0.0f, 0.0f);
    EXPECT_EQ(shot.heading, 32);
    // A still shot heads right rather than dividing zero by zero.
    shot.SetVelocityX(0.0f);
    shot.SetVelocityY(0.0f);
    shot.heading = 99;
    AimAt(0.0f, 0.0f);
    EXPECT_EQ(shot.heading, 0);
    // Straight down with no horizontal speed counts as flying left: a half turn is added.
    shot.SetVelocityY(2.0f);
    AimAt(0.0f, 0.0f);
    EXPECT_EQ(shot.heading, RadiansToSteps(std::atan(INFINITY) + 3.141592));
    EXPECT_EQ(shot.heading, 191);
    shot.SetVelocityY(-2.0f);
    AimAt(0.0f, 0.0f);
    EXPECT_EQ(shot.heading, 63);
    // A vx of -0 turns the quotient's infinity round: -2 / -0 is plus infinity, 2 / -0 minus.
    shot.SetVelocityX(-0.0f);
    AimAt(0.0f, 0.0f);
    EXPECT_EQ(shot.heading, RadiansToSteps(std::atan(INFINITY) + 3.141592));
    EXPECT_EQ(shot.heading, 191);
    shot.SetVelocityY(2.0f);
    AimAt(0.0f, 0.0f);
    EXPECT_EQ(shot.heading, 63);
}

class HomingTest : public EnemyTest {
  protected:
    Shot shot;
    void SetUp() override {
        EnemyTest::SetUp();
        shot.targetPlayer = 0;
        shot.Show();
    }
};

TEST_F(HomingTest, TurnsTwoStepsTowardThePlayerAtThreePixels) {
    shot.SetPosition(300.0f, 240.0f);
    shot.SetVelocityX(-3.0f);
    PlayerAt(0).SetPosition(100.0f, 200.0f); // up and to the left: aim 136, heading 127
    shot.Home();
    EXPECT_EQ(shot.aimAngle, 136);
    EXPECT_EQ(shot.heading, 129);
    EXPECT_FLOAT_EQ(shot.vx, static_cast<float>(TheAngles().Cos(129) * 3.0));
    EXPECT_FLOAT_EQ(shot.vy, static_cast<float>(TheAngles().Sin(129) * 3.0));
    EXPECT_LT(shot.vy, 0.0f);
    // The heading is measured again from the velocity, and truncation puts 129 back at 128.
    shot.Home();
    EXPECT_EQ(shot.heading, 130);
}

TEST_F(HomingTest, TurnsTheShortWayRound) {
    shot.SetPosition(300.0f, 240.0f);
    shot.SetVelocityX(3.0f); // heading 0
    // Exactly opposite (128 apart): not more than a half turn, so it turns toward larger angles.
    PlayerAt(0).SetPosition(100.0f, 239.0f);
    shot.Home();
    EXPECT_EQ(shot.aimAngle, 128);
    EXPECT_EQ(shot.heading, 2);

    shot.SetVelocityX(3.0f);
    shot.SetVelocityY(0.0f);
    PlayerAt(0).SetPosition(100.0f, 230.0f); // 130 apart: the other way is shorter
    shot.Home();
    EXPECT_EQ(shot.aimAngle, 130);
    EXPECT_EQ(shot.heading, -2);
}

TEST_F(HomingTest, SpeedScalesWithTheFrameRate) {
    SetFps(60);
    shot.SetPosition(300.0f, 240.0f);
    shot.SetVelocityX(-1.0f);
    PlayerAt(0).SetPosition(100.0f, 300.0f);
    shot.Home();
    EXPECT_NEAR(std::hypot(shot.vx, shot.vy), 1.5, 1e-4);
}

TEST_F(HomingTest, KindsEightAndElevenHomeWhenSteered) {
    PlayerAt(0).SetPosition(100.0f, 400.0f);
    for (int kind : {8, 11}) {
        shot.kind = kind;
        shot.SetPosition(300.0f, 240.0f);
        shot.SetVelocityX(-3.0f);
        shot.SetVelocityY(0.0f);
        shot.Steer();
        EXPECT_EQ(shot.heading, 125) << kind; // turning down toward the player
        EXPECT_GT(shot.vy, 0.0f) << kind;
    }
}

TEST_F(AimTest, HideIfOffscreenUsesWholePixelsAndSparesSpecialShots) {
    struct Case {
        float x, y;
        bool off;
    } cases[] = {{-0.5f, 200.0f, false},  {-1.0f, 200.0f, true}, {640.9f, 200.0f, false},
                 {641.0f, 200.0f, true},  {300.0f, 63.5f, true}, {300.0f, 64.0f, false},
                 {300.0f, 480.9f, false}, {300.0f, 481.0f, true}};
    for (const Case& c : cases) {
        shot.SetPosition(c.x, c.y);
        shot.Show();
        shot.special = 1;
        shot.HideIfOffscreen(false);
        EXPECT_EQ(shot.active, c.off ? 0 : 1) << c.x << "," << c.y;
        EXPECT_EQ(shot.special, c.off ? 0 : 1) << c.x << "," << c.y;
    }
    shot.SetPosition(-10.0f, 200.0f);
    shot.Show();
    shot.special = 1;
    shot.HideIfOffscreen(true);
    EXPECT_EQ(shot.active, 1);
    shot.special = 0;
    shot.HideIfOffscreen(true);
    EXPECT_EQ(shot.active, 0);
}

} // namespace
} // namespace pelko::testing
