// The pictures a desktop shows for the game: its menu icons at every hicolor size, painted from
// the game's own penguin, and the store screenshot from the title picture.
#pragma once
#include <vector>

#include "assetgen/image.h"

namespace desktop_art {

inline constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

// The game's icon: the penguin flying over the play-field blue, on a rounded tile.
assetgen::Image GameIcon(int size);
// The settings editor's icon: the same tile with three sliders in front of a smaller penguin.
assetgen::Image SettingsIcon(int size);

// The picture as PNG bytes; the key colour becomes fully transparent.
std::vector<uint8_t> ToPng(const assetgen::Image& image);

} // namespace desktop_art
