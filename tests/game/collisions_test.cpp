// The player's shots against enemies, enemy shots, the boss and its shots: hit points traded,
// points, cancelling by kind, hard mode, and the boss's defeat.
#include <gtest/gtest.h>

#include "game/enemies/collisions.h"
#include "game/flow/game_globals.h"
#include "game/player/message_queue.h"
#include "support/play_fixture.h"

namespace pelko::testing {
namespace {

class CollisionTest : public PlayTest {
  protected:
    void SetUp() override {
        StartRunAt(30);
        P().SetPosition(20, 400); // out of the way
        TakeSoundTrace();
    }
    Shot& BossShot(int i, float x, float y, int kind, int hp) {
        Shot& s = TheBoss().shots[i];
        s.SetFrames(12, 1, 9, 10);
        s.SetPosition(x, y);
        s.kind = kind;
        s.hp = hp;
        s.Show();
        return s;
    }
    void BossPartAt(int i, float x, float y) {
        GameObject& part = TheBoss().parts[i];
        part.SetFrames(5, 1, 64, 64);
        part.SetPosition(x, y);
        part.Show();
    }
    void HideBoss() {
        for (GameObject& part : TheBoss().parts)
            part.Hide();
        for (Shot& s : TheBoss().shots)
            s.Hide();
    }
};

TEST_F(CollisionTest, AWeakShotIsSpentOnAStrongerEnemy) {
    Enemy& e = PlaceEnemy(10, 300, 200, 5);
    Shot& s = PlacePlayerShot(0, 305, 205, 3);
    CollidePlayerShotsWithEnemies(0);
    EXPECT_EQ(e.hp, 2);
    EXPECT_EQ(e.active, 1);
    EXPECT_EQ(s.hp, -2);
    EXPECT_EQ(s.active, 0);
    EXPECT_EQ(P().scoreValue, 3);
    EXPECT_EQ(TheEnemies().killCount, 0);
    EXPECT_EQ(TakeSoundTrace(), "w3");
}

TEST_F(CollisionTest, AStrongShotKillsOnThroughSeveralEnemies) {
    Enemy& first = PlaceEnemy(31, 300, 200, 5);
    Enemy& second = PlaceEnemy(4, 310.6f, 190.2f, 5);
    Enemy& third = PlaceEnemy(2, 302, 202, 9);
    Shot& s = PlacePlayerShot(0, 305, 205, 15);
    CollidePlayerShotsWithEnemies(0);
    EXPECT_EQ(first.active, 0);
    EXPECT_EQ(first.hp, -10);
    EXPECT_EQ(second.active, 0);
    EXPECT_EQ(second.hp, -5);
    EXPECT_EQ(third.hp, 4); // the shot had 5 left for it
    EXPECT_EQ(third.active, 1);
    EXPECT_EQ(s.active, 0);
    EXPECT_EQ(P().scoreValue, 3 * 3 + 2 * 100);
    EXPECT_EQ(TheEnemies().killCount, 2);
    EXPECT_EQ(TheEnemies().lastKillX, 310); // the last kill, truncated
    EXPECT_EQ(TheEnemies().lastKillY, 190);
}

TEST_F(CollisionTest, EqualHitPointsDestroyBoth) {
    Enemy& e = PlaceEnemy(0, 300, 200, 2);
    e.scoreValue = 100;
    Shot& s = PlacePlayerShot(63, 320, 220, 2);
    CollidePlayerShotsWithEnemies(0);
    EXPECT_EQ(e.active, 0);
    EXPECT_EQ(s.active, 0);
    EXPECT_EQ(P().scoreValue, 103);
    EXPECT_EQ(TheEnemies().killCount, 1);
    EXPECT_EQ(TakeSoundTrace(), "w3 w4 w4"); // the hit, then the kill twice
}

TEST_F(CollisionTest, BoxesThatOnlyTouchDoNotHit) {
    Enemy& e = PlaceEnemy(0, 300, 200, 2);
    PlacePlayerShot(0, 291, 200, 1); // its right edge is the enemy's left edge
    PlacePlayerShot(1, 300, 232, 1); // its top edge is the enemy's bottom edge
    CollidePlayerShotsWithEnemies(0);
    EXPECT_EQ(e.hp, 2);
    EXPECT_EQ(P().scoreValue, 0);
}

TEST_F(CollisionTest, OrdinaryShotsCancelOnlyKindsSevenEightTenAndEleven) {
    for (int kind = 0; kind <= 12; ++kind) {
        const bool cancels = kind == 7 || kind == 8 || kind == 10 || kind == 11;
        Shot& enemyShot = PlaceEnemyShot(8, 2, 300, 200, kind);
        Shot& mine = PlacePlayerShot(5, 302, 201, 1);
        P().scoreValue = 0;
        CollidePlayerShotWithEnemyShots(0, 5);
        EXPECT_EQ(enemyShot.active, cancels ? 0 : 1) << kind;
        EXPECT_EQ(mine.active, cancels ? 0 : 1) << kind;
        EXPECT_EQ(P().scoreValue, cancels ? 13 : 0) << kind;
        enemyShot.Hide();

        // A special shot cancels every kind.
        Shot& again = PlaceEnemyShot(8, 2, 300, 200, kind);
        Shot& special = PlacePlayerShot(5, 302, 201, 4, 1);
        CollidePlayerShotWithEnemyShots(0, 5);
        EXPECT_EQ(again.active, 0) << kind;
        EXPECT_EQ(special.hp, 3) << kind;
        special.Hide();
        EXPECT_EQ(TakeSoundTrace(), "") << kind; // cancelling is silent
    }
}

TEST_F(CollisionTest, AShotOfStrengthTwoCancelsTwoEnemyShots) {
    Shot& a = PlaceEnemyShot(20, 0, 300, 200, 7);
    Shot& b = PlaceEnemyShot(3, 1, 301, 201, 7);
    Shot& c = PlaceEnemyShot(1, 0, 302, 202, 7);
    Shot& mine = PlacePlayerShot(9, 302, 201, 2, 0);
    mine.special = 0;
    CollidePlayerShotWithEnemyShots(0, 9);
    // Slot 1 comes before slot 0, so b goes first, then a (ring position 20 before 1).
    EXPECT_EQ(b.active, 0);
    EXPECT_EQ(a.active, 0);
    EXPECT_EQ(c.active, 1);
    EXPECT_EQ(mine.active, 0);
    EXPECT_EQ(P().scoreValue, 2 * 13);
}

TEST_F(CollisionTest, InHardModeOnlySpecialShotsCancel) {
    Globals().hardMode = 1;
    Shot& enemyShot = PlaceEnemyShot(8, 1, 300, 200, 7);
    PlacePlayerShot(5, 302, 201, 1);
    CollidePlayerShotWithEnemyShots(0, 5);
    EXPECT_EQ(enemyShot.active, 1);
    Shot& bossShot = BossShot(50, 300, 300, 8, 1);
    PlacePlayerShot(6, 302, 301, 1);
    CollidePlayerShotWithBossShots(0, 6);
    EXPECT_EQ(bossShot.active, 1);
    EXPECT_EQ(P().scoreValue, 0);
    PlacePlayerShot(5, 302, 201, 1, 1);
    CollidePlayerShotWithEnemyShots(0, 5);
    EXPECT_EQ(enemyShot.active, 0);
}

TEST_F(CollisionTest, ABossShotCanOutlastAWeakPlayerShot) {
    HideBoss();
    Shot& bossShot = BossShot(127, 300, 200, 7, 5);
    Shot& mine = PlacePlayerShot(0, 302, 201, 2);
    CollidePlayerShotWithBossShots(0, 0);
    EXPECT_EQ(bossShot.hp, 3);
    EXPECT_EQ(bossShot.active, 1);
    EXPECT_EQ(mine.active, 0);
    EXPECT_EQ(P().scoreValue, 3);
    Shot& special = PlacePlayerShot(0, 302, 201, 4, 1);
    CollidePlayerShotWithBossShots(0, 0);
    EXPECT_EQ(bossShot.active, 0);
    EXPECT_EQ(special.active, 0);
    EXPECT_EQ(special.special, 0);
    EXPECT_EQ(P().scoreValue, 3 + 13);
    Shot& plain = BossShot(3, 300, 200, 0, 1); // an ordinary shot passes kind 0
    PlacePlayerShot(0, 302, 201, 9);
    CollidePlayerShotWithBossShots(0, 0);
    EXPECT_EQ(plain.active, 1);
}

TEST_F(CollisionTest, SpecialShotsTakeOneBossHitPointOrdinaryShotsTheirStrength) {
    HideBoss();
    Globals().bossPhase = 1;
    TheBoss().hp = 100;
    BossPartAt(3, 400, 200);
    PlacePlayerShot(0, 420, 220, 15, 1);
    PlacePlayerShot(1, 430, 230, 4);
    PlacePlayerShot(2, 100, 100, 4); // misses
    CollidePlayerShotsWithBoss();
    EXPECT_EQ(TheBoss().hp, 100 - 1 - 4);
    EXPECT_EQ(P().shots[0].active, 0);
    EXPECT_EQ(P().shots[1].active, 0);
    EXPECT_EQ(P().shots[2].active, 1);
    EXPECT_EQ(P().scoreValue, 6);
    EXPECT_EQ(Globals().stageCleared, 0);
    EXPECT_EQ(TakeSoundTrace(), "w3 w3");
}

TEST_F(CollisionTest, TheHitThatEmptiesTheBossBeatsItAtOnce) {
    HideBoss();
    Globals().bossPhase = 1;
    Boss& boss = TheBoss();
    boss.hp = 3;
    boss.arrived = 1;
    boss.attackFlags[kFan] = 1;
    P().bossCharging = 1;
    BossPartAt(0, 400, 200);
    BossPartAt(7, 464, 200);
    Shot& leftover = BossShot(10, 50, 300, 0, 1);
    PlacePlayerShot(30, 420, 220, 9);
    PlacePlayerShot(20, 470, 220, 9); // later in the same frame: the parts are gone
    CollidePlayerShotsWithBoss();
    EXPECT_EQ(boss.hp, -6);
    for (const GameObject& part : boss.parts)
        EXPECT_EQ(part.active, 0);
    EXPECT_EQ(leftover.active, 0);
    EXPECT_EQ(Globals().stageCleared, 1);
    EXPECT_EQ(boss.arrived, 0);
    EXPECT_EQ(boss.attackFlags[kFan], 0);
    EXPECT_EQ(P().bossCharging, 0);
    EXPECT_EQ(P().shots[20].active, 1);
    EXPECT_EQ(P().scoreValue, 3); // nothing for the defeat itself
    // The hit, then the stage music stops and the defeat sounds.
    EXPECT_EQ(TakeSoundTrace(), "w3 stop close w2");
    EXPECT_GE(TheMessages().count + TheMessages().typing, 1);
}

} // namespace
} // namespace pelko::testing
