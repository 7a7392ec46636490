#include "picture_scaling.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace platform {
namespace {

// The blend of two X8R8G8B8 pixels, weight in 256ths of b: red and blue, then green, each in a
// 16-bit lane of its own so that no channel carries into the next.
inline uint32_t Blend(uint32_t a, uint32_t b, uint32_t weight) {
    const uint32_t keep = 256 - weight;
    const uint32_t redBlue = ((a & 0xFF00FFu) * keep + (b & 0xFF00FFu) * weight) >> 8;
    const uint32_t green = ((a & 0x00FF00u) * keep + (b & 0x00FF00u) * weight) >> 8;
    return (redBlue & 0xFF00FFu) | (green & 0x00FF00u);
}

Rect Centred(int outWidth, int outHeight, int width, int height) {
    const int left = (outWidth - width) / 2, top = (outHeight - height) / 2;
    return Rect{left, top, left + width, top + height};
}

} // namespace

Rect FitPicture(int outWidth, int outHeight, int pictureWidth, int pictureHeight,
                PictureScaling scaling) {
    if (outWidth <= 0 || outHeight <= 0 || pictureWidth <= 0 || pictureHeight <= 0) return Rect{};
    const double scale = std::min(static_cast<double>(outWidth) / pictureWidth,
                                  static_cast<double>(outHeight) / pictureHeight);
    const int whole = static_cast<int>(scale);
    if (scaling == PictureScaling::kWholeMultiples && whole >= 1)
        return Centred(outWidth, outHeight, whole * pictureWidth, whole * pictureHeight);
    const int width = std::clamp(static_cast<int>(std::lround(pictureWidth * scale)), 1, outWidth);
    const int height =
        std::clamp(static_cast<int>(std::lround(pictureHeight * scale)), 1, outHeight);
    return Centred(outWidth, outHeight, width, height);
}

int CoveringMultiple(int destWidth, int destHeight, int pictureWidth, int pictureHeight) {
    if (pictureWidth <= 0 || pictureHeight <= 0) return 1;
    const int across = (destWidth + pictureWidth - 1) / pictureWidth;
    const int down = (destHeight + pictureHeight - 1) / pictureHeight;
    return std::max({1, across, down});
}

// Linear sampling of the enlarged picture (multiple x srcSize pixels) at each destination pixel's
// centre, edges clamped, as a GPU samples a texture.
std::vector<SharpScaler::Tap> SharpScaler::Taps(int srcSize, int dstSize, int multiple) {
    std::vector<Tap> taps(static_cast<size_t>(dstSize));
    const int enlarged = srcSize * multiple;
    const double step = static_cast<double>(enlarged) / dstSize;
    for (int i = 0; i < dstSize; ++i) {
        const double at = std::clamp((i + 0.5) * step - 0.5, 0.0, enlarged - 1.0);
        const int first = static_cast<int>(at);
        const int next = std::min(first + 1, enlarged - 1);
        const auto weight = static_cast<uint32_t>(std::lround((at - first) * 256.0));
        Tap& tap = taps[static_cast<size_t>(i)];
        tap.index = first / multiple;
        if (next / multiple != tap.index && weight > 0) {
            // A seam between two source pixels; a full weight is the next pixel alone.
            if (weight >= 256)
                tap.index = next / multiple;
            else
                tap.weight = weight;
        }
    }
    return taps;
}

void SharpScaler::Prepare(int srcWidth, int srcHeight, int dstWidth, int dstHeight) {
    if (srcWidth == srcWidth_ && srcHeight == srcHeight_ && dstWidth == dstWidth_ &&
        dstHeight == dstHeight_)
        return;
    const int multiple = CoveringMultiple(dstWidth, dstHeight, srcWidth, srcHeight);
    columns_ = Taps(srcWidth, dstWidth, multiple);
    rows_ = Taps(srcHeight, dstHeight, multiple);
    spreadRows_.assign(static_cast<size_t>(srcHeight) * static_cast<size_t>(dstWidth), 0);
    srcWidth_ = srcWidth;
    srcHeight_ = srcHeight;
    dstWidth_ = dstWidth;
    dstHeight_ = dstHeight;
}

void SharpScaler::Scale(const uint32_t* src, int srcWidth, int srcHeight, int srcPitchPixels,
                        uint32_t* dst, int dstWidth, int dstHeight, int dstPitchPixels) {
    if (src == nullptr || dst == nullptr || srcWidth <= 0 || srcHeight <= 0 || dstWidth <= 0 ||
        dstHeight <= 0)
        return;
    Prepare(srcWidth, srcHeight, dstWidth, dstHeight);
    const auto width = static_cast<size_t>(dstWidth);
    for (int y = 0; y < srcHeight; ++y) {
        const uint32_t* in = src + static_cast<size_t>(y) * static_cast<size_t>(srcPitchPixels);
        uint32_t* out = &spreadRows_[static_cast<size_t>(y) * width];
        for (size_t x = 0; x < width; ++x) {
            const Tap& tap = columns_[x];
            const uint32_t pixel = in[tap.index];
            out[x] = tap.weight == 0 ? pixel : Blend(pixel, in[tap.index + 1], tap.weight);
        }
    }
    for (int y = 0; y < dstHeight; ++y) {
        const Tap& tap = rows_[static_cast<size_t>(y)];
        const uint32_t* upper = &spreadRows_[static_cast<size_t>(tap.index) * width];
        uint32_t* out = dst + static_cast<size_t>(y) * static_cast<size_t>(dstPitchPixels);
        if (tap.weight == 0) {
            std::memcpy(out, upper, width * sizeof(uint32_t));
            continue;
        }
        const uint32_t* lower = upper + width;
        for (size_t x = 0; x < width; ++x)
            out[x] = Blend(upper[x], lower[x], tap.weight);
    }
}

} // namespace platform
