// The boss of each stage as set up and reset, where its parts can be hit, its aimed fire, and the
// attack keys of the fight.
#include <array>
#include <set>
#include <vector>

#include "platform/headless.h"
#include "support/boss_fixture.h"

namespace pelko::testing {
namespace {

using BossSetupTest = BossTest;

// A one-pixel sprite, to probe the boss's hit boxes.
tessary::Sprite Probe(float x, float y) {
    tessary::Sprite probe;
    probe.SetFrames(0, 1, 1, 1);
    probe.SetPosition(x, y);
    return probe;
}

// Where each boss waits and how fast it enters is the entry slide's test; here, what it shows.
TEST_F(BossSetupTest, EachPartShowsItsRowOfTheSheetOfItsLayoutTurningTwiceASecond) {
    for (int fps : {30, 60}) {
        for (int stage = 1; stage <= 5; ++stage) {
            SCOPED_TRACE(::testing::Message() << "stage " << stage << " at " << fps << " fps");
            StartBoss(stage, fps);
            const bool layoutB = B().parts[6].x - X0() == 190.0f;
            for (int i = 0; i < kBossParts; ++i) {
                EXPECT_EQ(B().parts[i].image, layoutB ? 6 : 5); // "Boss2.bmp" or "Boss.bmp"
                EXPECT_EQ(B().parts[i].row, i);
            }
            Frames(fps / 2 - 1);
            EXPECT_EQ(B().parts[7].frame, 0);
            Frame();
            EXPECT_EQ(B().parts[7].frame, 1);
            Frames(fps / 2);
            EXPECT_EQ(B().parts[7].frame, 0);
        }
    }
}

TEST_F(BossSetupTest, HitPointsGrowWithThePlayers) {
    Globals().playerCount = 2;
    StartBoss(2);
    EXPECT_EQ(B().hp, 768);
    EXPECT_EQ(B().maxHp, 768);
}

TEST_F(BossSetupTest, PartsSitInTheirLayoutAndAreHitOnlyInsideTheirInsets) {
    struct Case {
        int stage;
        int dx, dy; // probe offset from part 0
        bool hits;
    };
    const Case cases[] = {
        // Layout A, a 256 x 128 block.
        {1, 0, 0, true},
        {1, 255, 127, true},
        {1, 256, 64, false},
        {1, 64, 10, false},
        {1, 93, 10, false},
        {1, 94, 10, true},
        {1, 230, 18, true},
        {1, 230, 19, false},
        {1, 20, 93, false},
        {1, 20, 94, true},
        {1, 24, 100, false},
        {1, 23, 100, true},
        {1, 107, 100, true},
        {1, 108, 100, false},
        {1, 135, 70, false},
        {1, 136, 70, true},
        // Layout B: four columns of two, the last at 190, so 254 pixels wide.
        {3, 29, 30, false},
        {3, 30, 30, true},
        {3, 30, 19, false},
        {3, 30, 121, true},
        {3, 30, 122, false},
        {3, 64, 35, false},
        {3, 64, 36, true},
        {3, 65, 64, false},
        {3, 66, 64, true},
        {3, 200, 39, false},
        {3, 200, 40, true},
        {3, 253, 100, true},
        {3, 254, 100, false},
        {3, 191, 121, true},
        {3, 191, 122, false},
        {3, 30, 83, false},
        {3, 30, 84, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "stage " << c.stage << " probe at +" << c.dx << ", +" << c.dy);
        StartBoss(c.stage);
        MoveBoss(300.0f - X0(), 150.0f - Y0());
        const tessary::Sprite probe = Probe(300.0f + c.dx, 150.0f + c.dy);
        EXPECT_EQ(B().HitsSprite(&probe), c.hits ? 1 : 0);
    }
}

TEST_F(BossSetupTest, AHiddenBossHitsNothing) {
    StartBoss(1);
    for (GameObject& part : B().parts)
        part.Hide();
    const tessary::Sprite probe = Probe(X0() + 10.0f, Y0() + 10.0f);
    EXPECT_EQ(B().HitsSprite(&probe), 0);
    EXPECT_EQ(B().HitsSprite(nullptr), 0);
}

TEST_F(BossSetupTest, ResetInTheMiddleOfAFightStartsTheNextBossAfresh) {
    StartBoss(1);
    Arrive();
    Frames(200);
    B().StartAttack(4);
    Frames(40);
    ASSERT_TRUE(AnyFlag());
    ASSERT_EQ(PlayerAt(0).bossCharging, 0); // the sweep released its first shots
    B().StartAttack(1);
    ASSERT_EQ(PlayerAt(0).bossCharging, 1);
    B().hp = 5;

    B().SetSetup(SetUpBoss3);
    B().Reset();
    EXPECT_FALSE(AnyFlag());
    EXPECT_EQ(PlayerAt(0).bossCharging, 0);
    EXPECT_EQ(B().arrived, 0);
    EXPECT_EQ(B().hp, 288);
    EXPECT_EQ(B().maxHp, 288);
    EXPECT_EQ(B().scriptPos, 0);
    EXPECT_EQ(B().waitFrames, 0);
    EXPECT_EQ(B().bossLastFire, 0);
    EXPECT_EQ(B().bossFireInterval, 10);
    EXPECT_FLOAT_EQ(X0(), 640.0f);
    EXPECT_FLOAT_EQ(Y0(), 200.0f);
    for (const GameObject& part : B().parts) {
        EXPECT_EQ(part.active, 0);
        EXPECT_EQ(part.vx, 0.0f);
        EXPECT_EQ(part.vy, 0.0f);
    }
    for (const Shot& shot : B().shots) {
        EXPECT_EQ(shot.active, 0);
        EXPECT_EQ(shot.image, 12);
        EXPECT_EQ(shot.frameWidth, 9);
        EXPECT_EQ(shot.frameHeight, 10);
        EXPECT_EQ(shot.lastFireFrame, 0);
    }
}

using BossFireTest = BossTest;

TEST_F(BossFireTest, OneAimedShotEveryTenFramesFromTheFirstTwentySlots) {
    StartBoss(1);
    Arrive();
    // The player stands far left so shots stay on the field for a while.
    PlayerAt(0).SetPosition(20.0f, 240.0f);
    std::vector<uint32_t> launches;
    int highestUsed = -1;
    for (int f = 0; f < 400; ++f) {
        const int before = B().bossLastFire;
        Frame();
        if (B().bossLastFire != before) launches.push_back(Now());
        for (int i = kBossShots - 1; i >= 0; --i)
            if (B().shots[i].active) highestUsed = std::max(highestUsed, i);
        int inFlight = 0;
        for (const Shot& s : B().shots)
            inFlight += s.active;
        ASSERT_LE(inFlight, 20);
    }
    EXPECT_EQ(highestUsed, 19);
    ASSERT_GE(launches.size(), 10u);
    // Fewer than twenty are ever in flight here, so a slot is always free when one is due.
    for (size_t i = 1; i < launches.size(); ++i)
        EXPECT_EQ(launches[i] - launches[i - 1], 10u);
}

TEST_F(BossFireTest, TheFirstStagesShotsAreAimedAtThePlayer) {
    StartBoss(1);
    Arrive();
    PlayerAt(0).SetPosition(100.0f, 240.0f);
    for (Shot& s : B().shots)
        s.Hide(); // none of the shots fired during the slide
    Frames(40);
    int shown = 0;
    for (const Shot& s : B().shots) {
        if (!s.active) continue;
        EXPECT_EQ(s.kind, 9);
        EXPECT_EQ(s.hp, 1);
        EXPECT_EQ(s.special, 0);
        EXPECT_NEAR(std::hypot(s.vx, s.vy), 4.0f, 0.01f);
        // Heading for the player: the velocity points along the line to it.
        const float dx = 100.0f - s.x, dy = 240.0f - s.y;
        const float off = std::remainder(std::atan2(s.vy, s.vx) - std::atan2(dy, dx), 6.2831853f);
        EXPECT_NEAR(off, 0.0f, 0.05f);
        ++shown;
    }
    EXPECT_EQ(shown, 4);
}

TEST_F(BossFireTest, ShotsThatLeaveTheFieldAreParkedAtTheBoss) {
    StartBoss(1);
    Arrive();
    Shot& s = B().shots[50];
    s.SetPosition(-5.0f, 200.0f);
    s.Show();
    Frame();
    EXPECT_EQ(s.active, 0);
    EXPECT_FLOAT_EQ(s.x, 411.0f + 64.0f);
    EXPECT_GE(s.y, 100.0f);
    EXPECT_LE(s.y, 100.0f + 257.0f);
}

TEST_F(BossFireTest, EachStageDrawsItsOwnRangeOfKinds) {
    // Stage 1 fires kind 9 only; later stages draw a kind from 0 up to their highest.
    const int highest[] = {9, 6, 7, 9, 11};
    for (int stage = 1; stage <= 5; ++stage) {
        SCOPED_TRACE(stage);
        StartBoss(stage);
        Arrive();
        // No attacks, which set kinds of their own; the player below the boss, away from its
        // leftward fire; the shots of the slide in are not looked at.
        UseScript("s9");
        PlayerAt(0).SetPosition(450.0f, 450.0f);
        std::set<int> kinds;
        std::array<bool, kBossShots> wasShown{};
        for (int i = 0; i < kBossShots; ++i)
            wasShown[i] = B().shots[i].active != 0;
        for (int f = 0; f < 2000; ++f) {
            Frame();
            for (int i = 0; i < kBossShots; ++i) {
                const Shot& s = B().shots[i];
                if (s.active && !wasShown[i] && (s.kind == 9 || s.kind == 11)) {
                    // Aimed as it leaves (a homing shot has turned a step since).
                    const float off = std::remainder(std::atan2(s.vy, s.vx) -
                                                         std::atan2(450.0f - s.y, 450.0f - s.x),
                                                     6.2831853f);
                    EXPECT_NEAR(off, 0.0f, 0.12f) << "kind " << s.kind;
                }
                wasShown[i] = s.active != 0;
                if (s.active) kinds.insert(s.kind);
            }
        }
        std::set<int> expected;
        for (int k = stage == 1 ? 9 : 0; k <= highest[stage - 1]; ++k)
            expected.insert(k);
        EXPECT_EQ(kinds, expected);
    }
}

using BossKeyTest = BossTest;

TEST_F(BossKeyTest, AnAttackKeyStartsItsAttackOnceWhileHeld) {
    StartBoss(1);
    Arrive();
    Frames(5);
    platform::headless::SetKeyDown('3', true);
    Frame();
    EXPECT_EQ(B().attackFlags[kGather], 1);
    EXPECT_EQ(B().attackFlags[kFan], 1);
    EXPECT_EQ(PlayerAt(0).bossCharging, 1);
    const int charged = B().shots[0].delay;
    EXPECT_EQ(charged, static_cast<int>(Now()));
    Frames(20); // held
    EXPECT_EQ(B().shots[0].delay, charged);
    platform::headless::SetKeyDown('3', false);
    Frames(2);
    platform::headless::SetKeyDown('3', true);
    Frame();
    EXPECT_EQ(B().shots[0].delay, static_cast<int>(Now())); // a new press, a new charge
}

TEST_F(BossKeyTest, TheLowestHeldKeyWinsAndTheScriptGoesOn) {
    StartBoss(1);
    Arrive();
    platform::headless::SetKeyDown('5', true);
    platform::headless::SetKeyDown('2', true);
    Frame();
    EXPECT_EQ(B().attackFlags[kWall], 1);
    EXPECT_EQ(B().attackFlags[kSpray], 0);
    EXPECT_EQ(B().scriptPos, 2); // the script's first step began in the same frame
}

TEST_F(BossKeyTest, ABeatenBossStartsNoAttackFollowsNoScriptAndFiresNoMore) {
    StartBoss(1);
    Arrive();
    Frames(160); // into the circle
    Globals().stageCleared = 1;
    const int pos = B().scriptPos, last = B().bossLastFire;
    const float vx = B().parts[0].vx, vy = B().parts[0].vy;
    const int angle = Globals().circleAngle;
    ASSERT_EQ(B().circleMode, 1);
    for (char key = '1'; key <= '5'; ++key) {
        platform::headless::SetKeyDown(key, true);
        Frame();
        platform::headless::SetKeyDown(key, false);
        Frame();
    }
    EXPECT_FALSE(AnyFlag());
    EXPECT_EQ(PlayerAt(0).bossCharging, 0);
    EXPECT_EQ(B().scriptPos, pos);
    EXPECT_EQ(B().bossLastFire, last);
    EXPECT_EQ(Globals().circleAngle, angle); // the circle no longer turns
    EXPECT_EQ(B().parts[0].vx, vx);
    EXPECT_EQ(B().parts[0].vy, vy);
}

} // namespace
} // namespace pelko::testing
