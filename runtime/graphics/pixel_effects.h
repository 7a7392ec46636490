// The software pixel loops the blitters' front ends hand their work to.
#pragma once

namespace tessary {

// Rotates the whole source rectangle of slot into the square of side `side` whose top-left corner on the back buffer is (squareLeft, squareTop); only square columns [visLeft, visRight) and rows [visTop, visBottom) are written. angle is already in 0..359. Returns the blit result.
int RotateImageIntoSquare(int slot, int angle, int srcLeft, int srcTop, int srcRight, int srcBottom, int side, int squareLeft, int squareTop, int visLeft, int visTop, int visRight, int visBottom);
// Blends the already clipped source rectangle of slot onto the back buffer at (x, y) with opacity alpha 0..256 (128 = 50 percent), colour keys honoured. Returns the blit result.
int BlendImage(int x, int y, int slot, int alpha, int srcLeft, int srcTop, int srcRight, int srcBottom);

} // namespace tessary
