// Pausing a run through the real start-up and frame loop: while paused, by P or by the window
// losing the focus, no frame runs, the sign covers the last one and the music stops; resumed, the
// run plays on exactly as if it had never paused.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "game/flow/game_globals.h"
#include "platform/clock.h"
#include "platform/headless.h"
#include "support/game_digest.h"
#include "support/game_harness.h"

namespace pelko {
namespace {

using testing::GameHarness;
constexpr int kUp = 38, kDown = 40, kSpace = 32, kP = 80;
const std::set<int> kMusicOnly = {-1};

void PressP(GameHarness& game) {
    game.Key(kP, true);
    game.Tick();
    game.Key(kP, false);
}

void PauseForAWhile(GameHarness& game, bool byFocus) {
    const uint32_t frame = TheGame().frameCounter;
    const uint64_t shown = testing::PresentedFrameDigest();
    testing::TakeSoundTrace(kMusicOnly);
    if (byFocus) { // lost, and back 5 s later: still paused
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
    PressP(game);
    EXPECT_EQ(TheGame().frameCounter, frame);
    EXPECT_EQ(testing::TakeSoundTrace(kMusicOnly), "stop resume");
}

// The state after each of 150 frames of play, with pauses after the frames named; every frame
// has its own keys, up and down by turns, firing all along.
std::vector<uint64_t> PlayFrames(const std::vector<uint32_t>& pauses) {
    GameHarness game;
    EXPECT_TRUE(game.Boot());
    game.StartPlay();
    std::vector<uint64_t> digests;
    for (uint32_t frame = 0; frame < 150 && TheGame().frameCounter == frame; ++frame) {
        for (size_t i = 0; i < pauses.size(); ++i)
            if (pauses[i] == frame) PauseForAWhile(game, i % 2 == 1);
        game.Key(kUp, frame % 40 < 20);
        game.Key(kDown, frame % 40 >= 20);
        game.Key(kSpace, true);
        game.Tick();
        digests.push_back(testing::GameStateDigest());
    }
    return digests;
}

TEST(Pause, ARunPausedAndResumedPlaysOnFromTheFrameItStoppedAt) {
    EXPECT_EQ(PlayFrames({40, 90}), PlayFrames({}));
}

} // namespace
} // namespace pelko
