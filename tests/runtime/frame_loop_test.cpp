// The fixed-step frame loop on the headless clock: pacing, catch-up, backlog dropping, callback
// and period switching, and the end on WM_QUIT.
#include <vector>

#include "platform/clock.h"
#include "platform/headless.h"
#include "platform/window.h"
#include "runtime/shell/frame_hold.h"
#include "runtime/shell/frame_loop.h"
#include "support/runtime_fixture.h"

namespace tessary {
namespace {

using platform::headless::AdvanceTime;

// What the test callbacks saw; plain function pointers cannot capture.
std::vector<uint32_t> g_tickTimes;
int g_tickToStall = -1;
uint32_t g_stallMs = 0;
size_t g_ticksBeforeQuit = 0;

void RecordTick() {
    g_tickTimes.push_back(platform::TimeGetTime());
    if (static_cast<int>(g_tickTimes.size()) == g_tickToStall) AdvanceTime(g_stallMs);
    if (g_tickTimes.size() == g_ticksBeforeQuit) platform::PostQuitMessage(0);
}

int RecordingFrame() {
    RecordTick();
    return 1;
}

int SecondFrame() {
    RecordTick();
    return 2;
}

int SwitchingFrame() {
    RecordTick();
    SetFrameCallback(SecondFrame);
    SetFramePeriod(30);
    return 1;
}

// Pauses after its third frame; the first input while paused resumes.
int PausingFrame() {
    RecordTick();
    if (g_tickTimes.size() == 3) PauseFrames();
    return 1;
}

int ResumeOnInput() {
    ResumeFrames();
    return 1;
}

class FrameLoopTest : public testing::RuntimeTest {
  protected:
    void SetUp() override {
        RuntimeTest::SetUp();
        g_tickTimes.clear();
        g_tickToStall = -1;
        g_stallMs = 0;
        g_ticksBeforeQuit = 0;
        Runtime().active = 1;
    }

    std::vector<uint32_t> Run(FrameCallback fn, int period, size_t ticks) {
        g_ticksBeforeQuit = ticks;
        SetFrameCallback(fn);
        SetFramePeriod(period);
        RunFrameLoop();
        return g_tickTimes;
    }
};

TEST_F(FrameLoopTest, TicksFollowThePeriodAndSleepBetween) {
    auto times = Run(RecordingFrame, 10, 4);
    EXPECT_EQ(times, (std::vector<uint32_t>{10, 20, 30, 40}));
    // The quit posted by the fourth frame is seen by the pump of the tick after one more wait.
    EXPECT_EQ(platform::headless::SleptMs(), 50u);
}

TEST_F(FrameLoopTest, ALateTickIsCaughtUpBackToBackThenTheOldScheduleResumes) {
    g_tickToStall = 2; // the tick at 20 takes 25 ms
    g_stallMs = 25;
    auto times = Run(RecordingFrame, 10, 6);
    // Two ticks at once at 45, then one 5 ms later, back on the schedule of 10, 20, 30...
    EXPECT_EQ(times, (std::vector<uint32_t>{10, 20, 45, 45, 50, 60}));
}

TEST_F(FrameLoopTest, ABacklogOfFourPeriodsIsDroppedAndTheScheduleRestarts) {
    g_tickToStall = 2; // the tick at 20 takes 50 ms
    g_stallMs = 50;
    auto times = Run(RecordingFrame, 10, 6);
    // Two ticks at once at 70, then one 10 ms later: the schedule restarts after the long tick.
    EXPECT_EQ(times, (std::vector<uint32_t>{10, 20, 70, 70, 80, 90}));
}

TEST_F(FrameLoopTest, ALagOfExactlyFourPeriodsCountsAsABacklog) {
    g_tickToStall = 1; // the tick at 10 takes 40 ms, so the next one starts 4 periods late
    g_stallMs = 40;
    auto times = Run(RecordingFrame, 10, 5);
    EXPECT_EQ(times, (std::vector<uint32_t>{10, 50, 50, 60, 70}));
}

TEST_F(FrameLoopTest, AResumedGameGoesOnAtItsRateWithoutCatchingUpThePause) {
    SetPausableFrame(PausingFrame, ResumeOnInput);
    platform::headless::ScheduleMessage(500, platform::Message{platform::WM_KEYDOWN, 80, 0});
    auto times = Run(PausingFrame, 10, 6);
    // Nothing runs until the key at 500; the next frame comes a period after it, not at once.
    EXPECT_EQ(times, (std::vector<uint32_t>{10, 20, 30, 510, 520, 530}));
}

TEST_F(FrameLoopTest, ACallbackSwitchesCallbackAndPeriodForTheNextTick) {
    auto times = Run(SwitchingFrame, 10, 3);
    ASSERT_EQ(times.size(), 3u);
    EXPECT_EQ(Runtime().frameCallback, &SecondFrame);
    // The new period of 30 already moved the schedule on after the tick that set it: the next
    // tick waits for it instead of running at once as if hopelessly late.
    EXPECT_EQ(times, (std::vector<uint32_t>{10, 60, 90}));
}

TEST_F(FrameLoopTest, PeriodZeroRunsBackToBackWithoutSleeping) {
    auto times = Run(RecordingFrame, 0, 3);
    EXPECT_EQ(times, (std::vector<uint32_t>{0, 0, 0}));
    EXPECT_EQ(platform::headless::SleptMs(), 0u);
}

TEST_F(FrameLoopTest, PeriodIsClampedToZeroAndFiveHundred) {
    SetFramePeriod(-5);
    EXPECT_EQ(Runtime().framePeriod, 0u);
    SetFramePeriod(900);
    EXPECT_EQ(Runtime().framePeriod, 500u);
    SetFramePeriod(500);
    EXPECT_EQ(Runtime().framePeriod, 500u);
    SetFramePeriod(33);
    EXPECT_EQ(Runtime().framePeriod, 33u);
}

TEST_F(FrameLoopTest, ANullCallbackIsRefusedAndTheOldOneKeepsRunning) {
    ASSERT_EQ(SetFrameCallback(RecordingFrame), 1);
    EXPECT_EQ(SetFrameCallback(nullptr), 0);
    EXPECT_EQ(Runtime().frameCallback, &RecordingFrame);
    g_ticksBeforeQuit = 1;
    EXPECT_EQ(RunTick(), 1);
    EXPECT_EQ(g_tickTimes.size(), 1u);
}

TEST_F(FrameLoopTest, QuitEndsTheLoopBeforeThatTicksCallback) {
    SetFrameCallback(RecordingFrame);
    platform::PostQuitMessage(0);
    platform::PostMessage(platform::WM_PAINT, 0, 0);
    EXPECT_EQ(RunTick(), 0);
    EXPECT_TRUE(g_tickTimes.empty());
    // Messages behind the quit stay in the queue.
    platform::Message m;
    ASSERT_TRUE(platform::PeekMessage(m));
    EXPECT_EQ(m.message, platform::WM_PAINT);
}

TEST_F(FrameLoopTest, QuitKeyCodesOutsideTheKeyTableAreRefused) {
    EXPECT_EQ(SetQuitKey(-1), 0);
    EXPECT_EQ(SetQuitKey(257), 0);
    EXPECT_EQ(SetQuitKey(256), 1);
    EXPECT_EQ(Runtime().quitKey, 256);
    EXPECT_EQ(SetQuitKey(27), 1);
    EXPECT_EQ(Runtime().quitKey, 27);
}

} // namespace
} // namespace tessary
