// Windows bitmap files (BMP) decoded into memory: the stand-in for loading a file as a
// device-independent bitmap and copying it onto a surface with GDI.
//
// The decoder refuses, with a reason, what a well-formed file cannot be: a truncated file, offsets
// or sizes that point outside it, a zero or negative width, a zero height, more than kMaxSide
// pixels a side, compressions other than none, RLE8, RLE4 and bit fields, and bit-field masks
// that are not one run of bits or reach past the pixel. Bit fields at 16 and 32 bits take any
// such masks, each channel widened to 8 bits by repeating its bits. Top-down files (a negative
// height) are valid.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/surface.h"

namespace platform {

struct Bitmap {
    int width = 0, height = 0;
    int bitsPerPixel = 0;         // as the file stores it: 1, 4, 8, 16, 24 or 32
    std::vector<uint32_t> pixels; // top row first, each 0x00RRGGBB
    PaletteTable colorTable{};    // the file's colour table (entries it lacks are black)
    int colorTableSize = 0;       // entries the file supplied; 0 above 8 bits per pixel
};

// Decodes the bytes of a BMP file. On refusal returns false and says why in *why (if given).
bool DecodeBmp(const uint8_t* data, size_t size, Bitmap& out, std::string* why);

// Reads and decodes a file named by a host path.
bool LoadBmpFile(const std::string& hostPath, Bitmap& out, std::string* why);

// Copies the bitmap into the top-left corner of a surface in the surface's pixel format, as GDI
// converts a bitmap onto a surface: 565 at 16 bits, the nearest entry of the surface's palette
// at 8 bits. Parts outside the surface are left out.
void CopyBitmapToSurface(const Bitmap& bitmap, Surface& surface);

} // namespace platform
