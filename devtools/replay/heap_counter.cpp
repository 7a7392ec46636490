#include "replay/heap_counter.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <new>
#include <unistd.h>

// Under AddressSanitizer malloc is the sanitizer's own, and glibc's mallinfo2 knows nothing of it.
#if defined(__SANITIZE_ADDRESS__)
#define PELKO_SANITIZER_MALLOC 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PELKO_SANITIZER_MALLOC 1
#endif
#endif
#ifdef PELKO_SANITIZER_MALLOC
#include <sanitizer/allocator_interface.h>
#endif

namespace pelko::testing {
namespace {

std::atomic<size_t> inUse{0};
std::atomic<size_t> peak{0};

void* Take(size_t n) {
    void* p = std::malloc(n == 0 ? 1 : n);
    if (p == nullptr) throw std::bad_alloc();
    const size_t now =
        inUse.fetch_add(malloc_usable_size(p), std::memory_order_relaxed) + malloc_usable_size(p);
    size_t high = peak.load(std::memory_order_relaxed);
    while (now > high && !peak.compare_exchange_weak(high, now, std::memory_order_relaxed)) {
    }
    return p;
}

void Give(void* p) {
    if (p == nullptr) return;
    inUse.fetch_sub(malloc_usable_size(p), std::memory_order_relaxed);
    std::free(p);
}

} // namespace

size_t HeapBytesInUse() {
    return inUse.load();
}
size_t HeapPeakBytes() {
    return peak.load();
}
void ResetHeapPeak() {
    peak.store(inUse.load());
}

size_t ResidentBytes() {
    FILE* f = std::fopen("/proc/self/statm", "r");
    if (f == nullptr) return 0;
    unsigned long size = 0, resident = 0;
    const int read = std::fscanf(f, "%lu %lu", &size, &resident);
    std::fclose(f);
    return read == 2 ? resident * static_cast<size_t>(sysconf(_SC_PAGESIZE)) : 0;
}

size_t MallocBytesInUse() {
#ifdef PELKO_SANITIZER_MALLOC
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}

} // namespace pelko::testing

// Aligned forms are left to the library: nothing in the game asks for over-aligned objects.
void* operator new(size_t n) {
    return pelko::testing::Take(n);
}
void* operator new[](size_t n) {
    return pelko::testing::Take(n);
}
void* operator new(size_t n, const std::nothrow_t&) noexcept {
    try {
        return pelko::testing::Take(n);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](size_t n, const std::nothrow_t&) noexcept {
    try {
        return pelko::testing::Take(n);
    } catch (...) {
        return nullptr;
    }
}
void operator delete(void* p) noexcept {
    pelko::testing::Give(p);
}
void operator delete[](void* p) noexcept {
    pelko::testing::Give(p);
}
void operator delete(void* p, size_t) noexcept {
    pelko::testing::Give(p);
}
void operator delete[](void* p, size_t) noexcept {
    pelko::testing::Give(p);
}
