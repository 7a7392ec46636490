// Image slots: loading BMP files at every depth, the colour key from the top-left pixel, refusals
// that leave the slot empty, the first-8-bit-picture palette rule, reloading a lost picture and
// the work surface.
#include <filesystem>

#include "platform/headless.h"
#include "runtime/graphics/blitters.h"
#include "support/bmp_writer.h"
#include "support/graphics_fixture.h"

namespace tessary {
namespace {

namespace fs = std::filesystem;
using platform::headless::DebugText;

constexpr uint32_t kMagenta = 0xFF00FF, kGreen = 0x00FF00, kBlue = 0x0000FF;

// Magenta corners and border, a green cross, blue elsewhere: colours every depth shows exactly.
uint32_t Target(int x, int y) {
    if (x == 0 || y == 0 || x == 15 || y == 11) return kMagenta;
    if (x == 7 || y == 5) return kGreen;
    return kBlue;
}

uint32_t ColorRefOf(uint32_t rgb) {
    return (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
}

class ImageSlotTest : public testing::GraphicsTest, public ::testing::WithParamInterface<int> {
  protected:
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        const std::string path = (Folder() / name).string();
        testsupport::WriteFile(path, bytes);
        return path;
    }
    uint32_t ShownColor(int x, int y) { return Back().ColorFromPixel(Back().ReadPixel(x, y)); }
};

class ImageSlotDepthTest : public ImageSlotTest {
  protected:
    void SetUp() override {
        ImageSlotTest::SetUp();
        OpenDisplay(GetParam());
    }
};

TEST_P(ImageSlotDepthTest, APictureLoadsWithItsTopLeftPixelAsTheKey) {
    const std::string path = Write("target.bmp", testsupport::MakeBmp24(16, 12, Target));
    ASSERT_EQ(LoadBmpImage(5, path.c_str(), 1), 1);
    const ImageSlot& s = *ImageSlotAt(5);
    EXPECT_EQ(s.width, 16);
    EXPECT_EQ(s.height, 12);
    EXPECT_STREQ(s.fileName.data(), path.c_str());
    EXPECT_EQ(s.colorKey, s.surface->PixelFromColor(ColorRefOf(kMagenta)));
    EXPECT_EQ(s.transparent, 1);
    // Keyed: every magenta pixel is left out.
    ASSERT_EQ(DrawImage(100, 100, 5, 0, 0, -1, -1), 1);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(ShownColor(100 + x, 100 + y),
                      Target(x, y) == kMagenta ? 0 : ColorRefOf(Target(x, y)))
                << x << "," << y;
    // Opaque: a solid rectangle.
    ASSERT_EQ(LoadBmpImage(5, path.c_str(), 0), 1);
    ASSERT_EQ(DrawImage(300, 100, 5, 0, 0, -1, -1), 1);
    EXPECT_EQ(ShownColor(300, 100), ColorRefOf(kMagenta));
    EXPECT_EQ(ShownColor(307, 105), ColorRefOf(kGreen));
}

TEST_P(ImageSlotDepthTest, ABadFileLeavesTheSlotEmptyWithTheOpenFailureNote) {
    auto bytes = testsupport::MakeBmp24(16, 12, Target);
    const std::string good = Write("good.bmp", bytes);
    bytes.resize(bytes.size() - 7);
    const std::string cut = Write("cut.bmp", bytes);
    ASSERT_EQ(LoadBmpImage(9, good.c_str(), 1), 1);
    EXPECT_EQ(LoadBmpImage(9, cut.c_str(), 1), 0);
    EXPECT_EQ(ImageSlotAt(9)->surface, nullptr);
    EXPECT_STREQ(ImageSlotAt(9)->fileName.data(), cut.c_str());
    EXPECT_NE(DebugText().find("BMP[" + cut + "]のオープンに失敗しました。\n"), std::string::npos);
    EXPECT_EQ(DrawImage(0, 0, 9, 0, 0, -1, -1), 0);
    EXPECT_EQ(LoadBmpImage(9, (Folder() / "absent.bmp").c_str(), 1), 0);
    EXPECT_EQ(LoadBmpImage(256, good.c_str(), 1), 0);
    EXPECT_TRUE(BackIsEmpty());
    // A path too long to keep is refused, and the picture the slot held is gone all the same.
    ASSERT_EQ(LoadBmpImage(3, good.c_str(), 1), 1);
    EXPECT_EQ(LoadBmpImage(3, std::string(300, 'a').c_str(), 1), 0);
    EXPECT_EQ(ImageSlotAt(3)->surface, nullptr);
    EXPECT_NE(DebugText().find("BMP: the path is longer than 255 characters\n"), std::string::npos);
    EXPECT_EQ(DrawImage(0, 0, 3, 0, 0, -1, -1), 0);
}

TEST_P(ImageSlotDepthTest, ALostPictureReloadsIntoTheSameMemoryAndShowsAgainNextFrame) {
    const std::string path = Write("target.bmp", testsupport::MakeBmp24(16, 12, Target));
    SetUseVRAM(0);
    ASSERT_EQ(LoadBmpImage(5, path.c_str(), 1), 1);
    SetUseVRAM(1);
    ImageSlotAt(5)->surface->SetLostForTest(true);
    EXPECT_EQ(DrawImage(0, 0, 5, 0, 0, -1, -1), 1);
    EXPECT_TRUE(BackIsEmpty());
    EXPECT_NE(DebugText().find("BUFFER LOST:IMG[" + path + "]をリロードします。\n"),
              std::string::npos);
    EXPECT_EQ(ImageSlotAt(5)->inVideoMemory, 0);
    EXPECT_EQ(TheImageSlots().useVRAM, 1);
    EXPECT_EQ(ImageSlotAt(5)->transparent, 1);
    EXPECT_EQ(DrawImage(0, 0, 5, 0, 0, -1, -1), 1);
    EXPECT_EQ(ShownColor(7, 5), ColorRefOf(kGreen));
}

TEST_P(ImageSlotDepthTest, TheWorkSurfaceIsMadeOnceBlackAndOpaque) {
    const ImageSlot& s = *ImageSlotAt(kScratchSlot);
    EXPECT_EQ(s.width, 640);
    EXPECT_EQ(s.height, 480);
    EXPECT_EQ(s.transparent, 0);
    EXPECT_EQ(s.inVideoMemory, 0);
    EXPECT_EQ(s.surface->ColorFromPixel(s.surface->ReadPixel(639, 479)), 0u);
    EXPECT_EQ(CreateScratchImage(), 0);
    ReleaseAllImages();
    for (int n = 0; n < kImageSlotCount; ++n)
        ASSERT_EQ(ImageSlotAt(n)->surface, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Depths, ImageSlotDepthTest, ::testing::Values(8, 16, 24, 32),
                         [](const auto& p) { return std::to_string(p.param) + "bit"; });

std::vector<uint32_t> RampTable(uint32_t tint) {
    std::vector<uint32_t> t(256);
    for (uint32_t i = 0; i < 256; ++i)
        t[i] = (i << 16 | (255 - i) << 8 | tint) & 0xFFFFFF;
    return t;
}

TEST_F(ImageSlotTest, AtEightBitsTheFirstEightBitPictureSetsThePalette) {
    OpenDisplay(8);
    const uint32_t storedEntry10 = kInitialStoredPalette[0];
    const std::string full = Write("full.bmp", testsupport::MakeBmp24(16, 12, Target));
    const std::string first =
        Write("first.bmp", testsupport::MakeBmp8(4, 4, RampTable(0x40), [](int x, int y) {
                  return uint8_t(100 + x + 4 * y);
              }));
    const std::string second =
        Write("second.bmp", testsupport::MakeBmp8(4, 4, RampTable(0x90),
                                                  [](int x, int) { return uint8_t(100 + x); }));
    // A 24-bit picture first leaves the stored palette and says so.
    ASSERT_EQ(LoadBmpImage(1, full.c_str(), 0), 1);
    EXPECT_NE(DebugText().find("パレット取得に失敗しました。ビットマップが256色以外です。\n"),
              std::string::npos);
    EXPECT_EQ(TheDisplayGlobals().paletteFromImagePending, 1);
    EXPECT_EQ(StoredPalette()[0], storedEntry10);

    ASSERT_EQ(LoadBmpImage(2, first.c_str(), 0), 1);
    EXPECT_EQ(TheDisplayGlobals().paletteFromImagePending, 0);
    const platform::PaletteTable& p = *TheDisplay().palette;
    EXPECT_EQ(p[100], (platform::PaletteColor{100, 155, 0x40}));
    EXPECT_EQ(p[245], (platform::PaletteColor{245, 10, 0x40}));
    EXPECT_EQ(p[0], platform::StaticPaletteColor(0)); // static entries stay
    EXPECT_EQ(p[255], platform::StaticPaletteColor(255));
    EXPECT_EQ(StoredPalette()[90], 0x409B64u); // entry 100 as a colour value
    EXPECT_EQ(ImageSlotAt(2)->surface->ReadPixel(1, 0), 101u);

    // A later 8-bit picture is mapped onto the palette it found.
    ASSERT_EQ(LoadBmpImage(3, second.c_str(), 0), 1);
    EXPECT_EQ(p[100], (platform::PaletteColor{100, 155, 0x40}));
    const uint32_t shown =
        ImageSlotAt(3)->surface->ColorFromPixel(ImageSlotAt(3)->surface->ReadPixel(0, 0));
    EXPECT_NE(shown, ColorRefOf(RampTable(0x90)[100]));
}

TEST_F(ImageSlotTest, AboveEightBitsPicturesLeaveThePaletteAlone) {
    OpenDisplay(32);
    const std::string first =
        Write("first.bmp",
              testsupport::MakeBmp8(4, 4, RampTable(0x40), [](int, int) { return uint8_t(100); }));
    ASSERT_EQ(LoadBmpImage(2, first.c_str(), 0), 1);
    EXPECT_EQ(TheDisplayGlobals().paletteFromImagePending, 1);
    EXPECT_EQ(DebugText().find("パレット取得"), std::string::npos);
    EXPECT_EQ(ImageSlotAt(2)->surface->ReadPixel(0, 0), 0x649B40u);
}

} // namespace
} // namespace tessary
