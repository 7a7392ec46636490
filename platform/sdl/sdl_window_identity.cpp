// Who the game's window is to the desktop: the desktop entry's id as its X11 class and Wayland
// app id, so that a dock or task switcher matches the window to the menu entry (its name and
// icon), and the game's own icon on the window for window managers that read it from there.
#include <cstdlib>

#include "desktop_icons.h"
#include "sdl_video.h"

namespace platform::sdl {
namespace {

// The file name of the desktop entry without ".desktop"; its StartupWMClass says the same.
constexpr char kDesktopId[] = "org.pelko.Pelko";

} // namespace

void SetWindowIdentityHints() {
    // SDL reads these from the environment as video starts; a value the user set stays.
    setenv("SDL_VIDEO_X11_WMCLASS", kDesktopId, 0);
    setenv("SDL_VIDEO_WAYLAND_WMCLASS", kDesktopId, 0);
    SDL_SetHint(SDL_HINT_APP_NAME, "Pelko");
}

void SetWindowIcon(SDL_Window* window) {
    const desktop_icons::IconPixels& icon = desktop_icons::kGameWindowIcon;
    // SDL copies the pixels into the window's property; the surface only lends them.
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceFrom(const_cast<uint32_t*>(icon.argb), icon.size, icon.size, 32,
                                 icon.size * 4, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000);
    if (surface == nullptr) return;
    SDL_SetWindowIcon(window, surface);
    SDL_FreeSurface(surface);
}

} // namespace platform::sdl
