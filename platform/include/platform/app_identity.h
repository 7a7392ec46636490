// Who the program is to the desktop, handed to the platform by the program itself: the platform
// knows nothing of any game.
#pragma once
#include <cstdint>

namespace platform {

struct IconPixels {
    int size = 0;                   // width and height; 0: no icon
    const uint32_t* argb = nullptr; // size x size pixels, 0xAARRGGBB, row by row from the top
};

struct AppIdentity {
    // The desktop entry's file name without ".desktop": the window's X11 class and Wayland app
    // id, by which a dock or task switcher matches the window to the menu entry.
    const char* desktopId = nullptr;
    // The program's name as the desktop and the sound server show it.
    const char* name = nullptr;
    // The window's own icon, for window managers that read it from the window.
    IconPixels icon;
};

// Called once, before the window opens; the texts and pixels are copied. A window class the user
// set in the environment (SDL_VIDEO_X11_WMCLASS, SDL_VIDEO_WAYLAND_WMCLASS) stays. Without this
// call the window has the host's defaults and no icon.
void SetAppIdentity(const AppIdentity& identity);

} // namespace platform
