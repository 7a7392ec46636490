// The chain of screens around play, driven through the real start-up and frame loop: the logo
// and its dissolve, the title's keys, the demo and the staff roll.
#include <gtest/gtest.h>

#include "game/flow/game_globals.h"
#include "game/flow/game_start.h"
#include "game/flow/screens.h"
#include "game/player/player.h"
#include "platform/clock.h"
#include "platform/headless.h"
#include "runtime/graphics/blitters.h"
#include "runtime/graphics/display.h"
#include "runtime/graphics/text.h"
#include "runtime/graphics/transitions.h"
#include "runtime/shell/frame_loop.h"
#include "runtime/sound/music.h"
#include "support/game_harness.h"

namespace pelko {
namespace {

constexpr int kSpace = 32, kDelete = 46, kF1 = 112, kF4 = 115, kKeyA = 65;

using testing::GameHarness;

class ScreensTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(game.Boot()); }

    // Space on the logo: straight to the title.
    void SkipToTitle() {
        game.Key(kSpace, true);
        game.Tick();
        game.Key(kSpace, false);
        ASSERT_EQ(game.Screen(), &TitleFrame);
    }

    // Ticks until the screen is no longer `screen`; how many ticks that took.
    int TicksOn(tessary::FrameCallback screen, int limit) {
        int n = 0;
        while (game.Screen() == screen && n < limit) {
            game.Tick();
            ++n;
        }
        return n;
    }

    GameHarness game;
};

TEST_F(ScreensTest, TheLogoOpensHoldsForTwoAndAHalfSecondsAndDissolvesIntoTheTitle) {
    ASSERT_EQ(game.Screen(), &LogoFrame);
    EXPECT_EQ(tessary::Runtime().framePeriod, 150u);
    for (int i = 1; i <= 16; ++i) {
        game.Tick();
        ASSERT_EQ(Globals().logoStartTime, 0) << "blinds still opening in frame " << i;
    }
    game.Tick();
    const long opened = Globals().logoStartTime;
    ASSERT_NE(opened, 0);

    while (game.Screen() == &LogoFrame)
        game.Tick();
    EXPECT_EQ(game.Screen(), &LogoToTitleFrame);
    const long held = platform::ClockMs() - opened;
    EXPECT_GT(held, 2500);
    EXPECT_LE(held, 2500 + 150);

    // The dissolve takes 20 frames at the logo's period, then the title takes the settings'.
    EXPECT_EQ(TicksOn(&LogoToTitleFrame, 100), 20);
    EXPECT_EQ(game.Screen(), &TitleFrame);
    EXPECT_EQ(tessary::Runtime().framePeriod, 33u);
    EXPECT_EQ(tessary::TheMusic().open, 0) << "the logo music ends";
}

TEST_F(ScreensTest, SpaceHeldFromTheStartSkipsTheLogoButMustBePressedAgainToPlay) {
    game.Key(kSpace, true);
    game.Tick();
    EXPECT_EQ(game.Screen(), &TitleFrame);
    EXPECT_EQ(tessary::Runtime().framePeriod, 33u);
    EXPECT_EQ(tessary::TheMusic().open, 0);

    game.Ticks(10);
    EXPECT_EQ(game.Screen(), &TitleFrame) << "held is not pressed";

    // A press right after a release reads as held, so the key stays up for two frames.
    game.Key(kSpace, false);
    game.Ticks(2);
    game.Key(kSpace, true);
    game.Tick();
    EXPECT_EQ(game.Screen(), &InGameFrame);
    EXPECT_EQ(Globals().stageNumber, 1);
    EXPECT_EQ(PlayerAt(0).lives, 3);
}

TEST_F(ScreensTest, TheTitleShowsItsStatusLinesOverItsPicture) {
    SkipToTitle();
    Globals().hardMode = 1;
    platform::headless::SetJoystickCount(1); // a pad plugged in at the title
    Globals().use256Color = 1;
    Globals().highScore = 4321;
    game.Tick();
    const std::vector<uint32_t> shown = testing::PresentedRect(0, 0, 640, 480);
    tessary::DrawImage(0, 0, 11, 0, 0, -1, -1);
    tessary::SetTextFont(8, 18, 0xFFFFFF, "Impact");
    tessary::PrintText(10, 10, "1 Player");
    tessary::PrintText(80, 10, "Using JoyStick ID1");
    tessary::PrintText(230, 10, "High Score 4321");
    tessary::PrintText(400, 10, "Hard Mode");
    tessary::PrintText(100, 30, "Use 256Color");
    tessary::TheDisplay().Present();
    EXPECT_EQ(testing::PresentedRect(0, 0, 640, 480), shown);
}

TEST_F(ScreensTest, F4TogglesHardModeOncePerPress) {
    SkipToTitle();
    game.Key(kF4, true);
    game.Ticks(30);
    EXPECT_EQ(Globals().hardMode, 1);
    game.Key(kF4, false);
    game.Ticks(2);
    EXPECT_EQ(Globals().hardMode, 1);
    game.Key(kF4, true);
    game.Tick();
    EXPECT_EQ(Globals().hardMode, 0);
}

TEST_F(ScreensTest, TheDemoComesAfter1001IdleTitleFramesAndTheCountCarriesOver) {
    SkipToTitle();
    EXPECT_EQ(TicksOn(&TitleFrame, 5000), 1001);
    EXPECT_EQ(game.Screen(), &DemoFrame);
    EXPECT_EQ(Globals().titleIdleCount, 0);

    // A key going down does not end the demo; its release does.
    game.Key(kKeyA, true);
    game.Ticks(5);
    EXPECT_EQ(game.Screen(), &DemoFrame);
    game.Key(kKeyA, false);
    game.Tick();
    EXPECT_EQ(game.Screen(), &TitleFrame);

    // 400 title frames, the last of them starting a run; the run ends and the count goes on.
    game.Ticks(399);
    game.Key(kSpace, true);
    game.Tick();
    game.Key(kSpace, false);
    ASSERT_EQ(game.Screen(), &InGameFrame);
    EXPECT_EQ(Globals().titleIdleCount, 400);
    game.Ticks(10);
    game.Key(kDelete, true);
    game.Tick();
    game.Key(kDelete, false);
    ASSERT_EQ(game.Screen(), &TitleFrame);
    EXPECT_EQ(TicksOn(&TitleFrame, 5000), 601);
    EXPECT_EQ(game.Screen(), &DemoFrame);
}

TEST_F(ScreensTest, ARunStartedInTheFrameTheIdleCountRunsOutGoesToPlay) {
    SkipToTitle();
    game.Ticks(1000);
    ASSERT_EQ(game.Screen(), &TitleFrame);
    game.Key(kSpace, true);
    game.Tick();
    EXPECT_EQ(game.Screen(), &InGameFrame);
    EXPECT_EQ(Globals().titleIdleCount, 0);
}

TEST_F(ScreensTest, TheDemoPicturePansBetweenItsEndsAndKeepsItsPlace) {
    SkipToTitle();
    game.Ticks(1001);
    ASSERT_EQ(game.Screen(), &DemoFrame);
    int lowest = 1000, highest = -1000;
    for (int i = 0; i < 700; ++i) {
        game.Tick();
        lowest = std::min(lowest, Globals().demoX);
        highest = std::max(highest, Globals().demoX);
    }
    EXPECT_EQ(lowest, -241);
    EXPECT_EQ(highest, 81);
    const int x = Globals().demoX;
    game.Key(kKeyA, true);
    game.Tick();
    game.Key(kKeyA, false);
    game.Tick();
    ASSERT_EQ(game.Screen(), &TitleFrame);
    game.Ticks(1001);
    ASSERT_EQ(game.Screen(), &DemoFrame);
    EXPECT_EQ(Globals().demoX, x + (Globals().demoRight ? 2 : -2));
}

TEST_F(ScreensTest, TheStaffRollTakes2181FramesAndDissolvesBackToTheTitle) {
    tessary::SetFrameCallback(EndingStartFrame);
    game.Tick();
    EXPECT_EQ(game.Screen(), &StaffRollFrame);
    EXPECT_EQ(tessary::Runtime().framePeriod, 50u);
    EXPECT_EQ(tessary::TheTextState().centered, 1);

    EXPECT_EQ(TicksOn(&StaffRollFrame, 5000), 2181);
    EXPECT_EQ(game.Screen(), &StaffRollEndFrame);
    game.Tick();
    EXPECT_EQ(game.Screen(), &LogoToTitleFrame);
    EXPECT_EQ(Globals().staffRollY, 480);
    EXPECT_EQ(tessary::TheTextState().centered, 0);
    EXPECT_EQ(tessary::TheMusic().open, 0);
    EXPECT_EQ(tessary::Runtime().framePeriod, 50u) << "the dissolve runs at the roll's period";
    EXPECT_EQ(TicksOn(&LogoToTitleFrame, 100), 20);
    EXPECT_EQ(game.Screen(), &TitleFrame);
    EXPECT_EQ(tessary::Runtime().framePeriod, 33u);
}

TEST_F(ScreensTest, DeleteOrF1EndsTheStaffRollAtOnce) {
    for (int key : {kDelete, kF1}) {
        tessary::SetFrameCallback(EndingStartFrame);
        game.Ticks(50);
        ASSERT_EQ(game.Screen(), &StaffRollFrame);
        game.Key(key, true);
        game.Tick();
        EXPECT_EQ(game.Screen(), &StaffRollEndFrame) << key;
        game.Tick();
        game.Key(key, false);
        EXPECT_EQ(Globals().staffRollY, 480);
    }
}

} // namespace
} // namespace pelko
