// The millisecond clock and sleeping: the stand-ins for timeGetTime, Sleep and clock().
#pragma once
#include <cstdint>

namespace platform {

// A 32-bit millisecond counter from a monotonic clock; it wraps like the original counter, so
// callers take unsigned differences.
uint32_t TimeGetTime();

// Sleeps at least ms milliseconds. The headless clock advances by ms instead.
void Sleep(uint32_t ms);

// Milliseconds of wall time since program start (never CPU time).
long ClockMs();

// A 64-bit microsecond count from the same monotonic clock, for pacing frames to a display whose
// refresh is not a whole number of milliseconds; it never wraps.
uint64_t TimeMicros();

// Sleeps at least us microseconds. The headless clock advances by us instead.
void SleepMicros(uint64_t us);

} // namespace platform
