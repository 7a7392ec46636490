// Who the window is to the desktop, as the program said through SetAppIdentity: the desktop
// entry's id as its X11 class and Wayland app id, and the program's icon on the window.
#include <cstdlib>
#include <vector>

#include "platform/app_identity.h"
#include "sdl_video.h"

namespace platform {
namespace {

int g_iconSize = 0;
std::vector<uint32_t> g_iconPixels;

} // namespace

void SetAppIdentity(const AppIdentity& identity) {
    // SDL reads the classes from the environment as video starts, and copies the hint.
    if (identity.desktopId != nullptr) {
        setenv("SDL_VIDEO_X11_WMCLASS", identity.desktopId, 0);
        setenv("SDL_VIDEO_WAYLAND_WMCLASS", identity.desktopId, 0);
    }
    if (identity.name != nullptr) SDL_SetHint(SDL_HINT_APP_NAME, identity.name);
    const IconPixels& icon = identity.icon;
    g_iconSize = 0;
    g_iconPixels.clear();
    if (icon.argb == nullptr || icon.size <= 0) return;
    g_iconSize = icon.size;
    g_iconPixels.assign(icon.argb, icon.argb + static_cast<size_t>(icon.size) * icon.size);
}

namespace sdl {

void SetWindowIcon(SDL_Window* window) {
    if (g_iconSize == 0) return;
    // SDL copies the pixels into the window's property; the surface only lends them.
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceFrom(g_iconPixels.data(), g_iconSize, g_iconSize, 32, g_iconSize * 4,
                                 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000);
    if (surface == nullptr) return;
    SDL_SetWindowIcon(window, surface);
    SDL_FreeSurface(surface);
}

} // namespace sdl
} // namespace platform
