// The movement types an enemy's record selects, frame by frame through EnemyManager::Update.
#include "support/enemy_fixture.h"

namespace pelko::testing {
namespace {

class MoveTest : public EnemyTest {
  protected:
    Enemy& enemy() { return EnemyAt(9); }

    // Puts the enemy in flight; its shots do not matter here.
    void Launch(int moveType, float x, float y, float vx, float vy = 0.0f) {
        Enemy& e = enemy();
        e.moveType = moveType;
        e.hp = 1;
        e.SetPosition(x, y);
        e.SetVelocityX(vx);
        e.SetVelocityY(vy);
        e.Show();
    }
    // One frame: the manager decides, then the sprite moves as its drawing would move it.
    void Frame() {
        TheEnemies().Update();
        Enemy& e = enemy();
        e.SetPosition(e.x + e.vx, e.y + e.vy);
        e.SetVelocityX(e.vx + e.ax);
        e.SetVelocityY(e.vy + e.ay);
    }
};

TEST_F(MoveTest, TypeFourTurnsBackOnceAtFourHundred) {
    Launch(4, 410.0f, 200.0f, -3.0f);
    enemy().SetAccelY(0.5f);
    std::vector<float> turnedAt;
    for (int frame = 0; frame < 60; ++frame) {
        const float before = enemy().vx;
        Frame();
        if (before < 0 && enemy().vx > 0) turnedAt.push_back(enemy().x - enemy().vx);
    }
    ASSERT_EQ(turnedAt.size(), 1u);
    EXPECT_EQ(turnedAt[0], 398.0f); // 410, 407, 404, 401, then 398 is the first at or left of 400
    EXPECT_EQ(enemy().vx, 3.0f);
    EXPECT_EQ(enemy().moveType, 1);
    EXPECT_EQ(enemy().ax, 0.0f);
    EXPECT_EQ(enemy().ay, 0.0f);
}

TEST_F(MoveTest, TypeTwoLevelsWithThePlayerAndClosesIn) {
    PlayerAt(0).SetPosition(200.0f, 300.0f);
    Launch(2, 300.0f, 100.0f, -2.0f);
    enemy().SetAccelX(-0.01f);
    int frames = 0;
    while (enemy().moveType == 2 && frames < 200) {
        Frame();
        ++frames;
    }
    ASSERT_EQ(enemy().moveType, 1);
    EXPECT_EQ(enemy().vx, 0.0f);
    EXPECT_EQ(enemy().vy, 1.0f); // one step down toward the player's line
    EXPECT_EQ(enemy().ax, 0.0f);
    EXPECT_LE(static_cast<int>(enemy().x), 200);
    EXPECT_GT(static_cast<int>(enemy().x), 195);

    // Flying right, it levels out once its x reaches the player's; above the player it rises.
    SetFps(60);
    PlayerAt(0).SetPosition(200.0f, 100.0f);
    Launch(2, 150.0f, 300.0f, 1.0f);
    for (int i = 0; i < 50; ++i) // x 150 .. 199
        Frame();
    EXPECT_EQ(enemy().moveType, 2);
    Frame(); // x 200
    EXPECT_EQ(enemy().moveType, 1);
    EXPECT_EQ(enemy().vy, -0.5f);
}

TEST_F(MoveTest, TypesTwoAndThreeOnThePlayersLineGetNoVerticalSpeed) {
    PlayerAt(0).SetPosition(200.0f, 240.0f);
    for (int type : {2, 3}) {
        Launch(type, 150.0f, 240.0f, -2.0f, 0.7f);
        Frame();
        EXPECT_EQ(enemy().moveType, 1) << type;
        EXPECT_EQ(enemy().vy, 0.0f) << type;
    }
}

TEST_F(MoveTest, TypeTwoWithoutHorizontalSpeedNeverTurns) {
    PlayerAt(0).SetPosition(200.0f, 300.0f);
    Launch(2, 200.0f, 100.0f, 0.0f, 1.0f);
    for (int i = 0; i < 100; ++i)
        Frame();
    EXPECT_EQ(enemy().moveType, 2);
    EXPECT_EQ(enemy().vy, 1.0f);
}

TEST_F(MoveTest, TypeThreeOvershootsFortyPixelsAndTurnsBack) {
    // Flying left it turns at 160 (200 - 40), flying right at 240 (200 + 40); either turn's
    // frame already moves back.
    struct Case {
        float x, vx, turnedX;
    };
    for (const Case c : {Case{300.0f, -4.0f, 164.0f}, Case{100.0f, 4.0f, 236.0f}}) {
        SCOPED_TRACE(c.vx);
        PlayerAt(0).SetPosition(200.0f, 300.0f);
        Launch(3, c.x, 350.0f, c.vx);
        int frames = 0;
        while (enemy().moveType == 3 && frames < 200) {
            Frame();
            ++frames;
        }
        ASSERT_EQ(enemy().moveType, 1);
        EXPECT_EQ(enemy().vx, -c.vx);
        EXPECT_EQ(enemy().vy, -1.0f); // back up toward the player's line
        EXPECT_EQ(enemy().x, c.turnedX);
    }
}

TEST_F(MoveTest, TypesFiveAndSixTurnAtTheirLines) {
    Launch(5, 205.0f, 200.0f, -3.0f, 1.0f);
    Frame(); // 205 -> 202
    EXPECT_EQ(enemy().moveType, 5);
    Frame(); // 202 -> 199
    Frame(); // 199 <= 200: turns
    EXPECT_EQ(enemy().moveType, 1);
    EXPECT_EQ(enemy().vy, -1.0f);
    EXPECT_EQ(enemy().vx, -3.0f);

    Launch(6, 320.0f, 200.0f, -3.0f, 1.0f);
    Frame();
    EXPECT_EQ(enemy().moveType, 1);
    EXPECT_EQ(enemy().vx, 3.0f);
    EXPECT_EQ(enemy().vy, -1.0f);
}

TEST_F(MoveTest, DriftTypesAccelerateEveryFrameEvenWhileHidden) {
    const float signs[4][2] = {{1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
    for (int type = 7; type <= 10; ++type) {
        Enemy& e = enemy();
        e.Init(); // hidden and unscheduled
        e.moveType = type;
        e.SetAccelX(0.0f);
        e.SetAccelY(0.0f);
        float ax = 0.0f, ay = 0.0f;
        for (int i = 0; i < 1000; ++i) {
            TheEnemies().Update();
            ax = ax + signs[type - 7][0] * 0.00002f;
            ay = ay + signs[type - 7][1] * 0.00002f;
        }
        EXPECT_EQ(e.ax, ax) << type;
        EXPECT_EQ(e.ay, ay) << type;
        EXPECT_NEAR(e.ax, signs[type - 7][0] * 0.02f, 1e-5) << type;
        EXPECT_EQ(e.moveType, type);
        EXPECT_EQ(e.active, 0);
    }
    // The drift does not scale with the frame rate.
    SetFps(60);
    enemy().Init();
    enemy().moveType = 7;
    enemy().SetAccelX(0.0f);
    TheEnemies().Update();
    EXPECT_EQ(enemy().ax, 0.00002f);
}

TEST_F(MoveTest, PlainTypesFlyByVelocityAlone) {
    for (int type : {0, 1, 11, 99, -3}) {
        Launch(type, 500.0f, 200.0f, -2.0f, 0.5f);
        enemy().SetAccelX(0.1f);
        for (int i = 0; i < 20; ++i)
            Frame();
        EXPECT_EQ(enemy().moveType, type);
        EXPECT_NEAR(enemy().vx, 0.0f, 1e-5) << type;
        EXPECT_EQ(enemy().vy, 0.5f) << type;
    }
}

} // namespace
} // namespace pelko::testing
