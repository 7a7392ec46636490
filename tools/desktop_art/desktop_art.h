// The pictures a desktop shows for the game: its menu icons at every hicolor size, painted from
// the game's own penguin, the same icons for its windows, and the store screenshot from the title
// picture.
#pragma once
#include <string>
#include <vector>

#include "assetgen/image.h"

namespace desktop_art {

inline constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

// The game's icon: the penguin flying over the play-field blue, on a rounded tile.
assetgen::Image GameIcon(int size);
// The settings editor's icon: the same tile with three sliders in front of a smaller penguin.
assetgen::Image SettingsIcon(int size);

// The sizes of the icons the windows carry (desktop_icons.h).
inline constexpr int kGameWindowIconSize = 64;
inline constexpr int kSettingsWindowIconSizes[] = {16, 32, 48, 64};

// The picture as PNG bytes; the key colour becomes fully transparent. Empty if encoding failed.
std::vector<uint8_t> ToPng(const assetgen::Image& image);

// The C++ source that defines the window icons of desktop_icons.h.
std::string WindowIconSource();

} // namespace desktop_art
