// Reading and writing one pixel of locked surface memory at 1 to 4 bytes per pixel, and the part
// of the clip rectangle that lies on a surface. Shared by the runtime's pixel loops.
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/surface.h"
#include "platform/window.h"

namespace tessary {

template <int Bytes> inline uint32_t LoadPixel(const uint8_t* p) {
    if constexpr (Bytes == 1) {
        return *p;
    } else if constexpr (Bytes == 2) {
        uint16_t v;
        std::memcpy(&v, p, 2);
        return v;
    } else if constexpr (Bytes == 3) {
        return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
               (static_cast<uint32_t>(p[2]) << 16);
    } else {
        uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    }
}

template <int Bytes> inline void StorePixel(uint8_t* p, uint32_t v) {
    if constexpr (Bytes == 1) {
        *p = static_cast<uint8_t>(v);
    } else if constexpr (Bytes == 2) {
        auto w = static_cast<uint16_t>(v);
        std::memcpy(p, &w, 2);
    } else if constexpr (Bytes == 3) {
        p[0] = static_cast<uint8_t>(v);
        p[1] = static_cast<uint8_t>(v >> 8);
        p[2] = static_cast<uint8_t>(v >> 16);
    } else {
        std::memcpy(p, &v, 4);
    }
}

// The same for a byte count known only at run time (outside inner loops).
inline void StorePixelAt(uint8_t* p, int bytes, uint32_t v) {
    switch (bytes) {
    case 1:
        StorePixel<1>(p, v);
        break;
    case 2:
        StorePixel<2>(p, v);
        break;
    case 3:
        StorePixel<3>(p, v);
        break;
    default:
        StorePixel<4>(p, v);
        break;
    }
}

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
