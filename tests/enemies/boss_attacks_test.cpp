// The boss's five attacks: the charge that brings every shot in from a wide ring, and the phases
// that release them, with their timings at 30 and 60 frames per second.
#include <array>
#include <climits>
#include <cmath>

#include "support/boss_fixture.h"

namespace pelko::testing {
namespace {

class BossAttackTest : public BossTest {
  protected:
    // The stage 1 boss arrived and holding still, so only the attack moves shots.
    void StartStill(int fps) {
        StartBoss(1, fps);
        Arrive();
        UseScript("s9s9s9");
        Frame();
    }
    // Started as the script starts it, at the end of a frame: the next frame is the first after
    // the charge.
    void Attack(int n) {
        B().StartAttack(n);
        charge = Now();
    }
    int SinceCharge() { return static_cast<int>(Now() - charge); }
    static bool Moving(const Shot& s) { return s.vx != 0.0f || s.vy != 0.0f; }

    uint32_t charge = 0;
};

TEST_F(BossAttackTest, TheChargeBringsEveryShotFromAWideRingToOnePointInOneSecond) {
    for (int fps : {30, 60}) {
        SCOPED_TRACE(fps);
        StartStill(fps);
        Attack(2);
        EXPECT_EQ(PlayerAt(0).bossCharging, 1);
        const float cx = static_cast<float>(B().centreX), cy = static_cast<float>(B().centreY);
        EXPECT_EQ(B().centreX, 411);
        EXPECT_EQ(B().centreY, 100 + 128);
        for (int i = 0; i < kBossShots; ++i) {
            const Shot& s = B().shots[i];
            EXPECT_EQ(s.active, 1);
            EXPECT_EQ(s.kind, 1);
            // Straight at the point, arriving in one second.
            EXPECT_FLOAT_EQ(s.vx, (cx - std::trunc(s.x)) * (1.0f / fps)) << i;
            EXPECT_FLOAT_EQ(s.vy, (cy - std::trunc(s.y)) * (1.0f / fps)) << i;
            const float r = std::hypot(s.x - cx, s.y - cy);
            EXPECT_LE(r, 1641.0f);
            if (std::fabs(s.x) == 2048.0f || std::fabs(s.y) == 2048.0f) continue; // held in range
            EXPECT_GE(r, 639.0f);
            // Evenly spread over the turn, shot 127 to the right.
            const float expected = 2.0f * (127 - i) * 6.2831853f / 256.0f;
            EXPECT_NEAR(std::remainder(std::atan2(s.y - cy, s.x - cx) - expected, 6.2831853f), 0.0f,
                        0.01f);
        }
        Frames(fps);
        ASSERT_TRUE(AnyFlag()); // not yet released
        for (const Shot& s : B().shots) {
            EXPECT_NEAR(s.x, cx, 1.0f);
            EXPECT_NEAR(s.y, cy, 1.0f);
            EXPECT_EQ(s.active, 1); // off the field on the way in, and not hidden
        }
    }
}

TEST_F(BossAttackTest, TheWaveReleasesAShotAFrameAndEnds158FramesAfterTheCharge) {
    StartStill(30);
    Attack(1);
    std::array<int, kBossShots> released;
    released.fill(-1);
    while (AnyFlag() && SinceCharge() < 400) {
        Frame();
        if (SinceCharge() == 31) {
            EXPECT_EQ(PlayerAt(0).bossCharging, 0);
            EXPECT_EQ(B().shots[0].levelY, 228);
            for (int i = 1; i < kBossShots; ++i) { // waiting at the boss's x on the line
                EXPECT_FLOAT_EQ(B().shots[i].x, 411.0f) << i;
                EXPECT_FLOAT_EQ(B().shots[i].y, 228.0f) << i;
            }
        }
        for (int i = 0; i < kBossShots; ++i) {
            const Shot& s = B().shots[i];
            if (released[i] < 0 && s.vx != 0.0f && SinceCharge() > 30) {
                released[i] = SinceCharge();
                EXPECT_FLOAT_EQ(s.vx, -3.0f);
                EXPECT_EQ(s.kind, 12);
                // Shot 0 and then every odd shot downward, the even ones upward.
                if (i % 2 || i == 0)
                    EXPECT_GT(s.vy, 0.0f) << i;
                else
                    EXPECT_LT(s.vy, 0.0f) << i;
            }
        }
    }
    EXPECT_EQ(SinceCharge(), 158);
    EXPECT_EQ(released[0], 31);
    for (int i = 1; i < kBossShots; ++i)
        EXPECT_EQ(released[i], 31 + i) << i;
}

TEST_F(BossAttackTest, BelowThirtyFramesASecondTheWaveLeavesAllAtOnce) {
    StartStill(20);
    Attack(1);
    Frames(20);
    EXPECT_TRUE(AnyFlag());
    Frame();
    EXPECT_FALSE(AnyFlag());
    for (const Shot& s : B().shots)
        EXPECT_FLOAT_EQ(s.vx, -3.0f * 1.5f);
}

TEST_F(BossAttackTest, TheWallFiresAndEndsInOneFrame) {
    for (int fps : {30, 60}) {
        SCOPED_TRACE(fps);
        const float sF = 30.0f / fps;
        StartStill(fps);
        Attack(2);
        Frames(fps);
        EXPECT_TRUE(AnyFlag());
        Frame();
        EXPECT_FALSE(AnyFlag());
        EXPECT_EQ(PlayerAt(0).bossCharging, 0);
        for (int i = 0; i < kBossShots; ++i) {
            const Shot& s = B().shots[i];
            EXPECT_FLOAT_EQ(s.vx, (i / 8 - 21) * sF) << i;
            EXPECT_EQ(s.vy, 0.0f);
            EXPECT_FLOAT_EQ(s.y, static_cast<float>(B().centreY + 24 - 10 * (i % 8))) << i;
            EXPECT_EQ(s.active, 1);
        }
        // The aimed fire is back: a shot that leaves the field is hidden in the next frame.
        // (Shot 50 lies beyond the aimed fire's slots, so it is not launched again at once.)
        B().shots[50].SetPosition(-10.0f, 200.0f);
        Frame();
        EXPECT_EQ(B().shots[50].active, 0);
    }
}

// Attacks 3 to 5 release all shots but two: shot 0 keeps the time and stays where it was left,
// and the last one released is hidden as it leaves, together with shot 0.
TEST_F(BossAttackTest, TheFanSweepAndSprayFly126Shots) {
    struct Case {
        int attack, fps;
        int lastShot;  // hidden as it is released
        int endsAfter; // frames from the charge to the end
        bool gathers;  // a gather phase first
    };
    const Case cases[] = {
        {3, 30, 1, 189, true},
        {4, 30, 127, 128, false},
        {5, 30, 1, 189, true},
        {3, 60, 1, 60 + 1 + 60 + 127 * 3 + 1, true},
        {4, 60, 127, 127 * 3 + 1, false},
        {5, 60, 1, 60 + 1 + 60 + 127 * 2 + 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "attack " << c.attack << " at " << c.fps << " fps");
        const float sF = 30.0f / c.fps;
        StartStill(c.fps);
        Attack(c.attack);
        std::array<bool, kBossShots> flew{};
        uint32_t phaseStart = c.gathers ? 0 : charge; // the time the release delays count from
        while (AnyFlag() && SinceCharge() < 2000) {
            Frame();
            if (phaseStart == 0 && !B().attackFlags[kGather]) {
                // The ball drifts left for a second before the release.
                phaseStart = Now();
                for (const Shot& s : B().shots) {
                    EXPECT_EQ(s.special, 1);
                    EXPECT_FLOAT_EQ(s.vx, -4.0f * sF);
                }
            }
            if (phaseStart == 0 || static_cast<int>(Now() - phaseStart) <= c.fps) continue;
            for (int i = 0; i < kBossShots; ++i) {
                const Shot& s = B().shots[i];
                if (!s.active || !Moving(s)) continue;
                if (!flew[i] && c.attack != 4) {
                    // The fan steps 14 from shot to shot at 3 pixels a frame; the spray steps 2,
                    // always leftward, each shot at a speed of its own.
                    const int step = c.attack == 3 ? 14 : 2;
                    const double a = (64 - step * (127 - i)) * 6.283185307179586 / 256.0;
                    const double v = c.attack == 3 ? 3.0 * sF : std::hypot(s.vx, s.vy);
                    const double cosA = c.attack == 3 ? std::cos(a) : std::fabs(std::cos(a));
                    EXPECT_NEAR(s.vx, -cosA * v, 0.001) << i;
                    EXPECT_NEAR(s.vy, std::sin(a) * v, 0.001) << i;
                }
                flew[i] = true;
                if (c.attack != 3) {
                    EXPECT_LE(s.vx, 0.0f) << i; // the sweep and the spray only ever go left
                }
            }
            if (AnyFlag()) {
                ASSERT_EQ(B().shots[0].active, 1);
                ASSERT_FALSE(Moving(B().shots[0]));
            }
        }
        EXPECT_EQ(SinceCharge(), c.endsAfter);
        int count = 0;
        for (bool f : flew)
            count += f;
        EXPECT_EQ(count, 126);
        EXPECT_FALSE(flew[0]);
        EXPECT_FALSE(flew[c.lastShot]);
        EXPECT_EQ(B().shots[0].active, 0);
        EXPECT_EQ(B().shots[c.lastShot].active, 0);
    }
}

TEST_F(BossAttackTest, TheSweepSendsTheShotsAlreadyDueInItsFirstFrame) {
    StartStill(30);
    Attack(4);
    Frames(31);
    EXPECT_EQ(PlayerAt(0).bossCharging, 0);
    for (int i = 1; i < kBossShots; ++i) {
        const Shot& s = B().shots[i];
        EXPECT_EQ(Moving(s), i <= 30) << i;
        if (i > 30) {
            // Still at the upper point (odd) or the lower point (even) of the boss's left edge.
            EXPECT_FLOAT_EQ(s.x, 411.0f);
            EXPECT_NEAR(s.y, i % 2 ? 100 + 76.8f : 100 + 153.6f, 0.01f);
        }
    }
    // All at 3 pixels a frame; within each stream the direction turns 8 steps (11.25 degrees)
    // from one shot to the next.
    auto direction = [&](int i) { return std::atan2(B().shots[i].vy, B().shots[i].vx); };
    for (int i = 1; i <= 30; ++i) {
        EXPECT_NEAR(std::hypot(B().shots[i].vx, B().shots[i].vy), 3.0f, 0.01f);
        if (i <= 28 && i != 1 && i != 2) {
            EXPECT_NEAR(std::fabs(std::remainder(direction(i + 2) - direction(i), 6.2831853f)),
                        0.19634954f, 0.001f)
                << i;
        }
    }
}

TEST_F(BossAttackTest, SprayShotsLeaveLeftwardAtTheirOwnSpeeds) {
    StartStill(30);
    Attack(5);
    Frames(31 + 60);
    int released = 0;
    float slowest = 100.0f, fastest = 0.0f;
    for (int i = 2; i < kBossShots; ++i) {
        const Shot& s = B().shots[i];
        if (s.delay != INT_MAX) continue;
        ++released;
        const float v = std::hypot(s.vx, s.vy);
        slowest = std::min(slowest, v);
        fastest = std::max(fastest, v);
        EXPECT_LE(s.vx, 0.0f);
    }
    EXPECT_EQ(released, 29); // shots 99 to 127, one a frame from shot 127
    EXPECT_GE(slowest, 2.0f - 0.01f);
    EXPECT_LE(fastest, 36.0f / 7.0f + 0.01f);
    EXPECT_GT(fastest - slowest, 1.0f);
}

TEST_F(BossAttackTest, ANewAttackReplacesOneHalfWay) {
    StartStill(30);
    Attack(1);
    Frames(90); // half the wave is out
    ASSERT_EQ(B().attackFlags[kWave], 1);
    MoveBoss(-50.0f, 20.0f);
    Attack(2);
    EXPECT_EQ(B().attackFlags[kWave], 0);
    EXPECT_EQ(B().attackFlags[kWall], 1);
    EXPECT_EQ(PlayerAt(0).bossCharging, 1);
    EXPECT_EQ(B().centreX, 361);
    EXPECT_EQ(B().centreY, 120 + 128);
    for (const Shot& s : B().shots) {
        EXPECT_EQ(s.active, 1);
        EXPECT_EQ(s.kind, 1);
        EXPECT_GE(std::hypot(s.x - 361.0f, s.y - 248.0f), 639.0f);
    }
    Frames(30);
    EXPECT_TRUE(AnyFlag());
    Frame();
    EXPECT_FALSE(AnyFlag());
}

TEST_F(BossAttackTest, TheAimedFirePausesDuringAnAttack) {
    StartStill(30);
    Attack(3);
    const int last = B().bossLastFire;
    for (int i = 0; i < 150; ++i) {
        Frame();
        ASSERT_EQ(B().bossLastFire, last);
    }
}

} // namespace
} // namespace pelko::testing
