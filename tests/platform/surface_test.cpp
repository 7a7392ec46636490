// Software surfaces: the fast blit loops against a per-pixel reference at every depth, keys,
// stretching, fills, colour conversion, the present's conversion and the lost flag.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/present.h"
#include "platform/surface.h"

namespace platform {
namespace {

// A deterministic picture whose values use every bit of the depth.
void Paint(Surface& s, uint32_t seed) {
    uint32_t v = seed;
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x) {
            v = v * 1664525u + 1013904223u;
            s.WritePixel(x, y, v >> 3);
        }
}

class SurfaceDepthTest : public ::testing::TestWithParam<int> {};

TEST_P(SurfaceDepthTest, KeyedFastBlitMatchesThePerPixelReference) {
    const int depth = GetParam();
    auto dst = Surface::Create(40, 30, depth);
    auto expected = Surface::Create(40, 30, depth);
    auto src = Surface::Create(17, 13, depth);
    Paint(*dst, 7);
    Paint(*expected, 7);
    Paint(*src, 99);
    const uint32_t key = src->ReadPixel(0, 0);
    for (int x = 0; x < 17; x += 3)
        src->WritePixel(x, 5, key); // a keyed stripe
    src->SetColorKey(key);

    const Rect r{2, 1, 15, 12};
    ASSERT_EQ(BltFast(*dst, 20, 9, *src, r, true), BlitResult::Ok);
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (src->ReadPixel(x, y) != key)
                expected->WritePixel(20 + x - r.left, 9 + y - r.top, src->ReadPixel(x, y));
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(dst->ReadPixel(x, y), expected->ReadPixel(x, y)) << x << "," << y;
}

TEST_P(SurfaceDepthTest, UnkeyedBlitCopiesKeyColouredPixelsToo) {
    const int depth = GetParam();
    auto dst = Surface::Create(8, 8, depth);
    auto src = Surface::Create(4, 4, depth);
    Paint(*src, 3);
    src->SetColorKey(src->ReadPixel(0, 0));
    ASSERT_EQ(BltFast(*dst, 4, 4, *src, Rect{0, 0, 4, 4}, false), BlitResult::Ok);
    EXPECT_EQ(dst->ReadPixel(4, 4), src->ReadPixel(0, 0));
    EXPECT_EQ(dst->ReadPixel(7, 7), src->ReadPixel(3, 3));
    EXPECT_EQ(dst->ReadPixel(3, 3), 0u);
}

TEST_P(SurfaceDepthTest, StretchDoublesEveryPixelAndHonoursTheKey) {
    const int depth = GetParam();
    auto dst = Surface::Create(10, 10, depth);
    auto src = Surface::Create(3, 2, depth);
    Paint(*src, 11);
    src->WritePixel(1, 0, src->ReadPixel(0, 0));
    src->SetColorKey(src->ReadPixel(0, 0));
    FillRect(*dst, Rect{0, 0, 10, 10}, 1);
    ASSERT_EQ(BltStretch(*dst, Rect{1, 1, 7, 5}, *src, Rect{0, 0, 3, 2}, true), BlitResult::Ok);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) {
            uint32_t s = src->ReadPixel(x / 2, y / 2);
            uint32_t want = s == src->ColorKey() ? 1u : s;
            EXPECT_EQ(dst->ReadPixel(1 + x, 1 + y), want) << x << "," << y;
        }
    EXPECT_EQ(dst->ReadPixel(7, 1), 1u);
}

TEST_P(SurfaceDepthTest, FillsStayInsideTheirRectangleAndBadRectanglesFail) {
    const int depth = GetParam();
    auto s = Surface::Create(6, 6, depth);
    ASSERT_EQ(FillRect(*s, Rect{1, 2, 4, 3}, 0xABCDEF12u), BlitResult::Ok);
    uint32_t mask = depth == 32 ? 0xFFFFFFFFu : (1u << depth) - 1u;
    EXPECT_EQ(s->ReadPixel(1, 2), 0xABCDEF12u & mask);
    EXPECT_EQ(s->ReadPixel(3, 2), 0xABCDEF12u & mask);
    EXPECT_EQ(s->ReadPixel(4, 2), 0u);
    EXPECT_EQ(s->ReadPixel(1, 3), 0u);
    EXPECT_EQ(FillRect(*s, Rect{-1, 0, 2, 2}, 1), BlitResult::Failed);
    EXPECT_EQ(FillRect(*s, Rect{0, 0, 7, 2}, 1), BlitResult::Failed);
    EXPECT_EQ(BltFast(*s, 4, 4, *s, Rect{0, 0, 3, 3}, false), BlitResult::Failed);
}

TEST_P(SurfaceDepthTest, ALostSurfaceRefusesLocksAndBlitsUntilRestored) {
    const int depth = GetParam();
    auto a = Surface::Create(4, 4, depth);
    auto b = Surface::Create(4, 4, depth);
    b->SetLostForTest(true);
    EXPECT_EQ(b->Lock(nullptr), nullptr);
    EXPECT_EQ(BltFast(*a, 0, 0, *b, Rect{0, 0, 4, 4}, false), BlitResult::Lost);
    EXPECT_EQ(BltFast(*b, 0, 0, *a, Rect{0, 0, 4, 4}, false), BlitResult::Lost);
    EXPECT_EQ(FillRect(*b, Rect{0, 0, 1, 1}, 0), BlitResult::Lost);
    EXPECT_TRUE(b->Restore());
    EXPECT_EQ(BltFast(*a, 0, 0, *b, Rect{0, 0, 4, 4}, false), BlitResult::Ok);
}

// A destination near the top of the int range must not wrap round into the surface.
TEST_P(SurfaceDepthTest, DestinationsFarPastTheEdgeAreRefusedWhateverTheirSize) {
    const int depth = GetParam();
    auto dst = Surface::Create(16, 16, depth);
    auto src = Surface::Create(8, 8, depth);
    Paint(*src, 5);
    for (bool keyed : {false, true}) {
        src->SetColorKey(src->ReadPixel(0, 0));
        for (int edge : {INT32_MAX, INT32_MAX - 5, 9, INT32_MIN, -1}) {
            EXPECT_EQ(BltFast(*dst, edge, 0, *src, Rect{0, 0, 8, 8}, keyed), BlitResult::Failed)
                << edge;
            EXPECT_EQ(BltFast(*dst, 0, edge, *src, Rect{0, 0, 8, 8}, keyed), BlitResult::Failed)
                << edge;
        }
        EXPECT_EQ(BltFast(*dst, 0, 0, *src, Rect{INT32_MIN, 0, 8, 8}, keyed), BlitResult::Failed);
        EXPECT_EQ(BltFast(*dst, 0, 0, *src, Rect{0, 0, INT32_MAX, 8}, keyed), BlitResult::Failed);
    }
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(dst->ReadPixel(x, y), 0u) << x << "," << y;
    EXPECT_EQ(BltFast(*dst, 8, 8, *src, Rect{0, 0, 8, 8}, false), BlitResult::Ok); // flush fits
}

TEST_P(SurfaceDepthTest, AStretchWithinOneSurfaceIsRefusedOnlyWhereTheRectanglesOverlap) {
    auto s = Surface::Create(24, 24, GetParam());
    Paint(*s, 13);
    const uint32_t corner = s->ReadPixel(20, 20), before = s->ReadPixel(4, 4);
    EXPECT_EQ(BltStretch(*s, Rect{0, 0, 8, 8}, *s, Rect{4, 4, 12, 12}, false), BlitResult::Failed);
    EXPECT_EQ(BltStretch(*s, Rect{0, 0, 8, 8}, *s, Rect{7, 7, 9, 9}, true), BlitResult::Failed);
    EXPECT_EQ(s->ReadPixel(4, 4), before);
    EXPECT_EQ(BltStretch(*s, Rect{0, 0, 8, 8}, *s, Rect{16, 16, 24, 24}, false), BlitResult::Ok);
    EXPECT_EQ(s->ReadPixel(4, 4), corner); // the source's middle lands in the middle
}

// A keyed copy within one surface reads each source pixel before anything overwrites it, as the
// unkeyed copy (memmove) does, whichever way the rectangles overlap.
TEST_P(SurfaceDepthTest, AnOverlappingKeyedCopyWithinOneSurfaceReadsTheSourceFirst) {
    const int depth = GetParam();
    struct Shift {
        int dx, dy;
    };
    for (Shift shift : {Shift{1, 0}, Shift{0, 1}, Shift{3, 2}, Shift{-1, 0}, Shift{-2, -1},
                        Shift{5, -1}, Shift{-5, 1}}) {
        auto s = Surface::Create(23, 17, depth);
        auto before = Surface::Create(23, 17, depth);
        Paint(*s, 11);
        const uint32_t key = s->ReadPixel(0, 0);
        for (int i = 0; i < 23 * 17; i += 4)
            s->WritePixel(i % 23, i / 23, key);
        ASSERT_EQ(BltFast(*before, 0, 0, *s, Rect{0, 0, 23, 17}, false), BlitResult::Ok);
        s->SetColorKey(key);
        const Rect r{6, 3, 18, 14};
        ASSERT_EQ(BltFast(*s, r.left + shift.dx, r.top + shift.dy, *s, r, true), BlitResult::Ok);
        for (int y = 0; y < 17; ++y)
            for (int x = 0; x < 23; ++x) {
                const int sx = x - shift.dx, sy = y - shift.dy;
                uint32_t expected = before->ReadPixel(x, y);
                if (sx >= r.left && sx < r.right && sy >= r.top && sy < r.bottom &&
                    before->ReadPixel(sx, sy) != key)
                    expected = before->ReadPixel(sx, sy);
                ASSERT_EQ(s->ReadPixel(x, y), expected)
                    << x << "," << y << " shifted " << shift.dx << "," << shift.dy;
            }
    }
}

// Every pixel reaches the 32-bit picture as the colour it shows (byte for byte at 32 bits), rows
// land at the destination's pitch and the bytes past each row are left alone.
TEST_P(SurfaceDepthTest, ThePresentsConversionShowsEveryPixelAtAnyPitch) {
    auto palette = std::make_shared<PaletteTable>();
    for (int i = 0; i < 256; ++i)
        (*palette)[static_cast<size_t>(i)] = {
            static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i * 7)};
    for (int width : {7, 64}) { // 7: source rows padded at 8 and 24 bits
        const int height = 5;
        auto s = Surface::Create(width, height, GetParam());
        Paint(*s, 99);
        s->SetPalette(palette);
        for (int extra : {0, 12}) {
            const int pitch = width * 4 + extra;
            std::vector<uint8_t> out(static_cast<size_t>(pitch) * height, 0xAB);
            ConvertToXrgb8888(*s, out.data(), pitch);
            for (int y = 0; y < height; ++y) {
                const uint8_t* row = out.data() + static_cast<size_t>(y) * pitch;
                for (int x = 0; x < width; ++x) {
                    const uint32_t pixel = s->ReadPixel(x, y);
                    const uint32_t bgr = s->ColorFromPixel(pixel);
                    const uint32_t expected =
                        GetParam() == 32 ? pixel
                                         : ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | (bgr >> 16);
                    uint32_t got = 0;
                    std::memcpy(&got, row + x * 4, 4);
                    ASSERT_EQ(got, expected)
                        << width << " wide, pitch " << pitch << " at " << x << "," << y;
                }
                for (int i = width * 4; i < pitch; ++i)
                    ASSERT_EQ(row[i], 0xAB) << "past row " << y;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllDepths, SurfaceDepthTest, ::testing::Values(8, 16, 24, 32));

TEST(SurfaceTest, ColoursBecomeThePixelsGdiWouldWrite) {
    auto s16 = Surface::Create(1, 1, 16);
    EXPECT_EQ(s16->PixelFromColor(0x00FFFFFF), 0xFFFFu);
    EXPECT_EQ(s16->PixelFromColor(0x000000FF), 0xF800u); // red
    EXPECT_EQ(s16->PixelFromColor(0x00FF7F00), 0x03FFu); // the play-field blue
    EXPECT_EQ(s16->ColorFromPixel(0xFFFF), 0x00FFFFFFu);
    auto s24 = Surface::Create(1, 1, 24);
    EXPECT_EQ(s24->PixelFromColor(0x00123456), 0x563412u);
    EXPECT_EQ(s24->ColorFromPixel(0x563412u), 0x00123456u);

    auto palette = std::make_shared<PaletteTable>();
    for (int i = 0; i < 256; ++i)
        if (IsStaticPaletteEntry(i)) (*palette)[static_cast<size_t>(i)] = StaticPaletteColor(i);
    auto s8 = Surface::Create(1, 1, 8);
    s8->SetPalette(palette);
    EXPECT_EQ(s8->PixelFromColor(0x00FFFFFF), 255u);
    EXPECT_EQ(s8->PixelFromColor(0x000000F0), 249u); // nearest to pure red
    EXPECT_EQ(s8->PixelFromColor(0x00000000), 0u);
}

TEST(SurfaceTest, AbsurdSizesAndDepthsAreRefused) {
    EXPECT_EQ(Surface::Create(0, 10, 32), nullptr);
    EXPECT_EQ(Surface::Create(10, -1, 32), nullptr);
    EXPECT_EQ(Surface::Create(16385, 1, 32), nullptr);
    EXPECT_EQ(Surface::Create(10, 10, 15), nullptr);
    auto s = Surface::Create(5, 1, 24);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->Pitch(), 16); // rows aligned to 4 bytes
}

} // namespace
} // namespace platform
