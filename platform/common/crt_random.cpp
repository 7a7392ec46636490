#include "platform/crt_random.h"

namespace platform {
namespace {
constexpr uint32_t kUnseededState = 1;
uint32_t g_state = kUnseededState;
} // namespace

namespace detail {
void ResetRandom() {
    g_state = kUnseededState;
}
} // namespace detail

void Srand(uint32_t seed) {
    g_state = seed;
}

int Rand() {
    g_state = g_state * 214013u + 2531011u;
    return static_cast<int>((g_state >> 16) & 0x7FFF);
}

} // namespace platform
