// Plays the whole game with the autopilot and prints what it reached.
//   build/devtools/autopilot_run                  all four settings (30 and 60 fps, plain and hard)
//   build/devtools/autopilot_run fps hard [seed]  one setting, e.g. 60 1 3
//   build/devtools/autopilot_run sweep [first last]
//       the four settings over the seeds first..last (1..8 unless given): per setting how many
//       runs reached the staff roll, the mean lives lost, hits taken and tight spots in each
//       stage, and the seconds a run took
//   build/devtools/autopilot_run people [first last]
//       each stage's minute up to its boss warning, flown from a fresh ship by the pilot with a
//       person's limits, seeds first..last (1..40 unless given), in the four settings: the mean
//       lives lost and hits taken per stage, and the seconds the setting took
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "autopilot/autopilot_run.h"
#include "autopilot/person_pilot.h"
#include "autopilot/stage_trial.h"

namespace {

using namespace pelko::testing;

int Sweep(uint32_t first, uint32_t last) {
    int failures = 0;
    std::printf("seeds %u..%u: runs that reached the staff roll; the mean per run, stage by stage "
                "(1..5), of the lives lost, the hits taken and the tight spots (frames in which "
                "the pilot found no plan free of hits)\n",
                first, last);
    for (int fps : {30, 60})
        for (bool hard : {false, true}) {
            int reached = 0, runs = 0;
            double lost[6] = {}, hits[6] = {}, tight[6] = {};
            const auto began = std::chrono::steady_clock::now();
            for (uint32_t seed = first; seed <= last; ++seed) {
                const AutopilotRun run = RunAutopilot(fps, hard, seed);
                ++runs;
                reached += run.staffRoll;
                std::fprintf(stderr, "  %d fps %s seed %u: %s, stage %d, lives lost", fps,
                             hard ? "hard" : "plain", seed,
                             run.staffRoll ? "staff roll" : "game over", run.furthestStage());
                for (int s = 1; s <= 5; ++s) {
                    lost[s] += run.stages[s].livesLost;
                    hits[s] += run.stages[s].hits;
                    tight[s] += run.stages[s].tightSpots;
                    std::fprintf(stderr, " %d", run.stages[s].livesLost);
                }
                std::fprintf(stderr, "\n");
            }
            failures += runs - reached;
            const double seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
            std::printf("%2d fps %-5s %2d of %2d  lives lost", fps, hard ? "hard" : "plain",
                        reached, runs);
            for (int s = 1; s <= 5; ++s)
                std::printf(" %4.2f", lost[s] / runs);
            std::printf("  hits");
            for (int s = 1; s <= 5; ++s)
                std::printf(" %4.2f", hits[s] / runs);
            std::printf("  tight spots");
            for (int s = 1; s <= 5; ++s)
                std::printf(" %.0f", tight[s] / runs);
            std::printf("  (%.1f s a run)\n", seconds / runs);
            std::fflush(stdout);
        }
    return failures == 0 ? 0 : 1;
}

int People(uint32_t first, uint32_t last) {
    std::printf("the pilot with a person's limits, each stage from a fresh ship up to its boss "
                "warning, seeds %u..%u (%u runs a stage): the mean lives lost and hits taken, "
                "stage by stage (1..5)\n",
                first, last, last - first + 1);
    for (int fps : {30, 60})
        for (bool hard : {false, true}) {
            double lost[6] = {}, hits[6] = {};
            const auto began = std::chrono::steady_clock::now();
            for (int stage = 1; stage <= 5; ++stage)
                for (uint32_t seed = first; seed <= last; ++seed) {
                    PersonPilot pilot(seed);
                    const StageTrial trial = FlyStage(stage, fps, hard, seed, pilot);
                    lost[stage] += trial.livesLost;
                    hits[stage] += trial.hits;
                }
            const double runs = last - first + 1;
            const double seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
            std::printf("%2d fps %-5s  lives lost", fps, hard ? "hard" : "plain");
            for (int s = 1; s <= 5; ++s)
                std::printf(" %4.2f", lost[s] / runs);
            std::printf("  hits");
            for (int s = 1; s <= 5; ++s)
                std::printf(" %5.2f", hits[s] / runs);
            std::printf("  (%.0f s)\n", seconds);
            std::fflush(stdout);
        }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "sweep") == 0) {
        const uint32_t first = argc > 2 ? static_cast<uint32_t>(std::atoi(argv[2])) : 1;
        const uint32_t last = argc > 3 ? static_cast<uint32_t>(std::atoi(argv[3])) : first + 7;
        return Sweep(first, last);
    }
    if (argc > 1 && std::strcmp(argv[1], "people") == 0) {
        const uint32_t first = argc > 2 ? static_cast<uint32_t>(std::atoi(argv[2])) : 1;
        const uint32_t last = argc > 3 ? static_cast<uint32_t>(std::atoi(argv[3])) : first + 39;
        return People(first, last);
    }
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
