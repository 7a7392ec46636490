// Where the picture goes in a window or screen, and the CPU's sharp scaling of it.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "common/picture_scaling.h"

namespace platform {
namespace {

TEST(FitPictureTest, AsLargeAsFitsWithItsShapeKeptOrByWholeMultiples) {
    struct Row {
        int width, height;
        PictureScaling scaling;
        Rect expected;
    };
    constexpr auto kSharp = PictureScaling::kSharp, kWhole = PictureScaling::kWholeMultiples;
    const Row rows[] = {
        {1000, 700, kSharp, {33, 0, 966, 700}},       // 933 x 700, centred
        {1280, 800, kSharp, {106, 0, 1173, 800}},     // a handheld in full screen: 1067 x 800
        {1280, 800, kWhole, {320, 160, 960, 640}},    // 1x and wider bars
        {1920, 1080, kWhole, {320, 60, 1600, 1020}},  // 2x
        {3840, 2160, kWhole, {640, 120, 3200, 2040}}, // 4x
        {320, 240, kWhole, {0, 0, 320, 240}},         // not even 1x fits: as large as fits
    };
    for (const Row& r : rows) {
        const Rect got = FitPicture(r.width, r.height, 640, 480, r.scaling);
        EXPECT_EQ(got.left, r.expected.left) << r.width << "x" << r.height;
        EXPECT_EQ(got.top, r.expected.top) << r.width << "x" << r.height;
        EXPECT_EQ(got.right, r.expected.right) << r.width << "x" << r.height;
        EXPECT_EQ(got.bottom, r.expected.bottom) << r.width << "x" << r.height;
    }
}

constexpr uint32_t kWhite = 0xFFFFFF, kRed = 0xFF0000;

std::vector<uint32_t> Scaled(const std::vector<uint32_t>& src, int sw, int sh, int dw, int dh) {
    std::vector<uint32_t> dst(static_cast<size_t>(dw) * static_cast<size_t>(dh), 0x123456);
    SharpScaler scaler;
    scaler.Scale(src.data(), sw, sh, sw, dst.data(), dw, dh, dw);
    return dst;
}

// Single white pixels on black, 7 apart, at a scale of 1.4583 (a 640 x 480 picture in 933 x 700):
// each is one block of at most 3 x 3 screen pixels, crisp (its brightest pixel at least 0.6 white:
// a linear enlargement of the picture itself blurs some to under half) and carrying the light of
// about 1.46 x 1.46 pixels (nearest-neighbour gives 1, 2 or 4); flat colour stays that colour.
TEST(SharpScalerTest, SinglePixelsStayCrispEvenBlocksAtAScaleThatIsNoWholeNumber) {
    constexpr int sw = 64, sh = 48, dw = 93, dh = 70;
    std::vector<uint32_t> src(sw * sh, 0);
    for (int y = 3; y < sh - 3; y += 7)
        for (int x = 3; x < sw - 3; x += 7)
            src[static_cast<size_t>(y * sw + x)] = kWhite;
    for (int x = 0; x < sw; ++x)
        src[static_cast<size_t>((sh - 1) * sw + x)] = kRed; // a flat red last row
    const std::vector<uint32_t> dst = Scaled(src, sw, sh, dw, dh);
    const double scale = static_cast<double>(dh) / sh;
    auto light = [&](int x, int y) {
        return (dst[static_cast<size_t>(y * dw + x)] & 0xFF) / 255.0;
    };
    for (int sy = 3; sy < sh - 3; sy += 7)
        for (int sx = 3; sx < sw - 3; sx += 7) {
            const int cx = static_cast<int>((sx + 0.5) * scale),
                      cy = static_cast<int>((sy + 0.5) * scale);
            double mass = 0, brightest = 0;
            int minX = dw, maxX = -1, minY = dh, maxY = -1;
            for (int y = cy - 3; y <= cy + 3; ++y)
                for (int x = cx - 3; x <= cx + 3; ++x) {
                    if (light(x, y) == 0) continue;
                    mass += light(x, y);
                    brightest = std::max(brightest, light(x, y));
                    minX = std::min(minX, x), maxX = std::max(maxX, x);
                    minY = std::min(minY, y), maxY = std::max(maxY, y);
                }
            EXPECT_LE(maxX - minX, 2) << sx << "," << sy;
            EXPECT_LE(maxY - minY, 2) << sx << "," << sy;
            EXPECT_GE(brightest, 0.6) << sx << "," << sy;
            EXPECT_NEAR(mass, scale * scale, 0.3 * scale * scale) << sx << "," << sy;
        }
    for (int x = 0; x < dw; ++x)
        EXPECT_EQ(dst[static_cast<size_t>((dh - 1) * dw + x)], kRed) << x;
}

} // namespace
} // namespace platform
