// What hurts the player: enemies and their shots, the boss and its shots; the second of
// invulnerability after a hit, the barrier, lost lives and the end of the game.
#include <gtest/gtest.h>

#include "game/flow/game_globals.h"
#include "game/flow/game_start.h"
#include "support/play_fixture.h"

namespace pelko::testing {
namespace {

class DamageTest : public PlayTest {
  protected:
    void SetUp() override {
        StartRunAt(30);
        P().SetPosition(300, 200);
        Frame() = 500;
        TakeSoundTrace();
    }
    // An enemy shot right inside the player's row-0 box (x 305..327, y 210..222).
    Shot& ShotOnPlayer(int hp, int enemy = 31, int slot = 0) {
        return PlaceEnemyShot(enemy, slot, 310, 212, 0, hp);
    }
};

TEST_F(DamageTest, AShotCostsItsHitPointsAndAtLeastOne) {
    Shot& s = ShotOnPlayer(2);
    P().CheckHits();
    EXPECT_EQ(P().hp, 1);
    EXPECT_EQ(s.active, 0);
    EXPECT_EQ(TakeSoundTrace(), ""); // a hit alone makes no sound
    EXPECT_EQ(P().lastHitFrame, 500);
    EXPECT_EQ(P().drawMode, 3);
    EXPECT_FLOAT_EQ(P().scale, 8.0f);

    P().hp = 3;
    P().lastHitFrame = -60;
    ShotOnPlayer(0);
    ShotOnPlayer(-7, 30, 4); // a second shot waits: one hit per frame
    P().CheckHits();
    EXPECT_EQ(P().hp, 2);
    EXPECT_EQ(TheEnemies().enemies[30].shots[4].active, 1);
}

TEST_F(DamageTest, TheHighestEnemyAndSlotHitFirst) {
    Shot& low = PlaceEnemyShot(3, 4, 310, 212, 0, 1);
    Shot& high = PlaceEnemyShot(20, 0, 312, 212, 0, 2);
    P().CheckHits();
    EXPECT_EQ(high.active, 0);
    EXPECT_EQ(low.active, 1);
    EXPECT_EQ(P().hp, 1);
}

TEST_F(DamageTest, AnEnemyBodyCostsOneAndStays) {
    Enemy& e = PlaceEnemy(5, 300, 200, 9);
    Shot& s = ShotOnPlayer(2);
    P().CheckHits();
    EXPECT_EQ(P().hp, 2); // the body wins over the shot
    EXPECT_EQ(e.active, 1);
    EXPECT_EQ(s.active, 1);
}

TEST_F(DamageTest, NothingHurtsForOneSecondAfterAHitNorThroughTheBarrier) {
    ShotOnPlayer(1);
    P().CheckHits();
    ASSERT_EQ(P().hp, 2);
    Shot& next = ShotOnPlayer(1);
    Frame() = 500 + 29;
    P().CheckHits();
    EXPECT_EQ(P().hp, 2);
    EXPECT_EQ(next.active, 1);
    EXPECT_EQ(P().drawMode, 3); // the hit picture lasts the whole second
    Frame() = 500 + 30;         // the first frame that can hurt again
    P().CheckHits();
    EXPECT_EQ(P().hp, 1);

    P().barrier = 1;
    Frame() = 2000;
    ShotOnPlayer(1);
    P().CheckHits();
    EXPECT_EQ(P().hp, 1);
}

TEST_F(DamageTest, ALostLifeResetsThePlayerAtTheLeftWithoutInvulnerability) {
    P().power = 7;
    P().speed = 9;
    P().tp = 0;
    P().doubleShot = 1;
    P().barrier = 0;
    P().specialKind = 4;
    P().scoreValue = 1234;
    P().SetVelocityX(3);
    ShotOnPlayer(5);
    P().CheckHits();
    EXPECT_EQ(TakeSoundTrace(), "w4");
    EXPECT_EQ(P().lives, 2);
    EXPECT_EQ(P().gameOver, 0);
    EXPECT_FLOAT_EQ(P().x, 0.0f);
    EXPECT_FLOAT_EQ(P().y, 200.0f);
    EXPECT_FLOAT_EQ(P().vx, 0.0f);
    EXPECT_EQ(P().hp, 3);
    EXPECT_EQ(P().power, 1);
    EXPECT_EQ(P().speed, 5);
    EXPECT_EQ(P().tp, 3);
    EXPECT_EQ(P().doubleShot, 0);
    EXPECT_EQ(P().fireInterval, 5);
    EXPECT_EQ(P().lastHitFrame, -60);
    EXPECT_EQ(P().joystickOnly, 1);
    EXPECT_EQ(P().specialKind, 4);
    EXPECT_EQ(P().scoreValue, 1234);
    // Vulnerable at once: the next frame's shot hurts, and ends the hit picture first.
    P().SetPosition(300, 200);
    ShotOnPlayer(1);
    Frame() = 501;
    P().CheckHits();
    EXPECT_EQ(P().hp, 2);
}

TEST_F(DamageTest, OnlyTheRowsInsetBoxIsHit) {
    // The cell at (300, 200); a shot (9 x 10) in the cell that only touches the row's box misses,
    // one a pixel further in hits.
    struct Case {
        int row;
        float missX, missY, hitX, hitY;
    };
    const Case cases[] = {
        {0, 296, 212, 297, 212}, // left inset 5: the box starts at x 305
        {0, 310, 200, 310, 201}, // top inset 10: at y 210
        {1, 301, 215, 302, 215}, // left inset 10: at x 310
        {1, 310, 198, 310, 199}, // top inset 8: at y 208
        {2, 322, 212, 321, 212}, // right inset 10: the box ends at x 322
        {2, 312, 224, 312, 223}, // bottom inset 8: at y 224
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "row " << c.row << " at " << c.missX << ", " << c.missY);
        P().hp = 3;
        P().lastHitFrame = -60;
        P().SetRow(c.row);
        Shot& s = PlaceEnemyShot(31, 0, c.missX, c.missY, 0, 1);
        P().CheckHits();
        EXPECT_EQ(P().hp, 3);
        s.SetPosition(c.hitX, c.hitY);
        P().CheckHits();
        EXPECT_EQ(P().hp, 2);
    }
}

TEST_F(DamageTest, TheBossBodyHurtsEvenWhileItCharges) {
    Globals().bossPhase = 1;
    P().bossCharging = 1;
    GameObject& part = TheBoss().parts[3];
    part.SetFrames(5, 1, 64, 64);
    part.SetPosition(284, 184); // its middle on the ship's
    part.Show();
    P().CheckHits();
    EXPECT_EQ(P().hp, 2);
}

TEST_F(DamageTest, TheLastLifeEndsTheGameAndHidesThePlayer) {
    P().lives = 0;
    P().hp = 1;
    ShotOnPlayer(1);
    game->Tick(); // the frame function hides the player once the game is over
    EXPECT_EQ(P().gameOver, 1);
    EXPECT_EQ(P().lives, -1);
    EXPECT_EQ(P().active, 0);
    game->Ticks(3);
    EXPECT_EQ(game->Screen(), InGameFrame); // the run waits for the player to end it
    EXPECT_EQ(P().active, 0);
}

TEST_F(DamageTest, WhileTheBossChargesItsShotsPassThePlayer) {
    Globals().bossPhase = 1;
    Boss& boss = TheBoss();
    for (GameObject& part : boss.parts)
        part.Hide();
    Shot& s = boss.shots[100];
    s.SetFrames(12, 1, 9, 10);
    s.SetPosition(310, 212);
    s.hp = 0;
    s.Show();
    P().bossCharging = 1;
    P().CheckHits();
    EXPECT_EQ(P().hp, 3);
    EXPECT_EQ(s.active, 1);
    PlaceEnemyShot(31, 0, 310, 212, 0, 1); // enemy shots do not count in the boss phase
    P().CheckHits();
    EXPECT_EQ(P().hp, 3);
    P().bossCharging = 0;
    P().CheckHits();
    EXPECT_EQ(P().hp, 2);
    EXPECT_EQ(s.active, 0);
}

} // namespace
} // namespace pelko::testing
