// The end of the game when its X server goes away (ended, restarted, a remote session dropped).
// Xlib reports a broken connection to one handler and ends the process with exit() when that
// returns: every static object is then destroyed while the audio thread and the renderer's
// threads still use them, and the game could crash on its way out. The handler ends the game
// itself instead, as a normal end: what must be saved is saved, the sound closed, one line said,
// and the process ends at once with status 0, before any destructor runs.
#include <cstdio>
#include <unistd.h>
#include <utility>

#include <X11/Xlib.h>

#include "../common/backend.h"
#include "platform/message_box.h"
#include "platform/process.h"
#include "sdl_video.h"

namespace platform {
namespace {

void (*g_onDisplayLost)() = nullptr;
pid_t g_gameProcess = 0;

int EndWithTheDisplay(::Display* /*display*/) {
    // SDL's X11 message box runs in a forked child with a connection of its own; that child has
    // the game's objects but not its threads, and only leaves.
    if (getpid() != g_gameProcess) _exit(1);
    // Taken before it runs: nothing it does may report the loss and run it again.
    if (void (*handler)() = std::exchange(g_onDisplayLost, nullptr)) handler();
    backend::StopAudioOutput();
    OutputDebugString("The display went away; the game ends.\n");
    std::fflush(nullptr);
    _exit(0);
}

} // namespace

void SetDisplayLostHandler(void (*handler)()) {
    g_onDisplayLost = handler;
}

void sdl::WatchForLostDisplay() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver == nullptr || SDL_strcmp(driver, "x11") != 0) return;
    g_gameProcess = getpid();
    XSetIOErrorHandler(EndWithTheDisplay);
}

} // namespace platform
