// Little-endian fields of the file formats the game reads (BMP, WAV), read byte by byte so that
// any alignment and any host byte order give the same value. Callers check the bounds first.
#pragma once
#include <cstdint>

namespace platform {

inline uint16_t ReadLe16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

inline uint32_t ReadLe32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

inline int32_t ReadLeS32(const uint8_t* p) {
    return static_cast<int32_t>(ReadLe32(p));
}

} // namespace platform
