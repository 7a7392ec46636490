#include "runtime_state.h"

#include <cmath>

namespace tessary {

std::array<int32_t, kSineTableSize> SineTable{};

void BuildSineTable() {
    for (int i = 0; i < kSineTableSize; ++i)
        SineTable[static_cast<size_t>(i)] =
            static_cast<int32_t>(std::sin(i * 0.017453292519943295) * 360.0);
}

} // namespace tessary
