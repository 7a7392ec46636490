#pragma once
#include "runtime/input/input_state.h"

namespace tessary {

// Updates and returns the state of virtual-key code vk (0..255) from the key's state right now.
// Every call updates, so a second query in the same frame sees a press as held. While the error
// box is shown it returns KEY_UP and changes nothing.
int KeyState(int vk);

// 1 when some key is just released (keys after it are not updated in this call); otherwise the
// mouse-moved flag is consumed and reported only when countMouse is non-zero.
int AnyKeyReleased(int countMouse);

} // namespace tessary
