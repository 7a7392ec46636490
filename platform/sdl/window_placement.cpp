// Where the game's window goes and how large it is: resizable, at the player's own size from the
// last run (brought inside the work area when it no longer fits), or at the first start the
// largest whole multiple of the picture that fits the desktop's work area with the window's frame;
// centred on the work area. Sizes are SDL's window units: pixels on X11, logical pixels on a scaled
// Wayland desktop. The size, the maximised state and full screen are saved as the window goes.
#include <algorithm>
#include <optional>

#include "platform/window.h"
#include "sdl_video.h"
#include "window_state_file.h"

namespace platform {
namespace {

// The smallest window the player can make: a quarter of the picture's area.
constexpr int kMinimumWidth = 320, kMinimumHeight = 240;

// A frame the window manager has not reported yet (or a desktop that draws it inside the window)
// is taken to be a title bar this high and borders this wide, so that the first window surely
// fits: on a 1280 x 1024 screen twice the picture fills the width, and a frame leaves no room.
constexpr int kAssumedTitleBar = 32, kAssumedBorder = 4;

struct Frame {
    int top = 0, left = 0, bottom = 0, right = 0;
    // Whether SDL knows it: SDL places a window by its client area once it knows the frame, and
    // by the frame's corner until then.
    bool known = false;
};

struct Placement {
    bool loaded = false;
    std::optional<sdl::SavedWindow> saved;
    bool placed = false;       // the window has had its first size
    int width = 0, height = 0; // the player's windowed size, not maximised, not full screen
    bool fullScreen = false;
};

Placement g_placement;

const std::optional<sdl::SavedWindow>& Saved() {
    if (!g_placement.loaded) {
        g_placement.saved = sdl::ReadSavedWindow();
        g_placement.loaded = true;
    }
    return g_placement.saved;
}

Frame WindowFrame(SDL_Window* window) {
    Frame f;
    if (window == nullptr ||
        SDL_GetWindowBordersSize(window, &f.top, &f.left, &f.bottom, &f.right) != 0 ||
        (f.top == 0 && f.left == 0 && f.bottom == 0 && f.right == 0))
        return Frame{kAssumedTitleBar, kAssumedBorder, kAssumedBorder, kAssumedBorder, false};
    f.known = true;
    return f;
}

SDL_Rect WorkArea(SDL_Window* window) {
    const int display = window != nullptr ? std::max(0, SDL_GetWindowDisplayIndex(window)) : 0;
    SDL_Rect area{0, 0, 0, 0};
    if (SDL_GetDisplayUsableBounds(display, &area) != 0 || area.w <= 0 || area.h <= 0)
        SDL_GetDisplayBounds(display, &area);
    return area;
}

// The client area the work area leaves inside the frame.
SDL_Rect Room(const SDL_Rect& area, const Frame& frame) {
    return SDL_Rect{0, 0, std::max(kMinimumWidth, area.w - frame.left - frame.right),
                    std::max(kMinimumHeight, area.h - frame.top - frame.bottom)};
}

SDL_Rect ClientSize(const SDL_Rect& room, int pictureWidth, int pictureHeight) {
    if (const auto& saved = Saved())
        return SDL_Rect{0, 0, std::clamp(saved->width, kMinimumWidth, room.w),
                        std::clamp(saved->height, kMinimumHeight, room.h)};
    const int multiple = std::max(1, std::min(room.w / pictureWidth, room.h / pictureHeight));
    return SDL_Rect{0, 0, multiple * pictureWidth, multiple * pictureHeight};
}

// The position to ask SDL for that centres the framed window on the work area, and the size.
SDL_Rect Centred(const SDL_Rect& area, const Frame& frame, int width, int height) {
    const int outerWidth = width + frame.left + frame.right;
    const int outerHeight = height + frame.top + frame.bottom;
    const int x = area.x + (area.w - outerWidth) / 2, y = area.y + (area.h - outerHeight) / 2;
    if (!frame.known) return SDL_Rect{x, y, width, height};
    return SDL_Rect{x + frame.left, y + frame.top, width, height};
}

} // namespace

namespace sdl {

SDL_Rect FirstWindowPlace(int pictureWidth, int pictureHeight) {
    const SDL_Rect area = WorkArea(nullptr);
    const Frame frame = WindowFrame(nullptr);
    const SDL_Rect size = ClientSize(Room(area, frame), pictureWidth, pictureHeight);
    return Centred(area, frame, size.w, size.h);
}

void NoteWindowSize(SDL_Window* window) {
    const Uint32 flags = SDL_GetWindowFlags(window);
    const Uint32 notOwnSize =
        SDL_WINDOW_FULLSCREEN | SDL_WINDOW_MAXIMIZED | SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN;
    if (!g_placement.placed || (flags & notOwnSize) != 0) return;
    SDL_GetWindowSize(window, &g_placement.width, &g_placement.height);
}

void SaveWindowPlacement(SDL_Window* window) {
    if (!g_placement.placed) return;
    const bool maximized = (SDL_GetWindowFlags(window) & SDL_WINDOW_MAXIMIZED) != 0;
    SaveWindow(
        SavedWindow{g_placement.width, g_placement.height, maximized, g_placement.fullScreen});
}

} // namespace sdl

bool SetWindowFullScreen(bool fullScreen) {
    SDL_Window* window = sdl::MainWindow();
    if (window == nullptr) return false;
    if (SDL_SetWindowFullscreen(window, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0)
        return false;
    g_placement.fullScreen = fullScreen;
    return true;
}

void FitWindowToClient(int clientWidth, int clientHeight) {
    SDL_Window* window = sdl::MainWindow();
    if (window == nullptr) return;
    SDL_SetWindowBordered(window, SDL_TRUE);
    SDL_SetWindowAlwaysOnTop(window, SDL_FALSE);
    SDL_SetWindowResizable(window, SDL_TRUE);
    SDL_SetWindowMinimumSize(window, kMinimumWidth, kMinimumHeight);
    const bool first = !g_placement.placed;
    // A window maximised before full screen comes back maximised; the desktop sizes it.
    if (!first && (SDL_GetWindowFlags(window) & SDL_WINDOW_MAXIMIZED) != 0) return;
    const SDL_Rect area = WorkArea(window);
    const Frame frame = WindowFrame(window);
    if (first) {
        const SDL_Rect size = ClientSize(Room(area, frame), clientWidth, clientHeight);
        g_placement.width = size.w;
        g_placement.height = size.h;
        g_placement.placed = true;
    }
    const SDL_Rect place = Centred(area, frame, g_placement.width, g_placement.height);
    SDL_SetWindowSize(window, place.w, place.h);
    SDL_SetWindowPosition(window, place.x, place.y);
    if (first && Saved() && Saved()->maximized) SDL_MaximizeWindow(window);
}

bool WindowRestoresFullScreen() {
    return Saved() && Saved()->fullScreen;
}

} // namespace platform
