#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <pthread.h>
#include <unistd.h>

#include "platform/message_box.h"
#include "sdl_video.h"

namespace platform {
namespace {

volatile sig_atomic_t g_inForkedChild = 0;

void MarkForkedChild() {
    g_inForkedChild = 1;
}

// SDL shows its X11 box from a forked child, which has the game's objects and the locks its
// threads held at that moment, but not the threads. When the display goes, Xlib ends that child
// through exit(), and the game's shutdown would then wait for a lock no thread will ever free:
// the box's child leaves at once instead. Registered before the first box, so it runs before the
// destructors of everything that already exists.
void LeaveForkedChildAtOnce() {
    if (g_inForkedChild) _exit(1);
}

void GuardForkedChildren() {
    static std::once_flag once;
    std::call_once(once, [] {
        pthread_atfork(nullptr, nullptr, MarkForkedChild);
        std::atexit(LeaveForkedChildAtOnce);
    });
}

} // namespace

int MessageBox(const char* text, const char* caption, unsigned /*style*/) {
    GuardForkedChildren();
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, caption, text, sdl::MainWindow()) != 0) {
        std::fprintf(stderr, "%s: %s\n", caption, text);
    }
    return IDOK;
}

} // namespace platform
