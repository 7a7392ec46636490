// The main window on SDL: host events become the Windows messages of messages.h.
#include <string>
#include <string_view>

#include "../common/backend.h"
#include "platform/message_box.h"
#include "platform/virtual_keys.h"
#include "sdl_video.h"

namespace platform {
namespace {

SDL_Window* g_window = nullptr;
bool g_videoStarted = false;

void PostWindowEvent(const SDL_WindowEvent& e) {
    switch (e.event) {
    case SDL_WINDOWEVENT_CLOSE:
        PostMessage(WM_CLOSE, 0, 0);
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        PostMessage(WM_ACTIVATE, WA_ACTIVE, 0);
        // A window that gains the focus on a palette desktop is asked to realise its palette.
        if (DesktopDepth() == 8) PostMessage(WM_QUERYNEWPALETTE, 0, 0);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        PostMessage(WM_ACTIVATE, WA_INACTIVE, 0);
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
        PostMessage(WM_SIZE, SIZE_MINIMIZED, 0);
        break;
    case SDL_WINDOWEVENT_MAXIMIZED:
        PostMessage(WM_SIZE, SIZE_MAXIMIZED, 0);
        break;
    case SDL_WINDOWEVENT_RESTORED:
        PostMessage(WM_SIZE, SIZE_RESTORED, 0);
        break;
    case SDL_WINDOWEVENT_MOVED:
        PostMessage(WM_MOVE, 0, MakeLParam(e.data1, e.data2));
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        sdl::NoteWindowExposed();
        PostMessage(WM_PAINT, 0, 0);
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        sdl::NoteWindowSize(g_window);
        break;
    default:
        break;
    }
}

// The two Shift, Ctrl and Alt keys share one virtual key each; the message's scan code and
// extended flag tell them apart, as the host's do.
LParam SideOf(SDL_Scancode scancode) {
    switch (scancode) {
    case SDL_SCANCODE_LSHIFT:
        return KeyLParam(kScanLeftShift, false);
    case SDL_SCANCODE_RSHIFT:
        return KeyLParam(kScanRightShift, false);
    case SDL_SCANCODE_LCTRL:
        return KeyLParam(kScanCtrl, false);
    case SDL_SCANCODE_RCTRL:
        return KeyLParam(kScanCtrl, true);
    case SDL_SCANCODE_LALT:
        return KeyLParam(kScanAlt, false);
    case SDL_SCANCODE_RALT:
        return KeyLParam(kScanAlt, true);
    default:
        return 0;
    }
}

// Keys pressed with Alt held arrive as system keys, as on the original platform, so that
// Alt+Enter is WM_SYSKEYDOWN 13. A held Alt+Enter does not repeat the toggle.
void PostKeyEvent(const SDL_KeyboardEvent& e) {
    int vk = sdl::VirtualKeyForScancode(e.keysym.scancode);
    if (vk == 0) return;
    bool alt = (e.keysym.mod & KMOD_ALT) != 0 || vk == kVkAlt;
    bool down = e.type == SDL_KEYDOWN;
    if (alt && down && e.repeat) return;
    uint32_t message = alt ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
    const LParam repeat = e.repeat ? static_cast<LParam>(kKeyRepeatFlag) : 0;
    PostMessage(message, static_cast<WParam>(vk), repeat | SideOf(e.keysym.scancode));
}

void PostEvent(const SDL_Event& e) {
    switch (e.type) {
    case SDL_QUIT:
        PostMessage(WM_CLOSE, 0, 0);
        break;
    case SDL_WINDOWEVENT:
        PostWindowEvent(e.window);
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        PostKeyEvent(e.key);
        break;
    case SDL_MOUSEMOTION:
        PostMessage(WM_MOUSEMOVE, 0, MakeLParam(e.motion.x, e.motion.y));
        break;
    default:
        break;
    }
}

// SDL falls back to drivers that draw into memory when it finds no display; a game running
// there would play for nobody and hold the single-instance lock.
bool IsDisplaylessDriver(std::string_view driver) {
    return driver == "offscreen" || driver == "dummy";
}

// Driver names are matched without regard to case, as SDL matches them.
bool SameDriverName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && SDL_strncasecmp(a.data(), b.data(), a.size()) == 0;
}

// SDL_VIDEODRIVER names one driver or a comma-separated list of them.
bool VideoDriverAsked(std::string_view driver) {
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    std::string_view rest = asked != nullptr ? asked : "";
    while (!rest.empty()) {
        const size_t comma = rest.find(',');
        if (SameDriverName(rest.substr(0, comma), driver)) return true;
        rest = comma == std::string_view::npos ? std::string_view{} : rest.substr(comma + 1);
    }
    return false;
}

} // namespace

namespace sdl {

SDL_Window* MainWindow() {
    return g_window;
}

bool EnsureVideo() {
    if (g_videoStarted) return true;
    // Losing focus in full screen must not minimise the game.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        std::string line = std::string("SDL video: ") + SDL_GetError() + "\n";
        OutputDebugString(line.c_str());
        return false;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver != nullptr && IsDisplaylessDriver(driver) && !VideoDriverAsked(driver)) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
        OutputDebugString("SDL video: no display to open (see DISPLAY, WAYLAND_DISPLAY)\n");
        return false;
    }
    WatchForLostDisplay();
    g_videoStarted = true;
    return true;
}

} // namespace sdl

namespace backend {

bool StartVideo() {
    return sdl::EnsureVideo();
}

// The window is made at once at its place and size (window_placement.cpp), not at the picture's
// size first, so that it does not jump as it appears.
bool CreateWindow(const char* title, int /*x*/, int /*y*/, int width, int height) {
    if (g_window != nullptr) return true;
    // An OpenGL-capable window from the start: otherwise SDL recreates the window when the
    // present makes its (OpenGL) renderer, and the window flickers and changes its id.
    const Uint32 flags = SDL_WINDOW_SHOWN | SDL_WINDOW_ALLOW_HIGHDPI | SDL_WINDOW_RESIZABLE;
    const SDL_Rect r = sdl::FirstWindowPlace(width, height);
    g_window = SDL_CreateWindow(title, r.x, r.y, r.w, r.h, flags | SDL_WINDOW_OPENGL);
    if (g_window == nullptr) g_window = SDL_CreateWindow(title, r.x, r.y, r.w, r.h, flags);
    if (g_window != nullptr) sdl::SetWindowIcon(g_window);
    return g_window != nullptr;
}

void DestroyWindow() {
    if (g_window == nullptr) return;
    sdl::SaveWindowPlacement(g_window);
    sdl::DestroyPresenter();
    SDL_DestroyWindow(g_window);
    g_window = nullptr;
}

bool WindowExists() {
    return g_window != nullptr;
}

void PumpEvents() {
    if (!g_videoStarted) return;
    SDL_Event e;
    while (SDL_PollEvent(&e))
        PostEvent(e);
}

// SDL looks at the open pads every millisecond while it waits; every ten is soon enough for a
// game that waits for input, at a tenth of the cost.
void WaitEvent() {
    if (!g_videoStarted) return;
    if (SDL_NumJoysticks() <= 0) {
        SDL_WaitEvent(nullptr);
        return;
    }
    constexpr Uint32 kPadLookMs = 10;
    while (SDL_PollEvent(nullptr) == 0)
        SDL_Delay(kPadLookMs);
}

bool SystemFontsWanted() {
    return true;
}

} // namespace backend

int ScreenWidth() {
    SDL_DisplayMode mode;
    return sdl::EnsureVideo() && SDL_GetDesktopDisplayMode(0, &mode) == 0 ? mode.w : 640;
}

int ScreenHeight() {
    SDL_DisplayMode mode;
    return sdl::EnsureVideo() && SDL_GetDesktopDisplayMode(0, &mode) == 0 ? mode.h : 480;
}

Rect GetClientRect() {
    int w = 0, h = 0;
    if (g_window != nullptr) SDL_GetWindowSize(g_window, &w, &h);
    return Rect{0, 0, w, h};
}

void ClientToScreen(int& x, int& y) {
    if (g_window == nullptr) return;
    int wx = 0, wy = 0;
    SDL_GetWindowPosition(g_window, &wx, &wy);
    x += wx;
    y += wy;
}

void ScreenToClient(int& x, int& y) {
    if (g_window == nullptr) return;
    int wx = 0, wy = 0;
    SDL_GetWindowPosition(g_window, &wx, &wy);
    x -= wx;
    y -= wy;
}

} // namespace platform
