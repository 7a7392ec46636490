// Plays each shipped stage up to its boss warning on the headless platform and prints what
// happened: enemies met and killed, shots fired at the ship, hits taken and lives lost, at 30 and
// 60 fps, normal and hard. Not a test: a measuring tool for tuning the stage files
// (build/devtools/stage_playtest [seeds [stage [person]]]); the autopilot flies unless the third
// argument is "person", which puts the pilot with a person's limits at the keys.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "autopilot/autopilot.h"
#include "autopilot/person_pilot.h"
#include "autopilot/stage_trial.h"

int main(int argc, char** argv) {
    using namespace pelko::testing;
    const int seeds = argc > 1 ? std::atoi(argv[1]) : 3;
    const int onlyStage = argc > 2 ? std::atoi(argv[2]) : 0;
    const bool person = argc > 3 && std::strcmp(argv[3], "person") == 0;
    std::printf(
        "stage fps mode  | enemies kills shots hits (by bodies) lives-lost game-overs peak-shots "
        "(sum of %d seeds)\n",
        seeds);
    for (int stage = 1; stage <= 5; ++stage)
        for (int fps : {30, 60})
            for (bool hard : {false, true}) {
                if (onlyStage != 0 && stage != onlyStage) continue;
                StageTrial sum;
                int overs = 0;
                for (int seed = 1; seed <= seeds; ++seed) {
                    Autopilot autopilot;
                    PersonPilot someone(static_cast<uint32_t>(seed));
                    InputSource& pilot = person ? static_cast<InputSource&>(someone) : autopilot;
                    const StageTrial o =
                        FlyStage(stage, fps, hard, static_cast<uint32_t>(seed), pilot);
                    sum.enemiesShown += o.enemiesShown;
                    sum.kills += o.kills;
                    sum.shotsAtShip += o.shotsAtShip;
                    sum.hits += o.hits;
                    sum.livesLost += o.livesLost;
                    sum.bodyHits += o.bodyHits;
                    sum.peakShots = std::max(sum.peakShots, o.peakShots);
                    overs += o.gameOver;
                }
                std::printf("%5d %3d %-6s| %7d %5d %5d %4d %11d %10d %10d %10d\n", stage, fps,
                            hard ? "hard" : "normal", sum.enemiesShown, sum.kills, sum.shotsAtShip,
                            sum.hits, sum.bodyHits, sum.livesLost, overs, sum.peakShots);
            }
    return 0;
}
