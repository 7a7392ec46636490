// SDL falls back to raw ALSA when no sound server answers, and on a machine without a sound card
// ALSA then prints eight lines of its configuration's errors to standard error on every attempt
// to open its default device. The game says in one line of its own that the sound is silent and
// why; ALSA's first complaint ("cannot find card '0'") is kept as the why.
//
// SDL loads the same libasound.so.2 the game links, so the handler set here is the one ALSA uses
// when SDL calls it.
#include "alsa_messages.h"

#include <alsa/asoundlib.h>

#include <atomic>
#include <cstdarg>
#include <cstdio>

namespace platform::sdl {
namespace {

// Written by whichever thread opens the device (ALSA calls the handler there), read once that
// thread is done; the flag only keeps a second complaint from overwriting the first.
char g_complaint[256];
std::atomic<bool> g_haveComplaint{false};

void KeepFirstComplaint(const char* /*file*/, int /*line*/, const char* /*function*/, int /*err*/,
                        const char* format, ...) {
    if (g_haveComplaint.exchange(true)) return;
    va_list args;
    va_start(args, format);
    std::vsnprintf(g_complaint, sizeof g_complaint, format, args);
    va_end(args);
}

} // namespace

void QuietAlsaMessages() {
    snd_lib_error_set_handler(KeepFirstComplaint);
}

std::string TakeAlsaComplaint() {
    if (!g_haveComplaint.load()) return {};
    std::string complaint = g_complaint;
    g_haveComplaint.store(false);
    return complaint;
}

} // namespace platform::sdl
