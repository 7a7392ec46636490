// Normal fire at its steady rate and shot limit, double shots, and the six special attacks with
// their slots, positions, speeds and strengths.
#include <gtest/gtest.h>

#include <cmath>

#include "game/enemies/angle_table.h"
#include "game/flow/game_globals.h"
#include "support/play_fixture.h"

namespace pelko::testing {
namespace {

constexpr int kSpace = 32, kX = 88, kZ = 90;

class FireTest : public PlayTest {
  protected:
    int ActiveShots() {
        int n = 0;
        for (int k = 0; k < kPlayerShotSlots; ++k)
            n += P().shots[k].active != 0 ? 1 : 0;
        return n;
    }
    // One special attack of the given pattern from (100, 200), as the Z key gives it.
    void Special(int pattern) {
        P().specialKind = pattern;
        P().SetPosition(100, 200);
        game->Key(kZ, true);
        P().FireSpecial();
        ReleaseSeen(kZ);
    }
    // A press straight after a release reads as held, so a key is seen up for two queries
    // before it is pressed again.
    void ReleaseSeen(int vk) {
        game->Key(vk, false);
        P().FireSpecial();
        P().FireSpecial();
    }
};

TEST_F(FireTest, HoldingFireShootsEveryFifthFrameAndAtMostSixAtOnce) {
    StartRunAt(30);
    TakeSoundTrace();
    game->Key(kSpace, true);
    std::vector<uint32_t> launches;
    for (int i = 0; i < 50; ++i) {
        const int before = P().lastShotFrame;
        game->Tick();
        if (P().lastShotFrame != before) launches.push_back(Frame());
    }
    ASSERT_EQ(launches.size(), 6u);
    for (size_t i = 0; i < launches.size(); ++i)
        EXPECT_EQ(launches[i], 5 * (i + 1));
    EXPECT_EQ(TakeSoundTrace(), "w1 w1 w1 w1 w1 w1"); // one sound a shot
    EXPECT_EQ(ActiveShots(), 6);
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(P().shots[k].active, 1) << k;
    // The first shot left the field; the seventh takes its slot.
    game->Ticks(20);
    EXPECT_GT(P().lastShotFrame, 30);
    for (int k = 6; k < kPlayerShotSlots; ++k)
        EXPECT_EQ(P().shots[k].active, 0) << k;
}

TEST_F(FireTest, AShotLeavesFromThePlayersFrontAtTenPixelsAThirtiethOfASecond) {
    StartRunAt(60);
    EXPECT_EQ(P().fireInterval, 10);
    P().SetPosition(100.7f, 200.9f);
    Frame() = 10;
    game->Key(kSpace, true);
    P().Fire();
    const Shot& s = P().shots[0];
    ASSERT_EQ(s.active, 1);
    EXPECT_FLOAT_EQ(s.x, 148.0f);
    EXPECT_FLOAT_EQ(s.y, 212.0f);
    EXPECT_FLOAT_EQ(s.vx, 5.0f);
    EXPECT_EQ(s.hp, 1);
    EXPECT_EQ(s.special, 0);
    EXPECT_EQ(P().lastShotFrame, 10);
    Frame() = 19;
    P().Fire();
    EXPECT_EQ(ActiveShots(), 1);
    Frame() = 20;
    P().Fire();
    EXPECT_EQ(ActiveShots(), 2);
}

// With double shots the walk looks at slots 0..11; a pair found at 11 puts its second shot in
// slot 12, over a shot still in flight there.
TEST_F(FireTest, DoubleShotsStartingAtSlotElevenUseSlotTwelve) {
    StartRunAt(30);
    P().doubleShot = 1;
    P().power = 3;
    P().SetPosition(200, 150);
    for (int k = 0; k < 11; ++k)
        PlacePlayerShot(k, 400, 300, 1);
    Shot& inFlight = PlacePlayerShot(12, 500, 100, 9);
    Frame() = 40;
    game->Key(kSpace, true);
    TakeSoundTrace();
    P().Fire();
    EXPECT_EQ(TakeSoundTrace(), "w1"); // one sound for the pair
    const Shot& first = P().shots[11];
    EXPECT_EQ(first.active, 1);
    EXPECT_FLOAT_EQ(first.x, 248.0f);
    EXPECT_FLOAT_EQ(first.y, 156.0f);
    EXPECT_EQ(first.hp, 3);
    EXPECT_EQ(inFlight.active, 1);
    EXPECT_FLOAT_EQ(inFlight.x, 248.0f);
    EXPECT_FLOAT_EQ(inFlight.y, 168.0f);
    EXPECT_EQ(inFlight.hp, 3);
    EXPECT_FLOAT_EQ(inFlight.vx, 10.0f);
    EXPECT_EQ(P().shots[13].active, 0);

    // With slots 0..11 all busy nothing more is launched.
    Frame() = 50;
    P().Fire();
    EXPECT_EQ(P().shots[13].active, 0);
}

TEST_F(FireTest, ShotsThatLeaveTheFieldAreCulledUnlessSpecialWhileTheRingIsOn) {
    StartRunAt(30);
    Shot& normal = PlacePlayerShot(3, 641, 200, 1);
    Shot& special = PlacePlayerShot(40, 300, 63, 4, 1);
    Shot& edge = PlacePlayerShot(41, 640.9f, 480.5f, 4, 1); // truncated onto the edge: inside
    P().ringOn = 1;
    P().ringFirst = 7;
    P().Fire();
    EXPECT_EQ(normal.active, 0);
    EXPECT_EQ(special.active, 1);
    EXPECT_EQ(edge.active, 1);
    P().ringOn = 0;
    P().Fire();
    EXPECT_EQ(special.active, 0);
    EXPECT_EQ(special.special, 0);
    EXPECT_EQ(edge.active, 1);
}

TEST_F(FireTest, TheNextPatternCyclesAndMovesTheIconEvenWithoutCharges) {
    StartRunAt(30);
    P().tp = 0;
    P().specialKind = 4;
    for (int expected : {5, 0, 1}) {
        game->Key(kX, true);
        P().FireSpecial();
        ReleaseSeen(kX);
        EXPECT_EQ(P().specialKind, expected);
        EXPECT_EQ(TheGame().row, expected);
    }
    game->Key(kZ, true);
    P().FireSpecial();
    EXPECT_EQ(ActiveShots(), 0);
    EXPECT_EQ(P().tp, 0);
}

TEST_F(FireTest, ASpecialAttackSpendsAChargeAndReplacesTheShotsInFlight) {
    StartRunAt(30);
    PlacePlayerShot(2, 400, 300, 1);
    TakeSoundTrace();
    Special(3);
    EXPECT_EQ(TakeSoundTrace(), ""); // the special attack is silent
    EXPECT_EQ(P().tp, 2);
    EXPECT_EQ(ActiveShots(), 64);
    EXPECT_EQ(P().shots[2].hp, 4);
    EXPECT_EQ(P().shots[2].special, 1);
    Special(3);
    Special(3);
    EXPECT_EQ(P().tp, 0);
    PlacePlayerShot(2, 400, 300, 1);
    Special(3);
    EXPECT_EQ(P().shots[2].hp, 1); // no charge left: nothing happens
}

TEST_F(FireTest, TheRadialBurstFliesAtFivePixelsAtEveryRate) {
    for (int fps : {30, 60}) {
        StartRunAt(fps);
        P().ringOn = 1;
        Special(0);
        EXPECT_EQ(P().ringOn, 0);
        EXPECT_EQ(ActiveShots(), 64);
        const Shot& s63 = P().shots[63];
        EXPECT_FLOAT_EQ(s63.vx, 5.0f);
        EXPECT_NEAR(s63.vy, 0.0f, 1e-4); // the table's turns are a rounded 2 pi / 256 apart
        const Shot& s47 = P().shots[47]; // a = 64: straight down
        EXPECT_NEAR(s47.vx, 0.0f, 1e-4);
        EXPECT_NEAR(s47.vy, 5.0f, 1e-4);
        for (int k = 0; k < kPlayerShotSlots; ++k) {
            const Shot& s = P().shots[k];
            EXPECT_FLOAT_EQ(s.x, 100.0f);
            EXPECT_FLOAT_EQ(s.y, 200.0f);
            EXPECT_EQ(s.hp, 15);
            EXPECT_EQ(s.special, 1);
            EXPECT_NEAR(std::hypot(s.vx, s.vy), 5.0, 1e-4) << k;
        }
    }
}

TEST_F(FireTest, TheForwardFanSpreadsFromMinusToPlusFortyFiveDegrees) {
    StartRunAt(60);
    Special(1);
    const AngleTable& angles = TheAngles();
    const Shot& top = P().shots[63]; // a = -32
    EXPECT_NEAR(top.vx, 2.5 * std::sqrt(0.5), 1e-4);
    EXPECT_NEAR(top.vy, -2.5 * std::sqrt(0.5), 1e-4);
    const Shot& bottom = P().shots[0]; // a = 31
    EXPECT_FLOAT_EQ(bottom.vx, static_cast<float>(2.5f * angles.Cos(31)));
    EXPECT_FLOAT_EQ(bottom.vy, static_cast<float>(2.5f * angles.Sin(31)));
    EXPECT_EQ(bottom.hp, 15);
}

TEST_F(FireTest, TheTwoSpeedBurstAlternatesFullAndHalfSpeed) {
    StartRunAt(30);
    Special(2);
    EXPECT_FLOAT_EQ(P().shots[62].vx, static_cast<float>(16 * TheAngles().Cos(4)));
    EXPECT_FLOAT_EQ(P().shots[63].vx, 8.0f);
    EXPECT_NEAR(std::hypot(P().shots[10].vx, P().shots[10].vy), 16.0, 1e-4);
    EXPECT_NEAR(std::hypot(P().shots[11].vx, P().shots[11].vy), 8.0, 1e-4);
    EXPECT_EQ(P().shots[11].hp, 15);
}

TEST_F(FireTest, TheStreamRunsInFourRowsFromTwentyOneDownToSix) {
    StartRunAt(60);
    Special(3);
    const Shot& s0 = P().shots[0];
    EXPECT_FLOAT_EQ(s0.x, 100.0f);
    EXPECT_FLOAT_EQ(s0.y, 224.0f);
    EXPECT_FLOAT_EQ(s0.vx, 10.5f);
    EXPECT_FLOAT_EQ(s0.vy, 0.0f);
    const Shot& s63 = P().shots[63];
    EXPECT_FLOAT_EQ(s63.y, 194.0f);
    EXPECT_FLOAT_EQ(s63.vx, 3.0f);
    EXPECT_FLOAT_EQ(P().shots[6].y, 204.0f);
    EXPECT_EQ(s63.hp, 4);
    EXPECT_EQ(P().ringOn, 0);
}

TEST_F(FireTest, TheArcStandsFromAboveThePlayerRoundItsFrontToBelowIt) {
    StartRunAt(30);
    P().ringOn = 1;
    P().ringFirst = 7;
    Special(4);
    EXPECT_EQ(P().ringOn, 1); // the arc leaves a ring as it was
    EXPECT_EQ(ActiveShots(), 33);
    for (int k = 0; k <= 30; ++k)
        EXPECT_EQ(P().shots[k].active, 0) << k;
    EXPECT_NEAR(P().shots[31].x, 100.0f, 2e-3);
    EXPECT_NEAR(P().shots[31].y, 125.0f, 2e-3);
    EXPECT_NEAR(P().shots[47].x, 175.0f, 2e-3);
    EXPECT_NEAR(P().shots[47].y, 200.0f, 2e-3);
    EXPECT_NEAR(P().shots[63].x, 100.0f, 2e-3);
    EXPECT_NEAR(P().shots[63].y, 275.0f, 2e-3);
    for (int k = 31; k < kPlayerShotSlots; ++k) {
        EXPECT_EQ(P().shots[k].vx, 0.0f);
        EXPECT_EQ(P().shots[k].hp, 4);
    }
}

TEST_F(FireTest, TheOrbitRingCirclesThePlayerAndIsDraggedAlong) {
    StartRunAt(30);
    Special(5);
    EXPECT_EQ(ActiveShots(), 32);
    EXPECT_EQ(P().ringOn, 1);
    EXPECT_EQ(P().ringFirst, 7);
    EXPECT_NEAR(P().shots[32].x, 150.0f, 2e-3);
    EXPECT_NEAR(P().shots[32].y, 200.0f, 2e-3);
    EXPECT_NEAR(P().shots[40].x, 100.0f, 2e-3);
    EXPECT_NEAR(P().shots[40].y, 250.0f, 2e-3);
    EXPECT_NEAR(P().shots[48].x, 50.0f, 2e-3);
    for (int k = 0; k < 32; ++k)
        EXPECT_EQ(P().shots[k].active, 0) << k;

    // Moving, the ring keeps its shape round the player.
    game->Key(39, true);
    game->Ticks(10);
    EXPECT_NEAR(P().shots[32].x - P().x, 50.0f, 1e-3);
    EXPECT_NEAR(P().shots[40].y - P().y, 50.0f, 1e-3);
}

} // namespace
} // namespace pelko::testing
