#pragma once
#include <cstdint>

#include "runtime/input/input_state.h"

namespace tessary {

// Detects the joysticks, counted from identifier 0 without gaps, and says how many there are.
// Pads plugged in or pulled out later are counted again by PollJoysticks.
void InitJoysticks();

// Sets joystick polling; turning it off clears every state of the present joysticks. Returns the
// number of joysticks.
int EnableJoystick(int on);

// The number of joysticks connected now.
int JoystickCount();

// Counts the joysticks again when pads were plugged in or pulled out (saying the new count when
// it changed), then samples every present joystick; the frame loop calls it once per tick while
// polling is on.
void PollJoysticks();

// The state of a direction (JOY_UP ...) or of one button (its bit mask, 1..128); 0 for anything
// else, a negative index, or a joystick that is not there. Changes nothing.
int JoyState(int index, uint32_t what);

} // namespace tessary
