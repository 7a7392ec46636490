// One pixel of surface memory at 1 to 4 bytes per pixel (8-bit index, RGB 565, packed B G R,
// X8R8G8B8), and the bits a pixel value has at a depth. Shared by the surfaces' own blits and the
// runtime's pixel loops, so that both read and write memory the same way.
#pragma once
#include <cstdint>
#include <cstring>

namespace platform {

// The bits of a pixel value at a colour depth: all 32 at 32 bits.
inline constexpr uint32_t DepthMask(int depth) {
    return depth >= 32 ? 0xFFFFFFFFu : (1u << depth) - 1u;
}

template <int Bytes> inline uint32_t LoadPixel(const uint8_t* p) {
    static_assert(Bytes >= 1 && Bytes <= 4);
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
    static_assert(Bytes >= 1 && Bytes <= 4);
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
inline uint32_t LoadPixelAt(const uint8_t* p, int bytes) {
    switch (bytes) {
    case 1:
        return LoadPixel<1>(p);
    case 2:
        return LoadPixel<2>(p);
    case 3:
        return LoadPixel<3>(p);
    default:
        return LoadPixel<4>(p);
    }
}

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

} // namespace platform
