// The blitters: copies of a rectangle of an image slot onto the back buffer, clipped against the
// display's clip rectangle. All take the source rectangle (right and bottom exclusive), where -1 as
// right or bottom reaches the picture's edge. Results: 1 drawn (or the source was lost and is being
// reloaded), 0 for a bad or empty slot, an empty clipped rectangle or a failed copy. They are
// built on the platform's copies alone; the software effects (pixel_effects.h) build on them.
#pragma once
#include <cstdint>

namespace tessary {

// The clipping every blitter shares: -1 edges widened to the picture, the rectangle cut to the
// picture, then the destination (x, y) moved inside the clip rectangle with the source start moved
// along. False when nothing is left to draw or the slot is empty.
bool ClipSourceRect(int& x, int& y, int slot, int& srcLeft, int& srcTop, int& srcRight,
                    int& srcBottom);

// -1 as srcRight or srcBottom reaches the picture's edge (width or height) from the given start.
void WidenToEdges(int width, int height, int srcLeft, int srcTop, int& srcRight, int& srcBottom);

int DrawImage(int x, int y, uint16_t slot, int srcLeft, int srcTop, int srcRight, int srcBottom);

// The source rectangle stretched to dstWidth x dstHeight at (x, y); -1 doubles the picture's size.
int DrawImageScaled(int x, int y, uint16_t slot, int dstWidth, int dstHeight, int srcLeft,
                    int srcTop, int srcRight, int srcBottom);

// The rectangle at its size, each band of `band` rows showing the band's first row.
int DrawImageBanded(int x, int y, uint16_t slot, int band, int srcLeft, int srcTop, int srcRight,
                    int srcBottom);

// Every other row of the rectangle (the first, the third, ...), the rows between left as they
// are: the half-transparent copy of an 8-bit screen or an interlaced sprite. Slot 0..255.
int DrawImageInterlaced(int x, int y, uint16_t slot, int srcLeft, int srcTop, int srcRight,
                        int srcBottom);

// Copies a back-buffer rectangle into the slot's surface at (x, y); the slot's key is retaken.
int CopyScreenToImage(uint16_t slot, int x, int y, int srcLeft, int srcTop, int srcRight,
                      int srcBottom);

} // namespace tessary
