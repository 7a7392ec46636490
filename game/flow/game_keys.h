// The keys the game reads, named from the one table of virtual-key codes.
#pragma once
#include "platform/virtual_keys.h"

namespace pelko {

using platform::kVkDelete;
using platform::kVkDown;
using platform::kVkF1;
using platform::kVkF4;
using platform::kVkLeft;
using platform::kVkReturn;
using platform::kVkRight;
using platform::kVkSpace;
using platform::kVkUp;
using platform::kVkX;
using platform::kVkZ;

} // namespace pelko
