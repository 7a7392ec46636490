// The replay driver on the whole game: what it records of stages and screens, that its sections
// follow the state they name, and that a computed input can steer the game.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "game/enemies/boss.h"
#include "game/enemies/enemy_manager.h"
#include "game/flow/game_globals.h"
#include "game/flow/game_start.h"
#include "game/player/player.h"
#include "game/player/player_controls.h"
#include "replay/replay_scenarios.h"
#include "support/game_digest.h"

namespace pelko::testing {
namespace {

GameFolder ThirtyFps() {
    GameFolder folder;
    folder.settings = "[PelkoGame]\nFPS=30\n";
    folder.sounds = false;
    return folder;
}

TEST(ReplayDriverTest, RecordsTheScreensTheStageAndASampleEveryThirtyTicks) {
    ScriptedInputSource input(WeaveFromTheTitle(400, false));
    ReplayDriver driver(ThirtyFps(), input);
    const ReplayResult result = driver.Run(400);
    ASSERT_TRUE(result.booted);
    EXPECT_EQ(result.ticks, 400u);
    ASSERT_EQ(result.screens.size(), 3u) << FormatReplayReport(result);
    EXPECT_EQ(result.screens[0].name, "Logo");
    EXPECT_EQ(result.screens[1].name, "Title");
    EXPECT_EQ(result.screens[2].name, "InGame");
    ASSERT_EQ(result.stages.size(), 1u);
    EXPECT_EQ(result.stages[0].stage, 1);
    EXPECT_EQ(result.stages[0].reachedTick, result.screens[2].tick);
    EXPECT_FALSE(result.stages[0].cleared);
    ASSERT_EQ(result.samples.size(), 13u);
    EXPECT_EQ(result.samples[0].tick, 30u);
    EXPECT_EQ(result.samples.back().tick, 390u);
    std::set<uint64_t> distinct;
    for (const ReplaySample& s : result.samples)
        distinct.insert(s.digest);
    EXPECT_EQ(distinct.size(), result.samples.size()) << "each sample is of another moment";
    EXPECT_EQ(result.samples.back().screen, "InGame");
    const std::string report = FormatReplayReport(result);
    EXPECT_NE(report.find("stage 1: reached at tick"), std::string::npos) << report;
    EXPECT_NE(report.find("stage 2: not reached"), std::string::npos) << report;
    EXPECT_NE(report.find("screens: Logo@1 Title@"), std::string::npos) << report;
}

// Each section digest moves with the state it names and with none other.
TEST(ReplayDriverTest, ASectionChangesWithItsOwnStateOnly) {
    ScriptedInputSource input(WeaveFromTheTitle(100, false));
    ReplayDriver driver(ThirtyFps(), input);
    driver.OnEachTick([](GameHarness& game, const ReplayResult& r) {
        if (r.ticks < 100) return true;
        auto changedBy = [](auto change) {
            const std::vector<StateSection> before = GameStateSections();
            const uint64_t whole = GameStateDigest();
            change();
            const std::vector<StateSection> after = GameStateSections();
            EXPECT_NE(GameStateDigest(), whole);
            std::vector<std::string> names;
            for (size_t i = 0; i < before.size(); ++i)
                if (before[i].digest != after[i].digest) names.push_back(before[i].name);
            return names;
        };
        EXPECT_EQ(changedBy([] { PlayerAt(0).lives += 1; }), std::vector<std::string>{"player 1"});
        EXPECT_EQ(changedBy([] { PlayerAt(0).shots[3].x += 1; }),
                  std::vector<std::string>{"player 1 shots"});
        EXPECT_EQ(changedBy([] { TheBoss().shots[127].y += 1; }),
                  std::vector<std::string>{"boss shots"});
        EXPECT_EQ(changedBy([] { TheEnemies().enemies[5].shots[1].vx += 1; }),
                  std::vector<std::string>{"enemy shots"});
        EXPECT_EQ(changedBy([] { TheEnemies().enemies[5].hp += 1; }),
                  std::vector<std::string>{"enemies"});
        EXPECT_EQ(changedBy([] { Globals().stageNumber += 1; }), std::vector<std::string>{"run"});
        (void)game;
        return false;
    });
    ASSERT_TRUE(driver.Run(1000).booted);
}

// An input that decides from what it sees: hold up until the ship is near the top.
class ClimbToTheTop : public InputSource {
  public:
    void BeforeTick(GameHarness& game, uint64_t tick) override {
        if (tick == 3) game.Key(kVkSpace, true);
        if (tick == 6) game.Key(kVkSpace, false);
        if (tick == 20) game.Key(kVkSpace, true);
        if (game.Screen() == InGameFrame) game.Key(kVkUp, PlayerAt(0).y > 150);
    }
};

TEST(ReplayDriverTest, AComputedInputSteersTheRealGame) {
    ClimbToTheTop input;
    ReplayDriver driver(ThirtyFps(), input);
    float lowest = 0, highest = 1e9f;
    driver.OnEachTick([&](GameHarness& game, const ReplayResult& r) {
        if (game.Screen() == InGameFrame && r.ticks > 100) {
            lowest = std::max(lowest, PlayerAt(0).y);
            highest = std::min(highest, PlayerAt(0).y);
        }
        return true;
    });
    ASSERT_TRUE(driver.Run(300).booted);
    EXPECT_LE(lowest, 150.0f);
    EXPECT_GT(highest, 120.0f) << "it stops climbing once it is up";
}

} // namespace
} // namespace pelko::testing

namespace pelko::testing {
namespace {

// The soak's input goes through the title, waits there for the demo, leaves it with a key, starts
// a run, ends it with F1 once it is over, and is back on the title for the next round.
// Enemies from the right at the ship's height, so that a run is over soon.
GameFolder DeadlyFirstStage() {
    GameFolder folder = ThirtyFps();
    folder.stages[1] = "#many\n";
    for (int i = 0; i < 60; ++i)
        folder.stages[1] += std::to_string(30 + i * 20) + " 0 1 660 " +
                            std::to_string(100 + (i * 53) % 300) + " -4.0 0 0 0 1 1 30\n";
    folder.stages[1] += "&\n";
    return folder;
}

TEST(AttractAndPlayInputTest, GoesRoundTheTitleTheDemoAndARun) {
    AttractAndPlayInput input;
    ReplayDriver driver(DeadlyFirstStage(), input);
    int titlesAfterPlay = 0;
    driver.OnEachTick([&](GameHarness&, const ReplayResult& r) {
        const size_t n = r.screens.size();
        if (n >= 2 && r.screens[n - 1].name == "Title" && r.screens[n - 2].name == "InGame" &&
            r.screens[n - 1].tick == r.ticks)
            ++titlesAfterPlay;
        return titlesAfterPlay < 1;
    });
    const ReplayResult result = driver.Run(20000);
    ASSERT_TRUE(result.booted);
    std::vector<std::string> names;
    for (const ScreenVisit& v : result.screens)
        names.push_back(v.name);
    EXPECT_EQ(names,
              (std::vector<std::string>{"Logo", "Title", "Demo", "Title", "InGame", "Title"}))
        << FormatReplayReport(result);
    ASSERT_EQ(result.stages.size(), 1u);
    EXPECT_LT(result.stages[0].lives, 0) << "the run ended in a game over";
}

} // namespace
} // namespace pelko::testing

namespace pelko::testing {
namespace {

// A pilot that counts the ticks it is asked about and holds the fire key while in play.
class CountingPilot : public InputSource {
  public:
    explicit CountingPilot(int* ticks) : ticks_(ticks) {}
    void BeforeTick(GameHarness& game, uint64_t) override {
        ++*ticks_;
        game.Key(kVkSpace, game.Screen() == InGameFrame && PlayerAt(0).gameOver == 0);
    }

  private:
    int* ticks_;
};

// A piloted run: hard mode switched on at the title, the pilot asked on every tick, and the
// replay over once the game is back on the title after the game over.
TEST(PilotedRunInputTest, PlaysOneHardRunAndFinishesBackOnTheTitle) {
    int asked = 0;
    PilotedRunInput input(std::make_unique<CountingPilot>(&asked), true);
    ReplayDriver driver(DeadlyFirstStage(), input);
    bool hard = false;
    driver.OnEachTick([&](GameHarness& game, const ReplayResult&) {
        hard = hard || (game.Screen() == InGameFrame && Globals().hardMode != 0);
        return true;
    });
    const ReplayResult result = driver.Run(20000);
    ASSERT_TRUE(result.booted);
    EXPECT_TRUE(input.Finished());
    EXPECT_LT(result.ticks, 20000u);
    EXPECT_EQ(asked, static_cast<int>(result.ticks));
    std::vector<std::string> names;
    for (const ScreenVisit& v : result.screens)
        names.push_back(v.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Logo", "Title", "InGame", "Title"}))
        << FormatReplayReport(result);
    EXPECT_TRUE(hard);
    ASSERT_EQ(result.stages.size(), 1u);
    EXPECT_LT(result.stages[0].lives, 0);
}

} // namespace
} // namespace pelko::testing
