// Pausing a run, through the real start-up and frame loop: while paused no frame runs and the
// last one stays on screen under the sign with the music stopped, and once resumed the run plays
// on exactly as if it had never paused.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "game/flow/game_globals.h"
#include "game/flow/game_start.h"
#include "platform/clock.h"
#include "platform/headless.h"
#include "support/game_digest.h"
#include "support/game_harness.h"

namespace pelko {
namespace {

using testing::GameHarness;
constexpr int kUp = 38, kDown = 40, kSpace = 32, kP = 80;
constexpr uint32_t kLastFrame = 150;
const std::set<int> kNoWaves = {-1};

// The keys of frame n, the same in every run: up and down by turns, firing all along.
void KeysFor(GameHarness& game, uint32_t frame) {
    game.Key(kUp, frame % 40 < 20);
    game.Key(kDown, frame % 40 >= 20);
    game.Key(kSpace, true);
}

void PressP(GameHarness& game) {
    game.Key(kP, true);
    game.Tick();
    game.Key(kP, false);
}

// Paused by P, or by the window losing the focus (and paused still when it comes back), for a
// while; then P goes on.
void PauseForAWhile(GameHarness& game, bool byFocus) {
    const uint32_t frame = TheGame().frameCounter;
    const uint64_t shown = testing::PresentedFrameDigest();
    testing::TakeSoundTrace(kNoWaves);
    if (byFocus) {
        const uint32_t now = platform::TimeGetTime();
        platform::headless::ScheduleMessage(now, {platform::WM_ACTIVATE, platform::WA_INACTIVE, 0});
        platform::headless::ScheduleMessage(now + 5000, {platform::WM_ACTIVATE, 1, 0});
        game.Tick();
    } else {
        PressP(game);
    }
    game.Ticks(20);
    EXPECT_EQ(TheGame().frameCounter, frame) << "a frame ran while paused";
    EXPECT_NE(testing::PresentedFrameDigest(), shown) << "no sign over the frame";
    EXPECT_EQ(testing::TakeSoundTrace(kNoWaves), "stop");
    PressP(game);
    EXPECT_EQ(TheGame().frameCounter, frame);
    EXPECT_EQ(testing::TakeSoundTrace(kNoWaves), "resume");
}

// The state after every frame of play, with pauses after the frames named.
std::vector<uint64_t> PlayFrames(const std::vector<uint32_t>& pauses) {
    GameHarness game;
    EXPECT_TRUE(game.Boot());
    game.StartPlay();
    std::vector<uint64_t> digests;
    while (TheGame().frameCounter < kLastFrame) {
        const uint32_t frame = TheGame().frameCounter;
        for (size_t i = 0; i < pauses.size(); ++i)
            if (pauses[i] == frame) PauseForAWhile(game, i % 2 == 1);
        KeysFor(game, frame + 1);
        game.Tick();
        if (TheGame().frameCounter != frame + 1) {
            ADD_FAILURE() << "frame " << frame << " was followed by " << TheGame().frameCounter;
            break;
        }
        digests.push_back(testing::GameStateDigest());
    }
    return digests;
}

TEST(Pause, ARunPausedAndResumedPlaysOnFromTheFrameItStoppedAt) {
    const std::vector<uint64_t> straight = PlayFrames({});
    EXPECT_EQ(PlayFrames({40, 90}), straight);
}

} // namespace
} // namespace pelko
