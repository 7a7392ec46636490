// The present into the window's own pixels: the frame is converted to X8R8G8B8, sharp-scaled by
// the CPU into its place and handed to the host (on X11 through shared memory). The bars are
// cleared and shown when the window's pixels are new or the window was uncovered; otherwise only
// the picture goes, a quarter less to copy in full screen on a 16:9 screen.
#include <vector>

#include "../common/picture_scaling.h"
#include "sdl_presenters.h"

namespace platform::sdl {
namespace {

bool IsXrgb(const SDL_Surface* surface) {
    return surface != nullptr && surface->pixels != nullptr &&
           (surface->format->format == SDL_PIXELFORMAT_RGB888 ||
            surface->format->format == SDL_PIXELFORMAT_ARGB8888);
}

class SurfacePresenter : public FramePresenter {
  public:
    explicit SurfacePresenter(SDL_Window* window) : window_(window) {}

    bool Show(const Surface& frame, const PresentRequest& request) override {
        SDL_Surface* surface = SDL_GetWindowSurface(window_);
        if (!IsXrgb(surface)) return false;
        const int width = frame.Width(), height = frame.Height();
        staging_.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
        ConvertToXrgb8888(frame, reinterpret_cast<uint8_t*>(staging_.data()), width * 4);
        const Rect dest = FitPicture(surface->w, surface->h, width, height, request.scaling);
        if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return false;
        const bool whole = request.wholeWindow || surface != lastSurface_ ||
                           surface->w != lastWidth_ || surface->h != lastHeight_ ||
                           dest.left != lastDest_.left || dest.top != lastDest_.top;
        if (whole) {
            ClearBars(*surface);
            lastSurface_ = surface;
            lastWidth_ = surface->w;
            lastHeight_ = surface->h;
            lastDest_ = dest;
        }
        const int pitch = surface->pitch / 4;
        uint32_t* at = static_cast<uint32_t*>(surface->pixels) +
                       static_cast<size_t>(dest.top) * static_cast<size_t>(pitch) +
                       static_cast<size_t>(dest.left);
        scaler_.Scale(staging_.data(), width, height, width, at, dest.right - dest.left,
                      dest.bottom - dest.top, pitch);
        if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
        if (whole) return SDL_UpdateWindowSurface(window_) == 0;
        const SDL_Rect picture{dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top};
        return SDL_UpdateWindowSurfaceRects(window_, &picture, 1) == 0;
    }

  private:
    static void ClearBars(SDL_Surface& surface) {
        SDL_FillRect(&surface, nullptr, SDL_MapRGB(surface.format, 0, 0, 0));
    }

    SDL_Window* window_;
    std::vector<uint32_t> staging_;
    SharpScaler scaler_;
    const SDL_Surface* lastSurface_ = nullptr;
    int lastWidth_ = 0, lastHeight_ = 0;
    Rect lastDest_{};
};

} // namespace

std::unique_ptr<FramePresenter> MakeSurfacePresenter(SDL_Window* window) {
    // SDL would otherwise stand a renderer behind the window's pixels: the same textured quad.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (!IsXrgb(SDL_GetWindowSurface(window))) return nullptr;
    return std::make_unique<SurfacePresenter>(window);
}

} // namespace platform::sdl
