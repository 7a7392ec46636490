// The stage file through the whole game: a run's start loads it, the in-game frame shows its
// enemies on schedule, and a run without its file ends the program.
#include <gtest/gtest.h>

#include "game/enemies/enemy_manager.h"
#include "game/flow/game_globals.h"
#include "platform/headless.h"
#include "support/game_harness.h"

namespace pelko::testing {
namespace {

int ShownEnemies() {
    int n = 0;
    for (const Enemy& e : TheEnemies().enemies)
        n += e.active != 0;
    return n;
}

// The frame (of frameCounter) in which the first enemy showed, or -1.
int FirstShowFrame(GameHarness& h, int limit) {
    for (int i = 0; i < limit; ++i) {
        h.Tick();
        if (ShownEnemies() > 0) return static_cast<int>(TheGame().frameCounter);
    }
    return -1;
}

TEST(StageScheduleInPlay, EnemiesComeInOnTheFilesScheduleAtBothRates) {
    for (int fps : {30, 60}) {
        GameFolder folder;
        folder.sounds = false;
        folder.settings = "[PelkoGame]\nFPS=" + std::to_string(fps) + "\n";
        folder.stages[1] = "#one_enemy_after_two_seconds\n"
                           "120 0 0 600 200 -1.0 0 0 0 1 2 90\n&\n";
        GameHarness h(folder);
        ASSERT_TRUE(h.Boot());
        h.StartPlay();
        // An enemy whose spawn frame is -1 never shows, whatever its hit points.
        TheEnemies().enemies[31].hp = 3;
        // 120 sixtieths of a second are frame 60 at 30 fps and frame 120 at 60 fps.
        EXPECT_EQ(FirstShowFrame(h, 4 * fps), fps * 2) << fps;
        const Enemy& first = TheEnemies().enemies[0];
        EXPECT_EQ(first.active, 1);
        // The second follows half a second later (90 / 3 = 30 sixtieths).
        for (int i = 0; i < fps / 2 - 1; ++i)
            h.Tick();
        EXPECT_EQ(ShownEnemies(), 1) << fps;
        h.Tick();
        EXPECT_EQ(ShownEnemies(), 2) << fps;
        EXPECT_TRUE(platform::headless::DebugText().find("Stage") == std::string::npos)
            << platform::headless::DebugText();
        EXPECT_FALSE(platform::headless::ExitStatus().has_value());
    }
}

TEST(StageScheduleInPlay, ARunWithoutItsStageFileEndsTheProgram) {
    GameFolder folder;
    folder.sounds = false;
    folder.shippedStages = false;
    GameHarness h(folder);
    ASSERT_TRUE(h.Boot());
    h.StartPlay();
    ASSERT_FALSE(platform::headless::MessageBoxes().empty());
    EXPECT_EQ(platform::headless::MessageBoxes().back().text, "ERROR");
    EXPECT_EQ(platform::headless::MessageBoxes().back().caption, "StageData Error!");
    EXPECT_EQ(platform::headless::ExitStatus(), -1);
    // Only the test platform comes back; what it leaves behind plays on without enemies.
    h.Ticks(100);
    EXPECT_EQ(ShownEnemies(), 0);
}

} // namespace
} // namespace pelko::testing
