// The present by the GPU: the frame is converted into a streaming texture, enlarged
// nearest-neighbour into a render target at the smallest whole multiple that covers the
// destination, and that is drawn linearly at the destination's exact size (a whole-multiple
// destination takes the frame directly, nearest-neighbour).
#include <algorithm>
#include <cstring>
#include <string>

#include "../common/picture_scaling.h"
#include "platform/message_box.h"
#include "sdl_presenters.h"

namespace platform::sdl {
namespace {

constexpr unsigned kGlRenderer = 0x1F01; // GL_RENDERER

void Complain(const char* what) {
    const std::string line = std::string("SDL present: ") + what + ": " + SDL_GetError() + "\n";
    OutputDebugString(line.c_str());
}

bool IsOpenGl(const SDL_RendererInfo& info) {
    return std::strncmp(info.name, "opengl", 6) == 0;
}

// What the OpenGL context names as its renderer; the renderer's context is current once made.
bool OpenGlDrawsInSoftware() {
    using GetString = const unsigned char* (*)(unsigned);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    if (getString == nullptr || SDL_GL_GetCurrentContext() == nullptr) return false;
    const auto* name = reinterpret_cast<const char*>(getString(kGlRenderer));
    if (name == nullptr) return false;
    for (const char* software : {"llvmpipe", "softpipe", "Software Rasterizer", "SWR", "swrast"})
        if (std::strstr(name, software) != nullptr) return true;
    return false;
}

class RendererPresenter : public FramePresenter {
  public:
    RendererPresenter(SDL_Renderer* renderer, bool waitVSync)
        : renderer_(renderer), vsync_(waitVSync) {
        SDL_GetRendererInfo(renderer_, &info_);
    }
    ~RendererPresenter() override {
        if (enlarged_ != nullptr) SDL_DestroyTexture(enlarged_);
        if (frame_ != nullptr) SDL_DestroyTexture(frame_);
        SDL_DestroyRenderer(renderer_);
    }

    bool Show(const Surface& frame, const PresentRequest& request) override {
        ApplyVSync(request);
        if (!EnsureFrameTexture(frame.Width(), frame.Height()) || !Upload(frame)) return false;
        int outWidth = 0, outHeight = 0;
        SDL_GetRendererOutputSize(renderer_, &outWidth, &outHeight);
        const Rect fit = FitPicture(outWidth, outHeight, width_, height_, request.scaling);
        const SDL_Rect dest{fit.left, fit.top, fit.right - fit.left, fit.bottom - fit.top};
        // The back buffer's old contents are undefined after a swap: the bars are drawn anew.
        if (dest.w != outWidth || dest.h != outHeight) {
            SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
            SDL_RenderClear(renderer_);
        }
        DrawPicture(dest);
        SDL_RenderPresent(renderer_);
        return true;
    }

  private:
    // OpenGL can hold each frame for several refreshes (a swap interval of n); where the driver
    // cannot, one, and the frame loop's timing does the rest.
    void ApplyVSync(const PresentRequest& request) {
        const int interval = request.waitVSync ? std::max(1, request.refreshesPerFrame) : 0;
        if (interval == interval_) return;
        if (request.waitVSync != vsync_) SDL_RenderSetVSync(renderer_, request.waitVSync ? 1 : 0);
        vsync_ = request.waitVSync;
        if (interval > 1 && IsOpenGl(info_) && SDL_GL_SetSwapInterval(interval) != 0)
            SDL_GL_SetSwapInterval(1);
        else if (interval == 1 && interval_ > 1 && IsOpenGl(info_))
            SDL_GL_SetSwapInterval(1);
        interval_ = interval;
    }

    bool EnsureFrameTexture(int width, int height) {
        if (frame_ != nullptr && width == width_ && height == height_) return true;
        if (frame_ != nullptr) SDL_DestroyTexture(frame_);
        frame_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                   width, height);
        if (frame_ == nullptr) {
            Complain("no texture");
            return false;
        }
        width_ = width;
        height_ = height;
        DropEnlarged();
        return true;
    }

    bool Upload(const Surface& frame) {
        void* pixels = nullptr;
        int pitch = 0;
        if (SDL_LockTexture(frame_, nullptr, &pixels, &pitch) != 0) {
            Complain("texture lock");
            return false;
        }
        ConvertToXrgb8888(frame, static_cast<uint8_t*>(pixels), pitch);
        SDL_UnlockTexture(frame_);
        return true;
    }

    void DrawPicture(const SDL_Rect& dest) {
        const int multiple = CoveringMultiple(dest.w, dest.h, width_, height_);
        const bool exact = dest.w == multiple * width_ && dest.h == multiple * height_;
        // No larger than the frame: a linear reduction of the frame itself.
        if (exact || multiple == 1 || !EnsureEnlarged(multiple)) {
            SDL_SetTextureScaleMode(frame_, exact ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
            SDL_RenderCopy(renderer_, frame_, nullptr, &dest);
            return;
        }
        SDL_SetTextureScaleMode(frame_, SDL_ScaleModeNearest);
        SDL_SetRenderTarget(renderer_, enlarged_);
        SDL_RenderCopy(renderer_, frame_, nullptr, nullptr);
        SDL_SetRenderTarget(renderer_, nullptr);
        SDL_RenderCopy(renderer_, enlarged_, nullptr, &dest);
    }

    bool EnsureEnlarged(int multiple) {
        if (enlarged_ != nullptr && multiple == multiple_) return true;
        DropEnlarged();
        const int width = width_ * multiple, height = height_ * multiple;
        if ((info_.flags & SDL_RENDERER_TARGETTEXTURE) == 0 ||
            (info_.max_texture_width > 0 && width > info_.max_texture_width) ||
            (info_.max_texture_height > 0 && height > info_.max_texture_height))
            return false;
        enlarged_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_TARGET,
                                      width, height);
        if (enlarged_ == nullptr) return false;
        SDL_SetTextureScaleMode(enlarged_, SDL_ScaleModeLinear);
        multiple_ = multiple;
        return true;
    }

    void DropEnlarged() {
        if (enlarged_ != nullptr) SDL_DestroyTexture(enlarged_);
        enlarged_ = nullptr;
        multiple_ = 0;
    }

    SDL_Renderer* renderer_;
    SDL_RendererInfo info_{};
    bool vsync_;
    int interval_ = -1;
    SDL_Texture* frame_ = nullptr;
    int width_ = 0, height_ = 0;
    SDL_Texture* enlarged_ = nullptr;
    int multiple_ = 0;
};

} // namespace

std::unique_ptr<FramePresenter> MakeRendererPresenter(SDL_Window* window, bool waitVSync,
                                                      bool* software) {
    SDL_Renderer* renderer =
        SDL_CreateRenderer(window, -1, waitVSync ? SDL_RENDERER_PRESENTVSYNC : 0);
    if (renderer == nullptr) {
        Complain("no renderer");
        return nullptr;
    }
    SDL_RendererInfo info{};
    SDL_GetRendererInfo(renderer, &info);
    if (software != nullptr)
        *software = (info.flags & SDL_RENDERER_SOFTWARE) != 0 ||
                    (IsOpenGl(info) && OpenGlDrawsInSoftware());
    return std::make_unique<RendererPresenter>(renderer, waitVSync);
}

} // namespace platform::sdl
