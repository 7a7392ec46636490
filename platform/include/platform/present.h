// The present: shows a 640 x 480 picture in the main window. The SDL implementation converts it
// to 32 bits (through the palette at 8 bits) into a streaming texture and shows it windowed at
// 640 x 480 logical pixels, or full screen scaled by the largest whole factor that fits, aspect
// kept, black bars, sharp pixels. The headless one keeps the last frame for tests.
#pragma once
#include <cstdint>

#include "platform/surface.h"

namespace platform {

// Shows the surface; with waitVSync the present waits for the vertical blank. False when nothing
// could be shown (no window, no renderer, a lost surface).
bool PresentFrame(const Surface& frame, bool waitVSync);

// Converts a surface of any depth to X8R8G8B8 rows (dstPitch bytes apart); an 8-bit surface goes
// through its palette (black without one).
void ConvertToXrgb8888(const Surface& src, uint8_t* dst, int dstPitch);

} // namespace platform
