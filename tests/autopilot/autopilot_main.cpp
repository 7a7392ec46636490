// Plays the whole game with the autopilot and prints what it reached: build/tests/autopilot_run
// [fps hard seed]; without arguments all four settings (30 and 60 fps, plain and hard).
#include <cstdio>
#include <cstdlib>

#include "autopilot/autopilot_run.h"

int main(int argc, char** argv) {
    using namespace pelko::testing;
    const uint32_t seed = argc > 3 ? static_cast<uint32_t>(std::atoi(argv[3])) : 1;
    int failures = 0;
    for (int fps : {30, 60})
        for (bool hard : {false, true}) {
            if (argc > 2 && (fps != std::atoi(argv[1]) || hard != (std::atoi(argv[2]) != 0)))
                continue;
            const AutopilotRun run = RunAutopilot(fps, hard, seed);
            std::fputs(FormatAutopilotRun(run).c_str(), stdout);
            std::fflush(stdout);
            failures += !run.staffRoll;
        }
    return failures == 0 ? 0 : 1;
}
