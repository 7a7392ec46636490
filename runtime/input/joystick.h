#pragma once
#include <cstdint>

#include "runtime/input/input_state.h"

namespace tessary {

// Detects the joysticks once, counted from identifier 0 without gaps.
void InitJoysticks();

// Sets joystick polling; turning it off clears every state of the present joysticks. Returns the
// number of joysticks.
int EnableJoystick(int on);

// Samples every present joystick; the frame loop calls it once per tick while polling is on.
void PollJoysticks();

// The state of a direction (JOY_UP ...) or of one button (its bit mask, 1..128); 0 for anything
// else, a negative index, or a joystick that is not there. Changes nothing.
int JoyState(int index, uint32_t what);

} // namespace tessary
