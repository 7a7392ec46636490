// Counts the bytes held through operator new in this program (the game, the runtime, the headless
// platform and the driver: everything that allocates the C++ way), with the highest count seen.
#pragma once
#include <cstddef>

namespace pelko::testing {

size_t HeapBytesInUse();
size_t HeapPeakBytes();
// Starts the peak over from the bytes in use now.
void ResetHeapPeak();

// The process's resident memory in bytes (from /proc/self/statm); 0 if unknown.
size_t ResidentBytes();
// Bytes handed out by malloc in all, C++ or not (mallinfo2).
size_t MallocBytesInUse();

} // namespace pelko::testing
