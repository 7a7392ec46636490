// Software surfaces and their blits. The blit loops are written once per pixel size (a template)
// so that the inner loop compares and copies whole pixels with no per-pixel branching on depth.
#include "platform/surface.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

#include "platform/pixel_memory.h"

namespace platform {
namespace {

constexpr PaletteColor kStaticColors[20] = {
    {0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
    {128, 0, 128},   {0, 128, 128},   {192, 192, 192}, {192, 220, 192}, {166, 202, 240},
    {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0},
    {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
};

uint8_t RedOf(uint32_t c) {
    return static_cast<uint8_t>(c & 0xFF);
}
uint8_t GreenOf(uint32_t c) {
    return static_cast<uint8_t>((c >> 8) & 0xFF);
}
uint8_t BlueOf(uint32_t c) {
    return static_cast<uint8_t>((c >> 16) & 0xFF);
}
uint32_t ColorRef(uint32_t r, uint32_t g, uint32_t b) {
    return r | (g << 8) | (b << 16);
}

// Widening 5 and 6-bit channels repeats their top bits, so full intensity stays 255.
uint32_t Expand5(uint32_t v) {
    return (v << 3) | (v >> 2);
}
uint32_t Expand6(uint32_t v) {
    return (v << 2) | (v >> 4);
}

template <int Bytes>
void CopyKeyedRows(uint8_t* dst, int dstPitch, const uint8_t* src, int srcPitch, int width,
                   int height, uint32_t key) {
    for (int row = 0; row < height; ++row) {
        uint8_t* d = dst + static_cast<ptrdiff_t>(row) * dstPitch;
        const uint8_t* s = src + static_cast<ptrdiff_t>(row) * srcPitch;
        for (int col = 0; col < width; ++col, d += Bytes, s += Bytes) {
            uint32_t v = LoadPixel<Bytes>(s);
            if (v != key) StorePixel<Bytes>(d, v);
        }
    }
}

// The 16 and 32-bit keyed copies store every pixel, the old one where the key is: a select
// instead of a branch, which the compiler turns into vector compares and blends.
typedef uint16_t AliasU16 __attribute__((may_alias));
typedef uint32_t AliasU32 __attribute__((may_alias));

template <typename AliasT>
void CopyKeyedRowsWide(uint8_t* dst, int dstPitch, const uint8_t* src, int srcPitch, int width,
                       int height, uint32_t key) {
    using T = std::remove_cv_t<AliasT>;
    const auto k = static_cast<T>(key);
    for (int row = 0; row < height; ++row) {
        auto* d = reinterpret_cast<AliasT*>(dst + static_cast<ptrdiff_t>(row) * dstPitch);
        const auto* s =
            reinterpret_cast<const AliasT*>(src + static_cast<ptrdiff_t>(row) * srcPitch);
        for (int col = 0; col < width; ++col) {
            const T v = s[col];
            d[col] = v != k ? v : d[col];
        }
    }
}
template <>
void CopyKeyedRows<2>(uint8_t* dst, int dstPitch, const uint8_t* src, int srcPitch, int width,
                      int height, uint32_t key) {
    CopyKeyedRowsWide<AliasU16>(dst, dstPitch, src, srcPitch, width, height, key);
}
template <>
void CopyKeyedRows<4>(uint8_t* dst, int dstPitch, const uint8_t* src, int srcPitch, int width,
                      int height, uint32_t key) {
    CopyKeyedRowsWide<AliasU32>(dst, dstPitch, src, srcPitch, width, height, key);
}

// The keyed copy from the last pixel to the first. Pixels never overlap within the source, so a
// destination after the source only ever overwrites source pixels already read.
template <int Bytes>
void CopyKeyedRowsBackward(uint8_t* dst, int dstPitch, const uint8_t* src, int srcPitch, int width,
                           int height, uint32_t key) {
    for (int row = height - 1; row >= 0; --row) {
        uint8_t* d = dst + static_cast<ptrdiff_t>(row) * dstPitch;
        const uint8_t* s = src + static_cast<ptrdiff_t>(row) * srcPitch;
        for (int col = width - 1; col >= 0; --col) {
            const uint32_t v = LoadPixel<Bytes>(s + static_cast<ptrdiff_t>(col) * Bytes);
            if (v != key) StorePixel<Bytes>(d + static_cast<ptrdiff_t>(col) * Bytes, v);
        }
    }
}

// The keyed copy for the surface's bytes per pixel, forward or from the last pixel back.
template <bool Backward>
void CopyKeyedByDepth(int bpp, uint8_t* dst, int dstPitch, const uint8_t* src, int srcPitch,
                      int width, int height, uint32_t key) {
    auto copy = [&]<int Bytes>() {
        if constexpr (Backward)
            CopyKeyedRowsBackward<Bytes>(dst, dstPitch, src, srcPitch, width, height, key);
        else
            CopyKeyedRows<Bytes>(dst, dstPitch, src, srcPitch, width, height, key);
    };
    switch (bpp) {
    case 1:
        copy.template operator()<1>();
        break;
    case 2:
        copy.template operator()<2>();
        break;
    case 3:
        copy.template operator()<3>();
        break;
    default:
        copy.template operator()<4>();
        break;
    }
}

// Nearest-neighbour stretch: source coordinates step in 16.16 fixed point from the centre of
// each destination pixel.
template <int Bytes>
void StretchRows(uint8_t* dst, int dstPitch, int dstW, int dstH, const uint8_t* src, int srcPitch,
                 int srcW, int srcH, bool keyed, uint32_t key) {
    const int64_t stepX = (static_cast<int64_t>(srcW) << 16) / dstW;
    const int64_t stepY = (static_cast<int64_t>(srcH) << 16) / dstH;
    int64_t sy = stepY / 2;
    for (int row = 0; row < dstH; ++row, sy += stepY) {
        const uint8_t* s =
            src + static_cast<ptrdiff_t>(std::min<int64_t>(sy >> 16, srcH - 1)) * srcPitch;
        uint8_t* d = dst + static_cast<ptrdiff_t>(row) * dstPitch;
        int64_t sx = stepX / 2;
        for (int col = 0; col < dstW; ++col, sx += stepX, d += Bytes) {
            uint32_t v = LoadPixel<Bytes>(s + std::min<int64_t>(sx >> 16, srcW - 1) * Bytes);
            if (!keyed || v != key) StorePixel<Bytes>(d, v);
        }
    }
}

// The first row pixel by pixel, the others copied from it: a whole-screen clear is then one
// short loop and a run of row copies.
template <int Bytes> void FillRows(uint8_t* dst, int pitch, int width, int height, uint32_t v) {
    if (width <= 0 || height <= 0) return;
    const size_t rowBytes = static_cast<size_t>(width) * Bytes;
    if constexpr (Bytes == 1) {
        std::memset(dst, static_cast<int>(v & 0xFF), rowBytes);
    } else {
        uint8_t* d = dst;
        for (int col = 0; col < width; ++col, d += Bytes)
            StorePixel<Bytes>(d, v);
    }
    for (int row = 1; row < height; ++row)
        std::memcpy(dst + static_cast<ptrdiff_t>(row) * pitch, dst, rowBytes);
}

bool Inside(const Surface& s, const Rect& r) {
    return r.left >= 0 && r.top >= 0 && r.right <= s.Width() && r.bottom <= s.Height() &&
           r.left < r.right && r.top < r.bottom;
}

bool Overlap(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

} // namespace

PaletteColor StaticPaletteColor(int index) {
    if (index >= 0 && index < 10) return kStaticColors[index];
    if (index >= 246 && index < 256) return kStaticColors[index - 236];
    return PaletteColor{};
}

bool IsStaticPaletteEntry(int index) {
    return (index >= 0 && index < 10) || index >= 246;
}

uint8_t NearestPaletteIndex(const PaletteTable& palette, uint8_t red, uint8_t green, uint8_t blue) {
    int best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < 256; ++i) {
        const PaletteColor& c = palette[static_cast<size_t>(i)];
        int dr = c.red - red, dg = c.green - green, db = c.blue - blue;
        int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
            if (distance == 0) break;
        }
    }
    return static_cast<uint8_t>(best);
}

Surface::Surface(int width, int height, int depth)
    : width_(width), height_(height), depth_(depth),
      pitch_(((width * (depth / 8)) + 3) & ~3), // rows aligned to 4 bytes like a DIB
      pixels_(static_cast<size_t>(pitch_) * static_cast<size_t>(height), 0) {}

std::unique_ptr<Surface> Surface::Create(int width, int height, int depth) {
    if (depth != 8 && depth != 16 && depth != 24 && depth != 32) return nullptr;
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return nullptr;
    return std::unique_ptr<Surface>(new Surface(width, height, depth));
}

uint8_t* Surface::Lock(int* pitch) {
    if (lost_) return nullptr;
    if (pitch != nullptr) *pitch = pitch_;
    return pixels_.data();
}

const uint8_t* Surface::Lock(int* pitch) const {
    if (lost_) return nullptr;
    if (pitch != nullptr) *pitch = pitch_;
    return pixels_.data();
}

bool Surface::Restore() {
    if (!lost_) return true;
    std::fill(pixels_.begin(), pixels_.end(), uint8_t{0});
    lost_ = false;
    return true;
}

uint32_t Surface::PixelFromColor(uint32_t colorRef) const {
    uint32_t r = RedOf(colorRef), g = GreenOf(colorRef), b = BlueOf(colorRef);
    switch (depth_) {
    case 8:
        return palette_ ? NearestPaletteIndex(*palette_, static_cast<uint8_t>(r),
                                              static_cast<uint8_t>(g), static_cast<uint8_t>(b))
                        : 0u;
    case 16:
        return ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3);
    default:
        return (r << 16) | (g << 8) | b;
    }
}

uint32_t Surface::ColorFromPixel(uint32_t pixel) const {
    switch (depth_) {
    case 8: {
        if (!palette_) return 0;
        const PaletteColor& c = (*palette_)[pixel & 0xFF];
        return ColorRef(c.red, c.green, c.blue);
    }
    case 16:
        return ColorRef(Expand5((pixel >> 11) & 31), Expand6((pixel >> 5) & 63),
                        Expand5(pixel & 31));
    default:
        return ColorRef((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }
}

uint32_t Surface::ReadPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return LoadPixelAt(pixels_.data() + static_cast<ptrdiff_t>(y) * pitch_ + x * BytesPerPixel(),
                       BytesPerPixel());
}

void Surface::WritePixel(int x, int y, uint32_t pixel) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    StorePixelAt(pixels_.data() + static_cast<ptrdiff_t>(y) * pitch_ + x * BytesPerPixel(),
                 BytesPerPixel(), pixel & DepthMask(depth_));
}

BlitResult BltFast(Surface& dst, int x, int y, const Surface& src, const Rect& srcRect,
                   bool useSourceKey) {
    if (dst.IsLost() || src.IsLost()) return BlitResult::Lost;
    if (dst.Depth() != src.Depth() || !Inside(src, srcRect)) return BlitResult::Failed;
    const int w = srcRect.right - srcRect.left, h = srcRect.bottom - srcRect.top;
    // Compared as room left, so that a destination near the top of the int range cannot wrap.
    if (x < 0 || y < 0 || w > dst.Width() - x || h > dst.Height() - y) return BlitResult::Failed;
    int dstPitch = 0, srcPitch = 0;
    uint8_t* d = dst.Lock(&dstPitch);
    const uint8_t* s = src.Lock(&srcPitch);
    const int bpp = dst.BytesPerPixel();
    d += static_cast<ptrdiff_t>(y) * dstPitch + x * bpp;
    s += static_cast<ptrdiff_t>(srcRect.top) * srcPitch + srcRect.left * bpp;
    if (!useSourceKey || !src.HasColorKey()) {
        // memmove: a blit within one surface may overlap.
        for (int row = 0; row < h; ++row)
            std::memmove(d + static_cast<ptrdiff_t>(row) * dstPitch,
                         s + static_cast<ptrdiff_t>(row) * srcPitch, static_cast<size_t>(w * bpp));
        return BlitResult::Ok;
    }
    const uint32_t key = src.ColorKey();
    // Within one surface, a destination after the source would be read after it was written:
    // walking from the last pixel back reads every source pixel first, as memmove does.
    if (&dst == &src && d > s)
        CopyKeyedByDepth<true>(bpp, d, dstPitch, s, srcPitch, w, h, key);
    else
        CopyKeyedByDepth<false>(bpp, d, dstPitch, s, srcPitch, w, h, key);
    return BlitResult::Ok;
}

BlitResult BltStretch(Surface& dst, const Rect& dstRect, const Surface& src, const Rect& srcRect,
                      bool useSourceKey) {
    if (dst.IsLost() || src.IsLost()) return BlitResult::Lost;
    if (dst.Depth() != src.Depth() || !Inside(src, srcRect) || !Inside(dst, dstRect))
        return BlitResult::Failed;
    // A stretch reads its source rows out of order, so no order of writing could keep an
    // overlapping source intact.
    if (&dst == &src && Overlap(srcRect, dstRect)) return BlitResult::Failed;
    int dstPitch = 0, srcPitch = 0;
    uint8_t* d = dst.Lock(&dstPitch);
    const uint8_t* s = src.Lock(&srcPitch);
    const int bpp = dst.BytesPerPixel();
    d += static_cast<ptrdiff_t>(dstRect.top) * dstPitch + dstRect.left * bpp;
    s += static_cast<ptrdiff_t>(srcRect.top) * srcPitch + srcRect.left * bpp;
    const int dw = dstRect.right - dstRect.left, dh = dstRect.bottom - dstRect.top;
    const int sw = srcRect.right - srcRect.left, sh = srcRect.bottom - srcRect.top;
    const bool keyed = useSourceKey && src.HasColorKey();
    const uint32_t key = src.ColorKey();
    switch (bpp) {
    case 1:
        StretchRows<1>(d, dstPitch, dw, dh, s, srcPitch, sw, sh, keyed, key);
        break;
    case 2:
        StretchRows<2>(d, dstPitch, dw, dh, s, srcPitch, sw, sh, keyed, key);
        break;
    case 3:
        StretchRows<3>(d, dstPitch, dw, dh, s, srcPitch, sw, sh, keyed, key);
        break;
    default:
        StretchRows<4>(d, dstPitch, dw, dh, s, srcPitch, sw, sh, keyed, key);
        break;
    }
    return BlitResult::Ok;
}

BlitResult FillRect(Surface& dst, const Rect& rect, uint32_t pixel) {
    if (dst.IsLost()) return BlitResult::Lost;
    if (!Inside(dst, rect)) return BlitResult::Failed;
    int pitch = 0;
    uint8_t* d = dst.Lock(&pitch);
    const int bpp = dst.BytesPerPixel();
    d += static_cast<ptrdiff_t>(rect.top) * pitch + rect.left * bpp;
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    switch (bpp) {
    case 1:
        FillRows<1>(d, pitch, w, h, pixel);
        break;
    case 2:
        FillRows<2>(d, pitch, w, h, pixel);
        break;
    case 3:
        FillRows<3>(d, pitch, w, h, pixel);
        break;
    default:
        FillRows<4>(d, pitch, w, h, pixel);
        break;
    }
    return BlitResult::Ok;
}

} // namespace platform
