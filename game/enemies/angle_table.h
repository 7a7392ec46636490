// Angles of shots and aiming: 256 steps per turn, 0 to the right, 64 down the screen.
#pragma once
#include <array>

namespace pelko {

class AngleTable {
  public:
    static constexpr int kEntries = 4096; // sixteen turns, centred on entry 2048
    static constexpr int kFirstAngle = -kEntries / 2, kLastAngle = kEntries / 2 - 1;
    AngleTable();

    // Valid for a in kFirstAngle..kLastAngle, -2048..2047.
    double Cos(int a) const { return cosTable[a + kEntries / 2]; }
    double Sin(int a) const { return sinTable[a + kEntries / 2]; }

    std::array<double, kEntries> cosTable{};
    std::array<double, kEntries> sinTable{};
};

// Radians to steps, truncated toward zero and folded into -255..255 with the sign kept.
int RadiansToSteps(double radians);

} // namespace pelko
