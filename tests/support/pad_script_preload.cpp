// Virtual pads in the real game, for its end-to-end tests: preloaded into the shipped program
// (LD_PRELOAD), this library takes pads from the script named by TESSARY_TEST_PAD_SCRIPT, which
// the test appends to as it goes. The game itself carries no such code.
//
// Lines: "attach xbox360|unknown", "detach N", "axis N AXIS VALUE", "button N BUTTON 0|1",
// "hat N HAT VALUE", where N counts the pads the script attached, from 0.
//
// The script is applied where the game itself looks for events and reads its pads, on its own
// thread, by standing in for the three SDL calls it makes there (SDL calls its own functions
// directly, never through these). While a script is read, the game's wait for input looks at the
// script as it waits, so that a scripted press wakes it.
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "support/test_pads.h"

namespace {

using PollEventCall = int(SDLCALL*)(SDL_Event*);
using JoystickUpdateCall = void(SDLCALL*)();

// The next definition of an SDL call after this library's own: SDL's.
template <typename Call> Call Real(const char* name) {
    return reinterpret_cast<Call>(dlsym(RTLD_NEXT, name));
}

PollEventCall RealPollEvent() {
    static const PollEventCall call = Real<PollEventCall>("SDL_PollEvent");
    return call;
}

JoystickUpdateCall RealJoystickUpdate() {
    static const JoystickUpdateCall call = Real<JoystickUpdateCall>("SDL_JoystickUpdate");
    return call;
}

// The pads the script attached, by its numbers; nullptr once detached.
std::vector<SDL_Joystick*> g_scriptPads;
std::FILE* g_script = nullptr;
bool g_scriptLooked = false;

void Say(const std::string& text) {
    std::fprintf(stderr, "test pads: %s\n", text.c_str());
}

SDL_Joystick* ScriptPad(int n) {
    if (n < 0 || n >= static_cast<int>(g_scriptPads.size())) return nullptr;
    return g_scriptPads[static_cast<size_t>(n)];
}

void Attach(const std::string& what) {
    const test_pads::Kind kind =
        what == "xbox360" ? test_pads::Kind::kXbox360 : test_pads::Kind::kUnknownStick;
    g_scriptPads.push_back(test_pads::Attach(kind));
    Say("attached " + what + " as pad " + std::to_string(g_scriptPads.size() - 1));
}

void Apply(const std::string& line) {
    std::istringstream in(line);
    std::string verb, what;
    int n = -1, control = -1, value = 0;
    in >> verb;
    if (verb == "attach") {
        in >> what;
        Attach(what);
        return;
    }
    in >> n;
    SDL_Joystick* pad = ScriptPad(n);
    if (pad == nullptr) {
        Say("no pad for: " + line);
        return;
    }
    if (verb == "detach") {
        test_pads::Detach(pad);
        g_scriptPads[static_cast<size_t>(n)] = nullptr;
        Say("detached pad " + std::to_string(n));
        return;
    }
    in >> control >> value;
    if (verb == "axis")
        SDL_JoystickSetVirtualAxis(pad, control, static_cast<Sint16>(value));
    else if (verb == "button")
        SDL_JoystickSetVirtualButton(pad, control, static_cast<Uint8>(value));
    else if (verb == "hat")
        SDL_JoystickSetVirtualHat(pad, control, static_cast<Uint8>(value));
    else
        Say("unknown line: " + line);
    // Each change is reported on its own, as a real pad's driver reports every change: a press
    // and a release on two lines read at once are a tap, not nothing.
    RealJoystickUpdate()();
}

void OpenScript() {
    g_scriptLooked = true;
    const char* path = std::getenv("TESSARY_TEST_PAD_SCRIPT");
    if (path == nullptr || *path == '\0') return;
    g_script = std::fopen(path, "r");
    Say(std::string(g_script != nullptr ? "reading " : "cannot read ") + path);
}

// Applies the lines added since the last call; only whole lines, since the test may be half-way
// through writing the next one. Whether a script is read.
bool ApplyScript() {
    if (!g_scriptLooked) OpenScript();
    if (g_script == nullptr) return false;
    char buffer[256];
    for (;;) {
        const long start = std::ftell(g_script);
        if (std::fgets(buffer, sizeof buffer, g_script) == nullptr) {
            std::clearerr(g_script);
            return true;
        }
        std::string line(buffer);
        if (line.empty() || line.back() != '\n') {
            std::fseek(g_script, start, SEEK_SET);
            return true;
        }
        line.pop_back();
        if (!line.empty()) Apply(line);
    }
}

} // namespace

extern "C" {

int SDLCALL SDL_PollEvent(SDL_Event* event) {
    ApplyScript();
    return RealPollEvent()(event);
}

// SDL looks at the pads every millisecond while it waits; every ten is soon enough for the
// script, as the game waits when it has pads.
int SDLCALL SDL_WaitEvent(SDL_Event* event) {
    static const PollEventCall realWait = Real<PollEventCall>("SDL_WaitEvent");
    if (!ApplyScript()) return realWait(event);
    while (RealPollEvent()(event) == 0) {
        SDL_Delay(10);
        ApplyScript();
    }
    return 1;
}

void SDLCALL SDL_JoystickUpdate(void) {
    ApplyScript();
    RealJoystickUpdate()();
}

} // extern "C"
