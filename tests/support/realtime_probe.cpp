#include "realtime_probe.h"

#include <dlfcn.h>
#include <errno.h>
#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <cstddef>

// The C library's own allocator, under the names it exports for programs that replace malloc.
extern "C" {
void* __libc_malloc(size_t size);
void __libc_free(void* p);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* p, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
}

namespace realtime_probe {
namespace {

// Plain thread-local data: reading it takes no allocation and no lock, even inside malloc.
thread_local bool t_armed = false;
thread_local Counts t_counts;

void CountAllocation() {
    if (t_armed) ++t_counts.allocations;
}

// Counts a lock call on an armed thread. True when the lock was had at once by tryLock (the
// hook then returns holding it); false when the caller must go on to the real lock.
template <typename Try> bool TookAtOnce(Try tryLock) {
    if (!t_armed) return false;
    ++t_counts.lockCalls;
    if (tryLock()) return true;
    ++t_counts.lockWaits;
    return false;
}

// A hooked function's own definition further down the libraries (or anywhere, for the try
// functions this program does not link), looked up once. No guarded static: its guard could
// itself take a lock.
template <typename Fn> Fn Resolve(std::atomic<Fn>& slot, void* where, const char* name) {
    Fn fn = slot.load(std::memory_order_relaxed);
    if (fn == nullptr) {
        fn = reinterpret_cast<Fn>(dlsym(where, name));
        slot.store(fn, std::memory_order_relaxed);
    }
    return fn;
}

} // namespace

Counts& Counts::operator+=(const Counts& o) {
    allocations += o.allocations;
    frees += o.frees;
    lockCalls += o.lockCalls;
    lockWaits += o.lockWaits;
    return *this;
}

void Arm() {
    t_counts = Counts{};
    t_armed = true;
}

Counts Disarm() {
    t_armed = false;
    return t_counts;
}

} // namespace realtime_probe

using realtime_probe::CountAllocation;
using realtime_probe::Resolve;
using realtime_probe::TookAtOnce;

extern "C" {

void* malloc(size_t size) noexcept {
    CountAllocation();
    return __libc_malloc(size);
}
void free(void* p) noexcept {
    if (p != nullptr && realtime_probe::t_armed) ++realtime_probe::t_counts.frees;
    __libc_free(p);
}
void* calloc(size_t count, size_t size) noexcept {
    CountAllocation();
    return __libc_calloc(count, size);
}
void* realloc(void* p, size_t size) noexcept {
    CountAllocation();
    return __libc_realloc(p, size);
}
void* memalign(size_t alignment, size_t size) noexcept {
    CountAllocation();
    return __libc_memalign(alignment, size);
}
void* aligned_alloc(size_t alignment, size_t size) noexcept {
    CountAllocation();
    return __libc_memalign(alignment, size);
}
void* valloc(size_t size) noexcept {
    CountAllocation();
    return __libc_memalign(static_cast<size_t>(sysconf(_SC_PAGESIZE)), size);
}
int posix_memalign(void** out, size_t alignment, size_t size) noexcept {
    CountAllocation();
    if (alignment < sizeof(void*) || (alignment & (alignment - 1)) != 0) return EINVAL;
    void* p = __libc_memalign(alignment, size);
    if (p == nullptr) return ENOMEM;
    *out = p;
    return 0;
}

int pthread_mutex_lock(pthread_mutex_t* m) noexcept {
    static std::atomic<int (*)(pthread_mutex_t*)> next{nullptr};
    if (TookAtOnce([m] { return pthread_mutex_trylock(m) == 0; })) return 0;
    return Resolve(next, RTLD_NEXT, "pthread_mutex_lock")(m);
}
int pthread_rwlock_rdlock(pthread_rwlock_t* l) noexcept {
    static std::atomic<int (*)(pthread_rwlock_t*)> next{nullptr};
    if (TookAtOnce([l] { return pthread_rwlock_tryrdlock(l) == 0; })) return 0;
    return Resolve(next, RTLD_NEXT, "pthread_rwlock_rdlock")(l);
}
int pthread_rwlock_wrlock(pthread_rwlock_t* l) noexcept {
    static std::atomic<int (*)(pthread_rwlock_t*)> next{nullptr};
    if (TookAtOnce([l] { return pthread_rwlock_trywrlock(l) == 0; })) return 0;
    return Resolve(next, RTLD_NEXT, "pthread_rwlock_wrlock")(l);
}
int pthread_cond_wait(pthread_cond_t* c, pthread_mutex_t* m) {
    static std::atomic<int (*)(pthread_cond_t*, pthread_mutex_t*)> next{nullptr};
    TookAtOnce([] { return false; }); // a condition wait always waits
    return Resolve(next, RTLD_NEXT, "pthread_cond_wait")(c, m);
}

// GLib's locks, which FluidSynth takes. The types stay opaque here, and GLib is reached by name:
// this program does not link it itself.
void g_mutex_lock(void* m) {
    static std::atomic<int (*)(void*)> tryLock{nullptr};
    static std::atomic<void (*)(void*)> next{nullptr};
    if (TookAtOnce([m] { return Resolve(tryLock, RTLD_DEFAULT, "g_mutex_trylock")(m) != 0; }))
        return;
    Resolve(next, RTLD_NEXT, "g_mutex_lock")(m);
}
void g_rec_mutex_lock(void* m) {
    static std::atomic<int (*)(void*)> tryLock{nullptr};
    static std::atomic<void (*)(void*)> next{nullptr};
    if (TookAtOnce([m] { return Resolve(tryLock, RTLD_DEFAULT, "g_rec_mutex_trylock")(m) != 0; }))
        return;
    Resolve(next, RTLD_NEXT, "g_rec_mutex_lock")(m);
}

} // extern "C"
