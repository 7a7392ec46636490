#include "game/enemies/angle_table.h"

#include <cmath>

namespace pelko {
namespace {

// 2 pi / 256 as the game has always rounded it; the tables drift from the exact angle by about
// 1e-5 radians over their sixteen turns, and shots follow the table, not the exact value.
constexpr double kRadiansPerStep = 0.0245436875;

// 128 / pi as written, slightly above the exact value, so 3 pi / 2 lands on 192 and not 191.
constexpr double kStepsPerRadian = 40.7436654315355;

} // namespace

AngleTable::AngleTable() {
    for (int i = 0; i < kEntries; ++i) {
        cosTable[static_cast<size_t>(i)] = std::cos(i * kRadiansPerStep);
        sinTable[static_cast<size_t>(i)] = std::sin(i * kRadiansPerStep);
    }
}

int RadiansToSteps(double radians) {
    const double steps = std::trunc(radians * kStepsPerRadian);
    // fmod keeps the dividend's sign, like the remainder of a truncating integer division, and
    // never overflows for the huge or non-finite values a degenerate atan could feed it.
    const double folded = std::fmod(steps, 256.0);
    if (!std::isfinite(folded)) return 0;
    return static_cast<int>(folded);
}

} // namespace pelko
