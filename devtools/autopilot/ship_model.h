// How the ship answers the keys, frame by frame, as the pilot reckons it: the plain movement at
// a fixed pace, the drifting movement of hard mode with its drag and brake, and the walls that
// turn the ship back. The pilot tries its key choices on this model before it presses any.
#pragma once

namespace pelko::testing {

// One frame's keys: h and v are -1 for left/up, 1 for right/down, 0 for neither.
struct ShipKeys {
    int h = 0, v = 0;
    bool brake = false;
};

struct ShipState {
    float x = 0, y = 0, vx = 0, vy = 0;
};

struct ShipRules {
    bool hard = false;
    float speedFactor = 1; // pixels per frame of one pixel per 1/30 s
    int speed = 5;         // the pace of the plain movement, raised by speed items
};

// The hit box of the ship's picture for its vertical keys (level, climbing, diving), relative to
// the top-left corner: the ship is a narrow upright shape while it climbs or dives.
struct ShipBox {
    int left, top, right, bottom;
};
ShipBox ShipBoxFor(int v);

// One frame: the keys set the velocity (and the walls may turn it back), then the ship moves.
void StepShip(ShipState& s, const ShipKeys& keys, const ShipRules& rules);

} // namespace pelko::testing
