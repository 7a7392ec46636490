// When an enemy fires, from where and how fast, and both shot slots of hard mode.
#include "support/enemy_fixture.h"

namespace pelko::testing {
namespace {

class FireTest : public EnemyTest {
  protected:
    Enemy& enemy() { return EnemyAt(5); }
    Shot& slot(int s) { return enemy().shots[s]; }

    void SetUp() override {
        EnemyTest::SetUp();
        TheEnemies().Reset();
        enemy().SetPosition(400.0f, 200.0f);
        enemy().hp = 1;
        enemy().Show();
        TheGame().frameCounter = 100;
    }
    void FireAt(float x, float y) {
        enemy().SetPosition(x, y);
        TheEnemies().Fire(enemy(), 0);
    }
};

TEST_F(EnemyTest, InitRestoresTheEnemyDefaults) {
    Enemy& e = EnemyAt(0);
    e.Show();
    e.moveType = 7;
    e.spawnFrame = 12;
    e.scoreValue = 5;
    e.SetRow(3);
    e.Init();
    EXPECT_EQ(e.active, 0);
    EXPECT_EQ(e.moveType, 0);
    EXPECT_EQ(e.spawnFrame, -1);
    EXPECT_EQ(e.scoreValue, 100);
    EXPECT_EQ(e.fireInterval, 15);
    EXPECT_EQ(e.image, 3);
    EXPECT_EQ(e.frameCount, 2);
    EXPECT_EQ(e.frameWidth, 32);
    EXPECT_EQ(e.frameHeight, 32);
    EXPECT_EQ(e.ticksPerFrame, 8);
    EXPECT_EQ(e.row, 0);
    SetFps(60);
    e.Init();
    EXPECT_EQ(e.fireInterval, 30);
}

TEST_F(FireTest, LaunchesTwentyPixelsLeftAtFourPixelsAFrame) {
    enemy().kind = 6;
    slot(0).SetRow(4);
    slot(0).hp = 9;
    FireAt(400.7f, 200.6f);
    const Shot& s = slot(0);
    EXPECT_EQ(s.active, 1);
    EXPECT_EQ(s.x, 380.0f); // whole pixels of the enemy
    EXPECT_EQ(s.y, 200.0f);
    EXPECT_EQ(s.vx, -4.0f);
    EXPECT_EQ(s.vy, 0.0f);
    EXPECT_EQ(s.kind, 6);
    EXPECT_EQ(s.row, 0);
    EXPECT_EQ(s.hp, 1);
    EXPECT_EQ(s.lastFireFrame, 100);
    EXPECT_EQ(s.aimAngle, 0);
    EXPECT_EQ(s.launchAngle, 0);

    SetFps(60);
    slot(0).Hide();
    TheGame().frameCounter = 200;
    FireAt(400.0f, 200.0f);
    EXPECT_EQ(slot(0).vx, -2.0f);
}

TEST_F(FireTest, BoundsOfTheFieldAreExclusive) {
    struct Case {
        float x, y;
        bool fires;
    } cases[] = {{640.0f, 200.0f, false}, {639.9f, 200.0f, true},  {400.0f, 64.9f, false},
                 {400.0f, 65.0f, true},   {639.0f, 65.0f, true},   {0.9f, 200.0f, false},
                 {21.0f, 200.0f, true},   {400.0f, 480.0f, false}, {400.0f, 479.0f, true}};
    for (const Case& c : cases) {
        slot(0).Hide();
        slot(0).lastFireFrame = 0;
        FireAt(c.x, c.y);
        EXPECT_EQ(slot(0).active, c.fires ? 1 : 0) << c.x << "," << c.y;
    }
}

TEST_F(FireTest, AShotLaunchedLeftOfTheFieldWaitsAtItsEnemy) {
    FireAt(10.0f, 200.0f); // the shot would start at x -10
    EXPECT_EQ(slot(0).active, 0);
    EXPECT_EQ(slot(0).x, -10.0f);
    EXPECT_EQ(slot(0).lastFireFrame, 100);
}

TEST_F(FireTest, HiddenOrOffFieldEnemiesDoNotFire) {
    enemy().Hide();
    FireAt(400.0f, 200.0f);
    EXPECT_EQ(slot(0).active, 0);
    enemy().Show();
    FireAt(700.0f, 200.0f);
    EXPECT_EQ(slot(0).active, 0);
}

TEST_F(FireTest, ASlotWaitsItsIntervalAndForItsShotToBeSpent) {
    FireAt(400.0f, 200.0f);
    ASSERT_EQ(slot(0).lastFireFrame, 100);
    slot(0).Hide(); // destroyed at once
    for (uint32_t frame = 101; frame <= 115; ++frame) {
        TheGame().frameCounter = frame;
        TheEnemies().Fire(enemy(), 0);
        EXPECT_EQ(slot(0).active, 0) << frame;
    }
    TheGame().frameCounter = 116; // F + interval + 1
    TheEnemies().Fire(enemy(), 0);
    EXPECT_EQ(slot(0).active, 1);
    EXPECT_EQ(slot(0).lastFireFrame, 116);

    // Still on the field: no new shot however long it has been.
    TheGame().frameCounter = 500;
    TheEnemies().Fire(enemy(), 0);
    EXPECT_EQ(slot(0).lastFireFrame, 116);

    // Once it leaves the field it is taken back to the enemy, and the slot fires next frame.
    slot(0).SetPosition(-1.0f, 200.0f);
    TheEnemies().Fire(enemy(), 0);
    EXPECT_EQ(slot(0).active, 0);
    EXPECT_EQ(slot(0).x, 380.0f);
    TheGame().frameCounter = 501;
    TheEnemies().Fire(enemy(), 0);
    EXPECT_EQ(slot(0).active, 1);
}

TEST_F(FireTest, SpentShotBoundsAreFloatComparisons) {
    FireAt(400.0f, 200.0f);
    slot(0).SetPosition(-0.5f, 200.0f); // a shot truncated to 0 is still spent here
    TheEnemies().Fire(enemy(), 0);
    EXPECT_EQ(slot(0).active, 0);
}

TEST_F(FireTest, AimedKindsLeaveTowardThePlayer) {
    PlayerAt(0).SetPosition(100.0f, 200.0f); // straight left of the shot
    enemy().kind = 9;
    FireAt(400.0f, 200.0f);
    const Shot& s = slot(0);
    EXPECT_EQ(s.aimAngle, 127);
    EXPECT_EQ(s.launchAngle, 127);
    EXPECT_NEAR(s.vx, -4.0f, 0.01f);
    EXPECT_NEAR(s.vy, 0.1f, 0.01f);

    PlayerAt(0).SetPosition(380.0f, 400.0f); // straight below
    enemy().kind = 11;
    slot(0).Hide();
    TheGame().frameCounter = 200;
    FireAt(400.0f, 200.0f);
    EXPECT_EQ(s.aimAngle, 63);
    EXPECT_EQ(s.launchAngle, 63);
    EXPECT_GT(s.vy, 3.9f);
}

TEST_F(FireTest, HardModeFiresTheSecondSlotFromTheSamePoint) {
    TheGame().frameCounter = 100;
    TheEnemies().Update();
    EXPECT_EQ(slot(0).active, 1);
    EXPECT_EQ(slot(1).active, 0);

    for (Shot& s : enemy().shots)
        s.Hide();
    TheEnemies().Reset();
    Globals().hardMode = 1;
    TheEnemies().Update();
    ASSERT_EQ(slot(0).active, 1);
    ASSERT_EQ(slot(1).active, 1);
    // Both moved once by the steering pass only, so they still share their starting point.
    EXPECT_EQ(slot(0).x, slot(1).x);
    EXPECT_EQ(slot(0).y, slot(1).y);
    EXPECT_EQ(slot(0).lastFireFrame, 100);
    EXPECT_EQ(slot(1).lastFireFrame, 100);
    for (int s = 2; s < kEnemyShotSlots; ++s)
        EXPECT_EQ(slot(s).active, 0) << s;

    // The slots keep their own times: the second fires alone once the first is still in flight.
    slot(1).Hide();
    TheGame().frameCounter = 116;
    TheEnemies().Update();
    EXPECT_EQ(slot(1).active, 1);
    EXPECT_EQ(slot(1).lastFireFrame, 116);
    EXPECT_EQ(slot(0).lastFireFrame, 100);
}

TEST_F(FireTest, ResetLetsEverySlotFireAgain) {
    for (int i = kEnemyRingSize - 1; i >= 0; --i)
        for (Shot& s : EnemyAt(i).shots)
            s.lastFireFrame = 1234;
    TheEnemies().nextRecordTime = 50;
    TheEnemies().ringNext = 7;
    TheEnemies().killCount = 9;
    TheEnemies().Reset();
    EXPECT_EQ(TheEnemies().nextRecordTime, 0);
    EXPECT_EQ(TheEnemies().ringNext, 0);
    EXPECT_EQ(TheEnemies().killCount, 0);
    for (int i = kEnemyRingSize - 1; i >= 0; --i)
        for (const Shot& s : EnemyAt(i).shots)
            ASSERT_EQ(s.lastFireFrame, 0);
}

TEST_F(FireTest, UpdateSteersEveryShotInFlightEvenOfDeadEnemies) {
    Enemy& dead = EnemyAt(20);
    dead.Hide();
    dead.shots[3].kind = 3;
    dead.shots[3].Show();
    dead.shots[3].SetPosition(300.0f, 300.0f);
    TheEnemies().Update();
    EXPECT_EQ(dead.shots[3].vy, 1.0f);
    EXPECT_EQ(dead.shots[3].row, 3);
}

} // namespace
} // namespace pelko::testing
