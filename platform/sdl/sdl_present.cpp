// The present on SDL: one renderer and one streaming texture on the main window, made on the
// first present and dropped with the window.
#include <string>

#include "../common/screenshot_internal.h"
#include "platform/message_box.h"
#include "platform/present.h"
#include "sdl_video.h"

namespace platform {
namespace {

SDL_Renderer* g_renderer = nullptr;
SDL_Texture* g_texture = nullptr;
int g_textureWidth = 0, g_textureHeight = 0;
bool g_vsync = false;

void Complain(const char* what) {
    std::string line = std::string("SDL present: ") + what + ": " + SDL_GetError() + "\n";
    OutputDebugString(line.c_str());
}

bool EnsureRenderer(bool vsync) {
    SDL_Window* window = sdl::MainWindow();
    if (window == nullptr) return false;
    if (g_renderer == nullptr) {
        g_renderer = SDL_CreateRenderer(window, -1, vsync ? SDL_RENDERER_PRESENTVSYNC : 0);
        if (g_renderer == nullptr) {
            Complain("no renderer");
            return false;
        }
        g_vsync = vsync;
    } else if (vsync != g_vsync) {
        SDL_RenderSetVSync(g_renderer, vsync ? 1 : 0);
        g_vsync = vsync;
    }
    return true;
}

// The texture and the logical size follow the frame; whole-number scaling keeps pixels sharp and
// the aspect kept, with black bars around.
bool EnsureTexture(int width, int height) {
    if (g_texture != nullptr && width == g_textureWidth && height == g_textureHeight) return true;
    if (g_texture != nullptr) SDL_DestroyTexture(g_texture);
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    g_texture = SDL_CreateTexture(g_renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                  width, height);
    if (g_texture == nullptr) {
        Complain("no texture");
        return false;
    }
    g_textureWidth = width;
    g_textureHeight = height;
    SDL_RenderSetLogicalSize(g_renderer, width, height);
    SDL_RenderSetIntegerScale(g_renderer, SDL_TRUE);
    return true;
}

} // namespace

namespace sdl {

void DestroyPresenter() {
    if (g_texture != nullptr) SDL_DestroyTexture(g_texture);
    if (g_renderer != nullptr) SDL_DestroyRenderer(g_renderer);
    g_texture = nullptr;
    g_renderer = nullptr;
    g_textureWidth = g_textureHeight = 0;
}

} // namespace sdl

std::string SaveScreenshot(const Surface& frame) {
    return WriteScreenshot(frame);
}

bool PresentFrame(const Surface& frame, bool waitVSync) {
    if (frame.IsLost() || !EnsureRenderer(waitVSync) ||
        !EnsureTexture(frame.Width(), frame.Height()))
        return false;
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(g_texture, nullptr, &pixels, &pitch) != 0) {
        Complain("texture lock");
        return false;
    }
    ConvertToXrgb8888(frame, static_cast<uint8_t*>(pixels), pitch);
    SDL_UnlockTexture(g_texture);
    SDL_SetRenderDrawColor(g_renderer, 0, 0, 0, 255);
    SDL_RenderClear(g_renderer);
    SDL_RenderCopy(g_renderer, g_texture, nullptr, nullptr);
    SDL_RenderPresent(g_renderer);
    return true;
}

} // namespace platform
