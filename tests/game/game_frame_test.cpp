// The frame of play as a whole: the extra-life rule, game over, and replays of whole runs from
// the start-up with scripted keys that must come out the same frame by frame.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "game/flow/game_globals.h"
#include "game/flow/game_start.h"
#include "support/game_digest.h"
#include "support/play_fixture.h"

namespace pelko::testing {
namespace {

TEST_F(PlayTest, AnExtraLifeComesAboveTwentyThousandAndThenEverySixtyThousand) {
    StartRunAt(30);
    P().lives = 3;
    P().scoreValue = 20000;
    ApplyExtraLife();
    EXPECT_EQ(P().lives, 3);
    EXPECT_EQ(Globals().nextExtend, 0);
    P().scoreValue = 20001;
    ApplyExtraLife();
    EXPECT_EQ(P().lives, 4);
    EXPECT_EQ(Globals().nextExtend, 60000);
    ApplyExtraLife();
    EXPECT_EQ(P().lives, 4);
    P().scoreValue = 80001;
    ApplyExtraLife();
    EXPECT_EQ(P().lives, 5);
}

// A score that jumps past two thresholds earns one life per frame.
TEST_F(PlayTest, AtMostOneExtraLifeComesPerFrame) {
    StartRunAt(30);
    P().scoreValue = 90000;
    game->Tick();
    EXPECT_EQ(P().lives, 4);
    EXPECT_EQ(Globals().nextExtend, 60000);
    game->Tick();
    EXPECT_EQ(P().lives, 5);
    EXPECT_EQ(Globals().nextExtend, 120000);
    game->Tick();
    EXPECT_EQ(P().lives, 5);
}

// The thresholds carry over into the next run.
TEST_F(PlayTest, TheExtraLifeScheduleIsNeverReset) {
    StartRunAt(30);
    P().scoreValue = 25000;
    game->Tick();
    ASSERT_EQ(Globals().nextExtend, 60000);
    game->Key(46, true); // Delete ends the run
    game->Tick();
    game->Key(46, false);
    game->StartPlay();
    EXPECT_EQ(P().scoreValue, 0);
    EXPECT_EQ(Globals().nextExtend, 60000);
    P().scoreValue = 25000;
    game->Tick();
    EXPECT_EQ(P().lives, 3);
}

TEST_F(PlayTest, TheFrameCounterAdvancesOncePerFrameOfPlay) {
    StartRunAt(30);
    EXPECT_EQ(Frame(), 0u);
    game->Ticks(7);
    EXPECT_EQ(Frame(), 7u);
}

constexpr int kLeft = 37, kUp = 38, kRight = 39, kDown = 40, kSpace = 32, kX = 88, kZ = 90;

// A player who weaves up and down, fires all the time, and now and then changes and uses the
// special attack.
std::vector<ScriptedInput> WeavingPlayer(int ticks) {
    std::vector<ScriptedInput> script;
    script.push_back({1, kSpace, true});
    for (int t = 1; t < ticks; t += 45) {
        const bool up = (t / 45) % 2 == 0;
        script.push_back({static_cast<uint32_t>(t), up ? kUp : kDown, true});
        script.push_back({static_cast<uint32_t>(t + 30), up ? kUp : kDown, false});
        if ((t / 45) % 3 == 0) {
            script.push_back({static_cast<uint32_t>(t + 5), kRight, true});
            script.push_back({static_cast<uint32_t>(t + 15), kRight, false});
        } else {
            script.push_back({static_cast<uint32_t>(t + 5), kLeft, true});
            script.push_back({static_cast<uint32_t>(t + 12), kLeft, false});
        }
        if ((t / 45) % 7 == 3) {
            script.push_back({static_cast<uint32_t>(t + 20), kX, true});
            script.push_back({static_cast<uint32_t>(t + 22), kX, false});
            script.push_back({static_cast<uint32_t>(t + 24), kZ, true});
            script.push_back({static_cast<uint32_t>(t + 26), kZ, false});
        }
    }
    return script;
}

struct Replay {
    std::vector<uint64_t> digests;
    int score = 0;
    int kills = 0;
    int livesLost = 0;
    bool reachedPlay = false;
};

Replay PlayStageOne(int fps, int frames, uint32_t seed) {
    GameFolder folder;
    folder.settings = "[PelkoGame]\nFPS=" + std::to_string(fps) + "\n";
    folder.seed = seed;
    GameHarness game(folder);
    Replay replay;
    if (!game.Boot()) return replay;
    game.StartPlayFromTitle();
    replay.reachedPlay = game.Screen() == InGameFrame;
    int kills = 0;
    int lastLives = game.Player0().lives;
    game.Play(WeavingPlayer(frames), frames, [&] {
        replay.digests.push_back(GameStateDigest());
        kills = std::max(kills, TheEnemies().killCount);
        if (game.Player0().lives < lastLives) ++replay.livesLost;
        lastLives = game.Player0().lives;
    });
    replay.score = game.Player0().scoreValue;
    replay.kills = kills;
    return replay;
}

void ExpectSameRun(const Replay& a, const Replay& b) {
    ASSERT_EQ(a.digests.size(), b.digests.size());
    for (size_t i = 0; i < a.digests.size(); ++i)
        ASSERT_EQ(a.digests[i], b.digests[i]) << "the runs part at frame " << i + 1;
}

class ReplayTest : public ::testing::TestWithParam<int> {};

TEST_P(ReplayTest, ThreeThousandFramesOfStageOneReplayFrameByFrame) {
    const int fps = GetParam();
    const Replay first = PlayStageOne(fps, 3000, 7);
    ASSERT_TRUE(first.reachedPlay);
    const Replay second = PlayStageOne(fps, 3000, 7);
    ExpectSameRun(first, second);

    // The digest follows the play: it changes from frame to frame, and something was played.
    std::set<uint64_t> distinct(first.digests.begin(), first.digests.end());
    EXPECT_GT(distinct.size(), 2900u);
    EXPECT_GT(first.score, 0);
    EXPECT_GT(first.kills, 0);
}

TEST_P(ReplayTest, AnotherSeedPlaysAnotherGame) {
    const Replay a = PlayStageOne(GetParam(), 600, 7);
    const Replay b = PlayStageOne(GetParam(), 600, 8);
    ASSERT_EQ(a.digests.size(), b.digests.size());
    EXPECT_NE(a.digests.back(), b.digests.back());
}

INSTANTIATE_TEST_SUITE_P(AtBothRates, ReplayTest, ::testing::Values(30, 60));

} // namespace
} // namespace pelko::testing
