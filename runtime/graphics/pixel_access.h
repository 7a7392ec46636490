// Reading and writing one pixel of locked surface memory (the platform's own helpers), and the
// part of the clip rectangle that lies on a surface. Shared by the runtime's pixel loops.
#pragma once
#include <algorithm>
#include <cstdint>

#include "platform/pixel_memory.h"
#include "platform/surface.h"
#include "platform/window.h"

namespace tessary {

using platform::LoadPixel;
using platform::StorePixel;
using platform::StorePixelAt;

// The rectangle (left, top, right, bottom) cut to the surface; empty when right <= left or
// bottom <= top.
inline platform::Rect CutToSurface(const platform::Surface& s, int left, int top, int right,
                                   int bottom) {
    return platform::Rect{std::max(left, 0), std::max(top, 0), std::min(right, s.Width()),
                          std::min(bottom, s.Height())};
}

inline bool IsEmpty(const platform::Rect& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

} // namespace tessary
