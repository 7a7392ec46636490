#include "keyboard.h"

#include "platform/keyboard.h"
#include "runtime/shell/runtime_state.h"

namespace tessary {

int KeyState(int vk) {
    if (Runtime().errorBoxShown != 0) return KEY_UP;
    if (vk < 0 || vk > 255) return KEY_UP;
    InputState& in = TheInput();
    const size_t k = static_cast<size_t>(vk);
    const bool down = platform::IsKeyDown(vk) || in.tapped[k] != 0;
    in.tapped[k] = 0;
    return UpdateInputState(in, in.keys[k], down);
}

void NoteKeyDown(int vk) {
    if (vk >= 0 && vk <= 255) TheInput().tapped[static_cast<size_t>(vk)] = 1;
}

void BeginInputTick() {
    InputState& in = TheInput();
    in.tapped.fill(0);
    in.changing = 0;
}

int InputChanging() {
    return TheInput().changing;
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
