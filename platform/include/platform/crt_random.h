// The C library's random-number generator as the game expects it, on every platform alike:
// state = state * 214013 + 2531011 (mod 2^32), result = (state >> 16) & 0x7FFF. The state is 1
// until seeded.
#pragma once
#include <cstdint>

namespace platform {

inline constexpr int kRandMax = 0x7FFF;

void Srand(uint32_t seed);
int Rand();

} // namespace platform
