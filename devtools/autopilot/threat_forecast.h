// Where the things that hurt the ship will be in the coming frames, reckoned from what is drawn:
// each one's hit box, its motion, and for shots the picture, which tells how the shot steers
// (straight, sinking, curving, following the ship's line, homing, drifting toward the ship, or
// swinging about a line). Steered shots are reckoned against the ship's own planned path.
#pragma once
#include <vector>

namespace pelko {
class Shot;
}
namespace tessary {
struct Sprite;
}

namespace pelko::testing {

struct Threat {
    float x = 0, y = 0, vx = 0, vy = 0, ax = 0, ay = 0;
    int left = 0, top = 0, right = 0, bottom = 0; // hit box relative to the whole-pixel position
    int steering = -1;     // the shot's picture row, -1 for an enemy or a part of the boss
    int heading = 0;       // a homing shot's heading in 256 steps a turn
    float swingY = 0;      // the line a swinging shot swings about
    float uncertainty = 0; // pixels a frame the guess may be off by (turns the pilot cannot see)
};

// A drawn enemy or boss part: flies on as it moves now.
Threat BodyThreat(const tessary::Sprite& s, float uncertainty);
// A drawn shot; swingY is the line that swinging shots swing about.
Threat ShotThreat(const Shot& s, float swingY);

// Whether the shot's path bends toward the ship, so that it has to be reckoned per planned path.
bool FollowsShip(const Threat& t);

// One frame of the threat: its steering, from the ship's top-left corner at the frame's start,
// then its move. speedFactor is the pixels a frame of one pixel per 1/30 s.
void StepThreat(Threat& t, float shipX, float shipY, float speedFactor);

} // namespace pelko::testing
