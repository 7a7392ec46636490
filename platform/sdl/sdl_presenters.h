// The two ways a frame reaches the window on SDL, each showing the picture as FitPicture places
// it with black bars around: the GPU's, through an SDL renderer, and the way for hosts whose only
// renderer draws in software, through the window's own pixels and the CPU's sharp scaler (there a
// textured quad over a large window costs many times the copy). Only SDL and the platform's
// common services are used, so a benchmark can run them beside the headless platform.
#pragma once
#include <SDL.h>

#include <memory>

#include "platform/present.h"
#include "platform/surface.h"

namespace platform::sdl {

struct PresentRequest {
    PictureScaling scaling = PictureScaling::kSharp;
    bool waitVSync = false;
    int refreshesPerFrame = 0; // held this many refreshes where the host can; 0 or 1: one
    bool wholeWindow = false;  // the window was uncovered: its bars need showing again too
};

class FramePresenter {
  public:
    virtual ~FramePresenter() = default;
    // False when nothing could be shown.
    virtual bool Show(const Surface& frame, const PresentRequest& request) = 0;
};

// The GPU's way. Null when SDL makes no renderer for the window; software is set when the one it
// made draws on the CPU (SDL's own, or OpenGL by llvmpipe, softpipe or another software
// rasteriser).
std::unique_ptr<FramePresenter> MakeRendererPresenter(SDL_Window* window, bool waitVSync,
                                                      bool* software);

// The window's own pixels, scaled into by the CPU. Null where the window has no pixels of its own
// in X8R8G8B8 (on Wayland SDL has none). The window must have no renderer.
std::unique_ptr<FramePresenter> MakeSurfacePresenter(SDL_Window* window);

} // namespace platform::sdl
