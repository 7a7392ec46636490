// The software pixel effects: rotation, translucent blending, raster operations and additive
// blending of an image slot onto the back buffer, computed pixel by pixel at every colour depth.
// Blending, raster operations and additive blending work on a copy of the destination in the
// scratch slot 256 and copy the finished rectangle back in one blit; rotation writes the back
// buffer directly. Pixels of a transparent slot equal to its colour key are never written.
#pragma once
#include <cstdint>

namespace tessary {

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
