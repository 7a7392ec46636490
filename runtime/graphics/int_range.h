// Coordinates at the ends of the int range. The blitters and the sprite take any int (and the
// sprite's fields any float the game writes), so edges are added and subtracted in 64 bits and
// brought back to an int only where the result must fit; what lies past the int range lies past
// every surface too, so holding it at the range's end keeps it outside.
#pragma once
#include <algorithm>
#include <cstdint>
#include <limits>

namespace tessary {

inline bool FitsInt(int64_t v) {
    return v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max();
}

inline int SaturateToInt(int64_t v) {
    return static_cast<int>(
        std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// Truncated toward zero and held to the int range; NaN counts as the lowest int.
inline int TruncateToInt(double v) {
    if (!(v > -2147483649.0)) return std::numeric_limits<int>::min();
    if (v >= 2147483648.0) return std::numeric_limits<int>::max();
    return static_cast<int>(v);
}

} // namespace tessary
