#include "bmp_writer.h"

namespace assetgen {
namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;

uint32_t RowStride(int width, int bytesPerPixel) {
    return (static_cast<uint32_t>(width) * bytesPerPixel + 3u) & ~3u;
}

void PutHeaders(Bytes& out, const Image& image, int bitsPerPixel, uint32_t tableBytes) {
    const uint32_t pixelBytes = RowStride(image.Width(), bitsPerPixel / 8) * image.Height();
    const uint32_t offset = kFileHeaderSize + kInfoHeaderSize + tableBytes;
    PutText(out, "BM");
    PutLe32(out, offset + pixelBytes);
    PutLe32(out, 0);
    PutLe32(out, offset);
    PutLe32(out, kInfoHeaderSize);
    PutLe32(out, static_cast<uint32_t>(image.Width()));
    PutLe32(out, static_cast<uint32_t>(image.Height())); // positive: bottom-up rows
    PutLe16(out, 1);
    PutLe16(out, static_cast<uint32_t>(bitsPerPixel));
    PutLe32(out, 0); // BI_RGB
    PutLe32(out, pixelBytes);
    PutLe32(out, 2835); // 72 dpi
    PutLe32(out, 2835);
    PutLe32(out, bitsPerPixel == 8 ? 256 : 0);
    PutLe32(out, 0);
}

void PadRow(Bytes& out, uint32_t written, uint32_t stride) {
    for (uint32_t i = written; i < stride; ++i)
        out.push_back(0);
}

} // namespace

Bytes EncodeBmp24(const Image& image, const Palette& palette) {
    Bytes out;
    PutHeaders(out, image, 24, 0);
    const uint32_t stride = RowStride(image.Width(), 3);
    for (int y = image.Height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.Width(); ++x) {
            const Rgb& c = palette[image.At(x, y)];
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
        }
        PadRow(out, static_cast<uint32_t>(image.Width()) * 3, stride);
    }
    return out;
}

Bytes EncodeBmp8(const Image& image, const Palette& palette) {
    Bytes out;
    PutHeaders(out, image, 8, 256 * 4);
    for (const Rgb& c : palette) {
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }
    const uint32_t stride = RowStride(image.Width(), 1);
    for (int y = image.Height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.Width(); ++x)
            out.push_back(image.At(x, y));
        PadRow(out, static_cast<uint32_t>(image.Width()), stride);
    }
    return out;
}

} // namespace assetgen
