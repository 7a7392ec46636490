// Joysticks and the mouse on SDL.
#include <array>

#include "platform/joystick.h"
#include "platform/mouse.h"
#include "sdl_video.h"

namespace platform {
namespace {

std::array<SDL_Joystick*, kMaxJoysticks> g_joysticks{};
bool g_joystickStarted = false;

// SDL gives axes as -32768..32767; the game expects 0..65535 with the centre at 32768.
uint32_t AxisToUnsigned(Sint16 v) {
    return static_cast<uint32_t>(static_cast<int>(v) + 32768);
}

SDL_Joystick* OpenJoystick(int id) {
    if (id < 0 || id >= kMaxJoysticks || !g_joystickStarted) return nullptr;
    SDL_Joystick*& joy = g_joysticks[static_cast<size_t>(id)];
    if (joy != nullptr && !SDL_JoystickGetAttached(joy)) {
        SDL_JoystickClose(joy);
        joy = nullptr;
    }
    if (joy == nullptr && id < SDL_NumJoysticks()) joy = SDL_JoystickOpen(id);
    return joy;
}

} // namespace

int JoyGetNumDevs() {
    if (!g_joystickStarted) g_joystickStarted = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
    return g_joystickStarted ? 16 : 0;
}

bool JoyGetDevCaps(int id) {
    return OpenJoystick(id) != nullptr;
}

bool JoyGetPosEx(int id, JoyPosition& out) {
    SDL_Joystick* joy = OpenJoystick(id);
    if (joy == nullptr) return false;
    SDL_JoystickUpdate();
    JoyPosition p;
    if (SDL_JoystickNumAxes(joy) >= 2) {
        p.x = AxisToUnsigned(SDL_JoystickGetAxis(joy, 0));
        p.y = AxisToUnsigned(SDL_JoystickGetAxis(joy, 1));
    }
    if (SDL_JoystickNumHats(joy) >= 1) {
        Uint8 hat = SDL_JoystickGetHat(joy, 0);
        if (hat & SDL_HAT_LEFT) p.x = 0;
        if (hat & SDL_HAT_RIGHT) p.x = 65535;
        if (hat & SDL_HAT_UP) p.y = 0;
        if (hat & SDL_HAT_DOWN) p.y = 65535;
    }
    int buttons = SDL_JoystickNumButtons(joy);
    for (int b = 0; b < buttons && b < 8; ++b)
        if (SDL_JoystickGetButton(joy, b)) p.buttons |= 1u << b;
    out = p;
    return true;
}

void GetCursorPos(int& x, int& y) {
    x = 0;
    y = 0;
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) SDL_GetGlobalMouseState(&x, &y);
}

void ShowCursor(bool show) {
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

void ClipCursor(const Rect* rect) {
    SDL_Window* window = sdl::MainWindow();
    if (window == nullptr) return;
    if (rect == nullptr) {
        SDL_SetWindowMouseRect(window, nullptr);
        SDL_SetWindowMouseGrab(window, SDL_FALSE);
        return;
    }
    int wx = 0, wy = 0;
    SDL_GetWindowPosition(window, &wx, &wy);
    SDL_Rect r{rect->left - wx, rect->top - wy, rect->right - rect->left, rect->bottom - rect->top};
    SDL_SetWindowMouseRect(window, &r);
}

} // namespace platform
