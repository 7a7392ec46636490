#include "test_pads.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "platform/message_box.h"

namespace platform::sdl::test_pads {
namespace {

// The pads the script attached, by its numbers; nullptr once detached.
std::vector<SDL_Joystick*> g_scriptPads;
std::FILE* g_script = nullptr;
bool g_scriptLooked = false;

void Say(const std::string& text) {
    OutputDebugString(("test pads: " + text + "\n").c_str());
}

SDL_VirtualJoystickDesc DescriptionOf(Kind kind) {
    SDL_VirtualJoystickDesc d{};
    d.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    if (kind == Kind::kXbox360) {
        d.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        d.naxes = 6;
        d.nbuttons = 11;
        d.nhats = 1;
        d.vendor_id = kXboxVendor;
        d.product_id = kXbox360Product;
        d.name = "Xbox 360 Controller";
    } else {
        d.type = SDL_JOYSTICK_TYPE_UNKNOWN;
        d.naxes = 2;
        d.nbuttons = 8;
        d.nhats = 1;
        d.vendor_id = kUnknownVendor;
        d.product_id = kUnknownProduct;
        d.name = "Test Stick";
    }
    return d;
}

int DeviceIndexOf(SDL_JoystickID id) {
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
        if (SDL_JoystickGetDeviceInstanceID(i) == id) return i;
    return -1;
}

SDL_Joystick* ScriptPad(int n) {
    if (n < 0 || n >= static_cast<int>(g_scriptPads.size())) return nullptr;
    return g_scriptPads[static_cast<size_t>(n)];
}

void Apply(const std::string& line) {
    std::istringstream in(line);
    std::string verb, what;
    int n = -1, control = -1, value = 0;
    in >> verb;
    if (verb == "attach") {
        in >> what;
        const Kind kind = what == "xbox360" ? Kind::kXbox360 : Kind::kUnknownStick;
        g_scriptPads.push_back(Attach(kind));
        Say("attached " + what + " as pad " + std::to_string(g_scriptPads.size() - 1));
        return;
    }
    in >> n;
    SDL_Joystick* pad = ScriptPad(n);
    if (pad == nullptr) {
        Say("no pad for: " + line);
        return;
    }
    if (verb == "detach") {
        Detach(pad);
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
    SDL_JoystickUpdate();
}

} // namespace

SDL_Joystick* Attach(Kind kind, Uint16 vendor, Uint16 product) {
    SDL_VirtualJoystickDesc d = DescriptionOf(kind);
    if (vendor != 0) d.vendor_id = vendor;
    if (product != 0) d.product_id = product;
    const int index = SDL_JoystickAttachVirtualEx(&d);
    if (index < 0) return nullptr;
    SDL_Joystick* pad = SDL_JoystickOpen(index);
    if (pad == nullptr) return nullptr;
    // A trigger at rest is fully out; SDL starts every virtual axis at 0, half pulled.
    if (kind == Kind::kXbox360) {
        SDL_JoystickSetVirtualAxis(pad, 2, -32768);
        SDL_JoystickSetVirtualAxis(pad, 5, -32768);
    }
    return pad;
}

void Detach(SDL_Joystick* pad) {
    if (pad == nullptr) return;
    const SDL_JoystickID id = SDL_JoystickInstanceID(pad);
    SDL_JoystickClose(pad);
    const int index = DeviceIndexOf(id);
    if (index >= 0) SDL_JoystickDetachVirtual(index);
}

void ApplyScript() {
    if (!g_scriptLooked) {
        g_scriptLooked = true;
        const char* path = std::getenv("TESSARY_TEST_PAD_SCRIPT");
        if (path == nullptr || *path == '\0') return;
        g_script = std::fopen(path, "r");
        Say(std::string(g_script != nullptr ? "reading " : "cannot read ") + path);
    }
    if (g_script == nullptr) return;
    // Only whole lines: the test may be half-way through writing the next one.
    char buffer[256];
    for (;;) {
        const long start = std::ftell(g_script);
        if (std::fgets(buffer, sizeof buffer, g_script) == nullptr) {
            std::clearerr(g_script);
            return;
        }
        std::string line(buffer);
        if (line.empty() || line.back() != '\n') {
            std::fseek(g_script, start, SEEK_SET);
            return;
        }
        line.pop_back();
        if (!line.empty()) Apply(line);
    }
}

bool Scripted() {
    ApplyScript();
    return g_script != nullptr;
}

} // namespace platform::sdl::test_pads
