// One stage's regular minute, from its start to its boss warning, flown by any pilot on the
// headless platform: the stage's file is played in the first stage's place, so every stage
// starts with a fresh ship (power 1, speed 5, three points, three spare lives).
#pragma once
#include <cstdint>

#include "replay/replay_driver.h"

namespace pelko::testing {

struct StageTrial {
    int enemiesShown = 0, kills = 0, shotsAtShip = 0, hits = 0, livesLost = 0, bodyHits = 0;
    int peakShots = 0;
    bool gameOver = false;
};

// The shipped file of the stage (1..5), at fps, plain or hard, with the game's random generator
// seeded with `seed`. PLAYTEST_VERBOSE=1 prints every hit.
StageTrial FlyStage(int stage, int fps, bool hard, uint32_t seed, InputSource& pilot);

} // namespace pelko::testing
