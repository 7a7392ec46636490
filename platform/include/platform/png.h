// PNG encoding through libpng, for the screenshots the game saves and the desktop pictures the
// build paints.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

enum class PngChannels { kRgb = 3, kRgba = 4 };

// Encodes width x height pixels of 8-bit channels (R, G, B and, with kRgba, A), row by row from
// the top with no padding, into *png. False, with the reason in *error, when libpng refuses.
bool EncodePng(int width, int height, PngChannels channels, const std::vector<uint8_t>& pixels,
               std::vector<uint8_t>* png, std::string* error);

} // namespace platform
