// The keys the game reads: the player's, as the settings chose them, and the fixed ones, named
// from the one table of virtual-key codes; and the pad buttons of the screens around play.
#pragma once
#include <cstdint>

#include "game/flow/game_globals.h"
#include "game/flow/player_keys.h"
#include "platform/virtual_keys.h"
#include "runtime/input/keyboard.h"

namespace pelko {

using platform::kVkDelete;
using platform::kVkDown;
using platform::kVkF1;
using platform::kVkF4;
using platform::kVkLeft;
using platform::kVkP;
using platform::kVkPause;
using platform::kVkReturn;
using platform::kVkRight;
using platform::kVkSpace;
using platform::kVkUp;
using platform::kVkX;
using platform::kVkZ;

// The player's key for an action.
inline int KeyOf(Action a) {
    return Globals().keys.Key(a);
}

// Whether the action's key passes `test`, or else its second key if it has one now. The second
// key is read only when the first does not pass, as the two keys were always read.
template <class Test> bool EitherKey(Action a, Test test) {
    const PlayerKeys& keys = Globals().keys;
    if (test(tessary::KeyState(keys.Key(a)))) return true;
    const int second = keys.SecondKey(a);
    return second != 0 && test(tessary::KeyState(second));
}

// Pad buttons as joystick button masks: 1 to 4 are south, east, west and north (A, B, X, Y on an
// Xbox pad); Back (Select, View, Share) and Start are buttons 7 and 8.
inline constexpr uint32_t kPadSouth = 1, kPadEast = 2, kPadWest = 4, kPadNorth = 8;
inline constexpr uint32_t kPadBack = 64, kPadStart = 128;

} // namespace pelko
