// BMP decoding: the pixel formats come out right side up, and every kind of malformed file is
// refused with a reason instead of being read past its end.
#include <gtest/gtest.h>

#include "platform/bitmap.h"
#include "support/bmp_writer.h"

namespace platform {
namespace {

using testsupport::MakeBmp24;
using testsupport::MakeBmp8;
using testsupport::PutU16;
using testsupport::PutU32;

uint32_t Gradient(int x, int y) {
    return static_cast<uint32_t>((x * 40) << 16 | (y * 30) << 8 | 0x55);
}

bool Decode(const std::vector<uint8_t>& bytes, Bitmap& out, std::string* why = nullptr) {
    return DecodeBmp(bytes.data(), bytes.size(), out, why);
}

TEST(BmpDecodeTest, TwentyFourBitFilesComeOutTopRowFirstWhicheverWayTheyAreStored) {
    for (bool topDown : {false, true}) {
        Bitmap b;
        ASSERT_TRUE(Decode(MakeBmp24(5, 3, Gradient, topDown), b)) << topDown;
        EXPECT_EQ(b.width, 5);
        EXPECT_EQ(b.height, 3);
        EXPECT_EQ(b.bitsPerPixel, 24);
        EXPECT_EQ(b.colorTableSize, 0);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                ASSERT_EQ(b.pixels[y * 5 + x], Gradient(x, y)) << x << "," << y;
    }
}

TEST(BmpDecodeTest, EightBitFilesHandTheirColourTableUp) {
    std::vector<uint32_t> table(256);
    for (int i = 0; i < 256; ++i)
        table[i] = static_cast<uint32_t>(i << 16 | (255 - i) << 8 | 7);
    Bitmap b;
    ASSERT_TRUE(
        Decode(MakeBmp8(4, 2, table, [](int x, int y) { return uint8_t(x + 4 * y + 100); }), b));
    EXPECT_EQ(b.bitsPerPixel, 8);
    EXPECT_EQ(b.colorTableSize, 256);
    EXPECT_EQ(b.colorTable[100], (PaletteColor{100, 155, 7}));
    EXPECT_EQ(b.pixels[0], table[100]);
    EXPECT_EQ(b.pixels[7], table[107]);
}

TEST(BmpDecodeTest, RunLengthEightBitFilesDecode) {
    // Two rows of 4 pixels stored bottom-up: "3 x index 1, 1 x index 2", end of line, "4 x index
    // 2", end of bitmap.
    const std::vector<uint8_t> runs = {3, 1, 1, 2, 0, 0, 4, 2, 0, 1};
    auto bytes = testsupport::BmpHeaders(4, 2, 8, 3, 1, runs.size());
    PutU32(bytes, 54, 0x000000);
    PutU32(bytes, 58, 0xFF0000);
    PutU32(bytes, 62, 0x00FF00);
    std::copy(runs.begin(), runs.end(), bytes.begin() + 66);
    Bitmap b;
    std::string why;
    ASSERT_TRUE(Decode(bytes, b, &why)) << why;
    EXPECT_EQ(b.pixels[0], 0x00FF00u); // the top row is the second stored
    EXPECT_EQ(b.pixels[4], 0xFF0000u);
    EXPECT_EQ(b.pixels[7], 0x00FF00u);
}

TEST(BmpDecodeTest, OneBitAndSixteenBitBitFieldFilesDecode) {
    // 1 bit: 3 pixels "on, off, on" in one row padded to 4 bytes.
    auto mono = testsupport::BmpHeaders(3, 1, 1, 2, 0, 4);
    PutU32(mono, 54, 0x000000);
    PutU32(mono, 58, 0xFFFFFF);
    mono[62] = 0b10100000;
    Bitmap b;
    std::string why;
    ASSERT_TRUE(Decode(mono, b, &why)) << why;
    EXPECT_EQ(b.pixels, (std::vector<uint32_t>{0xFFFFFF, 0, 0xFFFFFF}));
    EXPECT_EQ(b.bitsPerPixel, 1);
    // 16 bits in 565 with its three masks after the header: pure red, then pure blue.
    auto rgb565 = testsupport::BmpHeaders(2, 1, 16, 3, 3, 4);
    PutU32(rgb565, 54, 0xF800);
    PutU32(rgb565, 58, 0x07E0);
    PutU32(rgb565, 62, 0x001F);
    PutU32(rgb565, 46, 0); // the three slots hold masks, not colours
    PutU16(rgb565, 66, 0xF800);
    PutU16(rgb565, 68, 0x001F);
    ASSERT_TRUE(Decode(rgb565, b, &why)) << why;
    EXPECT_EQ(b.pixels, (std::vector<uint32_t>{0xFF0000, 0x0000FF}));
}

// Bit fields in layouts SDL's decoder has no pixel format for: red in the top 10 bits of 32 (the
// masks inside a 56-byte header), channels of 2, 3 and 1 bits in 16. Bits outside the masks do
// not count.
TEST(BmpDecodeTest, BitFieldFilesDecodeWhateverTheirMasks) {
    struct Layout {
        int bitCount;
        std::vector<uint32_t> masks, words, colours;
    };
    for (const Layout& l : {Layout{32,
                                   {0xFFC00000, 0x3FF000, 0xFFC, 0x3},
                                   {0xFFC00003, 0x803FF004},
                                   {0xFF0000, 0x80FF00}},
                            Layout{16, {0x3, 0x1C, 0x20}, {0x8036, 0x1}, {0xAAB6FF, 0x550000}}}) {
        Bitmap b;
        const auto word = [&](int x, int y) { return l.words[static_cast<size_t>(x ^ y)]; };
        ASSERT_TRUE(Decode(testsupport::MakeBmpBitFields(2, 2, l.bitCount, l.masks, word), b));
        const uint32_t c0 = l.colours[0], c1 = l.colours[1];
        EXPECT_EQ(b.pixels, (std::vector<uint32_t>{c0, c1, c1, c0})) << l.bitCount;
    }
}

TEST(BmpDecodeTest, EveryTruncationOfAValidFileIsRefused) {
    const auto whole =
        MakeBmp8(3, 3, {0x112233, 0x445566}, [](int x, int) { return uint8_t(x & 1); });
    Bitmap b;
    ASSERT_TRUE(Decode(whole, b));
    for (size_t n = 0; n < whole.size(); ++n) {
        std::vector<uint8_t> cut(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(n));
        std::string why;
        EXPECT_FALSE(DecodeBmp(cut.data(), cut.size(), b, &why)) << n;
        EXPECT_FALSE(why.empty());
    }
}

struct Corruption {
    const char* name;
    void (*apply)(std::vector<uint8_t>&);
};

class BmpRefusalTest : public ::testing::TestWithParam<Corruption> {};

TEST_P(BmpRefusalTest, IsRefusedWithAReason) {
    auto bytes = MakeBmp24(4, 4, Gradient);
    GetParam().apply(bytes);
    Bitmap b;
    std::string why;
    EXPECT_FALSE(Decode(bytes, b, &why));
    EXPECT_FALSE(why.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Malformed, BmpRefusalTest,
    ::testing::Values(
        Corruption{"NotBM", [](auto& b) { b[0] = 'X'; }},
        Corruption{"OffsetPastEnd",
                   [](auto& b) { PutU32(b, 10, static_cast<uint32_t>(b.size())); }},
        Corruption{"OffsetInsideHeader", [](auto& b) { PutU32(b, 10, 20); }},
        Corruption{"OffsetHuge", [](auto& b) { PutU32(b, 10, 0xFFFFFFF0u); }},
        Corruption{"HeaderSizeLies", [](auto& b) { PutU32(b, 14, 0x7FFFFFFF); }},
        Corruption{"ZeroWidth", [](auto& b) { PutU32(b, 18, 0); }},
        Corruption{"NegativeWidth", [](auto& b) { PutU32(b, 18, static_cast<uint32_t>(-4)); }},
        Corruption{"ZeroHeight", [](auto& b) { PutU32(b, 22, 0); }},
        Corruption{"TooWide", [](auto& b) { PutU32(b, 18, 16385); }},
        Corruption{"TooTall", [](auto& b) { PutU32(b, 22, static_cast<uint32_t>(-16385)); }},
        Corruption{"MostNegativeHeight", [](auto& b) { PutU32(b, 22, 0x80000000u); }},
        Corruption{"HeightLargerThanData", [](auto& b) { PutU32(b, 22, 40); }},
        Corruption{"JpegCompression", [](auto& b) { PutU32(b, 30, 4); }},
        Corruption{"UnknownCompression", [](auto& b) { PutU32(b, 30, 77); }},
        Corruption{"RleOnTwentyFourBits", [](auto& b) { PutU32(b, 30, 1); }},
        Corruption{"OddBitCount", [](auto& b) { PutU16(b, 28, 7); }},
        Corruption{"TwoPlanes", [](auto& b) { PutU16(b, 26, 2); }}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(BmpRefusalTest, ColourTableLargerThanTheDepthAllowsIsRefused) {
    auto bytes = MakeBmp8(2, 2, {0, 0xFFFFFF}, [](int, int) { return uint8_t(0); });
    PutU32(bytes, 46, 300);
    Bitmap b;
    EXPECT_FALSE(Decode(bytes, b));
}

TEST(BmpRefusalTest, TheLargestAllowedSideStillLoads) {
    Bitmap b;
    ASSERT_TRUE(Decode(MakeBmp24(Surface::kMaxSide, 1, [](int x, int) { return uint32_t(x); }), b));
    EXPECT_EQ(b.width, Surface::kMaxSide);
}

TEST(BitmapToSurfaceTest, EachDepthStoresWhatGdiWould) {
    Bitmap b;
    b.width = 2;
    b.height = 1;
    b.pixels = {0xFFFFFF, 0x80FF20};
    auto s16 = Surface::Create(2, 1, 16);
    CopyBitmapToSurface(b, *s16);
    EXPECT_EQ(s16->ReadPixel(0, 0), 0xFFFFu);
    EXPECT_EQ(s16->ReadPixel(1, 0), (0x80u >> 3) << 11 | (0xFFu >> 2) << 5 | (0x20u >> 3));
    for (int depth : {24, 32}) {
        auto s = Surface::Create(2, 1, depth);
        CopyBitmapToSurface(b, *s);
        EXPECT_EQ(s->ReadPixel(1, 0), 0x80FF20u) << depth;
    }
    auto palette = std::make_shared<PaletteTable>();
    (*palette)[3] = {0x80, 0xF0, 0x30}; // nearest to 0x80FF20
    (*palette)[9] = {0xFF, 0xFF, 0xFF};
    auto s8 = Surface::Create(2, 1, 8);
    s8->SetPalette(palette);
    CopyBitmapToSurface(b, *s8);
    EXPECT_EQ(s8->ReadPixel(0, 0), 9u);
    EXPECT_EQ(s8->ReadPixel(1, 0), 3u);
}

} // namespace
} // namespace platform
