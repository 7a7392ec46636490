// A whole run from the start of the program: logo, title, five stages with their bosses, the time
// bonus of every clear, the ending, the staff roll and back to the title. The player is kept
// behind a barrier, and each boss, once it has fought for a while (the last one also with the
// attack that only its key starts), is finished off by shots put on its parts with its hit
// points lowered to one.
#include <gtest/gtest.h>

#include <set>

#include "game/enemies/boss.h"
#include "game/flow/game_globals.h"
#include "game/flow/game_start.h"
#include "game/flow/screens.h"
#include "game/player/high_score.h"
#include "game/player/player.h"
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
    GameHarness game;
    ASSERT_TRUE(game.Boot());
    game.StartPlayFromTitle();
    ASSERT_EQ(game.Screen(), &InGameFrame);

    GameGlobals& g = Globals();
    Player& player = PlayerAt(0);
    std::set<int> stagesWithBoss, stagesCleared;
    std::set<void (*)(Boss&)> bossesMet;
    std::set<int> attackPhasesSeen;
    int bossFrames = 0;
    int bonusFrames = 0;

    for (int frame = 0; frame < 30000 && game.Screen() == &InGameFrame; ++frame) {
        player.barrier = 1;
        player.barrierStart = static_cast<int32_t>(TheGame().frameCounter);
        const int stage = g.stageNumber;
        game.Tick();
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

    // The ending, the roll and the dissolve back to the title.
    ASSERT_EQ(game.Screen(), &EndingStartFrame);
    game.Tick();
    ASSERT_EQ(game.Screen(), &StaffRollFrame);
    ASSERT_TRUE(game.TickUntilScreen(&StaffRollEndFrame, 2200));
    ASSERT_TRUE(game.TickUntilScreen(&TitleFrame, 30));
    // The new best was saved as the ending began: quitting now loses nothing.
    const int32_t best = g.highScore;
    ASSERT_GT(best, 10000);
    LoadHighScore();
    EXPECT_EQ(g.highScore, best);
}

} // namespace
} // namespace pelko
