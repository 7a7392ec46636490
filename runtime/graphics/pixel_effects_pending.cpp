// The rotation and blend loops arrive with the pixel effects; until then they draw nothing.
#include "runtime/graphics/pixel_effects.h"

namespace tessary {

int RotateImageIntoSquare(int, int, int, int, int, int, int, int, int, int, int, int, int) {
    return 0;
}

int BlendImage(int, int, int, int, int, int, int, int) {
    return 0;
}

} // namespace tessary
