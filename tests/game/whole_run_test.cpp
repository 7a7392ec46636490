// A whole run from the start of the program: logo, title, five stages with their bosses, the time
// bonus of every clear, the ending, the staff roll and back to the title. The player is kept
// behind a barrier, and each boss, once it has fought for a while (the last one also with the
// attack that only its key starts), is finished off by shots put on its parts with its hit
// points lowered to one.
#include <gtest/gtest.h>

#include <set>

#include "game/enemies/boss.h"
#include "game/flow/game_globals.h"
#include "game/flow/game_keys.h"
#include "game/flow/game_start.h"
#include "game/flow/screens.h"
#include "game/player/high_score.h"
#include "game/player/player.h"
#include "platform/headless.h"
#include "runtime/sound/music.h"
#include "support/game_harness.h"

namespace pelko {
namespace {

using testing::GameHarness;

constexpr int kBossFightFrames = 1500;
constexpr int kKeyFive = '5';

// Puts a strong shot on the middle of every part of the boss.
void ShootEveryPart() {
    Boss& boss = TheBoss();
    boss.hp = 1;
    Player& p = PlayerAt(0);
    for (int i = 0; i < kBossParts; ++i) {
        const GameObject& part = boss.parts[i];
        Shot& shot = p.shots[kPlayerShotSlots - 1 - i];
        shot.Show();
        shot.hp = 50;
        shot.SetVelocityX(0);
        shot.SetVelocityY(0);
        shot.SetPosition(part.x + part.frameWidth / 2.0f, part.y + part.frameHeight / 2.0f);
    }
}

TEST(WholeRunTest, FromTheLogoThroughFiveStagesAndTheStaffRollBackToTheTitle) {
    testing::GameFolder folder;
    folder.settings = "[PelkoGame]\nWaveVolume=50\n";
    GameHarness game(folder);
    ASSERT_TRUE(game.Boot());
    game.StartPlayFromTitle();
    ASSERT_EQ(game.Screen(), &InGameFrame);
    // Space ends the logo's music; the run opens with the stage music.
    EXPECT_EQ(testing::TakeSoundTrace(), "open LOGO.mid play stop close open BGM1.mid play");

    GameGlobals& g = Globals();
    Player& player = PlayerAt(0);
    std::set<int> stagesWithBoss, stagesCleared;
    std::set<void (*)(Boss&)> bossesMet;
    std::set<int> attackPhasesSeen;
    int bossFrames = 0;
    int bonusFrames = 0;
    bool musicLoops = true;

    for (int frame = 0; frame < 30000 && game.Screen() == &InGameFrame; ++frame) {
        player.barrier = 1;
        player.barrierStart = static_cast<int32_t>(TheGame().frameCounter);
        const int stage = g.stageNumber;
        game.Tick();
        musicLoops = musicLoops && (tessary::TheMusic().open == 0 || tessary::TheMusic().loop == 1);
        if (g.bossPhase == 1 && g.stageCleared == 0) {
            stagesWithBoss.insert(stage);
            bossesMet.insert(TheBoss().setupFunction);
            for (int f = 0; f < kBossAttackFlags; ++f)
                if (TheBoss().attackFlags[f] != 0) attackPhasesSeen.insert(f);
            // No script starts the fifth attack; its key does, in the last fight.
            if (stage == 5 && bossFrames == 300) game.Key(kKeyFive, true);
            if (stage == 5 && bossFrames == 302) game.Key(kKeyFive, false);
            if (++bossFrames == kBossFightFrames) {
                ShootEveryPart();
            }
        }
        if (g.stageCleared != 0) {
            ++bonusFrames;
            stagesCleared.insert(stage);
            bossFrames = 0;
        }
        ASSERT_LE(bossFrames, kBossFightFrames + 2) << "the boss of stage " << stage << " lives on";
    }

    EXPECT_EQ(stagesWithBoss, (std::set<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(stagesCleared, (std::set<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(bossesMet, (std::set<void (*)(Boss&)>{&SetUpBoss1, &SetUpBoss2, &SetUpBoss3,
                                                    &SetUpBoss4, &SetUpBoss5}));
    // Every phase of the attacks came up while the bosses fought.
    EXPECT_EQ(attackPhasesSeen, (std::set<int>{kWave, kWall, kGather, kFan, kSweep, kSpray}));
    EXPECT_GE(bonusFrames, 5 * 120);
    EXPECT_GT(player.scoreValue, 0);
    EXPECT_GE(g.highScore, player.scoreValue);

    // Every sound at the volume of the settings; every piece of music looping. Each stage: the
    // warning changes the music and sounds once, the defeat stops the music and sounds, and the
    // next stage has its music again.
    std::set<int32_t> volumes;
    for (const platform::headless::SoundCall& c : platform::headless::SoundCalls())
        if (c.kind == platform::headless::SoundCall::Kind::Wave) volumes.insert(c.volume);
    EXPECT_EQ(volumes, std::set<int32_t>{-2499});
    EXPECT_TRUE(musicLoops);
    std::string stages;
    for (int stage = 1; stage <= 5; ++stage) {
        stages += std::string(stage > 1 ? " open BGM1.mid play " : "") +
                  "stop close open BGM2.mid play w6 stop close w2";
    }
    EXPECT_EQ(testing::TakeSoundTrace({2, 6}), stages);

    // The ending, the roll and the dissolve back to the title.
    ASSERT_EQ(game.Screen(), &EndingStartFrame);
    game.Tick();
    ASSERT_EQ(game.Screen(), &StaffRollFrame);
    ASSERT_TRUE(game.TickUntilScreen(&StaffRollEndFrame, 2200));
    ASSERT_TRUE(game.TickUntilScreen(&TitleFrame, 30));
    EXPECT_EQ(testing::TakeSoundTrace(), "open BGM1.mid play stop close"); // the roll's music
    EXPECT_EQ(tessary::TheMusic().open, 0);
    // The new best was saved as the ending began: quitting now loses nothing.
    const int32_t best = g.highScore;
    ASSERT_GT(best, 10000);
    LoadHighScore();
    EXPECT_EQ(g.highScore, best);
}

// A run ended with Delete from the title on: the music closes and the best score the HUD
// showed is the one saved.
TEST(WholeRunTest, DeleteEndsARunClosingItsMusicAndSavingTheHighScoreShown) {
    testing::GameFolder folder;
    folder.stages[1] = "&\n";
    folder.storedHighScore = ~5u; // a best score of 5
    GameHarness game(folder);
    ASSERT_TRUE(game.Boot());
    game.StartPlayFromTitle();
    game.Ticks(10);
    PlayerAt(0).scoreValue = 1234;
    game.Tick();
    EXPECT_EQ(Globals().highScore, 1234);
    testing::TakeSoundTrace();
    game.Key(kVkDelete, true);
    game.Tick();
    EXPECT_EQ(game.Screen(), &TitleFrame);
    EXPECT_EQ(testing::TakeSoundTrace(), "stop close");
    const uint32_t saved = ~1234u;
    EXPECT_EQ(game.ReadFile("GameData\\HighScore.dat"),
              std::string(reinterpret_cast<const char*>(&saved), 4));
}

} // namespace
} // namespace pelko
