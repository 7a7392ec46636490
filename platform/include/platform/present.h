// The present: shows a 640 x 480 picture in the main window. The SDL implementation converts it
// to 32 bits (through the palette at 8 bits) and shows it as large as the window or the screen
// allows, its 4:3 shape kept, with black bars around: by the GPU where there is one, by its own
// scaler into the window's pixels where the only renderer draws in software. The headless one
// keeps the last frame for tests and can stand in for a display that refreshes at a given rate.
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

// How the picture is enlarged. Sharp: to fill the window or screen, nearest-neighbour to the
// smallest whole multiple at least as large, then linear down to the exact size, so pixels stay
// crisp and of even widths. Whole multiples: only the largest whole factor that fits, wider bars.
enum class PictureScaling { kSharp, kWholeMultiples };
void SetPictureScaling(PictureScaling scaling);

// The refresh rate of the display that shows the window, in Hz; 0 when the host does not tell.
double DisplayRefreshHz();

// The frame loop shows each frame for this many refreshes (0: it does not pace to the display).
// Where the host can hold a frame on screen for several refreshes, the present asks it to.
void SetRefreshesPerFrame(int refreshes);

} // namespace platform
