// The autopilot plays the whole game at both frame rates, plain and hard, from the title on, and
// the run must get as far as it is known to get; it prints the lives lost in each stage.
#include <gtest/gtest.h>

#include <cstdio>

#include "autopilot/autopilot_run.h"

namespace pelko::testing {
namespace {

struct Reach {
    int fps;
    bool hard;
    bool staffRoll; // false: the run is only required to reach stage `furthest`
    int furthest;
};

class AutopilotReach : public ::testing::TestWithParam<Reach> {};

TEST_P(AutopilotReach, GetsAsFarAsExpected) {
    const Reach want = GetParam();
    const AutopilotRun run = RunAutopilot(want.fps, want.hard, 1);
    std::fputs(FormatAutopilotRun(run).c_str(), stdout);
    EXPECT_FALSE(run.pressedAttackKeys);
    EXPECT_GE(run.furthestStage(), want.furthest);
    // Every stage before the furthest one was cleared on the way, in order.
    for (int stage = 1; stage < run.furthestStage(); ++stage) {
        EXPECT_TRUE(run.stages[stage].reached) << "stage " << stage;
        EXPECT_TRUE(run.stages[stage].cleared) << "stage " << stage;
    }
    if (want.staffRoll) {
        EXPECT_TRUE(run.staffRoll);
        EXPECT_TRUE(run.stages[5].cleared);
        EXPECT_FALSE(run.gameOver);
    }
}

INSTANTIATE_TEST_SUITE_P(AllSettings, AutopilotReach,
                         ::testing::Values(Reach{30, false, true, 5}, Reach{30, true, true, 5},
                                           Reach{60, false, true, 5}, Reach{60, true, false, 5}),
                         [](const ::testing::TestParamInfo<Reach>& setting) {
                             return std::to_string(setting.param.fps) + "fps" +
                                    (setting.param.hard ? "Hard" : "Plain");
                         });

} // namespace
} // namespace pelko::testing
