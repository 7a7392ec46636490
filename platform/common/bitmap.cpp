// BMP files: our own checks of the headers first, so that nothing malformed reaches the decoder,
// then SDL's BMP decoder for the pixel formats and compressions, then our own conversion.
#include "platform/bitmap.h"
#include "platform/byte_order.h"
#include "platform/text_file.h"

#include <SDL.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <unordered_map>

namespace platform {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kCoreHeaderSize = 12;
constexpr size_t kInfoHeaderSize = 40;
constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;
// The red, green and blue masks of a bit-field file: the three words after a 40-byte header, or
// the same place in a longer header; an alpha mask follows in headers of 56 bytes and more.
constexpr size_t kMaskOffset = kFileHeaderSize + kInfoHeaderSize;
constexpr uint32_t kAlphaMaskHeaderSize = 56;
// A 4096 x 4096 picture at 32 bits; the game's largest is 640 x 480.
constexpr size_t kMaxFileSize = size_t{64} << 20;

bool Refuse(std::string* why, const std::string& reason) {
    if (why != nullptr) *why = reason;
    return false;
}

struct BmpHeader {
    uint32_t pixelOffset = 0;
    uint32_t infoSize = 0;
    int64_t width = 0, height = 0;
    uint32_t planes = 0, bitCount = 0, compression = kRgb, colorsUsed = 0;
};

bool KnownInfoSize(uint32_t size) {
    for (uint32_t known : {12u, 40u, 52u, 56u, 108u, 124u})
        if (size == known) return true;
    return false;
}

bool ReadHeader(const uint8_t* d, size_t size, BmpHeader& h, std::string* why) {
    if (size < kFileHeaderSize + 4) return Refuse(why, "truncated file header");
    if (d[0] != 'B' || d[1] != 'M') return Refuse(why, "not a BMP file");
    h.pixelOffset = ReadLe32(d + 10);
    h.infoSize = ReadLe32(d + 14);
    if (!KnownInfoSize(h.infoSize))
        return Refuse(why, "unknown header size " + std::to_string(h.infoSize));
    if (kFileHeaderSize + h.infoSize > size) return Refuse(why, "truncated info header");
    const uint8_t* info = d + kFileHeaderSize;
    if (h.infoSize == kCoreHeaderSize) {
        h.width = ReadLe16(info + 4);
        h.height = ReadLe16(info + 6);
        h.planes = ReadLe16(info + 8);
        h.bitCount = ReadLe16(info + 10);
        return true;
    }
    h.width = ReadLeS32(info + 4);
    h.height = ReadLeS32(info + 8);
    h.planes = ReadLe16(info + 12);
    h.bitCount = ReadLe16(info + 14);
    h.compression = ReadLe32(info + 16);
    h.colorsUsed = ReadLe32(info + 32);
    return true;
}

bool CheckGeometry(const BmpHeader& h, std::string* why) {
    if (h.width <= 0) return Refuse(why, "zero or negative width");
    if (h.height == 0) return Refuse(why, "zero height");
    const int64_t rows = h.height < 0 ? -h.height : h.height;
    if (h.width > Surface::kMaxSide || rows > Surface::kMaxSide)
        return Refuse(why, "more than 16384 pixels a side");
    if (h.planes != 1) return Refuse(why, "plane count is not 1");
    switch (h.bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        return Refuse(why, "unsupported bits per pixel " + std::to_string(h.bitCount));
    }
    const bool fits = (h.compression == kRgb) || (h.compression == kRle8 && h.bitCount == 8) ||
                      (h.compression == kRle4 && h.bitCount == 4) ||
                      (h.compression == kBitFields && (h.bitCount == 16 || h.bitCount == 32));
    if (!fits) return Refuse(why, "unknown compression " + std::to_string(h.compression));
    if ((h.compression == kRle8 || h.compression == kRle4) && h.height < 0)
        return Refuse(why, "run-length data stored top-down");
    return true;
}

// Every table and the pixel data must lie inside the file, in their order.
bool CheckLayout(const BmpHeader& h, size_t size, std::string* why) {
    uint64_t end = kFileHeaderSize + h.infoSize;
    if (h.infoSize == kInfoHeaderSize && h.compression == kBitFields) end += 12; // the masks
    if (h.bitCount <= 8) {
        const uint64_t maxColors = uint64_t(1) << h.bitCount;
        const uint64_t colors = h.colorsUsed == 0 ? maxColors : h.colorsUsed;
        if (colors > maxColors) return Refuse(why, "colour table larger than the depth allows");
        end += colors * (h.infoSize == kCoreHeaderSize ? 3 : 4);
    }
    if (end > size) return Refuse(why, "truncated colour table");
    if (h.pixelOffset < end) return Refuse(why, "pixel data offset inside the headers");
    if (h.pixelOffset >= size) return Refuse(why, "pixel data offset past the end of the file");
    if (h.compression == kRle8 || h.compression == kRle4) return true;
    const uint64_t rowBytes = ((static_cast<uint64_t>(h.width) * h.bitCount + 31) / 32) * 4;
    const uint64_t rows = static_cast<uint64_t>(h.height < 0 ? -h.height : h.height);
    if (rowBytes * rows > size - h.pixelOffset) return Refuse(why, "truncated pixel data");
    return true;
}

// One colour channel of a bit-field pixel.
struct Channel {
    uint32_t mask = 0;
    int shift = 0, bits = 0;
};

// Any masks the host reads: each one run of bits inside the pixel, or none (the channel is 0).
bool ReadChannels(const uint8_t* d, const BmpHeader& h, Channel (&out)[3], std::string* why) {
    const uint32_t pixelBits = h.bitCount == 16 ? 0xFFFFu : 0xFFFFFFFFu;
    for (size_t i = 0; i < 3; ++i) {
        Channel& c = out[i];
        c.mask = ReadLe32(d + kMaskOffset + 4 * i);
        if ((c.mask & ~pixelBits) != 0) return Refuse(why, "a colour mask reaches past the pixel");
        if (c.mask == 0) continue;
        c.shift = std::countr_zero(c.mask);
        c.bits = std::popcount(c.mask);
        const uint32_t run = c.mask >> c.shift;
        if ((run & (run + 1)) != 0) return Refuse(why, "a colour mask is not one run of bits");
    }
    return true;
}

// SDL's decoder has a pixel format for a few masks only. It is handed a copy of the file with
// masks it has one for, under which every bit of a pixel stays where it is; the channels are then
// taken from those raw pixels with the file's own masks.
std::vector<uint8_t> WithMasksSdlKnows(const uint8_t* data, size_t size, const BmpHeader& h) {
    std::vector<uint8_t> copy(data, data + size);
    const bool sixteen = h.bitCount == 16;
    const uint32_t masks[4] = {sixteen ? 0x7C00u : 0xFF0000u, sixteen ? 0x03E0u : 0xFF00u,
                               sixteen ? 0x001Fu : 0xFFu, 0};
    const size_t count = h.infoSize >= kAlphaMaskHeaderSize ? 4 : 3;
    for (size_t i = 0; i < count; ++i)
        for (size_t b = 0; b < 4; ++b)
            copy[kMaskOffset + 4 * i + b] = static_cast<uint8_t>(masks[i] >> (8 * b));
    return copy;
}

// A channel's value in 8 bits: a narrower one has its bits repeated downwards (5 bits abcde give
// abcdeabc, so full stays full), a wider one keeps its top 8.
uint32_t ToEightBits(uint32_t pixel, const Channel& c) {
    if (c.bits == 0) return 0;
    const uint32_t value = (pixel & c.mask) >> c.shift;
    if (c.bits >= 8) return value >> (c.bits - 8);
    uint32_t repeated = value;
    int filled = c.bits;
    for (; filled < 8; filled += c.bits)
        repeated = repeated << c.bits | value;
    return repeated >> (filled - 8);
}

void TakeChannels(const SDL_Surface* decoded, const Channel (&c)[3], Bitmap& out) {
    const int bytes = decoded->format->BytesPerPixel;
    for (int y = 0; y < out.height; ++y) {
        const auto* row = static_cast<const uint8_t*>(decoded->pixels) +
                          static_cast<ptrdiff_t>(y) * decoded->pitch;
        uint32_t* dst = out.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(out.width);
        for (int x = 0; x < out.width; ++x) {
            uint32_t pixel;
            if (bytes == 2) {
                uint16_t half;
                std::memcpy(&half, row + x * 2, 2);
                pixel = half;
            } else {
                std::memcpy(&pixel, row + x * 4, 4);
            }
            dst[x] = ToEightBits(pixel, c[0]) << 16 | ToEightBits(pixel, c[1]) << 8 |
                     ToEightBits(pixel, c[2]);
        }
    }
}

// channels: the file's own masks for a bit-field file, else null.
bool FromSdlSurface(SDL_Surface* decoded, int bitCount, const Channel (*channels)[3], Bitmap& out,
                    std::string* why) {
    out = Bitmap{};
    out.width = decoded->w;
    out.height = decoded->h;
    out.bitsPerPixel = bitCount;
    if (decoded->format->palette != nullptr && bitCount <= 8) {
        const SDL_Palette* p = decoded->format->palette;
        out.colorTableSize = p->ncolors < 256 ? p->ncolors : 256;
        for (int i = 0; i < out.colorTableSize; ++i)
            out.colorTable[static_cast<size_t>(i)] = {p->colors[i].r, p->colors[i].g,
                                                      p->colors[i].b};
    }
    // Straight into our own buffer: a picture of the largest size is a gigabyte at 32 bits, and
    // must not be held twice.
    out.pixels.resize(static_cast<size_t>(out.width) * static_cast<size_t>(out.height));
    if (SDL_LockSurface(decoded) != 0) return Refuse(why, "cannot read the decoded pixels");
    bool converted = true;
    if (decoded->format->BytesPerPixel == 1) {
        uint32_t lookup[256] = {}; // indexes past the file's table show black
        for (int i = 0; i < out.colorTableSize; ++i) {
            const PaletteColor& c = out.colorTable[static_cast<size_t>(i)];
            lookup[i] =
                static_cast<uint32_t>(c.red) << 16 | static_cast<uint32_t>(c.green) << 8 | c.blue;
        }
        for (int y = 0; y < out.height; ++y) {
            const auto* row = static_cast<const uint8_t*>(decoded->pixels) +
                              static_cast<ptrdiff_t>(y) * decoded->pitch;
            uint32_t* dst =
                out.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(out.width);
            for (int x = 0; x < out.width; ++x)
                dst[x] = lookup[row[x]];
        }
    } else if (channels != nullptr) {
        TakeChannels(decoded, *channels, out);
    } else {
        converted = SDL_ConvertPixels(out.width, out.height, decoded->format->format,
                                      decoded->pixels, decoded->pitch, SDL_PIXELFORMAT_RGB888,
                                      out.pixels.data(), out.width * 4) == 0;
        for (uint32_t& p : out.pixels)
            p &= 0xFFFFFFu;
    }
    SDL_UnlockSurface(decoded);
    if (!converted) return Refuse(why, std::string("conversion failed: ") + SDL_GetError());
    return true;
}

uint32_t To565(uint32_t rgb) {
    return (((rgb >> 19) & 31) << 11) | (((rgb >> 10) & 63) << 5) | ((rgb >> 3) & 31);
}

} // namespace

bool DecodeBmp(const uint8_t* data, size_t size, Bitmap& out, std::string* why) {
    BmpHeader h;
    if (data == nullptr) return Refuse(why, "no data");
    if (!ReadHeader(data, size, h, why) || !CheckGeometry(h, why) || !CheckLayout(h, size, why))
        return false;
    Channel channels[3];
    const bool bitFields = h.compression == kBitFields;
    if (bitFields && !ReadChannels(data, h, channels, why)) return false;
    const std::vector<uint8_t> carried =
        bitFields ? WithMasksSdlKnows(data, size, h) : std::vector<uint8_t>{};
    SDL_RWops* rw = SDL_RWFromConstMem(bitFields ? carried.data() : data, static_cast<int>(size));
    if (rw == nullptr) return Refuse(why, "cannot read memory");
    SDL_Surface* decoded = SDL_LoadBMP_RW(rw, 1);
    if (decoded == nullptr)
        return Refuse(why, std::string("corrupt pixel data: ") + SDL_GetError());
    bool ok = FromSdlSurface(decoded, static_cast<int>(h.bitCount), bitFields ? &channels : nullptr,
                             out, why);
    SDL_FreeSurface(decoded);
    return ok;
}

bool LoadBmpFile(const std::string& hostPath, Bitmap& out, std::string* why) {
    const FileContents file = ReadWholeFile(hostPath, kMaxFileSize);
    if (file.missing) return Refuse(why, "cannot open the file");
    if (!file.Read()) return Refuse(why, "the file " + file.refusal);
    return DecodeBmp(reinterpret_cast<const uint8_t*>(file.bytes.data()), file.bytes.size(), out,
                     why);
}

void CopyBitmapToSurface(const Bitmap& bitmap, Surface& surface) {
    int pitch = 0;
    uint8_t* base = surface.Lock(&pitch);
    if (base == nullptr) return;
    const int w = std::min(bitmap.width, surface.Width());
    const int h = std::min(bitmap.height, surface.Height());
    // A picture has few distinct colours; the nearest palette entry is searched once for each.
    std::unordered_map<uint32_t, uint8_t> nearest;
    for (int y = 0; y < h; ++y) {
        const uint32_t* src =
            bitmap.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(bitmap.width);
        uint8_t* row = base + static_cast<ptrdiff_t>(y) * pitch;
        for (int x = 0; x < w; ++x) {
            const uint32_t rgb = src[x];
            switch (surface.Depth()) {
            case 8: {
                auto found = nearest.find(rgb);
                if (found == nearest.end()) {
                    const uint32_t colorRef =
                        ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
                    found =
                        nearest.emplace(rgb, static_cast<uint8_t>(surface.PixelFromColor(colorRef)))
                            .first;
                }
                row[x] = found->second;
                break;
            }
            case 16: {
                const auto v = static_cast<uint16_t>(To565(rgb));
                std::memcpy(row + x * 2, &v, 2);
                break;
            }
            case 24:
                row[x * 3] = static_cast<uint8_t>(rgb);
                row[x * 3 + 1] = static_cast<uint8_t>(rgb >> 8);
                row[x * 3 + 2] = static_cast<uint8_t>(rgb >> 16);
                break;
            default:
                std::memcpy(row + x * 4, &rgb, 4);
                break;
            }
        }
    }
}

} // namespace platform
