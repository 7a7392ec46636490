// The runtime's own static record and the sine table, shared by the whole runtime library.
#pragma once
#include <array>
#include <cstdint>

#include "platform/window.h"

namespace tessary {

// A frame callback takes no arguments and does one frame of work; its result is ignored.
using FrameCallback = int (*)();

inline constexpr int kDisplayWidth = 640;
inline constexpr int kDisplayHeight = 480;

struct RuntimeState {
    uintptr_t instance = 0;
    uintptr_t mainWindow = 0; // 1 while the one main window exists
    platform::Rect clientRect{};
    uint32_t framePeriod = 0;
    uint16_t quitKey = 0;
    int32_t mouseMoved = 0;
    int32_t active = 0;
    int32_t errorBoxShown = 0;
    int32_t closing = 0;
    int32_t mousePolling = 0;
    int32_t joystickPolling = 0;
    FrameCallback frameCallback = nullptr;
};

// The one record of the run.
RuntimeState& Runtime();

// Entry i is sin(i degrees) * 360 truncated toward zero; the cosine of a is entry a + 90.
inline constexpr int kSineTableSize = 450;
extern std::array<int32_t, kSineTableSize> SineTable;
void BuildSineTable();

// Puts every static object of the runtime back to its state before the program entry, so that a
// test starts from a clean start-up.
void ResetRuntimeStatics();

} // namespace tessary
