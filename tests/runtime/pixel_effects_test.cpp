// The software effects through their front ends, at every depth: exact blend values, saturating
// addition, raster operations, rotation placement, and colour keys that no effect may write.
#include <functional>
#include <utility>

#include "runtime/graphics/blitters.h"
#include "runtime/graphics/pixel_effects.h"
#include "support/display_fixture.h"

namespace tessary {
namespace {

constexpr uint32_t kWhite = 0xFFFFFF;

// A backdrop whose pixels differ from their neighbours, so that misplaced writes show.
uint32_t Noise(int x, int y) {
    uint32_t v = static_cast<uint32_t>(x * 7919 + y * 104729) * 2654435761u;
    return v ^ (v >> 13);
}

class PixelEffectsTest : public testing::DisplayTest, public ::testing::WithParamInterface<int> {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        OpenDisplay(GetParam());
    }
    int Depth() const { return GetParam(); }
    uint32_t DepthMask() const { return Depth() == 32 ? 0xFFFFFF : (1u << Depth()) - 1; }

    void NoisyBack() {
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                Back().WritePixel(x, y, Noise(x, y) & DepthMask());
    }
    // A picture with a keyed frame one pixel wide around noise, keyed cross in the middle.
    void KeyedPicture(int n, int w, int h) {
        const uint32_t key = Pixel(0xFF00FF);
        PaintPicture(n, w, h, true, [=, this](int x, int y) {
            if (x == 0 || y == 0 || x == w - 1 || y == h - 1 || x == w / 2 || y == h / 2)
                return key;
            uint32_t v = Noise(x + 1000, y) & DepthMask();
            return v == key ? v ^ 1 : v;
        });
    }
};

class TrueColourEffectsTest : public PixelEffectsTest {};

TEST_P(TrueColourEffectsTest, HalfTranslucentWhiteOverBlackIsHalfIntensity) {
    FillBack(0);
    PaintPicture(1, 8, 8, false, [this](int, int) { return Pixel(kWhite); });
    ASSERT_EQ(DrawImageTranslucent(10, 10, 1, 50, 0, 0, -1, -1, 0), 1);
    EXPECT_EQ(At(10, 10), Depth() == 16 ? 0x7BEFu : 0x7F7F7Fu);
    EXPECT_EQ(At(17, 17), At(10, 10));
    EXPECT_EQ(At(18, 17), 0u);
}

TEST_P(TrueColourEffectsTest, GeneralOpacityFloorsEachChannelTowardTheDestination) {
    FillBack(kWhite);
    PaintPicture(1, 3, 1, false, [](int, int) { return 0u; });
    // percent 20: opacity 51, not a multiple of 4.
    ASSERT_EQ(DrawImageTranslucent(0, 0, 1, 20, 0, 0, -1, -1, 0), 1);
    if (Depth() == 16) {
        // The odd first pixel: 31 + floor(-31 * 51 / 256) = 24, 63 + floor(-63 * 51 / 256) = 50.
        EXPECT_EQ(At(0, 0), (24u << 11) | (50u << 5) | 24u);
        // The pair step: ((0 - 31 + 64) * 51 >> 8) - 12 + 31 = 25; green 63 - 12 = 51.
        EXPECT_EQ(At(1, 0), (25u << 11) | (51u << 5) | 25u);
        EXPECT_EQ(At(2, 0), At(1, 0));
    } else {
        // 255 + floor(-255 * 51 / 256) = 204 in every channel and every pixel.
        EXPECT_EQ(At(0, 0), 0xCCCCCCu);
        EXPECT_EQ(At(2, 0), 0xCCCCCCu);
    }
}

TEST_P(TrueColourEffectsTest, AdditiveSaturatesWhiteStaysWhiteBlackChangesNothing) {
    NoisyBack();
    const auto before = Snapshot();
    PaintPicture(1, 20, 20, false, [](int, int) { return 0u; });
    ASSERT_EQ(DrawImageAdditive(100, 100, 1, 0, 0, -1, -1), 1);
    EXPECT_EQ(Snapshot(), before);

    PaintPicture(2, 20, 20, false, [this](int, int) { return Pixel(kWhite); });
    ASSERT_EQ(DrawImageAdditive(100, 100, 2, 0, 0, -1, -1), 1);
    for (int y = 100; y < 120; ++y)
        for (int x = 100; x < 120; ++x)
            ASSERT_EQ(At(x, y), Pixel(kWhite));

    // Channel by channel: 0x90 + 0x90 saturates, 0x10 + 0x20 adds.
    FillBack(0x109010);
    PaintPicture(3, 4, 4, false, [this](int, int) { return Pixel(0x209020); });
    DrawImageAdditive(0, 0, 3, 0, 0, -1, -1);
    const uint32_t sum = Back().ColorFromPixel(At(1, 1));
    EXPECT_EQ((sum >> 8) & 0xFF, 0xFFu);
    EXPECT_NEAR(static_cast<int>(sum & 0xFF), 0x30, 8);
}

TEST_P(TrueColourEffectsTest, ExclusiveOrTwiceRestoresTheScreenAndOtherCodesCombine) {
    NoisyBack();
    const auto before = Snapshot();
    PaintPicture(1, 33, 17, false, [this](int x, int y) { return Noise(y, x) & DepthMask(); });
    ASSERT_EQ(DrawImageRop(-5, 470, 1, 7, 0, 0, -1, -1), 1);
    EXPECT_NE(Snapshot(), before);
    ASSERT_EQ(DrawImageRop(-5, 470, 1, 7, 0, 0, -1, -1), 1);
    EXPECT_EQ(Snapshot(), before);

    FillBack(0x00FF00);
    PaintPicture(2, 4, 4, false, [this](int, int) { return Pixel(0x0000FF); });
    DrawImageRop(0, 0, 2, 15, 0, 0, -1, -1); // or: red and green
    EXPECT_EQ(At(0, 0), Pixel(0x00FFFF));
    DrawImageRop(0, 0, 2, 9, 0, 0, -1, -1); // and: red stays
    EXPECT_EQ(At(0, 0), Pixel(0x0000FF));
    DrawImageRop(0, 0, 2, 6, 0, 0, -1, -1); // not screen
    EXPECT_EQ(At(0, 0), Pixel(0xFFFF00));
    DrawImageRop(0, 0, 2, 1, 0, 0, -1, -1); // no operation: unchanged
    EXPECT_EQ(At(0, 0), Pixel(0xFFFF00));
}

// Each raster code combines the picture's pixel s with the screen's pixel d bit by bit; codes
// without an operation leave the screen as it was.
TEST_P(TrueColourEffectsTest, EveryRasterCodeCombinesPenAndScreenByItsOperation) {
    const uint32_t mask = DepthMask();
    const std::pair<int, std::function<uint32_t(uint32_t, uint32_t)>> codes[] = {
        {2, [](uint32_t s, uint32_t d) { return ~(d | s); }},
        {4, [](uint32_t s, uint32_t) { return ~s; }},
        {6, [](uint32_t, uint32_t d) { return ~d; }},
        {7, [](uint32_t s, uint32_t d) { return d ^ s; }},
        {8, [](uint32_t s, uint32_t d) { return ~(d & s); }},
        {9, [](uint32_t s, uint32_t d) { return d & s; }},
        {10, [](uint32_t s, uint32_t d) { return ~(d ^ s); }},
        {15, [](uint32_t s, uint32_t d) { return d | s; }},
        {0, [](uint32_t, uint32_t d) { return d; }},
        {3, [](uint32_t, uint32_t d) { return d; }},
        {11, [](uint32_t, uint32_t d) { return d; }},
        {16, [](uint32_t, uint32_t d) { return d; }},
    };
    PaintPicture(1, 21, 9, false, [this](int x, int y) { return Noise(y + 300, x) & DepthMask(); });
    for (const auto& [code, f] : codes) {
        NoisyBack();
        const auto before = Snapshot();
        ASSERT_EQ(DrawImageRop(100, 200, 1, code, 0, 0, -1, -1), 1) << code;
        for (int y = 198; y < 212; ++y)
            for (int x = 98; x < 124; ++x) {
                const uint32_t d = before[static_cast<size_t>(y * 640 + x)];
                const bool onPicture = x >= 100 && x < 121 && y >= 200 && y < 209;
                const uint32_t s =
                    onPicture ? ImageSlotAt(1)->surface->ReadPixel(x - 100, y - 200) : 0;
                ASSERT_EQ(At(x, y), onPicture ? f(s, d) & mask : d)
                    << "code " << code << " at " << x << "," << y;
            }
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, TrueColourEffectsTest, ::testing::Values(16, 24, 32));

TEST_P(PixelEffectsTest, KeyedPixelsAreNeverWrittenByAnyEffect) {
    KeyedPicture(1, 21, 15);
    const int x = 200, y = 150;
    auto expectKeyedUntouched = [&](const std::vector<uint32_t>& before, const char* what) {
        for (int j = 0; j < 15; ++j)
            for (int i = 0; i < 21; ++i) {
                if (i == 0 || j == 0 || i == 20 || j == 14 || i == 10 || j == 7) {
                    ASSERT_EQ(At(x + i, y + j), before[static_cast<size_t>((y + j) * 640 + x + i)])
                        << what << " " << i << "," << j;
                }
            }
    };
    struct Effect {
        const char* name;
        int (*draw)(int, int);
    };
    const Effect effects[] = {
        {"rotation", [](int px, int py) { return DrawImageRotated(px, py, 1, 0, 0, 0, -1, -1); }},
        {"half",
         [](int px, int py) { return DrawImageTranslucent(px, py, 1, 50, 0, 0, -1, -1, 0); }},
        {"blend",
         [](int px, int py) { return DrawImageTranslucent(px, py, 1, 30, 0, 0, -1, -1, 0); }},
        {"invert", [](int px, int py) { return DrawImageRop(px, py, 1, 6, 0, 0, -1, -1); }},
        {"xor", [](int px, int py) { return DrawImageRop(px, py, 1, 7, 0, 0, -1, -1); }},
        {"additive", [](int px, int py) { return DrawImageAdditive(px, py, 1, 0, 0, -1, -1); }},
    };
    for (const Effect& effect : effects) {
        NoisyBack();
        const auto before = Snapshot();
        effect.draw(x, y);
        expectKeyedUntouched(before, effect.name);
        if (Depth() != 8) {
            EXPECT_NE(At(x + 3, y + 3), before[static_cast<size_t>((y + 3) * 640 + x + 3)])
                << effect.name; // and the picture itself is drawn
        }
    }
}

TEST_P(PixelEffectsTest, RotationByZeroLandsThePictureInTheMiddleOfItsSquare) {
    NoisyBack();
    const auto before = Snapshot();
    PaintPicture(1, 30, 40, false,
                 [this](int x, int y) { return Noise(x + 50, y + 50) & DepthMask(); });
    ASSERT_EQ(DrawImageRotated(100, 100, 1, 720, 0, 0, -1, -1), 1);
    // The 50 x 50 square's corner is at (90, 95); the picture lands at (10, 5) inside it.
    for (int y = 80; y < 160; ++y)
        for (int x = 80; x < 160; ++x) {
            const bool onPicture = x >= 100 && x < 130 && y >= 100 && y < 140;
            const uint32_t expected = onPicture ? (Noise(x - 100 + 50, y - 100 + 50) & DepthMask())
                                                : before[static_cast<size_t>(y * 640 + x)];
            ASSERT_EQ(At(x, y), expected) << x << "," << y;
        }
}

TEST_P(PixelEffectsTest, RotationTurnsCounterClockwiseAndStaysOnTheScreen) {
    FillBack(0);
    const uint32_t red = Pixel(0x0000FF), blue = Pixel(0xFF0000), green = Pixel(0x00FF00);
    // Top-left red, top-right blue, bottom-left green, the rest white.
    PaintPicture(1, 30, 40, false, [&](int x, int y) {
        if (x == 0 && y == 0) return red;
        if (x == 29 && y == 0) return blue;
        if (x == 0 && y == 39) return green;
        return Pixel(kWhite);
    });
    ASSERT_EQ(DrawImageRotated(100, 100, 1, -270, 0, 0, -1, -1), 1); // 90: a quarter turn left
    // Square corner (90, 95); picture (sx, sy) lands at column sy + 5, row 40 - sx.
    EXPECT_EQ(At(95, 135), red);
    EXPECT_EQ(At(95, 106), blue);
    EXPECT_EQ(At(134, 135), green);

    FillBack(0);
    ASSERT_EQ(DrawImageRotated(100, 100, 1, 180, 0, 0, -1, -1), 1);
    // Upside down, one pixel along: (sx, sy) lands at (130 - sx, 140 - sy).
    EXPECT_EQ(At(130, 140), red);
    EXPECT_EQ(At(101, 140), blue);
    EXPECT_EQ(At(130, 101), green);

    // Partly off every edge: only on-screen pixels are written, and nothing breaks.
    FillBack(0);
    EXPECT_EQ(DrawImageRotated(-20, -25, 1, 45, 0, 0, -1, -1), 1);
    EXPECT_EQ(DrawImageRotated(625, 460, 1, 300, 0, 0, -1, -1), 1);
    EXPECT_EQ(At(0, 0), Pixel(kWhite));
    EXPECT_EQ(At(639, 479), Pixel(kWhite));
}

TEST_P(PixelEffectsTest, PlainCopyCodeAndEightBitsDrawThePictureAndGiveZero) {
    FillBack(0);
    PaintPicture(1, 4, 4, false, [this](int, int) { return Pixel(0x00FF00); });
    EXPECT_EQ(DrawImageRop(0, 0, 1, 13, 0, 0, -1, -1), 0);
    EXPECT_EQ(At(3, 3), Pixel(0x00FF00));
    FillBack(0);
    const int additive = DrawImageAdditive(0, 0, 1, 0, 0, -1, -1);
    const int xorResult = DrawImageRop(10, 0, 1, 7, 0, 0, -1, -1);
    EXPECT_EQ(additive, Depth() == 8 ? 0 : 1);
    EXPECT_EQ(xorResult, Depth() == 8 ? 0 : 1);
    EXPECT_EQ(At(3, 3), Pixel(0x00FF00));
    EXPECT_EQ(At(13, 3), Pixel(0x00FF00));
    EXPECT_EQ(DrawImageRop(0, 0, 256, 7, 0, 0, -1, -1), 0);
    EXPECT_EQ(DrawImageAdditive(0, 0, 9, 0, 0, -1, -1), 0); // empty slot
}

TEST_P(PixelEffectsTest, ALostPictureDrawsNothing) {
    NoisyBack();
    const auto before = Snapshot();
    // The reload of a picture that has no file leaves its slot empty; each case makes it anew.
    auto lostPicture = [this] {
        PaintPicture(1, 8, 8, false, [this](int, int) { return Pixel(kWhite); });
        ImageSlotAt(1)->surface->SetLostForTest(true);
    };
    lostPicture();
    EXPECT_EQ(DrawImageAdditive(0, 0, 1, 0, 0, -1, -1), 0);
    lostPicture();
    EXPECT_EQ(DrawImageRop(0, 0, 1, 7, 0, 0, -1, -1), 0);
    lostPicture();
    EXPECT_EQ(DrawImageRotated(50, 50, 1, 30, 0, 0, -1, -1), 0);
    EXPECT_EQ(Snapshot(), before);
}

INSTANTIATE_TEST_SUITE_P(Depths, PixelEffectsTest, ::testing::Values(8, 16, 24, 32));

} // namespace
} // namespace tessary
