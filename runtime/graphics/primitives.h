// Plain shapes on the back buffer: the whole-screen clear and one-colour rectangles. Colours are
// 0x00BBGGRR.
#pragma once
#include <cstdint>

namespace tessary {

// Fills the whole back buffer (the clip rectangle does not apply). 0 when it cannot be drawn on.
int ClearScreen(uint32_t color);

// A one-pixel outline of left..right-1, top..bottom-1 (a reversed rectangle is turned round),
// inside the clip rectangle. 0 only when the back buffer cannot be drawn on.
int DrawRect(int left, int top, int right, int bottom, uint32_t color);

// A filled rectangle cut to the clip rectangle. 0, and nothing drawn, when it lies wholly to the
// right of or below the clip rectangle, or ends left of or above it, or when the back buffer
// cannot be drawn on.
int FillRect(int left, int top, int right, int bottom, uint32_t color);

} // namespace tessary
