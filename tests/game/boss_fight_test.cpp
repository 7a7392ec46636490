// Boss fights in the whole game: the boss comes with the warning and slides in, the attack keys
// during the fight, the defeat, and a run through all five bosses, each of which goes through
// its whole script with every attack in it before it is shot down.
#include <set>
#include <vector>

#include "game/flow/game_start.h"
#include "game/flow/screens.h"
#include "support/play_fixture.h"

namespace pelko::testing {
namespace {

constexpr int kKey1 = '1', kKey3 = '3';

class BossFightTest : public PlayTest {
  protected:
    Boss& B() { return TheBoss(); }

    // The warning comes in the next frame.
    void CallTheBoss() {
        Globals().bossWarningFrame = static_cast<int32_t>(Frame());
        game->Tick();
        ASSERT_EQ(Globals().bossPhase, 1);
    }
    int TicksUntilArrived() {
        int n = 0;
        while (!B().arrived && n < 1000) {
            game->Tick();
            ++n;
        }
        return n;
    }
    // A player shot on the boss's first part that takes its last hit points.
    void ShootDown() {
        B().hp = 1;
        PlacePlayerShot(0, B().parts[0].x + 40.0f, B().parts[0].y + 40.0f, 1);
        game->Tick();
    }
    // The player takes no lasting harm, so the boss is never held back by a game over.
    void KeepPlayerAlive() {
        P().hp = 3;
        P().lives = 3;
    }
    // The attack just started in this frame, 0 if none: its charge stores the frame in shot 0.
    int AttackStartedNow() {
        if (B().shots[0].delay != static_cast<int>(Frame())) return 0;
        const uint8_t* f = B().attackFlags;
        if (f[kWave]) return 1;
        if (f[kWall]) return 2;
        if (f[kGather] && f[kFan]) return 3;
        if (f[kSweep]) return 4;
        if (f[kGather] && f[kSpray]) return 5;
        return 0;
    }
};

TEST_F(BossFightTest, TheWarningBringsTheBossInAndTheKeysStartAttacksUntilItIsBeaten) {
    StartRunAt(30);
    for (const GameObject& part : B().parts)
        ASSERT_EQ(part.active, 0);
    CallTheBoss();
    for (const GameObject& part : B().parts)
        EXPECT_EQ(part.active, 1);
    EXPECT_EQ(B().maxHp, 288);
    TicksUntilArrived();
    EXPECT_FLOAT_EQ(B().parts[0].x, 411.0f);
    EXPECT_FLOAT_EQ(B().parts[0].y, 100.0f);

    game->Key(kKey3, true);
    game->Tick();
    EXPECT_EQ(AttackStartedNow(), 3);
    EXPECT_EQ(P().bossCharging, 1);
    const int charged = B().shots[0].delay;
    game->Ticks(20); // held: no new charge
    EXPECT_EQ(B().shots[0].delay, charged);
    game->Key(kKey3, false);
    game->Ticks(2);

    ShootDown();
    EXPECT_EQ(Globals().stageCleared, 1);
    EXPECT_FALSE(B().attackFlags[kGather] || B().attackFlags[kFan]);
    EXPECT_EQ(P().bossCharging, 0);
    for (const Shot& s : B().shots)
        EXPECT_EQ(s.active, 0);

    game->Key(kKey1, true);
    game->Tick();
    ASSERT_EQ(Globals().stageCleared, 1);
    for (uint8_t flag : B().attackFlags)
        EXPECT_EQ(flag, 0);
    for (const Shot& s : B().shots)
        EXPECT_EQ(s.active, 0);
    EXPECT_EQ(P().bossCharging, 0);
}

TEST_F(BossFightTest, TheThirdStagesBossStopsFurtherLeft) {
    StartRunAt(30);
    Globals().stageNumber = 3;
    B().SetSetup(SetUpBoss3);
    B().Reset();
    CallTheBoss();
    EXPECT_EQ(TicksUntilArrived(), 180);
    EXPECT_FLOAT_EQ(B().parts[0].x, 282.0f);
    EXPECT_FLOAT_EQ(B().parts[0].y, 200.0f);
}

TEST_F(BossFightTest, AllFiveBossesGoThroughTheirScriptsAndTheRunEndsInTheStaffRoll) {
    GameFolder folder;
    folder.settings = "[PelkoGame]\nFPS=30\n";
    for (int stage = 1; stage <= 5; ++stage)
        folder.stages[stage] = kEmptyStage;
    StartGame(std::move(folder));
    game->StartPlay();

    // The attacks each script's w steps start, in order.
    const std::vector<int> scripted[5] = {{1}, {2, 3}, {3}, {2, 3}, {4, 3, 1}};
    for (int stage = 1; stage <= 5; ++stage) {
        SCOPED_TRACE(stage);
        ASSERT_EQ(Globals().stageNumber, stage);
        // The stage's minute of enemies belongs to other tests; the warning comes at once.
        Globals().bossWarningFrame = static_cast<int32_t>(Frame());
        for (int i = 0; i < 2000 && Globals().bossPhase == 0; ++i) {
            KeepPlayerAlive();
            game->Tick();
        }
        ASSERT_EQ(Globals().bossPhase, 1);
        // One pass of the script from the slide until it starts over.
        std::vector<int> started;
        bool pastFirstStep = false;
        for (int i = 0; i < 3000; ++i) {
            KeepPlayerAlive();
            game->Tick();
            if (const int n = AttackStartedNow()) started.push_back(n);
            if (B().scriptPos > 2) pastFirstStep = true;
            if (pastFirstStep && B().scriptPos == 0) break;
        }
        EXPECT_EQ(started, scripted[stage - 1]);
        // Let the last attack play out, then shoot the boss down.
        for (int i = 0; i < 300; ++i) {
            KeepPlayerAlive();
            game->Tick();
        }
        ShootDown();
        ASSERT_EQ(Globals().stageCleared, 1);
        // The clear message, the bonus, then the next stage or the ending.
        for (int i = 0; i < 2000 && Globals().stageCleared && game->Screen() == InGameFrame; ++i)
            game->Tick();
        if (stage < 5) {
            ASSERT_EQ(Globals().stageCleared, 0);
        }
    }
    EXPECT_EQ(game->Screen(), EndingStartFrame);
    EXPECT_TRUE(game->TickUntilScreen(StaffRollFrame, 1000));
}

} // namespace
} // namespace pelko::testing
