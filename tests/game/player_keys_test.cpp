// The player's keys as [Pelko] names them: the reading rules, and the screens and controls of a
// whole game following keys the player chose.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "game/flow/game_globals.h"
#include "game/flow/game_start.h"
#include "game/flow/player_keys.h"
#include "game/flow/screens.h"
#include "game/player/player.h"
#include "platform/headless.h"
#include "platform/virtual_keys.h"
#include "support/play_fixture.h"

namespace pelko {
namespace {

using namespace platform;
using testing::GameHarness;

TEST(PlayerKeys, NamesReadWithoutCaseAndAnUnusableOneGivesTheDefaultWithOneLine) {
    const struct {
        const char* pelko;
        std::map<Action, int> keys; // the actions not on their defaults
        size_t lines;
    } cases[] = {
        {"KeyFire = \"left shift\"\nKEYBRAKE=pageup\nKeyUp=w\n",
         {{Action::Fire, 160}, {Action::Brake, 33}, {Action::Up, 'W'}},
         0},
        // No key, an empty value, the quit key, a boss attack's, the screenshot's.
        {"KeyFire=Nope\nKeyBrake=\nKeySpecial=Escape\nKeyNextSpecial=3\nKeyUp=F12\n", {}, 5},
        {"KeyFire=Z\n", {}, 1}, // special's default key
        {"KeyFire=Return\nKeyBrake=Space\n",
         {{Action::Fire, kVkReturn}, {Action::Brake, kVkSpace}},
         0},
        {"KeyFire=Q\nKeyBrake=Q\n", {}, 2},
        // Fire and brake go back to their defaults, and then Space is up's no longer.
        {"KeyUp=Space\nKeyFire=A\nKeyBrake=A\n", {}, 3},
    };
    for (const auto& c : cases) {
        const size_t before = headless::DebugLines().size();
        const PlayerKeys keys = ReadPlayerKeys(std::string("[Pelko]\n") + c.pelko);
        for (const ActionKey& k : kActionKeys) {
            const auto chosen = c.keys.find(k.action);
            EXPECT_EQ(keys.Key(k.action), chosen != c.keys.end() ? chosen->second : k.defaultKey)
                << c.pelko << k.iniKey;
        }
        EXPECT_EQ(headless::DebugLines().size() - before, c.lines) << c.pelko;
    }
}

// F1 and Pause do their actions beside the defaults Delete and P, and only while they do.
TEST(PlayerKeys, ASecondKeyGoesWithItsActionsDefaultAndYieldsToAnotherAction) {
    const PlayerKeys defaults;
    EXPECT_EQ(defaults.SecondKey(Action::EndRun), kVkF1);
    EXPECT_EQ(defaults.SecondKey(Action::Pause), kVkPause);
    EXPECT_EQ(defaults.SecondKey(Action::Fire), 0);
    const PlayerKeys chosen = ReadPlayerKeys("[Pelko]\nKeyFire=F1\nKeyPause=O\n");
    EXPECT_EQ(chosen.Key(Action::Fire), kVkF1);
    EXPECT_EQ(chosen.SecondKey(Action::EndRun), 0);
    EXPECT_EQ(chosen.SecondKey(Action::Pause), 0);
    // Refusals name the holder; a key may go back to its own action.
    EXPECT_EQ(WhyNotBind(chosen, Action::Brake, kVkF1).holder, Action::Fire);
    EXPECT_EQ(WhyNotBind(chosen, Action::Brake, kVkF1).kind, Refusal::Taken);
    EXPECT_EQ(WhyNotBind(chosen, Action::Fire, kVkF1).kind, Refusal::None);
    EXPECT_EQ(WhyNotBind(chosen, Action::Fire, kVkF4).keptFor, KeptFor::HardMode);
    EXPECT_EQ(WhyNotBind(chosen, Action::Fire, 0xE8).kind, Refusal::NoName);
}

class ChosenKeys : public testing::PlayTest {
  protected:
    void Boot(const char* pelko) {
        testing::GameFolder folder;
        folder.settings = std::string("[Pelko]\n") + pelko;
        StartGame(std::move(folder));
    }
    void Tap(int vk) {
        game->Key(vk, true);
        game->Tick();
        game->Key(vk, false);
        game->Ticks(2);
    }
};

TEST_F(ChosenKeys, ARemappedFireKeyStartsAndFiresAndTheOldOneNoLongerDoes) {
    Boot("KeyFire=A\nKeyBrake=Space\n");
    ASSERT_TRUE(game->TickUntilScreen(TitleFrame, 200));
    Tap(kVkSpace);
    EXPECT_EQ(game->Screen(), &TitleFrame);
    Tap('A');
    ASSERT_EQ(game->Screen(), &InGameFrame);
    game->Key(kVkSpace, true);
    game->Ticks(30);
    EXPECT_EQ(PlayerAt(0).lastShotFrame, 0) << "Space still fires";
    game->Key(kVkSpace, false);
    game->Key('A', true);
    game->Ticks(10);
    EXPECT_GT(PlayerAt(0).lastShotFrame, 0) << "A does not fire";
}

TEST_F(ChosenKeys, PauseAndTheEndOfARunFollowTheirKeysAndTheSignNamesThem) {
    Boot("KeyPause=Q\nKeyEndRun=F1\n");
    game->StartPlay();
    for (int oldKey : {kVkP, kVkPause, kVkDelete}) {
        const uint32_t frame = TheGame().frameCounter;
        Tap(oldKey);
        EXPECT_EQ(game->Screen(), &InGameFrame) << oldKey;
        EXPECT_GT(TheGame().frameCounter, frame) << oldKey << " paused play";
    }
    Tap('Q');
    const uint32_t frame = TheGame().frameCounter;
    game->Ticks(5);
    EXPECT_EQ(TheGame().frameCounter, frame) << "Q did not pause";
    EXPECT_EQ(Globals().pausedKeysLine,
              "Q or Start: go on     F1 or Back: end the run     Esc: quit");
    Tap(kVkDelete);
    EXPECT_EQ(game->Screen(), &InGameFrame);
    Tap(kVkF1);
    EXPECT_EQ(game->Screen(), &TitleFrame);
}

} // namespace
} // namespace pelko
