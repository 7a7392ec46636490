// Joysticks 0..7: the stand-ins for joyGetNumDevs, joyGetDevCaps and joyGetPosEx. Joystick n is
// the n-th of the pads connected now, in the order they were connected.
#pragma once
#include <cstdint>

namespace platform {

inline constexpr int kMaxJoysticks = 8;

// Axes as the original joystick API reports them, 0..65535 with the centre near 32768; buttons 1..8
// as bits 0..7. A hat or d-pad counts as the axes it points along.
struct JoyPosition {
    uint32_t x = 32768;
    uint32_t y = 32768;
    uint32_t buttons = 0;
};

// Takes in the pads plugged in or pulled out since the last call, so that ids and readings are
// those of the pads connected now; true when any were. Called at start and once per tick before
// the pads are read.
bool JoyUpdateDevices();

// How many joystick slots the driver offers (0 when there is no joystick support).
int JoyGetNumDevs();

// True when joystick id is attached and can report.
bool JoyGetDevCaps(int id);

// Reads joystick id; false when it cannot be read (out is then left as it was).
bool JoyGetPosEx(int id, JoyPosition& out);

} // namespace platform
