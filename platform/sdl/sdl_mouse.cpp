// The mouse on SDL.
#include "platform/mouse.h"
#include "sdl_video.h"

namespace platform {

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
