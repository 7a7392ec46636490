// Windows bitmap files: uncompressed, bottom-up, rows padded to four bytes.
#pragma once
#include "byte_writer.h"
#include "image.h"

namespace assetgen {

// 24 bits per pixel: each index replaced by its palette colour.
Bytes EncodeBmp24(const Image& image, const Palette& palette);
// 8 bits per pixel with the whole 256-entry palette as the colour table.
Bytes EncodeBmp8(const Image& image, const Palette& palette);

} // namespace assetgen
