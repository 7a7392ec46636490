// The game's and the settings editor's icons as the windows carry them, painted by
// tools/desktop_art into a generated source of the build, so that a window shows the same
// picture as its menu entry.
#pragma once
#include <cstdint>

namespace desktop_icons {

struct IconPixels {
    int size;             // width and height
    const uint32_t* argb; // size x size pixels, 0xAARRGGBB, row by row from the top
};

// The game's window icon (one size: a window carries one icon through SDL).
extern const IconPixels kGameWindowIcon;

// The settings editor's icon at every size its windows and its about box ask for.
extern const IconPixels kSettingsWindowIcons[];
extern const int kSettingsWindowIconCount;

} // namespace desktop_icons
