// The present's conversion of the back buffer to 32 bits. Each depth has its own loop with no
// branch per pixel, so that the compiler can vectorise the 16 and 32-bit ones.
#include <cstring>

#include "platform/present.h"

namespace platform {
namespace {

void Convert8(const uint8_t* src, uint32_t* dst, int width, const uint32_t* lookup) {
    for (int x = 0; x < width; ++x)
        dst[x] = lookup[src[x]];
}

// Widening 5 and 6-bit channels repeats their top bits, so full intensity stays 255.
void Convert16(const uint8_t* src, uint32_t* dst, int width) {
    using AliasU16 = uint16_t __attribute__((may_alias));
    const auto* s = reinterpret_cast<const AliasU16*>(src);
    for (int x = 0; x < width; ++x) {
        const uint32_t p = s[x];
        const uint32_t r = (p >> 11) & 31, g = (p >> 5) & 63, b = p & 31;
        dst[x] =
            (((r << 3) | (r >> 2)) << 16) | (((g << 2) | (g >> 4)) << 8) | ((b << 3) | (b >> 2));
    }
}

void Convert24(const uint8_t* src, uint32_t* dst, int width) {
    for (int x = 0; x < width; ++x) {
        const uint8_t* p = src + x * 3;
        dst[x] = static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                 (static_cast<uint32_t>(p[2]) << 16);
    }
}

} // namespace

void ConvertToXrgb8888(const Surface& src, uint8_t* dst, int dstPitch) {
    int srcPitch = 0;
    const uint8_t* s = src.Lock(&srcPitch);
    if (s == nullptr || dst == nullptr) return;
    const int w = src.Width();
    // At 32 bits the rows are the picture already; with the same pitch on both sides, and so no
    // padding at 32 bits, they are one block copied at once.
    if (src.Depth() == 32 && srcPitch == dstPitch) {
        std::memcpy(dst, s, static_cast<size_t>(srcPitch) * static_cast<size_t>(src.Height()));
        return;
    }
    uint32_t lookup[256] = {};
    if (src.Depth() == 8 && src.Palette() != nullptr)
        for (int i = 0; i < 256; ++i) {
            const PaletteColor& c = (*src.Palette())[static_cast<size_t>(i)];
            lookup[i] = (static_cast<uint32_t>(c.red) << 16) |
                        (static_cast<uint32_t>(c.green) << 8) | c.blue;
        }
    for (int y = 0; y < src.Height(); ++y) {
        const uint8_t* row = s + static_cast<ptrdiff_t>(y) * srcPitch;
        auto* out = reinterpret_cast<uint32_t*>(dst + static_cast<ptrdiff_t>(y) * dstPitch);
        switch (src.Depth()) {
        case 8:
            Convert8(row, out, w, lookup);
            break;
        case 16:
            Convert16(row, out, w);
            break;
        case 24:
            Convert24(row, out, w);
            break;
        default:
            std::memcpy(out, row, static_cast<size_t>(w) * 4);
            break;
        }
    }
}

} // namespace platform
