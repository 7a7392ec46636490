// The one display record. The surfaces, the palette and the present come with the graphics core;
// until then the record carries the window-mode state that the window code and input read.
#pragma once
#include <cstdint>

#include "runtime/shell/runtime_state.h"

namespace tessary {

inline constexpr uint32_t DDSCL_NORMAL = 8;
inline constexpr uint32_t DDSCL_FULLSCREEN_EXCLUSIVE = 17;

struct Display {
    uint32_t cooperativeLevel = DDSCL_NORMAL;
    uint32_t windowedLevel = DDSCL_NORMAL;
    uint32_t fullScreenLevel = DDSCL_FULLSCREEN_EXCLUSIVE;
    int surfacesReady = 0;
    int presentPaused = 0;
    int width = kDisplayWidth;
    int height = kDisplayHeight;
    int depth = 32;

    bool IsFullScreen() const { return cooperativeLevel == fullScreenLevel; }

    int Open();
    void Close();
    int Present();
    int ToggleFullScreen();
};

Display& TheDisplay();

} // namespace tessary
