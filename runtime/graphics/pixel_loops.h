// The per-pixel loops of the software effects, on plain surfaces: rotation, translucent blending,
// raster operations and additive blending. They know nothing of image slots; the effect front ends
// (pixel_effects.h) find the surfaces, clip, and pass the rectangles in. Rectangles must lie inside
// their surfaces, and source and destination must have the same depth.
#pragma once
#include <cstdint>

#include "platform/surface.h"

namespace tessary {

// Where each channel sits in a pixel: value = (pixel >> shift) & max. halfMask keeps every
// channel without its lowest bit, for the carry-free 50 percent average.
struct ChannelLayout {
    uint32_t maxRed = 255, maxGreen = 255, maxBlue = 255;
    int shiftRed = 16, shiftGreen = 8, shiftBlue = 0;
    uint32_t halfMask = 0xFEFEFE;
};
ChannelLayout CurrentChannelLayout(); // the display's

// Source pixels equal to key are left out when keyed.
struct SourceKey {
    bool keyed = false;
    uint32_t key = 0;
};

// A source rectangle: its surface and top-left corner, and its size.
struct SourceRect {
    const platform::Surface* surface;
    int left, top, width, height;
};

// The rotation of src by angle (0..359) about its centre into the square of side `side` at
// (squareLeft, squareTop) of dst, nearest pixel; only square columns [visLeft, visRight) and rows
// [visTop, visBottom) are written, and only where a source pixel lands.
void RotateLoop(platform::Surface& dst, int squareLeft, int squareTop, int side, SourceRect src,
                SourceKey key, int angle, int visLeft, int visTop, int visRight, int visBottom);

// src blended over dst at (x, y) with opacity alpha 0..256.
void BlendLoop(platform::Surface& dst, int x, int y, SourceRect src, SourceKey key, int alpha,
               const ChannelLayout& layout);

// dst at (x, y) combined with src by a binary raster operation code (7 exclusive-or, 9 and,
// 15 or, ...); codes without an operation leave dst as it is.
void RopLoop(platform::Surface& dst, int x, int y, SourceRect src, SourceKey key, int code);

// src added to dst at (x, y), each channel saturating at its maximum.
void AddLoop(platform::Surface& dst, int x, int y, SourceRect src, SourceKey key,
             const ChannelLayout& layout);

} // namespace tessary
