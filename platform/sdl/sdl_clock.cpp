#include <chrono>
#include <thread>

#include "platform/clock.h"

namespace platform {
namespace {

using SteadyClock = std::chrono::steady_clock;

const SteadyClock::time_point g_start = SteadyClock::now();

} // namespace

uint32_t TimeGetTime() {
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        SteadyClock::now().time_since_epoch());
    return static_cast<uint32_t>(ms.count());
}

void Sleep(uint32_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

long ClockMs() {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - g_start)
            .count());
}

uint64_t TimeMicros() {
    return static_cast<uint64_t>(
        std::chrono::duration_cast<std::chrono::microseconds>(SteadyClock::now() - g_start)
            .count());
}

void SleepMicros(uint64_t us) {
    std::this_thread::sleep_for(std::chrono::microseconds(us));
}

} // namespace platform
