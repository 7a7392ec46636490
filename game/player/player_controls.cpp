#include "game/player/player_controls.h"

#include "game/flow/game_globals.h"
#include "game/player/player.h"
#include "runtime/input/joystick.h"
#include "runtime/input/keyboard.h"

namespace pelko {
namespace {

bool IsHeld(int state) {
    return state == tessary::KEY_PRESSED || state == tessary::KEY_HELD;
}

} // namespace

bool KeyboardAllowed(const Player& player) {
    if (player.controller == -1) return true;
    return player.controller == 0 && (Globals().playerCount == 1 || player.joystickOnly == 0);
}

bool ControlHeld(const Player& player, int vk, uint32_t joy) {
    if (KeyboardAllowed(player) && IsHeld(tessary::KeyState(vk))) return true;
    return IsHeld(tessary::JoyState(player.controller, joy));
}

bool ControlPressed(const Player& player, int vk, uint32_t joy) {
    if (KeyboardAllowed(player) && tessary::KeyState(vk) == tessary::KEY_PRESSED) return true;
    return tessary::JoyState(player.controller, joy) == tessary::KEY_PRESSED;
}

} // namespace pelko
