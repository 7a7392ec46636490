// The loops are templates over the bytes per pixel so that the inner loops read and write whole
// pixels without branching on the depth. At 24 and 32 bits every effect works per channel on the
// 8-bit red, green and blue; 32-bit results keep their unused top byte 0.
#include "pixel_loops.h"

#include "runtime/graphics/display.h"
#include "runtime/graphics/pixel_access.h"
#include "runtime/shell/runtime_state.h"

namespace tessary {
namespace {

constexpr uint32_t ResultMask(int bytes) {
    return bytes == 1 ? 0xFFu : bytes == 2 ? 0xFFFFu : 0xFFFFFFu;
}

uint8_t* RowOf(platform::Surface& s, uint8_t* memory, int pitch, int x, int y) {
    return memory + static_cast<ptrdiff_t>(y) * pitch +
           static_cast<ptrdiff_t>(x) * s.BytesPerPixel();
}

// Calls f(source pixel, destination pixel) for every pixel of src not left out by the key, and
// stores its result in dst.
template <int Bytes, class Combine>
void CombineRows(platform::Surface& dst, int x, int y, SourceRect src, SourceKey key,
                 Combine combine) {
    int dstPitch = 0, srcPitch = 0;
    uint8_t* dstMemory = dst.Lock(&dstPitch);
    const uint8_t* srcMemory = src.surface->Lock(&srcPitch);
    if (dstMemory == nullptr || srcMemory == nullptr) return;
    for (int j = 0; j < src.height; ++j) {
        uint8_t* d = RowOf(dst, dstMemory, dstPitch, x, y + j);
        const uint8_t* s = srcMemory + static_cast<ptrdiff_t>(src.top + j) * srcPitch +
                           static_cast<ptrdiff_t>(src.left) * Bytes;
        for (int i = 0; i < src.width; ++i, d += Bytes, s += Bytes) {
            const uint32_t sp = LoadPixel<Bytes>(s);
            if (key.keyed && sp == key.key) continue;
            StorePixel<Bytes>(d, combine(sp, LoadPixel<Bytes>(d)));
        }
    }
}

template <class Combine>
void CombineAtDepth(platform::Surface& dst, int x, int y, SourceRect src, SourceKey key,
                    Combine combine) {
    switch (dst.BytesPerPixel()) {
    case 1:
        CombineRows<1>(dst, x, y, src, key, combine);
        break;
    case 2:
        CombineRows<2>(dst, x, y, src, key, combine);
        break;
    case 3:
        CombineRows<3>(dst, x, y, src, key, combine);
        break;
    default:
        CombineRows<4>(dst, x, y, src, key, combine);
        break;
    }
}

uint32_t Channel(uint32_t pixel, int shift, uint32_t max) {
    return (pixel >> shift) & max;
}

// d + floor((s - d) * a / 256) for one channel; the shift floors negative products too.
uint32_t BlendChannel(uint32_t s, uint32_t d, int alpha) {
    const int diff = static_cast<int>(s) - static_cast<int>(d);
    return static_cast<uint32_t>(static_cast<int>(d) + ((diff * alpha) >> 8));
}

uint32_t BlendExact(uint32_t s, uint32_t d, int alpha, const ChannelLayout& l) {
    return BlendChannel(Channel(s, l.shiftRed, l.maxRed), Channel(d, l.shiftRed, l.maxRed), alpha)
               << l.shiftRed |
           BlendChannel(Channel(s, l.shiftGreen, l.maxGreen), Channel(d, l.shiftGreen, l.maxGreen),
                        alpha)
               << l.shiftGreen |
           BlendChannel(Channel(s, l.shiftBlue, l.maxBlue), Channel(d, l.shiftBlue, l.maxBlue),
                        alpha)
               << l.shiftBlue;
}

// The 16-bit two-pixel step: ((s - d + 64) * a >> 8) - a / 4 + d per channel, masked. The bias 64
// keeps the product positive; it equals the exact blend when a is a multiple of 4.
uint32_t BlendPairChannel(uint32_t s, uint32_t d, int alpha, uint32_t max) {
    const int diff = static_cast<int>(s) - static_cast<int>(d) + 64;
    return static_cast<uint32_t>(((diff * alpha) >> 8) - alpha / 4 + static_cast<int>(d)) & max;
}

uint32_t BlendPair(uint32_t s, uint32_t d, int alpha, const ChannelLayout& l) {
    return BlendPairChannel(Channel(s, l.shiftRed, l.maxRed), Channel(d, l.shiftRed, l.maxRed),
                            alpha, l.maxRed)
               << l.shiftRed |
           BlendPairChannel(Channel(s, l.shiftGreen, l.maxGreen),
                            Channel(d, l.shiftGreen, l.maxGreen), alpha, l.maxGreen)
               << l.shiftGreen |
           BlendPairChannel(Channel(s, l.shiftBlue, l.maxBlue), Channel(d, l.shiftBlue, l.maxBlue),
                            alpha, l.maxBlue)
               << l.shiftBlue;
}

// At 16 bits a row's first pixel is blended alone when the width is odd, the rest two at a time
// with the pair formula; a keyed pixel keeps the destination either way.
void Blend16(platform::Surface& dst, int x, int y, SourceRect src, SourceKey key, int alpha,
             const ChannelLayout& layout) {
    int dstPitch = 0, srcPitch = 0;
    uint8_t* dstMemory = dst.Lock(&dstPitch);
    const uint8_t* srcMemory = src.surface->Lock(&srcPitch);
    if (dstMemory == nullptr || srcMemory == nullptr) return;
    const int single = src.width & 1;
    for (int j = 0; j < src.height; ++j) {
        uint8_t* d = RowOf(dst, dstMemory, dstPitch, x, y + j);
        const uint8_t* s = srcMemory + static_cast<ptrdiff_t>(src.top + j) * srcPitch +
                           static_cast<ptrdiff_t>(src.left) * 2;
        for (int i = 0; i < src.width; ++i, d += 2, s += 2) {
            const uint32_t sp = LoadPixel<2>(s);
            if (key.keyed && sp == key.key) continue;
            const uint32_t dp = LoadPixel<2>(d);
            StorePixel<2>(d, i < single ? BlendExact(sp, dp, alpha, layout)
                                        : BlendPair(sp, dp, alpha, layout));
        }
    }
}

template <int Bytes>
void RotateRows(platform::Surface& dst, int squareLeft, int squareTop, int side, SourceRect src,
                SourceKey key, int angle, int visLeft, int visTop, int visRight, int visBottom) {
    int dstPitch = 0, srcPitch = 0;
    uint8_t* dstMemory = dst.Lock(&dstPitch);
    const uint8_t* srcMemory = src.surface->Lock(&srcPitch);
    if (dstMemory == nullptr || srcMemory == nullptr) return;
    const int32_t cs = SineTable[static_cast<size_t>(angle + 90)];
    const int32_t sn = SineTable[static_cast<size_t>(angle)];
    const int half = side / 2;
    const int offX = (side - src.width) / 2, offY = (side - src.height) / 2;
    // u and v step by additions; each pixel costs two divisions by 360 (truncating, as the
    // mapping is defined).
    for (int r = visTop; r < visBottom; ++r) {
        int32_t u = cs * (visLeft - half) - sn * (r - half) + 360 * half;
        int32_t v = sn * (visLeft - half) + cs * (r - half) + 360 * half;
        uint8_t* d = RowOf(dst, dstMemory, dstPitch, squareLeft + visLeft, squareTop + r);
        for (int c = visLeft; c < visRight; ++c, u += cs, v += sn, d += Bytes) {
            const int sx = u / 360 - offX, sy = v / 360 - offY;
            if (sx < 0 || sx >= src.width || sy < 0 || sy >= src.height) continue;
            const uint32_t p =
                LoadPixel<Bytes>(srcMemory + static_cast<ptrdiff_t>(src.top + sy) * srcPitch +
                                 static_cast<ptrdiff_t>(src.left + sx) * Bytes);
            if (!(key.keyed && p == key.key)) StorePixel<Bytes>(d, p);
        }
    }
}

} // namespace

ChannelLayout CurrentChannelLayout() {
    const Display& d = TheDisplay();
    return ChannelLayout{d.maxRed,     d.maxGreen,  d.maxBlue, d.shiftRed,
                         d.shiftGreen, d.shiftBlue, d.halfMask};
}

void RotateLoop(platform::Surface& dst, int squareLeft, int squareTop, int side, SourceRect src,
                SourceKey key, int angle, int visLeft, int visTop, int visRight, int visBottom) {
    switch (dst.BytesPerPixel()) {
    case 1:
        RotateRows<1>(dst, squareLeft, squareTop, side, src, key, angle, visLeft, visTop, visRight,
                      visBottom);
        break;
    case 2:
        RotateRows<2>(dst, squareLeft, squareTop, side, src, key, angle, visLeft, visTop, visRight,
                      visBottom);
        break;
    case 3:
        RotateRows<3>(dst, squareLeft, squareTop, side, src, key, angle, visLeft, visTop, visRight,
                      visBottom);
        break;
    default:
        RotateRows<4>(dst, squareLeft, squareTop, side, src, key, angle, visLeft, visTop, visRight,
                      visBottom);
        break;
    }
}

void BlendLoop(platform::Surface& dst, int x, int y, SourceRect src, SourceKey key, int alpha,
               const ChannelLayout& layout) {
    if (dst.BytesPerPixel() == 1) return; // palette indexes cannot be mixed
    if (alpha == 128) {
        // The per-channel average, each channel's lowest bit dropped so no carry crosses over.
        const uint32_t m = dst.BytesPerPixel() == 2 ? layout.halfMask & 0xFFFF : layout.halfMask;
        CombineAtDepth(dst, x, y, src, key,
                       [m](uint32_t s, uint32_t d) { return ((d & m) + (s & m)) >> 1; });
    } else if (dst.BytesPerPixel() == 2) {
        Blend16(dst, x, y, src, key, alpha, layout);
    } else {
        CombineAtDepth(dst, x, y, src, key, [alpha, &layout](uint32_t s, uint32_t d) {
            return BlendExact(s, d, alpha, layout);
        });
    }
}

void RopLoop(platform::Surface& dst, int x, int y, SourceRect src, SourceKey key, int code) {
    const uint32_t mask = ResultMask(dst.BytesPerPixel());
    auto apply = [&](auto op) {
        CombineAtDepth(dst, x, y, src, key,
                       [op, mask](uint32_t s, uint32_t d) { return op(s, d) & mask; });
    };
    switch (code) {
    case 2:
        apply([](uint32_t s, uint32_t d) { return ~(d | s); });
        break;
    case 4:
        apply([](uint32_t s, uint32_t) { return ~s; });
        break;
    case 6:
        apply([](uint32_t, uint32_t d) { return ~d; });
        break;
    case 7:
        apply([](uint32_t s, uint32_t d) { return d ^ s; });
        break;
    case 8:
        apply([](uint32_t s, uint32_t d) { return ~(d & s); });
        break;
    case 9:
        apply([](uint32_t s, uint32_t d) { return d & s; });
        break;
    case 10:
        apply([](uint32_t s, uint32_t d) { return ~(d ^ s); });
        break;
    case 15:
        apply([](uint32_t s, uint32_t d) { return d | s; });
        break;
    default:
        break; // the destination stays as it is
    }
}

void AddLoop(platform::Surface& dst, int x, int y, SourceRect src, SourceKey key,
             const ChannelLayout& l) {
    auto add = [](uint32_t s, uint32_t d, int shift, uint32_t max) {
        const uint32_t sum = Channel(s, shift, max) + Channel(d, shift, max);
        return (sum > max ? max : sum) << shift;
    };
    CombineAtDepth(dst, x, y, src, key, [&l, add](uint32_t s, uint32_t d) {
        return add(s, d, l.shiftRed, l.maxRed) | add(s, d, l.shiftGreen, l.maxGreen) |
               add(s, d, l.shiftBlue, l.maxBlue);
    });
}

} // namespace tessary
