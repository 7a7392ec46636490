// Writes small BMP files for tests: 24-bit and 8-bit with a colour table, bottom-up or top-down,
// and 16- or 32-bit bit fields with any masks. Colours are 0x00RRGGBB.
#pragma once
#include <cstdint>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace testsupport {

inline void PutU16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}
inline void PutU32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

// The two headers of a BMP with a 40-byte info header; the pixel data starts after the table.
inline std::vector<uint8_t> BmpHeaders(int width, int height, int bitCount, int colors,
                                       uint32_t compression, size_t pixelBytes) {
    const size_t offset = 14 + 40 + static_cast<size_t>(colors) * 4;
    std::vector<uint8_t> b(offset + pixelBytes, 0);
    b[0] = 'B';
    b[1] = 'M';
    PutU32(b, 2, static_cast<uint32_t>(b.size()));
    PutU32(b, 10, static_cast<uint32_t>(offset));
    PutU32(b, 14, 40);
    PutU32(b, 18, static_cast<uint32_t>(width));
    PutU32(b, 22, static_cast<uint32_t>(height));
    PutU16(b, 26, 1);
    PutU16(b, 28, static_cast<uint32_t>(bitCount));
    PutU32(b, 30, compression);
    PutU32(b, 34, static_cast<uint32_t>(pixelBytes));
    PutU32(b, 46, static_cast<uint32_t>(colors));
    return b;
}

inline std::vector<uint8_t> MakeBmp24(int width, int height,
                                      const std::function<uint32_t(int, int)>& rgb,
                                      bool topDown = false) {
    const size_t rowBytes = (static_cast<size_t>(width) * 3 + 3) & ~size_t(3);
    auto b = BmpHeaders(width, topDown ? -height : height, 24, 0, 0,
                        rowBytes * static_cast<size_t>(height));
    const size_t offset = 54;
    for (int y = 0; y < height; ++y) {
        const int fileRow = topDown ? y : height - 1 - y;
        for (int x = 0; x < width; ++x) {
            const uint32_t c = rgb(x, y);
            const size_t at =
                offset + static_cast<size_t>(fileRow) * rowBytes + static_cast<size_t>(x) * 3;
            b[at] = static_cast<uint8_t>(c);
            b[at + 1] = static_cast<uint8_t>(c >> 8);
            b[at + 2] = static_cast<uint8_t>(c >> 16);
        }
    }
    return b;
}

inline std::vector<uint8_t> MakeBmp8(int width, int height, const std::vector<uint32_t>& table,
                                     const std::function<uint8_t(int, int)>& index,
                                     bool topDown = false) {
    const size_t rowBytes = (static_cast<size_t>(width) + 3) & ~size_t(3);
    const int colors = static_cast<int>(table.size());
    auto b = BmpHeaders(width, topDown ? -height : height, 8, colors, 0,
                        rowBytes * static_cast<size_t>(height));
    for (int i = 0; i < colors; ++i)
        PutU32(b, 54 + static_cast<size_t>(i) * 4, table[static_cast<size_t>(i)]);
    const size_t offset = 54 + static_cast<size_t>(colors) * 4;
    for (int y = 0; y < height; ++y) {
        const int fileRow = topDown ? y : height - 1 - y;
        for (int x = 0; x < width; ++x)
            b[offset + static_cast<size_t>(fileRow) * rowBytes + static_cast<size_t>(x)] =
                index(x, y);
    }
    return b;
}

// A bit-field file, bottom-up, each pixel the word `word` gives: the red, green and blue masks
// follow a 40-byte header; a fourth (alpha) makes it a 56-byte header holding them.
inline std::vector<uint8_t> MakeBmpBitFields(int width, int height, int bitCount,
                                             const std::vector<uint32_t>& masks,
                                             const std::function<uint32_t(int, int)>& word) {
    const int bytes = bitCount / 8, rowBytes = (width * bytes + 3) & ~3;
    auto b = BmpHeaders(width, height, bitCount, static_cast<int>(masks.size()), 3,
                        static_cast<size_t>(rowBytes * height));
    PutU32(b, 46, 0); // the slots after the header hold masks, not colours
    if (masks.size() == 4) PutU32(b, 14, 56);
    for (size_t i = 0; i < masks.size(); ++i)
        PutU32(b, 54 + 4 * i, masks[i]);
    const size_t pixels = 54 + 4 * masks.size();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            (bitCount == 16 ? PutU16 : PutU32)(
                b, pixels + static_cast<size_t>((height - 1 - y) * rowBytes + x * bytes),
                word(x, y));
    return b;
}

inline bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(f);
}

} // namespace testsupport
