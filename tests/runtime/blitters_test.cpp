// The blitters at every depth: clipping at each edge of the clip rectangle, -1 edges, colour keys,
// the scaled copy's clipped source start, bands, interlacing, the rotation's square and angle, the
// screen-to-slot copy, and the lost-surface rule.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/headless.h"
#include "runtime/graphics/blitters.h"
#include "runtime/graphics/pixel_effects.h"
#include "support/graphics_fixture.h"

namespace tessary {
namespace {

class BlitterTest : public testing::GraphicsTest, public ::testing::WithParamInterface<int> {
  protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        OpenDisplay(GetParam());
    }
};

TEST_P(BlitterTest, DrawImageCopiesTheWholePictureWithItsKeyLeftOut) {
    ImageSlot& s = MakePicture(3, 30, 20, 1);
    EXPECT_EQ(DrawImage(100, 50, 3, 0, 0, -1, -1), 1);
    EXPECT_TRUE(ShowsExactly(s, 100, 50, 0, 0, 30, 20, true));
}

TEST_P(BlitterTest, AnOpaquePictureCopiesItsKeyColourToo) {
    ImageSlot& s = MakePicture(3, 30, 20, 0);
    EXPECT_EQ(DrawImage(7, 9, 3, 0, 0, -1, -1), 1);
    EXPECT_TRUE(ShowsExactly(s, 7, 9, 0, 0, 30, 20, false));
}

TEST_P(BlitterTest, DrawImageIsClippedAtEveryEdgeOfTheScreen) {
    ImageSlot& s = MakePicture(3, 30, 20, 1);
    struct Case {
        int x, y;
    };
    for (Case c : {Case{-10, 0}, Case{620, 100}, Case{50, -7}, Case{50, 470}, Case{-29, -19},
                   Case{639, 479}}) {
        Back().Restore();
        platform::FillRect(Back(), platform::Rect{0, 0, 640, 480}, 0);
        ASSERT_EQ(DrawImage(c.x, c.y, 3, 0, 0, -1, -1), 1) << c.x << "," << c.y;
        // What lands on screen is the picture at (x, y) cut to the screen.
        EXPECT_TRUE(ShowsExactly(s, c.x, c.y, 0, 0, 30, 20, true)) << c.x << "," << c.y;
    }
}

TEST_P(BlitterTest, DrawImageHonoursASmallerClipRectangle) {
    ImageSlot& s = MakePicture(3, 40, 40, 0);
    TheDisplay().SetClip(110, 120, 125, 130);
    ASSERT_EQ(DrawImage(100, 100, 3, 0, 0, -1, -1), 1);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const bool inside = x >= 110 && x < 125 && y >= 120 && y < 130;
            const uint32_t expected = inside ? s.surface->ReadPixel(x - 100, y - 100) : 0;
            ASSERT_EQ(Back().ReadPixel(x, y), expected) << x << "," << y;
        }
}

TEST_P(BlitterTest, NothingLeftAfterClippingGivesZeroAndDrawsNothing) {
    MakePicture(3, 30, 20, 0);
    TheDisplay().SetClip(100, 100, 200, 200);
    EXPECT_EQ(DrawImage(60, 150, 3, 0, 0, -1, -1), 0);   // wholly left of the clip
    EXPECT_EQ(DrawImage(200, 150, 3, 0, 0, -1, -1), 0);  // starts on the exclusive right edge
    EXPECT_EQ(DrawImage(150, 80, 3, 0, 0, -1, -1), 0);   // ends on the top edge
    EXPECT_EQ(DrawImage(150, 150, 3, 10, 0, 10, -1), 0); // an empty source
    EXPECT_EQ(DrawImage(150, 150, 3, 40, 0, -1, -1), 0); // source starts past the picture
    EXPECT_EQ(DrawImage(INT32_MIN, 150, 3, 0, 0, -1, -1), 0);
    EXPECT_EQ(DrawImage(150, INT32_MAX - 5, 3, 0, 0, -1, -1), 0);
    EXPECT_EQ(DrawImageScaled(INT32_MAX - 5, 0, 3, 1000, 10, 0, 0, -1, -1), 0);
    EXPECT_TRUE(BackIsEmpty());
}

TEST_P(BlitterTest, SourceRectanglesAreCutToThePicture) {
    ImageSlot& s = MakePicture(3, 30, 20, 0);
    // A negative start becomes 0 without moving the destination; a right edge past the picture
    // is cut; -1 reaches the edge from the given start.
    ASSERT_EQ(DrawImage(10, 10, 3, -5, -3, 100, 100), 1);
    EXPECT_TRUE(ShowsExactly(s, 10, 10, 0, 0, 30, 20, false));
    Back().SetLostForTest(true);
    Back().Restore();
    ASSERT_EQ(DrawImage(10, 10, 3, 12, 4, -1, -1), 1);
    EXPECT_TRUE(ShowsExactly(s, 10, 10, 12, 4, 30, 20, false));
}

TEST_P(BlitterTest, BadAndEmptySlotsDrawNothing) {
    MakePicture(255, 8, 8, 0);
    EXPECT_EQ(DrawImage(0, 0, 257, 0, 0, -1, -1), 0);
    EXPECT_EQ(DrawImage(0, 0, 4, 0, 0, -1, -1), 0);
    EXPECT_EQ(DrawImageScaled(0, 0, 256, -1, -1, 0, 0, -1, -1), 0);
    EXPECT_EQ(DrawImageBanded(0, 0, 256, 2, 0, 0, -1, -1), 0);
    EXPECT_EQ(DrawImageTranslucent(0, 0, 256, 50, 0, 0, -1, -1, 1), 0);
    EXPECT_EQ(DrawImageRotated(0, 0, 256, 0, 0, 0, -1, -1), 0);
    EXPECT_TRUE(BackIsEmpty());
    EXPECT_EQ(DrawImage(0, 0, 256, 0, 0, 8, 8), 1); // the work surface itself may be drawn
}

TEST_P(BlitterTest, ScaledMinusOneDoublesThePicture) {
    ImageSlot& s = MakePicture(3, 10, 6, 1);
    ASSERT_EQ(DrawImageScaled(20, 30, 3, -1, -1, 0, 0, -1, -1), 1);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 20; ++x) {
            const uint32_t v = s.surface->ReadPixel(x / 2, y / 2);
            ASSERT_EQ(Back().ReadPixel(20 + x, 30 + y), v == s.colorKey ? 0 : v) << x << "," << y;
        }
    EXPECT_EQ(Back().ReadPixel(40, 30), 0u);
    EXPECT_EQ(Back().ReadPixel(20, 42), 0u);
}

TEST_P(BlitterTest, ScaledWithItsLeftClippedStartsTheSourceHalfwayIn) {
    ImageSlot& s = MakePicture(3, 40, 10, 0);
    TheDisplay().SetClip(10, 0, 640, 480);
    // Factor 2: the ten clipped destination columns are five source columns.
    ASSERT_EQ(DrawImageScaled(0, 0, 3, 80, 20, 0, 0, -1, -1), 1);
    EXPECT_EQ(Back().ReadPixel(9, 0), 0u);
    for (int x = 10; x < 80; ++x)
        ASSERT_EQ(Back().ReadPixel(x, 4), s.surface->ReadPixel(5 + (x - 10) / 2, 2)) << x;
}

// Without a stretching blitter the picture is scaled into the work surface and copied from there,
// keyed by the work surface's top-left pixel. With nothing cut off at the left or top that is the
// picture's own key, and both paths draw the same pixels.
TEST_P(BlitterTest, ScalingThroughTheWorkSurfaceGivesTheSamePicture) {
    ImageSlot& s = MakePicture(3, 16, 12, 1);
    ASSERT_EQ(DrawImageScaled(6, 5, 3, 48, 36, 0, 0, -1, -1), 1);
    const std::vector<uint32_t> direct = Snapshot();
    platform::FillRect(Back(), platform::Rect{0, 0, 640, 480}, 0);
    TheDisplay().canStretch = 0;
    ASSERT_EQ(DrawImageScaled(6, 5, 3, 48, 36, 0, 0, -1, -1), 1);
    ASSERT_EQ(Snapshot(), direct);

    // Cut at the left edge, the visible part starts at column 2 of the source, whose top pixel is
    // not the picture's key: that pixel is left out instead, wherever the scaled picture has it.
    TheDisplay().canStretch = 1;
    s.transparent = 0;
    platform::FillRect(Back(), platform::Rect{0, 0, 640, 480}, 0);
    ASSERT_EQ(DrawImageScaled(-6, 5, 3, 48, 36, 0, 0, -1, -1), 1);
    const std::vector<uint32_t> opaque = Snapshot();
    const uint32_t cornerKey = opaque[5 * 640 + 0];
    ASSERT_NE(cornerKey, s.colorKey);
    s.transparent = 1;
    TheDisplay().canStretch = 0;
    platform::FillRect(Back(), platform::Rect{0, 0, 640, 480}, 0);
    ASSERT_EQ(DrawImageScaled(-6, 5, 3, 48, 36, 0, 0, -1, -1), 1);
    EXPECT_EQ(ImageSlotAt(kScratchSlot)->colorKey, cornerKey);
    int leftOut = 0, keyColoured = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const uint32_t o = opaque[static_cast<size_t>(y * 640 + x)];
            leftOut += o == cornerKey;
            keyColoured += o == s.colorKey && Back().ReadPixel(x, y) == s.colorKey;
            ASSERT_EQ(Back().ReadPixel(x, y), o == cornerKey ? 0u : o) << x << "," << y;
        }
    EXPECT_GT(leftOut, 1);
    EXPECT_GT(keyColoured, 0);
}

TEST_P(BlitterTest, BandedRepeatsTheFirstRowOfEachBand) {
    ImageSlot& s = MakePicture(3, 12, 20, 0);
    for (int band : {0, 1}) {
        platform::FillRect(Back(), platform::Rect{0, 0, 640, 480}, 0);
        ASSERT_EQ(DrawImageBanded(5, 6, 3, band, 0, 0, -1, -1), 1);
        EXPECT_TRUE(ShowsExactly(s, 5, 6, 0, 0, 12, 20, false)) << band;
    }
    platform::FillRect(Back(), platform::Rect{0, 0, 640, 480}, 0);
    ASSERT_EQ(DrawImageBanded(5, 6, 3, 8, 0, 0, -1, -1), 1);
    for (int row = 0; row < 20; ++row) {
        const int shown = row / 8 * 8; // bands start at rows 0, 8 and 16 (the last has 4 rows)
        for (int x = 0; x < 12; ++x)
            ASSERT_EQ(Back().ReadPixel(5 + x, 6 + row), s.surface->ReadPixel(x, shown)) << row;
    }
    EXPECT_EQ(Back().ReadPixel(5, 26), 0u);
    platform::FillRect(Back(), platform::Rect{0, 0, 640, 480}, 0);
    ASSERT_EQ(DrawImageBanded(5, 6, 3, INT32_MAX, 0, 0, -1, -1), 1); // one band: the first row
    EXPECT_EQ(Back().ReadPixel(7, 6 + 19), s.surface->ReadPixel(2, 0));
}

TEST_P(BlitterTest, TranslucentInterlacedDrawsEveryOtherSourceRow) {
    ImageSlot& s = MakePicture(3, 12, 9, 0);
    ASSERT_EQ(DrawImageTranslucent(0, 1, 3, 50, 0, 0, -1, -1, 1), 1);
    for (int row = 0; row < 9; ++row)
        for (int x = 0; x < 12; ++x)
            ASSERT_EQ(Back().ReadPixel(x, 1 + row),
                      row % 2 == 0 ? s.surface->ReadPixel(x, row) : 0u)
                << row;
}

TEST_P(BlitterTest, TranslucentWithoutInterlaceBlendsAboveEightBits) {
    ImageSlot& s = MakePicture(3, 12, 9, 0);
    const int result = DrawImageTranslucent(0, 0, 3, 50, 0, 0, -1, -1, 0);
    EXPECT_EQ(result, 1);
    // 8 bits always interlace; 16, 24 and 32 bits blend every row (here over the black screen).
    const uint32_t second = Back().ReadPixel(4, 1);
    if (GetParam() == 8) {
        EXPECT_EQ(second, 0u);
    } else {
        EXPECT_EQ(second, (s.surface->ReadPixel(4, 1) & TheDisplay().halfMask) >> 1);
    }
}

TEST_P(BlitterTest, CopyScreenToImageCopiesTheScreenCutToTheSlotAndRetakesTheKey) {
    ImageSlot& s = MakePicture(3, 100, 50, 1);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            Back().WritePixel(x, y, static_cast<uint32_t>(x * 7 + y * 3 + 5));
    ASSERT_EQ(CopyScreenToImage(3, 0, 0, 0, 0, -1, -1), 1);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(s.surface->ReadPixel(x, y), Back().ReadPixel(x, y));
    EXPECT_EQ(s.colorKey, Back().ReadPixel(0, 0));
    EXPECT_EQ(s.surface->ColorKey(), Back().ReadPixel(0, 0));
    // A negative destination moves the source start; a destination past the slot copies nothing.
    ASSERT_EQ(CopyScreenToImage(3, -10, -5, 200, 100, 260, 130), 1);
    EXPECT_EQ(s.surface->ReadPixel(0, 0), Back().ReadPixel(210, 105));
    EXPECT_EQ(CopyScreenToImage(3, 100, 0, 0, 0, -1, -1), 0);
    EXPECT_EQ(CopyScreenToImage(257, 0, 0, 0, 0, -1, -1), 0);
}

// Every blitter that copies from a lost picture starts its reload, counts the copy as done and
// draws nothing of it that frame.
TEST_P(BlitterTest, ALostPictureIsReloadedAndSkippedForOneFrame) {
    struct Case {
        const char* name;
        std::function<int()> draw;
    };
    const Case cases[] = {
        {"plain", [] { return DrawImage(0, 0, 3, 0, 0, -1, -1); }},
        {"scaled", [] { return DrawImageScaled(0, 0, 3, 25, 15, 0, 0, -1, -1); }},
        {"scaled through the work surface",
         [] {
             TheDisplay().canStretch = 0;
             return DrawImageScaled(0, 0, 3, 25, 15, 0, 0, -1, -1);
         }},
        {"banded", [] { return DrawImageBanded(0, 0, 3, 3, 0, 0, -1, -1); }},
        {"interlaced", [] { return DrawImageTranslucent(0, 0, 3, 50, 0, 0, -1, -1, 1); }},
        {"screen copy", [] { return CopyScreenToImage(3, 0, 0, 0, 0, -1, -1); }},
    };
    const std::string note = "BUFFER LOST:IMG[GameData\\Missing.bmp]をリロードします。\n";
    for (const Case& c : cases) {
        platform::FillRect(Back(), platform::Rect{0, 0, 640, 480}, 0);
        TheDisplay().canStretch = 1;
        ImageSlot& s = MakePicture(3, 10, 10, 0);
        std::snprintf(s.fileName.data(), s.fileName.size(), "GameData\\Missing.bmp");
        s.surface->SetLostForTest(true);
        const size_t linesBefore = platform::headless::DebugLines().size();
        EXPECT_EQ(c.draw(), 1) << c.name;
        EXPECT_TRUE(BackIsEmpty()) << c.name;
        const auto& lines = platform::headless::DebugLines();
        EXPECT_EQ(
            std::count(lines.begin() + static_cast<ptrdiff_t>(linesBefore), lines.end(), note), 1)
            << c.name;
        // The file is gone, so the reload leaves the slot empty rather than lost.
        EXPECT_EQ(s.surface, nullptr) << c.name;
    }
}

// A lost work surface makes the scaled copy through it draw nothing; the surface comes back
// (empty) for the next frame and the picture is left alone.
TEST_P(BlitterTest, ALostWorkSurfaceIsRestoredAndTheScaledCopySkipped) {
    ImageSlot& s = MakePicture(3, 10, 10, 0);
    TheDisplay().canStretch = 0;
    ImageSlotAt(kScratchSlot)->surface->SetLostForTest(true);
    EXPECT_EQ(DrawImageScaled(0, 0, 3, 20, 20, 0, 0, -1, -1), 0);
    EXPECT_TRUE(BackIsEmpty());
    ASSERT_NE(ImageSlotAt(kScratchSlot)->surface, nullptr);
    EXPECT_FALSE(ImageSlotAt(kScratchSlot)->surface->IsLost());
    ASSERT_NE(s.surface, nullptr);
    EXPECT_FALSE(s.surface->IsLost());
    EXPECT_EQ(DrawImageScaled(0, 0, 3, 20, 20, 0, 0, -1, -1), 1);
    EXPECT_EQ(Back().ReadPixel(19, 19), s.surface->ReadPixel(9, 9));
}

INSTANTIATE_TEST_SUITE_P(Depths, BlitterTest, ::testing::Values(8, 16, 24, 32),
                         [](const auto& p) { return std::to_string(p.param) + "bit"; });

TEST(RotationPlanTest, TheSquareIsCentredOnThePictureAndTheAngleReduced) {
    int l = 0, t = 0, r = 30, b = 40;
    RotationPlan plan;
    ASSERT_TRUE(PlanRotation(100, 200, 720, 30, 40, l, t, r, b, plan));
    EXPECT_EQ(plan.side, 50);
    EXPECT_EQ(plan.squareLeft, 90);
    EXPECT_EQ(plan.squareTop, 195);
    EXPECT_EQ(plan.angle, 0);
    EXPECT_EQ(plan.visLeft, 0);
    EXPECT_EQ(plan.visRight, 50);
    for (auto [given, reduced] : {std::pair{-90, 270}, std::pair{-359, 1}, std::pair{-360, 0},
                                  std::pair{-725, 355}, std::pair{359, 359}}) {
        ASSERT_TRUE(PlanRotation(100, 200, given, 30, 40, l, t, r, b, plan));
        EXPECT_EQ(plan.angle, reduced) << given;
    }
}

TEST(RotationPlanTest, TheVisiblePartIsCutAtTheScreenAndTheSourceMustFit) {
    int l = 0, t = 0, r = -1, b = -1;
    RotationPlan plan;
    ASSERT_TRUE(PlanRotation(-20, 470, 0, 30, 40, l, t, r, b, plan));
    EXPECT_EQ(r, 30);
    EXPECT_EQ(b, 40);
    EXPECT_EQ(plan.squareLeft, -30);
    EXPECT_EQ(plan.visLeft, 30);
    EXPECT_EQ(plan.squareTop, 465);
    EXPECT_EQ(plan.visBottom, 15);
    l = 0, t = 0, r = 31, b = 40;
    EXPECT_FALSE(PlanRotation(0, 0, 0, 30, 40, l, t, r, b, plan)); // wider than the picture
    l = -1, t = 0, r = 20, b = 40;
    EXPECT_FALSE(PlanRotation(0, 0, 0, 30, 40, l, t, r, b, plan));
    l = 0, t = 0, r = 30, b = 40;
    EXPECT_FALSE(PlanRotation(640 + 10, 0, 0, 30, 40, l, t, r, b, plan)); // off screen
}

} // namespace
} // namespace tessary
