// The display: the depth it starts at and its notes, colour conversion, the present into the
// window (through the palette at 8 bits), vertical-blank waiting, pausing, full screen and back,
// the lost primary, and the palette coming back when the window asks.
#include "platform/headless.h"
#include "runtime/graphics/blitters.h"
#include "runtime/shell/entry.h"
#include "runtime/shell/frame_loop.h"
#include "support/bmp_writer.h"
#include "support/graphics_fixture.h"

namespace tessary {
namespace {

namespace headless = platform::headless;
using platform::Rect;

int EmptyFrame() {
    return 1;
}

class DisplayDepthTest : public testing::GraphicsTest, public ::testing::WithParamInterface<int> {
  protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        OpenDisplay(GetParam());
    }
    // The presented frame's pixel as 0x00RRGGBB.
    uint32_t Presented(int x, int y) {
        return headless::PresentedFrame()[static_cast<size_t>(y * headless::PresentedWidth() + x)];
    }
    int Tick() {
        Runtime().active = 1;
        Runtime().frameCallback = EmptyFrame;
        return RunTick();
    }
};

TEST_P(DisplayDepthTest, OpensWindowedAtTheDesktopDepthWithItsNotes) {
    const Display& d = TheDisplay();
    EXPECT_EQ(d.depth, GetParam());
    EXPECT_EQ(d.surfacesReady, 1);
    EXPECT_FALSE(d.IsFullScreen());
    EXPECT_EQ(d.backBuffer->Depth(), GetParam());
    const std::string depth = std::to_string(GetParam());
    EXPECT_NE(headless::DebugText().find("標準のデバイスを使用します\n現在のディスプレイモードは" +
                                         depth + "bitカラーです\n" + depth +
                                         "bitカラーで起動します\n"),
              std::string::npos);
    EXPECT_EQ(platform::GetClientRect().right, 640);
    EXPECT_EQ(platform::GetClientRect().bottom, 480);
    if (GetParam() == 16) {
        EXPECT_EQ(d.maxRed, 31);
        EXPECT_EQ(d.maxGreen, 63);
        EXPECT_EQ(d.shiftRed, 11);
        EXPECT_EQ(d.shiftGreen, 5);
        EXPECT_EQ(d.shiftBlue, 0);
        EXPECT_EQ(d.halfMask, 0xF7DEu);
    } else if (GetParam() >= 24) {
        EXPECT_EQ(d.halfMask, 0xFEFEFEu);
    }
}

TEST_P(DisplayDepthTest, ColorToPixelGivesWhatGdiWritesAndAllOnesReadsTheFirstPixel) {
    Display& d = TheDisplay();
    const uint32_t white = d.ColorToPixel(Back(), 0xFFFFFF);
    switch (GetParam()) {
    case 8:
        EXPECT_EQ(white, 255u);
        break; // the static white entry
    case 16:
        EXPECT_EQ(white, 0xFFFFu);
        break;
    default:
        EXPECT_EQ(white, 0xFFFFFFu);
        break;
    }
    EXPECT_EQ(Back().ColorFromPixel(d.ColorToPixel(Back(), 0x0000FF)), 0x0000FFu);
    Back().WritePixel(0, 0, white);
    EXPECT_EQ(d.ColorToPixel(Back(), 0xFFFFFFFF), white);
    EXPECT_EQ(Back().ReadPixel(0, 0), white);
}

TEST_P(DisplayDepthTest, ThePresentShowsTheBackBufferInTheWindow) {
    Display& d = TheDisplay();
    platform::FillRect(Back(), Rect{0, 0, 640, 480}, d.ColorToPixel(Back(), 0x000000));
    platform::FillRect(Back(), Rect{100, 50, 110, 60}, d.ColorToPixel(Back(), 0x0000FF));
    platform::FillRect(Back(), Rect{639, 479, 640, 480}, d.ColorToPixel(Back(), 0x00FF00));
    ASSERT_EQ(d.Present(), 1);
    EXPECT_EQ(headless::PresentedWidth(), 640);
    EXPECT_EQ(Presented(100, 50), 0xFF0000u);
    EXPECT_EQ(Presented(109, 59), 0xFF0000u);
    EXPECT_EQ(Presented(110, 59), 0u);
    EXPECT_EQ(Presented(639, 479), 0x00FF00u);
}

TEST_P(DisplayDepthTest, FlippingWaitsForTheBlankOnlyInFullScreen) {
    Display& d = TheDisplay();
    SetUseFlip(1);
    SetVSync(0);
    d.Present();
    EXPECT_FALSE(headless::LastPresentWaitedForVSync()); // windowed still copies
    SetVSync(1);
    d.Present();
    EXPECT_TRUE(headless::LastPresentWaitedForVSync());
    ASSERT_EQ(ToggleFullScreen(), 1);
    SetVSync(0);
    d.Present();
    EXPECT_TRUE(headless::LastPresentWaitedForVSync());
    SetUseFlip(0);
    d.Present();
    EXPECT_FALSE(headless::LastPresentWaitedForVSync());
}

TEST_P(DisplayDepthTest, AltEnterGoesFullScreenAndBackKeepingTheFrame) {
    MakePicture(3, 20, 20, 0);
    ASSERT_EQ(DrawImage(300, 200, 3, 0, 0, -1, -1), 1);
    const uint32_t drawn = Back().ReadPixel(310, 210);
    platform::SendMessage(platform::WM_SYSKEYDOWN, 13, 0);
    EXPECT_TRUE(headless::IsFullScreen());
    EXPECT_TRUE(TheDisplay().IsFullScreen());
    EXPECT_EQ(TheDisplay().cooperativeLevel, 17u);
    EXPECT_EQ(TheDisplay().surfacesReady, 1);
    EXPECT_EQ(Back().ReadPixel(310, 210), drawn);
    EXPECT_EQ(DrawImage(0, 0, 3, 0, 0, -1, -1), 1); // pictures survive the switch
    platform::SendMessage(platform::WM_SYSKEYDOWN, 13, 0);
    EXPECT_FALSE(headless::IsFullScreen());
    EXPECT_EQ(TheDisplay().cooperativeLevel, 8u);
    EXPECT_EQ(platform::GetClientRect().right, 640);
    EXPECT_EQ(Back().ReadPixel(310, 210), drawn);
}

TEST_P(DisplayDepthTest, TicksPresentUnlessPausedAndRestoreALostPrimary) {
    const uint64_t before = headless::PresentCount();
    ASSERT_EQ(Tick(), 1);
    EXPECT_EQ(headless::PresentCount(), before + 1);
    TheDisplay().presentPaused = 1;
    Tick();
    EXPECT_EQ(headless::PresentCount(), before + 1);
    platform::SendMessage(platform::WM_EXITMENULOOP, 0, 0);
    TheDisplay().primary->SetLostForTest(true);
    Tick();
    EXPECT_EQ(headless::PresentCount(), before + 1); // the lost primary showed nothing
    EXPECT_FALSE(TheDisplay().primary->IsLost());
    EXPECT_NE(headless::DebugText().find("Flont/Back Bufferを復元します。\n"), std::string::npos);
    Tick();
    EXPECT_EQ(headless::PresentCount(), before + 2);
    Back().SetLostForTest(true); // a lost back buffer comes back too
    Tick();
    EXPECT_FALSE(Back().IsLost());
    Tick();
    EXPECT_EQ(headless::PresentCount(), before + 3);
}

TEST_P(DisplayDepthTest, ACoveredWindowShowsItsLastFrameWhilePausedButNotInFullScreen) {
    Runtime().active = 0;
    const uint64_t before = headless::PresentCount();
    platform::SendMessage(platform::WM_PAINT, 0, 0);
    EXPECT_EQ(headless::PresentCount(), before + 1);
    Runtime().active = 1;
    platform::SendMessage(platform::WM_PAINT, 0, 0);
    EXPECT_EQ(headless::PresentCount(), before + 1);
    Runtime().active = 0;
    ToggleFullScreen();
    platform::SendMessage(platform::WM_PAINT, 0, 0);
    EXPECT_EQ(headless::PresentCount(), before + 1);
}

TEST_P(DisplayDepthTest, TheClipRectangleAndItsRegion) {
    Display& d = TheDisplay();
    d.SetClip(10, 20, 30, 40);
    EXPECT_EQ(d.clipRegion, 1);
    DrawingContext dc = d.GetBackDC();
    EXPECT_EQ(dc.clip.left, 10);
    EXPECT_EQ(dc.clip.bottom, 40);
    d.SetClip(0, 0, 0, 0);
    EXPECT_EQ(d.clipRegion, 0);
    EXPECT_EQ(d.clipRight, 640);
    EXPECT_EQ(d.clipBottom, 480);
    EXPECT_EQ(d.GetBackDC().clip.right, 640);
    Back().SetLostForTest(true);
    EXPECT_EQ(d.GetBackDC().surface, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Depths, DisplayDepthTest, ::testing::Values(8, 16, 24, 32),
                         [](const auto& p) { return std::to_string(p.param) + "bit"; });

using DisplayTest = testing::GraphicsTest;

TEST_F(DisplayTest, AtEightBitsThePresentGoesThroughThePaletteAndItComesBackOnRequest) {
    OpenDisplay(8);
    Display& d = TheDisplay();
    // The stored table: entry 16 is 0x000080 as a colour value, dark red.
    Back().WritePixel(5, 5, 16);
    ASSERT_EQ(d.Present(), 1);
    EXPECT_EQ(headless::PresentedFrame()[5 * 640 + 5], 0x800000u);
    platform::PaletteTable table{};
    for (int i = 0; i < 256; ++i)
        table[static_cast<size_t>(i)] = {0, 0, static_cast<uint8_t>(i)};
    d.ReleasePalette();
    ASSERT_EQ(d.CreatePalette(&table), 1);
    d.ReleasePalette();
    EXPECT_EQ(d.palette, nullptr);
    EXPECT_EQ(platform::SendMessage(platform::WM_QUERYNEWPALETTE, 0, 0), 0);
    ASSERT_NE(d.palette, nullptr);
    EXPECT_EQ((*d.palette)[16], (platform::PaletteColor{0, 0, 16}));
    d.Present();
    EXPECT_EQ(headless::PresentedFrame()[5 * 640 + 5], 0x000010u);
    EXPECT_TRUE(headless::MessageBoxes().empty());
}

TEST_F(DisplayTest, StartUpMakesTheWorkSurfaceAndTheWindowsEndReleasesThePictures) {
    setenv("TESSARY_DESKTOP_DEPTH", "16", 1);
    ASSERT_EQ(CreateMainWindow(), 1);
    ASSERT_EQ(TheDisplay().Open(), 1);
    StartRuntime(EmptyFrame);
    ASSERT_NE(ImageSlotAt(kScratchSlot)->surface, nullptr);
    EXPECT_EQ(ImageSlotAt(kScratchSlot)->surface->Depth(), 16);
    platform::SendMessage(platform::WM_CLOSE, 0, 0);
    EXPECT_EQ(ImageSlotAt(kScratchSlot)->surface, nullptr);
}

} // namespace
} // namespace tessary
