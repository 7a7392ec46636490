// The fixed-step frame loop and the one frame callback it calls.
#pragma once
#include <cstdint>

#include "runtime/shell/runtime_state.h"

namespace tessary {

// Registers the frame callback; a null one is refused (0) and the old one stays.
int SetFrameCallback(FrameCallback fn);

// Milliseconds between ticks, clamped to 0..500. The loop reads it afresh at every turn.
void SetFramePeriod(int ms);

// The virtual-key code whose key-down closes the program; codes outside 0..256 are refused (0).
int SetQuitKey(int vk);

// One tick: messages, joystick and mouse polling, the frame callback, the present. 0 when the
// queue delivered WM_QUIT (the callback of that tick does not run).
int RunTick();

// Runs ticks at framePeriod until WM_QUIT. A tick that starts less than four periods late moves
// the schedule on by one period (later ticks catch up back to back); four periods or more drops
// the backlog so that exactly one more tick is owed. Where the display can pace the ticks
// (frame_pacing.h), it does instead.
void RunFrameLoop();

} // namespace tessary
