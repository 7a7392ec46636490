// The autopilot plays the whole game at both frame rates, plain and hard, from the title on, and
// every run must reach the staff roll; it prints the lives lost and hits taken in each stage.
#include <gtest/gtest.h>

#include <cstdio>

#include "autopilot/autopilot_run.h"

namespace pelko::testing {
namespace {

struct Setting {
    int fps;
    bool hard;
};

class AutopilotReach : public ::testing::TestWithParam<Setting> {};

// Every stage cleared in order, the staff roll reached, and never a key that starts an attack.
TEST_P(AutopilotReach, ClearsEveryStageToTheStaffRoll) {
    const Setting want = GetParam();
    const AutopilotRun run = RunAutopilot(want.fps, want.hard, 1);
    std::fputs(FormatAutopilotRun(run).c_str(), stdout);
    EXPECT_FALSE(run.pressedAttackKeys);
    for (int stage = 1; stage <= 5; ++stage) {
        EXPECT_TRUE(run.stages[stage].reached) << "stage " << stage;
        EXPECT_TRUE(run.stages[stage].cleared) << "stage " << stage;
        if (stage > 1) {
            EXPECT_GT(run.stages[stage].clearedFrame, run.stages[stage - 1].clearedFrame)
                << "stage " << stage;
        }
    }
    EXPECT_TRUE(run.staffRoll);
    EXPECT_FALSE(run.gameOver);
}

INSTANTIATE_TEST_SUITE_P(AllSettings, AutopilotReach,
                         ::testing::Values(Setting{30, false}, Setting{30, true},
                                           Setting{60, false}, Setting{60, true}),
                         [](const ::testing::TestParamInfo<Setting>& setting) {
                             return std::to_string(setting.param.fps) + "fps" +
                                    (setting.param.hard ? "Hard" : "Plain");
                         });

} // namespace
} // namespace pelko::testing
