#include "keyboard.h"

#include "platform/keyboard.h"
#include "platform/virtual_keys.h"
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

namespace {

// The left or right key's own code of a Shift, Ctrl or Alt message; 0 for another key, and for a
// message that carries no scan code.
int SidedKey(int vk, platform::LParam lParam) {
    const auto bits = static_cast<uintptr_t>(lParam);
    const int scan = static_cast<int>((bits >> 16) & 0xFF);
    const bool extended = (bits & platform::kExtendedKeyFlag) != 0;
    if (scan == 0) return 0;
    switch (vk) {
    case platform::kVkShift:
        return scan == platform::kScanRightShift ? platform::kVkRightShift : platform::kVkLeftShift;
    case platform::kVkControl:
        return extended ? platform::kVkRightCtrl : platform::kVkLeftCtrl;
    case platform::kVkAlt:
        return extended ? platform::kVkRightAlt : platform::kVkLeftAlt;
    default:
        return 0;
    }
}

void NoteTap(int vk) {
    if (vk >= 0 && vk <= 255) TheInput().tapped[static_cast<size_t>(vk)] = 1;
}

} // namespace

void NoteKeyDown(int vk, platform::LParam lParam) {
    NoteTap(vk);
    if (const int sided = SidedKey(vk, lParam); sided != 0) NoteTap(sided);
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
