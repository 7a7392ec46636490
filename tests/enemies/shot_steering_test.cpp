// The per-frame behaviour of each shot kind.
#include "support/enemy_fixture.h"

namespace pelko::testing {
namespace {

class SteerTest : public EnemyTest {
  protected:
    Shot shot;
    void SetUp() override {
        EnemyTest::SetUp();
        shot.targetPlayer = 0;
        shot.SetPosition(500.0f, 200.0f);
        shot.SetVelocityX(-4.0f);
        shot.Show();
        PlayerAt(0).SetPosition(100.0f, 300.0f);
    }
    void SteerKind(int kind) {
        shot.kind = kind;
        shot.Steer();
    }
};

TEST_F(SteerTest, StraightKindsOnlyTakeTheirRow) {
    for (int kind : {0, 1, 2, 9, 13}) {
        shot.SetVelocityY(0.25f);
        SteerKind(kind);
        EXPECT_EQ(shot.row, kind);
        EXPECT_EQ(shot.vx, -4.0f) << kind;
        EXPECT_EQ(shot.vy, 0.25f) << kind;
    }
}

TEST_F(SteerTest, AHiddenShotIsLeftAlone) {
    shot.Hide();
    shot.SetRow(2);
    SteerKind(3);
    EXPECT_EQ(shot.row, 2);
    EXPECT_EQ(shot.vy, 0.0f);
}

TEST_F(SteerTest, SinkRiseAndCurve) {
    SteerKind(3);
    EXPECT_EQ(shot.vy, 1.0f);
    SteerKind(4);
    EXPECT_EQ(shot.vy, -1.0f);
    shot.SetVelocityY(0.0f);
    SteerKind(5);
    SteerKind(5);
    EXPECT_FLOAT_EQ(shot.vy, -0.2f);
    SteerKind(6);
    EXPECT_NEAR(shot.vy, -0.1f, 1e-6);
    // The curve does not scale with the frame rate; sinking and rising do.
    SetFps(60);
    SteerKind(3);
    EXPECT_EQ(shot.vy, 0.5f);
    shot.SetVelocityY(0.0f);
    SteerKind(6);
    EXPECT_FLOAT_EQ(shot.vy, 0.1f);
}

TEST_F(SteerTest, KindSevenTurnsLeftAndFollowsThePlayersLine) {
    shot.SetVelocityX(3.0f); // launched toward the right
    SteerKind(7);
    EXPECT_EQ(shot.vx, -3.0f);
    EXPECT_FLOAT_EQ(shot.vy, 5.0f); // (300 - 200) x 0.05
    SteerKind(7);
    EXPECT_EQ(shot.vx, -3.0f); // already flying left: kept
    PlayerAt(0).SetPosition(100.0f, 180.9f);
    shot.SetPosition(500.0f, 200.9f);
    SteerKind(7);
    EXPECT_FLOAT_EQ(shot.vy, -1.0f); // whole pixels: 180 - 200
}

TEST_F(SteerTest, KindTenDriftsSlowerAsItNears) {
    SteerKind(10);
    EXPECT_FLOAT_EQ(shot.vx, static_cast<float>(-400 * 0.00333));
    EXPECT_FLOAT_EQ(shot.vy, static_cast<float>(100 * 0.00333));
    shot.SetPosition(150.0f, 290.0f);
    SteerKind(10);
    EXPECT_FLOAT_EQ(shot.vx, static_cast<float>(-50 * 0.00333));
    EXPECT_FLOAT_EQ(shot.vy, static_cast<float>(10 * 0.00333));
}

TEST_F(SteerTest, KindTwelveSwingsAboutItsLine) {
    shot.levelY = 200;
    shot.SetPosition(500.0f, 210.0f);
    SteerKind(12);
    EXPECT_EQ(shot.vy, -1.0f);
    shot.SetPosition(500.0f, 190.0f);
    SteerKind(12);
    SteerKind(12);
    EXPECT_EQ(shot.vy, 1.0f);
    shot.SetPosition(500.0f, 200.7f); // on the line once truncated
    SteerKind(12);
    EXPECT_EQ(shot.vy, 1.0f);
    SetFps(60);
    shot.SetPosition(500.0f, 190.0f);
    SteerKind(12);
    EXPECT_EQ(shot.vy, 1.25f); // speedFactor squared
}

TEST_F(SteerTest, KindTwelveOscillatesAroundTheLine) {
    shot.levelY = 240;
    shot.SetPosition(500.0f, 200.0f);
    shot.SetVelocityY(0.0f);
    float lowest = 1000, highest = -1000;
    for (int frame = 0; frame < 200; ++frame) {
        SteerKind(12);
        shot.SetPosition(shot.x, shot.y + shot.vy);
        lowest = std::min(lowest, shot.y);
        highest = std::max(highest, shot.y);
    }
    EXPECT_LT(lowest, 240.0f);
    EXPECT_GT(highest, 240.0f);
    EXPECT_GT(lowest, 150.0f); // it swings about the line, it does not run away
    EXPECT_LT(highest, 330.0f);
}

} // namespace
} // namespace pelko::testing
