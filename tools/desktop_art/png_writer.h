// A minimal PNG encoder for the desktop icons and the screenshot: 8-bit RGBA, one IDAT of
// stored (uncompressed) deflate blocks, so it needs no compression library and its bytes are the
// same on every build.
#pragma once
#include <cstdint>
#include <vector>

namespace desktop_art {

struct Rgba {
    uint8_t r = 0, g = 0, b = 0, a = 0;
};

// `pixels` holds width x height entries, row by row from the top.
std::vector<uint8_t> EncodePng(int width, int height, const std::vector<Rgba>& pixels);

} // namespace desktop_art
