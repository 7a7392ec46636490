// A whole run of the game from start-up with the autopilot at the keys: through the logo and the
// title (hard mode chosen there with F4), the five stages, up to the staff roll or the game over.
#pragma once
#include <cstdint>
#include <string>

namespace pelko::testing {

struct AutopilotStage {
    bool reached = false, cleared = false;
    int livesLost = 0;
    int hits = 0;              // hits taken, each a point of the ship's strength or a life
    int tightSpots = 0;        // frames in which the pilot found no plan free of hits
    uint32_t clearedFrame = 0; // the game's frame counter at the clear
};

struct AutopilotRun {
    int fps = 30;
    bool hard = false;
    AutopilotStage stages[6]; // 1..5
    bool staffRoll = false;
    bool gameOver = false;
    int32_t score = 0;
    int specials = 0;
    bool pressedAttackKeys = false; // any of '1' to '5', which start the boss's attacks
    uint64_t ticks = 0;
    int furthestStage() const;
};

AutopilotRun RunAutopilot(int fps, bool hard, uint32_t seed);
std::string FormatAutopilotRun(const AutopilotRun& run);

} // namespace pelko::testing
