// When the display paces the frames (refresh, tick rate, VSync -> refreshes per frame), and the
// real loop following the headless platform's simulated display.
#include <vector>

#include "platform/clock.h"
#include "platform/headless.h"
#include "runtime/graphics/display.h"
#include "runtime/shell/entry.h"
#include "runtime/shell/frame_loop.h"
#include "runtime/shell/frame_pacing.h"
#include "support/runtime_fixture.h"

namespace tessary {
namespace {

namespace headless = platform::headless;

TEST(RefreshesPerFrameTest, AWholeMultipleOfTheTickRateWithinFivePercentOfTheRefresh) {
    struct Row {
        double hz;
        uint32_t periodMs;
        bool vsync;
        int refreshes;
    };
    const Row rows[] = {
        // 60 fps is 62.5 ticks a second at 16 ms, 30 fps 30.3 at 33 ms.
        {60, 16, true, 1},
        {120, 16, true, 2},
        {240, 16, true, 4},
        {59.94, 16, true, 1},
        {60, 33, true, 2},
        {90, 33, true, 3},
        {120, 33, true, 4},
        {60, 150, true, 9}, // the logo's period
        // 4.9 % of the refresh off the multiple; 5.1 % off the multiple's own rate.
        {65.7, 16, true, 1},
        // 5.2 % of the refresh off 151.5; only 4.96 % off the multiple's own rate.
        {144, 33, true, 0},
        {144, 16, true, 0},
        {75, 16, true, 0},
        {165, 33, true, 0},
        {30, 16, true, 0}, // slower than the game: no multiple at all
        {60, 16, false, 0},
        {0, 16, true, 0},
        {60, 0, true, 0},
    };
    for (const Row& r : rows)
        EXPECT_EQ(RefreshesPerFrame(r.hz, r.periodMs, r.vsync), r.refreshes)
            << r.hz << " Hz, " << r.periodMs << " ms, VSync " << r.vsync;
}

std::vector<uint64_t> g_ticksUs;
uint32_t g_periodMs = 16;
uint32_t g_periodAfter = 0; // set as the 60th tick runs, when not 0
constexpr size_t kTicks = 120;

int RecordingFrame() {
    g_ticksUs.push_back(platform::TimeMicros());
    headless::AdvanceMicros(2000); // the frame's work
    if (g_ticksUs.size() == 60 && g_periodAfter != 0)
        SetFramePeriod(static_cast<int>(g_periodAfter));
    if (g_ticksUs.size() == kTicks) platform::PostQuitMessage(0);
    return 1;
}

int StartRecording() {
    SetFramePeriod(static_cast<int>(g_periodMs));
    SetVSync(1);
    SetFrameCallback(RecordingFrame);
    return 1;
}

class DisplayPacingTest : public testing::RuntimeTest {
  protected:
    void Run(double hz, uint32_t periodMs) {
        g_ticksUs.clear();
        g_periodMs = periodMs;
        headless::SetDisplayRefresh(hz);
        WinMain(GameEntry{StartRecording, RecordingFrame, nullptr});
        ASSERT_EQ(g_ticksUs.size(), kTicks);
    }
    // Refreshes between the first shown refreshes of consecutive presents, from present k on.
    static std::vector<uint64_t> Held(size_t from, size_t to) {
        const auto& log = headless::PresentLog();
        std::vector<uint64_t> held;
        for (size_t k = from; k + 1 < to && k + 1 < log.size(); ++k)
            held.push_back(log[k + 1].refresh - log[k].refresh);
        return held;
    }
    void SetUp() override {
        RuntimeTest::SetUp();
        g_periodAfter = 0;
    }
};

TEST_F(DisplayPacingTest, SixtyFramesOnSixtyHertzRunAtTheDisplaysRateOneRefreshEach) {
    Run(60, 16);
    EXPECT_EQ(Held(1, kTicks), std::vector<uint64_t>(kTicks - 2, 1));
    // 60.0 ticks a second, not 62.5: 118 refreshes of 1/60 s between the second tick and the last.
    EXPECT_NEAR(static_cast<double>(g_ticksUs.back() - g_ticksUs[1]), 118 * 1e6 / 60, 2);
    EXPECT_EQ(headless::RefreshesPerFrameAsked(), 1);
}

TEST_F(DisplayPacingTest, ThirtyFramesOnOneTwentyHertzAreEachShownForFourRefreshes) {
    Run(120, 33);
    EXPECT_EQ(Held(1, kTicks), std::vector<uint64_t>(kTicks - 2, 4));
    EXPECT_EQ(headless::RefreshesPerFrameAsked(), 4);
}

// The display lets go when the rate is no longer a multiple: the timer's schedule starts from
// the last paced tick, with no burst of ticks to catch up.
TEST_F(DisplayPacingTest, TheTimerTakesOverWhenTheRateStopsBeingAMultiple) {
    g_periodAfter = 20; // 50 ticks a second on 60 Hz
    Run(60, 16);
    EXPECT_EQ(Held(1, 60), std::vector<uint64_t>(58, 1));
    // Within the millisecond the timer counts in; a present waits for the refresh after it.
    for (size_t k = 61; k < kTicks; ++k)
        EXPECT_NEAR(static_cast<double>(g_ticksUs[k] - g_ticksUs[k - 1]), 20000, 1000) << k;
    EXPECT_EQ(headless::RefreshesPerFrameAsked(), 0);
}

} // namespace
} // namespace tessary
