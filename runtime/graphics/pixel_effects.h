// The software pixel effects: rotation, translucent blending, raster operations and additive
// blending of an image slot onto the back buffer, computed pixel by pixel at every colour depth.
// Blending, raster operations and additive blending work on a copy of the destination in the
// scratch slot 256 and copy the finished rectangle back in one blit; rotation writes the back
// buffer directly. Pixels of a transparent slot equal to its colour key are never written.
// The front ends of rotation and translucency choose between these loops and the plain blitters.
#pragma once
#include <cstdint>

#include "platform/surface.h"

namespace tessary {

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

// Half-transparent: every other row when interlace is set or at 8 bits (DrawImageInterlaced), else
// a blend of `percent` opacity at 16, 24 and 32 bits.
int DrawImageTranslucent(int x, int y, uint16_t slot, int percent, int srcLeft, int srcTop,
                         int srcRight, int srcBottom, int interlace);

// Rotates the whole source rectangle of slot into the square of side `side` whose top-left corner
// on the back buffer is (squareLeft, squareTop); only square columns [visLeft, visRight) and rows
// [visTop, visBottom) are written. angle is already in 0..359 and side in 1..kMaxRotationSide
// (else nothing is drawn). Returns the blit result.
int RotateImageIntoSquare(int slot, int angle, int srcLeft, int srcTop, int srcRight, int srcBottom,
                          int side, int squareLeft, int squareTop, int visLeft, int visTop,
                          int visRight, int visBottom);

// Blends the already clipped source rectangle of slot onto the back buffer at (x, y) with opacity
// alpha 0..256 (128 = 50 percent; values beyond are held to those ends), colour keys honoured.
// Returns the blit result; 0 at 8 bits, where palette indexes cannot be mixed.
int BlendImage(int x, int y, int slot, int alpha, int srcLeft, int srcTop, int srcRight,
               int srcBottom);

// Combines the picture with the screen by a binary raster operation code (2 not-or, 4 not
// source, 6 not screen, 7 exclusive-or, 8 not-and, 9 and, 10 not-exclusive-or, 15 or; other
// codes leave the screen). Code 13 (plain copy) and an 8-bit screen draw the picture with
// DrawImage and give 0. Slot 0..255; clipped like DrawImage.
int DrawImageRop(int x, int y, uint16_t slot, int code, int srcLeft, int srcTop, int srcRight,
                 int srcBottom);

// Adds the picture to the screen, each channel saturating. At 8 bits the picture is drawn with
// DrawImage and the result is 0. Slot 0..255; clipped like DrawImage.
int DrawImageAdditive(int x, int y, uint16_t slot, int srcLeft, int srcTop, int srcRight,
                      int srcBottom);

} // namespace tessary
