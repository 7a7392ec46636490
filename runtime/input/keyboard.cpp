#include "keyboard.h"

#include "platform/keyboard.h"
#include "runtime/shell/runtime_state.h"

namespace tessary {

int KeyState(int vk) {
    if (Runtime().errorBoxShown != 0) return KEY_UP;
    if (vk < 0 || vk > 255) return KEY_UP;
    uint8_t& state = TheInput().keys[static_cast<size_t>(vk)];
    state = NextInputState(state, platform::IsKeyDown(vk));
    return state;
}

int AnyKeyReleased(int countMouse) {
    for (int vk = 0; vk < 256; ++vk)
        if (KeyState(vk) == KEY_RELEASED) return 1;
    if (Runtime().mouseMoved != 0) {
        Runtime().mouseMoved = 0;
        return countMouse != 0 ? 1 : 0;
    }
    return 0;
}

} // namespace tessary
