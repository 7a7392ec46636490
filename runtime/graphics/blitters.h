// The blitters: copies of a rectangle of an image slot onto the back buffer, clipped against the
// display's clip rectangle. All take the source rectangle (right and bottom exclusive), where -1 as
// right or bottom reaches the picture's edge. Results: 1 drawn (or the source was lost and is being
// reloaded), 0 for a bad or empty slot, an empty clipped rectangle or a failed copy.
#pragma once
#include <cstdint>

#include "platform/surface.h"

namespace tessary {

// The clipping every blitter shares: -1 edges widened to the picture, the rectangle cut to the
// picture, then the destination (x, y) moved inside the clip rectangle with the source start moved
// along. False when nothing is left to draw or the slot is empty.
bool ClipSourceRect(int& x, int& y, int slot, int& srcLeft, int& srcTop, int& srcRight,
                    int& srcBottom);

int DrawImage(int x, int y, uint16_t slot, int srcLeft, int srcTop, int srcRight, int srcBottom);

// The source rectangle stretched to dstWidth x dstHeight at (x, y); -1 doubles the picture's size.
int DrawImageScaled(int x, int y, uint16_t slot, int dstWidth, int dstHeight, int srcLeft,
                    int srcTop, int srcRight, int srcBottom);

// The rectangle at its size, each band of `band` rows showing the band's first row.
int DrawImageBanded(int x, int y, uint16_t slot, int band, int srcLeft, int srcTop, int srcRight,
                    int srcBottom);

// The largest square a rotation is drawn into: the diagonal of the largest surface, with room.
inline constexpr int kMaxRotationSide = 2 * platform::Surface::kMaxSide;

// Where a rotated picture goes: the square of side `side` at (squareLeft, squareTop) centred on
// the unrotated picture, its columns [visLeft, visRight) and rows [visTop, visBottom) on screen,
// and the angle brought into 0..359.
struct RotationPlan {
    int angle = 0, side = 0, squareLeft = 0, squareTop = 0;
    int visLeft = 0, visTop = 0, visRight = 0, visBottom = 0;
};
// False when the source rectangle (-1 edges widened) is empty or not wholly inside the picture of
// the given size, its square would be larger than kMaxRotationSide, or no part of the square is
// on screen.
bool PlanRotation(int x, int y, int angle, int imageWidth, int imageHeight, int& srcLeft,
                  int& srcTop, int& srcRight, int& srcBottom, RotationPlan& plan);

// The whole source rectangle rotated by angle degrees about its centre.
int DrawImageRotated(int x, int y, uint16_t slot, int angle, int srcLeft, int srcTop, int srcRight,
                     int srcBottom);

// Half-transparent: every other row when interlace is set or at 8 bits, else a blend of `percent`
// opacity at 16, 24 and 32 bits.
int DrawImageTranslucent(int x, int y, uint16_t slot, int percent, int srcLeft, int srcTop,
                         int srcRight, int srcBottom, int interlace);

// Copies a back-buffer rectangle into the slot's surface at (x, y); the slot's key is retaken.
int CopyScreenToImage(uint16_t slot, int x, int y, int srcLeft, int srcTop, int srcRight,
                      int srcBottom);

} // namespace tessary
