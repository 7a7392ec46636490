// The keys the game reads, named from the one table of virtual-key codes, and the pad buttons of
// the screens around play.
#pragma once
#include <cstdint>

#include "platform/virtual_keys.h"

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

// Both pause play and go on again while it is paused.
inline constexpr int kPauseKeys[] = {kVkP, kVkPause};

// Pad buttons as joystick button masks: 1 to 4 are south, east, west and north (A, B, X, Y on an
// Xbox pad); Back (Select, View, Share) and Start are buttons 7 and 8.
inline constexpr uint32_t kPadSouth = 1, kPadEast = 2, kPadWest = 4, kPadNorth = 8;
inline constexpr uint32_t kPadBack = 64, kPadStart = 128;

} // namespace pelko
