// The course of a run: what a run's start sets up and leaves alone, when the boss warning comes,
// the time bonus of a clear, the step to the next stage or to the ending, and the end of a run.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "game/enemies/boss.h"
#include "game/enemies/enemy_manager.h"
#include "game/flow/game_globals.h"
#include "game/flow/game_start.h"
#include "game/flow/screens.h"
#include "game/flow/settings.h"
#include "game/player/high_score.h"
#include "game/player/message_queue.h"
#include "game/player/player.h"
#include "game/player/stage_progress.h"
#include "platform/crt_random.h"
#include "platform/headless.h"
#include "runtime/shell/runtime_state.h"
#include "support/game_digest.h"
#include "support/game_fixture.h"

namespace pelko {
namespace {

class StageProgressTest : public testing::GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        tessary::BuildSineTable();
        for (int stage = 1; stage <= 5; ++stage)
            std::ofstream("GameData/Stage" + std::to_string(stage) + ".dat") << "&\n";
        platform::headless::SetTime(1000); // messages with key 0 are due
    }

    void SetFps(int fps) { SetFrameRate(Globals(), fps); }

    Game& game() { return TheGame(); }
    Player& player() { return PlayerAt(0); }
    std::string Typing() {
        MessageQueue& q = TheMessages();
        return q.current >= 0 ? q.typewriter.text.data() : "";
    }

    // One in-game frame as far as the run's course goes: the counter, the drawing pass's last step
    // and the warning check.
    void Frame() {
        ++game().frameCounter;
        StepStageProgress();
        CheckBossWarning();
    }

    // What the boss's defeat does to the course of the run in the current frame.
    void DefeatBoss() {
        Globals().stageCleared = 1;
        TheMessages().PostPlain("STAGE CLEAR!!!      ");
        TheMessages().Step();
    }

    // Plays frames until the stage number changes; the points the clear paid.
    int ClearStage() {
        const int before = player().scoreValue;
        const int stage = Globals().stageNumber;
        DefeatBoss();
        StepStageProgress(); // the rest of the defeat's frame
        for (int i = 0; i < 1000 && Globals().stageNumber == stage; ++i)
            Frame();
        return player().scoreValue - before;
    }

    // Lets the stage's opening message type out.
    void FinishMessages() {
        for (int i = 0; i < 1000 && (TheMessages().Step() != 0 || TheMessages().count > 0); ++i) {
        }
    }
};

// A run plays frame for frame the same whatever the run before it left: a later stage, its boss
// fighting, a clear paying, a drifting ship after its game over. Of what decides play only the
// best score, the extra-life schedule, hard mode and the special attack chosen carry over. (So do
// the places of hidden shots and of the item, and the typewriter's count toward its next letter,
// which set nothing going; so both runs compared follow a run, and a finished message.)
TEST_F(StageProgressTest, ARunPlaysTheSameWhateverTheRunBeforeLeft) {
    Globals().highScore = 77777;
    Globals().nextExtend = 60000;
    Globals().hardMode = 1;
    player().specialKind = 4;
    std::ofstream("GameData/Stage1.dat") << "40 0 9 660 150 -1.0 0 0 0 2 4 20\n&\n"; // one gunner
    auto play = [] {
        platform::Srand(7);
        StartRun();
        std::vector<uint64_t> digests{testing::GameStateDigest()};
        for (int i = 0; i < 90; ++i) {
            InGameFrame();
            digests.push_back(testing::GameStateDigest());
        }
        return digests;
    };
    play();
    const std::vector<uint64_t> afterAPlainRun = play();
    for (int stage = 1; stage <= 3; ++stage)
        ClearStage();
    Globals().bossPhase = 1;
    TheBoss().ShowParts();
    TheBoss().attackFlags[2] = 1;
    DefeatBoss();
    StepStageProgress(); // its bonus paid
    player().gameOver = 1;
    player().lives = -1;
    player().SetVelocityX(12.5f);
    player().shots[5].Show();
    game().Hide();
    Enemy& waiting = TheEnemies().enemies[3]; // of a later stage, due soon
    waiting.moveType = 7;
    waiting.spawnFrame = 50;
    waiting.Show();
    FinishMessages();
    TheMessages().PostPlain("GAME OVER...");
    EXPECT_EQ(play(), afterAPlainRun);
    EXPECT_EQ(Globals().highScore, 77777);
    EXPECT_EQ(Globals().nextExtend, 60000);
    EXPECT_EQ(Globals().hardMode, 1);
    EXPECT_EQ(player().specialKind, 4);
    EXPECT_EQ(game().row, 4) << "the weapon icon shows the special attack still chosen";
}

TEST_F(StageProgressTest, StartRunAdaptsToTheFrameRateAndTheJoystick) {
    SetFps(60);
    Globals().joystickCount = 1;
    StartRun();
    EXPECT_EQ(Globals().bossWarningFrame, 3600);
    EXPECT_EQ(TheMessages().typewriter.ticksPerChar, 12);
    EXPECT_EQ(player().controller, 0);
    EXPECT_EQ(player().joystickOnly, 1);
    for (GameObject* d : Globals().decorations)
        EXPECT_EQ(d->vx, -1.0f);
}

TEST_F(StageProgressTest, TheFirstWarningComesInFrame1801AndItsMessageAndBossWithIt) {
    StartRun();
    FinishMessages();
    while (game().frameCounter < 1800) {
        Frame();
        ASSERT_EQ(Globals().bossPhase, 0) << game().frameCounter;
    }
    Frame();
    EXPECT_EQ(game().frameCounter, 1801u);
    EXPECT_EQ(Globals().bossPhase, 1);
    EXPECT_EQ(TheBoss().parts[0].active, 1);
    StepStageProgress();
    EXPECT_EQ(Typing(), "WARNING!! \n\nAN ENEMY APPEARS!!      ");

    // Only once.
    const int queued = TheMessages().count;
    Frame();
    EXPECT_EQ(TheMessages().count, queued);
}

TEST_F(StageProgressTest, AGameOverHoldsTheBossBack) {
    StartRun();
    player().gameOver = 1;
    for (int i = 0; i < 5000; ++i)
        Frame();
    EXPECT_EQ(Globals().bossPhase, 0);
}

TEST_F(StageProgressTest, AClearAtFrame3000OfStageOnePays56AFrameAndStartsStageTwo) {
    StartRun();
    FinishMessages();
    game().frameCounter = 3000;
    Globals().bossPhase = 1;

    const int paid = ClearStage();
    EXPECT_EQ(paid, 120 * 56);
    EXPECT_EQ(Globals().clearBonusBase, 0);

    // Stage two begins in the frame the clear message finished.
    const uint32_t start = game().frameCounter;
    EXPECT_EQ(start, 3120u);
    EXPECT_EQ(Globals().stageNumber, 2);
    EXPECT_EQ(Globals().stageCleared, 0);
    EXPECT_EQ(Globals().bossPhase, 0);
    EXPECT_EQ(TheEnemies().stageStartFrame, 3120);
    EXPECT_EQ(TheBoss().setupFunction, &SetUpBoss2);
    StepStageProgress();
    EXPECT_EQ(Typing(), "STAGE   2      ");
    EXPECT_EQ(TheMessages().sizes[TheMessages().current], 3);

    // Its warning comes 1801 frames after that frame.
    FinishMessages();
    while (game().frameCounter < start + 1800) {
        Frame();
        ASSERT_EQ(Globals().bossPhase, 0);
    }
    Frame();
    EXPECT_EQ(Globals().bossPhase, 1);

    // A second clear takes its own base: 2 x 20000 - 10000 = 30000, 100 a frame.
    FinishMessages();
    game().frameCounter = 10000;
    EXPECT_EQ(ClearStage(), 120 * 100);
}

TEST_F(StageProgressTest, AtSixtyFpsTheSameClearPaysHalfAsMuchForTwiceAsManyFrames) {
    SetFps(60);
    StartRun();
    FinishMessages();
    game().frameCounter = 3000;
    Globals().bossPhase = 1;
    EXPECT_EQ(ClearStage(), 240 * 28); // 17000 / 600 in each of 20 x 12 frames
}

TEST_F(StageProgressTest, AClearTooLateForTheBonusPaysNothing) {
    StartRun();
    FinishMessages();
    game().frameCounter = 25000; // past stage one's 20000
    Globals().bossPhase = 1;
    EXPECT_EQ(ClearStage(), 0);
    EXPECT_EQ(Globals().stageNumber, 2);
}

TEST_F(StageProgressTest, BelowThirtyFpsTheBonusNeverDividesByZero) {
    SetFps(20);
    StartRun();
    EXPECT_EQ(TheMessages().typewriter.ticksPerChar, 0) << "messages show whole at once";
    FinishMessages();
    game().frameCounter = 3000;
    EXPECT_EQ(ClearStage(), 0) << "a message that never types pays no frame of bonus";
    EXPECT_EQ(Globals().stageNumber, 2);

    // Even with a typing speed, the divisor is one frame's worth.
    FinishMessages();
    TheMessages().SetSpeed(6);
    game().frameCounter = 3000; // base 40000 - 3000 at stage two
    EXPECT_EQ(ClearStage(), 120 * (37000 / 300));
}

TEST_F(StageProgressTest, TheFifthClearStartsTheEndingAndStageFourAndFiveSpeedUpTheWaves) {
    StartRun();
    FinishMessages();
    for (int stage = 1; stage <= 4; ++stage) {
        ClearStage();
        FinishMessages();
        if (stage == 3) {
            for (GameObject* d : Globals().decorations)
                EXPECT_EQ(d->vx, -4.0f);
        }
    }
    EXPECT_EQ(Globals().stageNumber, 5);
    EXPECT_EQ(TheBoss().setupFunction, &SetUpBoss5);
    for (GameObject* d : Globals().decorations)
        EXPECT_EQ(d->vx, -6.0f);

    ClearStage();
    EXPECT_EQ(Globals().stageNumber, 6);
    EXPECT_EQ(tessary::Runtime().frameCallback, &EndingStartFrame);
    EXPECT_FALSE(std::filesystem::exists("GameData/HighScore.dat"))
        << "the clear saves nothing; the ending does, as it begins";
}

// A run that ends in the ending keeps a new best score (the player may well quit during the roll),
// and so does one that a missing stage file ends.
TEST_F(StageProgressTest, TheEndingAndAMissingStageFileKeepANewBestScore) {
    LoadHighScore(); // no file: 10000
    EndingStartFrame();
    EXPECT_FALSE(std::filesystem::exists("GameData/HighScore.dat")) << "no new best, no file";
    Globals().highScore = 54321;
    EndingStartFrame();
    std::ifstream in("GameData/HighScore.dat", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, std::string("\xCE\x2B\xFF\xFF", 4)); // the complement of 54321

    Globals().highScore = 60000;
    TheEnemies().LoadStage("GameData\\Stage9.dat");
    EXPECT_EQ(platform::headless::ExitStatus(), -1);
    LoadHighScore();
    EXPECT_EQ(Globals().highScore, 60000);
}

TEST_F(StageProgressTest, AFifthClearDuringGameOverWaitsAndThenRepeatsTheLastBoss) {
    StartRun();
    FinishMessages();
    for (int stage = 1; stage <= 4; ++stage) {
        ClearStage();
        FinishMessages();
    }
    // While the game is over, the in-game frame posts its message every frame.
    const std::string gameOver =
        "GAME OVER...\n\nPress Delete or ESC\nor JoyPad ID1 Button3." + std::string(33, ' ');
    auto gameOverFrame = [&] {
        TheMessages().Post(gameOver.c_str(), 100, 0);
        Frame();
    };
    player().gameOver = 1;
    DefeatBoss();
    StepStageProgress();
    for (int i = 0; i < 300; ++i)
        gameOverFrame();
    EXPECT_EQ(Globals().stageNumber, 6);
    EXPECT_EQ(Globals().stageCleared, 1);
    EXPECT_NE(tessary::Runtime().frameCallback, &EndingStartFrame);

    // The game-over text finishing moves on to a stage beyond the last, with the last boss.
    for (int i = 0; i < 600 && Globals().stageNumber == 6; ++i)
        gameOverFrame();
    EXPECT_EQ(Globals().stageNumber, 7);
    EXPECT_EQ(Globals().stageCleared, 0);
    EXPECT_EQ(TheBoss().setupFunction, &SetUpBoss5);
}

TEST_F(StageProgressTest, EndRunHidesThePlayAndSavesTheHighScore) {
    StartRun();
    TheEnemies().enemies[3].Show();
    TheEnemies().enemies[3].shots[2].Show();
    player().shots[10].Show();
    Globals().highScore = 10000;

    EndRun();

    EXPECT_EQ(TheEnemies().enemies[3].active, 0);
    EXPECT_EQ(TheEnemies().enemies[3].shots[2].active, 0);
    EXPECT_EQ(player().active, 0);
    EXPECT_EQ(player().shots[10].active, 0);
    EXPECT_EQ(game().active, 0);
    EXPECT_EQ(tessary::Runtime().frameCallback, &TitleFrame);
    std::ifstream in("GameData/HighScore.dat", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, std::string("\xEF\xD8\xFF\xFF", 4));
}

} // namespace
} // namespace pelko
