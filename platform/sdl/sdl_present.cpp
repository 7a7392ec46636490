// The present on SDL: one presenter for the main window, made on the first present and dropped
// with the window. The GPU's renderer is taken where it draws on a GPU; where it draws in software
// (Mesa's llvmpipe on a machine without one), the window's own pixels and the CPU's scaler instead.
// TESSARY_SCALER=gpu or cpu chooses one for tests and comparisons.
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>

#include "../common/screenshot_internal.h"
#include "platform/message_box.h"
#include "platform/present.h"
#include "sdl_presenters.h"
#include "sdl_video.h"

namespace platform {
namespace {

std::unique_ptr<sdl::FramePresenter> g_presenter;
sdl::PresentRequest g_request;
bool g_exposed = false;

bool Asked(const char* scaler) {
    const char* asked = std::getenv("TESSARY_SCALER");
    return asked != nullptr && std::strcmp(asked, scaler) == 0;
}

std::unique_ptr<sdl::FramePresenter> ByTheCpu(SDL_Window* window) {
    auto surface = sdl::MakeSurfacePresenter(window);
    if (surface != nullptr) OutputDebugString("present: the CPU scales the picture\n");
    return surface;
}

std::unique_ptr<sdl::FramePresenter> MakePresenter(SDL_Window* window, bool waitVSync) {
    if (Asked("cpu"))
        if (auto surface = ByTheCpu(window)) return surface;
    bool software = false;
    auto renderer = sdl::MakeRendererPresenter(window, waitVSync, &software);
    if (renderer == nullptr || !software || Asked("gpu")) return renderer;
    renderer.reset(); // the window's pixels and a renderer exclude each other
    if (auto surface = ByTheCpu(window)) return surface;
    return sdl::MakeRendererPresenter(window, waitVSync, nullptr);
}

} // namespace

namespace sdl {

void DestroyPresenter() {
    g_presenter.reset();
}

void NoteWindowExposed() {
    g_exposed = true;
}

} // namespace sdl

std::string SaveScreenshot(const Surface& frame) {
    return WriteScreenshot(frame);
}

bool PresentFrame(const Surface& frame, bool waitVSync) {
    SDL_Window* window = sdl::MainWindow();
    if (frame.IsLost() || window == nullptr) return false;
    if (g_presenter == nullptr) g_presenter = MakePresenter(window, waitVSync);
    if (g_presenter == nullptr) return false;
    g_request.waitVSync = waitVSync;
    g_request.wholeWindow = std::exchange(g_exposed, false);
    return g_presenter->Show(frame, g_request);
}

void SetPictureScaling(PictureScaling scaling) {
    g_request.scaling = scaling;
}

void SetRefreshesPerFrame(int refreshes) {
    g_request.refreshesPerFrame = refreshes;
}

double DisplayRefreshHz() {
    SDL_Window* window = sdl::MainWindow();
    if (window == nullptr) return 0.0;
    const int display = SDL_GetWindowDisplayIndex(window);
    SDL_DisplayMode mode{};
    if (display < 0 || SDL_GetCurrentDisplayMode(display, &mode) != 0) return 0.0;
    return mode.refresh_rate > 0 ? mode.refresh_rate : 0.0;
}

} // namespace platform
