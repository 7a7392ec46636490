#pragma once
#include "platform/messages.h"
#include "runtime/input/input_state.h"

namespace tessary {

// Updates and returns the state of virtual-key code vk (0..255) from the key's state right now.
// Every call updates, so a second query in the same frame sees a press as held. While the error
// box is shown it returns KEY_UP and changes nothing. A key that went down since the tick began
// reads as down at its first query, even when it is up again by then.
int KeyState(int vk);

// A key-down message for vk: a tap that starts and ends between two frames is not lost. A Shift,
// Ctrl or Alt message notes its side's own key too (160 to 165), told by the message's scan
// code and extended flag.
void NoteKeyDown(int vk, platform::LParam lParam);

// A tick begins: taps that came before it and were not read by its frame are forgotten, so that
// a tap counts for the frame after it only, never for a screen that reads the key much later.
void BeginInputTick();

// 1 when a key or joystick state read in this tick is just pressed or just released.
int InputChanging();

// 1 when some key is just released (keys after it are not updated in this call); otherwise the
// mouse-moved flag is consumed and reported only when countMouse is non-zero.
int AnyKeyReleased(int countMouse);

} // namespace tessary
