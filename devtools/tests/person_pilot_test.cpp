// The pilot with a person's limits: it acts on what it saw a reaction time ago, never sooner,
// and the same seed plays the same person the same way.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "autopilot/person_pilot.h"
#include "autopilot/stage_trial.h"
#include "game/enemies/enemy_manager.h"
#include "game/flow/game_globals.h"
#include "game/player/player.h"
#include "support/game_harness.h"

namespace pelko::testing {
namespace {

bool Moving() {
    return PlayerAt(0).vx != 0.0f || PlayerAt(0).vy != 0.0f;
}

// One fast enemy comes in on the ship's line after a second; the ship, settled by then, first
// moves a reaction time after the enemy came into sight, plus at most the time to judge its
// motion and one correction step, and gets out of its way.
TEST(PersonPilot, MovesOnlyAReactionTimeAfterAThreatComesIntoSight) {
    for (int fps : {30, 60}) {
        SCOPED_TRACE(fps);
        GameFolder folder;
        folder.sounds = false;
        folder.settings = "[PelkoGame]\nFPS=" + std::to_string(fps) + "\n";
        folder.stages[1] = "#one_fast_enemy_on_the_ships_line\n"
                           "120 0 0 660 220 -8.0 0 0 0 99 1 0\n&\n";
        GameHarness game(folder);
        ASSERT_TRUE(game.Boot());
        game.StartPlay();
        PersonPilot pilot(4);
        const int reaction = pilot.ReactionFrames(fps);
        const Enemy& enemy = TheEnemies().enemies[0];
        uint64_t sighted = 0, moved = 0;
        const int hp = PlayerAt(0).hp;
        for (int i = 0; i < 4 * fps && moved == 0; ++i) {
            const uint64_t tick = game.TickCount() + 1;
            pilot.BeforeTick(game, tick);
            game.Tick();
            if (sighted != 0 && Moving()) moved = tick;
            if (sighted == 0 && enemy.active && enemy.HitBox().left <= 640) {
                sighted = tick + 1; // the next look sees it
                ASSERT_FALSE(Moving()) << "the ship had not settled";
            }
        }
        ASSERT_NE(sighted, 0u);
        ASSERT_NE(moved, 0u) << "the pilot never reacted";
        const int motion = std::max(1, static_cast<int>(std::lround(0.1 * fps)));
        const int step = std::max(1, static_cast<int>(std::lround(0.15 * fps)));
        EXPECT_GE(static_cast<int>(moved - sighted), reaction);
        EXPECT_LE(static_cast<int>(moved - sighted), reaction + motion + step + 1);
        game.Ticks(fps);
        EXPECT_EQ(PlayerAt(0).hp, hp) << "the pilot did not get out of the way";
    }
}

// Every seed is a person of its own, with a reaction time about the published mean; the same
// seed flies a stage the same way every time.
TEST(PersonPilot, TheSameSeedPlaysTheSamePerson) {
    std::set<int> reactions;
    double sum = 0;
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        const int frames = PersonPilot(seed).ReactionFrames(1000); // in milliseconds
        reactions.insert(frames);
        sum += frames;
        EXPECT_GE(frames, 150);
        EXPECT_LE(frames, 400);
    }
    EXPECT_GT(reactions.size(), 10u);
    EXPECT_NEAR(sum / 40, 250, 15);

    auto fly = [](uint32_t seed) {
        PersonPilot pilot(seed);
        return FlyStage(2, 30, false, seed, pilot);
    };
    const StageTrial a = fly(5), b = fly(5);
    EXPECT_EQ(a.hits, b.hits);
    EXPECT_EQ(a.kills, b.kills);
    EXPECT_EQ(a.shotsAtShip, b.shotsAtShip);
    EXPECT_EQ(a.enemiesShown, b.enemiesShown);
    EXPECT_GT(a.kills, 0);
}

} // namespace
} // namespace pelko::testing
