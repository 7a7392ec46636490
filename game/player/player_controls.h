// The player's controls: the keyboard where the player may use it, and its own joystick.
#pragma once
#include <cstdint>

#include "game/flow/game_keys.h"

namespace pelko {

class Player;

// Joystick button masks of play.
inline constexpr uint32_t kButtonFire = 1, kButtonBrake = 2, kButtonNextSpecial = 4,
                          kButtonSpecial = 8;

// With more than one player, a player on joystick 0 that is told to use only its joystick leaves
// the keyboard to another.
bool KeyboardAllowed(const Player& player);

// Each call reads the key once: the keyboard's edge detection advances with every query, so a
// control is asked exactly once per frame.
bool ControlHeld(const Player& player, int vk, uint32_t joy);
bool ControlPressed(const Player& player, int vk, uint32_t joy);

} // namespace pelko
