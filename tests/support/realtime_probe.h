// Counts what an audio callback must never do on the thread that runs it: take memory from the
// heap or give it back, and call a lock that can wait (pthread and GLib mutexes and read-write
// locks, condition waits), telling apart the calls that found the lock taken and had to wait.
// Only a thread that has armed the probe is counted.
//
// The hooks take the place of the C library's allocator and of the lock entry points in the
// program that links this file: link it only into a test program of its own, built with its
// symbols exported (ENABLE_EXPORTS), so that shared libraries such as FluidSynth reach the hooks.
#pragma once
#include <cstdint>

namespace realtime_probe {

struct Counts {
    uint64_t allocations = 0; // malloc, calloc, realloc, aligned allocations (operator new too)
    uint64_t frees = 0;
    uint64_t lockCalls = 0; // calls that could have waited
    uint64_t lockWaits = 0; // calls that found the lock taken

    Counts& operator+=(const Counts& o);
};

// Starts counting on this thread from zero.
void Arm();
// Stops counting on this thread and returns what was counted since Arm.
Counts Disarm();

} // namespace realtime_probe
