// Edge-detecting keys and joysticks, and the any-key test of the demo screen.
#include <array>
#include <vector>

#include "platform/headless.h"
#include "platform/virtual_keys.h"
#include "platform/window.h"
#include "runtime/input/joystick.h"
#include "runtime/input/keyboard.h"
#include "runtime/input/mouse.h"
#include "runtime/shell/frame_loop.h"
#include "runtime/shell/main_window.h"
#include "support/runtime_fixture.h"

namespace tessary {
namespace {

namespace headless = platform::headless;
using InputTest = testing::RuntimeTest;

TEST_F(InputTest, AKeyGoesThroughPressedHeldReleasedAndUp) {
    constexpr int kSpace = 32;
    EXPECT_EQ(KeyState(kSpace), KEY_UP);
    headless::SetKeyDown(kSpace, true);
    EXPECT_EQ(KeyState(kSpace), KEY_PRESSED);
    EXPECT_EQ(KeyState(kSpace), KEY_HELD); // a second query in the same frame sees it held
    EXPECT_EQ(KeyState(kSpace), KEY_HELD);
    headless::SetKeyDown(kSpace, false);
    EXPECT_EQ(KeyState(kSpace), KEY_RELEASED);
    EXPECT_EQ(KeyState(kSpace), KEY_UP);
}

TEST_F(InputTest, APressDirectlyAfterAReleaseCountsAsHeld) {
    headless::SetKeyDown(90, true);
    KeyState(90);
    headless::SetKeyDown(90, false);
    EXPECT_EQ(KeyState(90), KEY_RELEASED);
    headless::SetKeyDown(90, true);
    EXPECT_EQ(KeyState(90), KEY_HELD);
}

TEST_F(InputTest, KeysReadUpAndKeepTheirStateWhileTheErrorBoxIsShown) {
    headless::SetKeyDown(13, true);
    EXPECT_EQ(KeyState(13), KEY_PRESSED);
    Runtime().errorBoxShown = 1;
    headless::SetKeyDown(13, false);
    EXPECT_EQ(KeyState(13), KEY_UP);
    Runtime().errorBoxShown = 0;
    EXPECT_EQ(KeyState(13), KEY_RELEASED);
    EXPECT_EQ(KeyState(-1), KEY_UP);
    EXPECT_EQ(KeyState(256), KEY_UP);
}

int g_readF4 = -1; // what the frame read; -1: the frame does not read F4
int ReadF4Frame() {
    if (g_readF4 != -1) g_readF4 = KeyState(platform::kVkF4);
    return 1;
}

// Per tick: its key-down message before the tick, the key down as the frame reads it, and what
// the frame reads (-1: nothing).
TEST_F(InputTest, AKeyDownAndUpBetweenTwoFramesIsReadByTheNextFrameOnly) {
    const std::vector<std::vector<std::array<int, 3>>> cases = {
        {{1, 0, KEY_PRESSED}, {0, 0, KEY_RELEASED}, {0, 0, KEY_UP}},
        {{1, 0, -1}, {0, 0, KEY_UP}}, // a tap no frame read is not a press later on
        {{1, 1, KEY_PRESSED}, {1, 1, KEY_HELD}, {0, 0, KEY_RELEASED}}, // held, with repeats
    };
    ASSERT_EQ(CreateMainWindow(), 1);
    Runtime().active = 1;
    SetFrameCallback(ReadF4Frame);
    for (size_t c = 0; c < cases.size(); ++c) {
        for (const auto& [message, down, read] : cases[c]) {
            if (message != 0) platform::PostMessage(platform::WM_KEYDOWN, platform::kVkF4, 0);
            headless::SetKeyDown(platform::kVkF4, down != 0);
            g_readF4 = read == -1 ? -1 : 0;
            ASSERT_EQ(RunTick(), 1);
            EXPECT_EQ(g_readF4, read) << "case " << c;
        }
    }
}

// Both Shift keys send Shift, both Ctrl keys Ctrl; the scan code and the extended flag tell
// which side a tap was, so that a key bound to one side is not lost in a short tap either.
TEST_F(InputTest, ATapOfAShiftOrCtrlKeyIsAlsoATapOfItsSidesOwnKey) {
    using namespace platform;
    MainWndProc(WM_KEYDOWN, kVkShift, KeyLParam(kScanRightShift, false));
    MainWndProc(WM_KEYDOWN, kVkControl, KeyLParam(kScanCtrl, false));
    MainWndProc(WM_KEYDOWN, kVkShift, 0); // no scan code: no side
    const std::array<int, 5> states = {KeyState(kVkShift), KeyState(kVkRightShift),
                                       KeyState(kVkLeftShift), KeyState(kVkLeftCtrl),
                                       KeyState(kVkRightCtrl)};
    EXPECT_EQ(states, (std::array<int, 5>{KEY_PRESSED, KEY_PRESSED, KEY_UP, KEY_PRESSED, KEY_UP}));
}

TEST_F(InputTest, AnyKeyReleasedStopsAtTheFirstReleaseAndConsumesTheMouseFlag) {
    headless::SetKeyDown(40, true);
    headless::SetKeyDown(50, true);
    EXPECT_EQ(AnyKeyReleased(0), 0);
    headless::SetKeyDown(40, false);
    headless::SetKeyDown(50, false);
    EXPECT_EQ(AnyKeyReleased(0), 1);
    EXPECT_EQ(KeyState(50), KEY_RELEASED); // 50 was not updated by the call that found 40
    EXPECT_EQ(AnyKeyReleased(0), 0);

    Runtime().mouseMoved = 1;
    EXPECT_EQ(AnyKeyReleased(0), 0);
    EXPECT_EQ(Runtime().mouseMoved, 0);
    Runtime().mouseMoved = 1;
    EXPECT_EQ(AnyKeyReleased(1), 1);
    EXPECT_EQ(Runtime().mouseMoved, 0);
}

class JoystickTest : public testing::RuntimeTest {
  protected:
    void SetUp() override {
        RuntimeTest::SetUp();
        headless::SetJoystickCount(2);
        InitJoysticks();
        EnableJoystick(1);
    }
    void Poll(uint32_t x, uint32_t y, uint32_t buttons = 0) {
        headless::SetJoystick(0, platform::JoyPosition{x, y, buttons});
        PollJoysticks();
    }
};

TEST_F(JoystickTest, DetectionCountsFromZeroWithoutGapsAndSaysHowMany) {
    EXPECT_EQ(EnableJoystick(1), 2);
    EXPECT_EQ(headless::DebugText(), "2個のジョイスティックが使用可能です\n");

    headless::Reset();
    ResetRuntimeStatics();
    headless::SetJoystickCount(3);
    headless::SetJoystickReadable(1, false);
    InitJoysticks();
    EXPECT_EQ(EnableJoystick(1), 1);
}

TEST_F(JoystickTest, NoJoystickDriverMeansNoMessageAndEveryQueryZero) {
    headless::Reset();
    ResetRuntimeStatics();
    InitJoysticks();
    EXPECT_EQ(EnableJoystick(1), 0);
    EXPECT_TRUE(headless::DebugLines().empty());
    PollJoysticks();
    EXPECT_EQ(JoyState(0, JOY_UP), 0);
}

TEST_F(JoystickTest, TheDeadZoneIsOffCentre) {
    Poll(32768, 28672);
    EXPECT_EQ(JoyState(0, JOY_UP), KEY_UP);
    EXPECT_EQ(JoyState(0, JOY_DOWN), KEY_UP);
    Poll(32768, 28671);
    EXPECT_EQ(JoyState(0, JOY_UP), KEY_PRESSED);
    Poll(32768, 32768);
    EXPECT_EQ(JoyState(0, JOY_UP), KEY_RELEASED);
    EXPECT_EQ(JoyState(0, JOY_DOWN), KEY_UP);
    Poll(32768, 32769);
    EXPECT_EQ(JoyState(0, JOY_DOWN), KEY_PRESSED);
    Poll(0, 32768);
    EXPECT_EQ(JoyState(0, JOY_LEFT), KEY_PRESSED);
    Poll(65535, 32768);
    EXPECT_EQ(JoyState(0, JOY_LEFT), KEY_RELEASED);
    EXPECT_EQ(JoyState(0, JOY_RIGHT), KEY_PRESSED);
}

TEST_F(JoystickTest, ButtonsAreQueriedBySingleBitMasks) {
    Poll(32768, 32768, 0x81); // buttons 1 and 8
    EXPECT_EQ(JoyState(0, 1), KEY_PRESSED);
    EXPECT_EQ(JoyState(0, 128), KEY_PRESSED);
    EXPECT_EQ(JoyState(0, 2), KEY_UP);
    EXPECT_EQ(JoyState(0, 3), 0); // neither a query code nor a single bit
    EXPECT_EQ(JoyState(0, 256), 0);
    Poll(32768, 32768, 0x81);
    EXPECT_EQ(JoyState(0, 1), KEY_HELD);
    EXPECT_EQ(JoyState(0, 1), KEY_HELD); // queries change nothing
}

TEST_F(JoystickTest, BadIndexesAndDisabledPollingReadZero) {
    Poll(32768, 0, 1);
    EXPECT_EQ(JoyState(-1, JOY_UP), 0);
    EXPECT_EQ(JoyState(2, JOY_UP), 0);
    EXPECT_EQ(EnableJoystick(0), 2);
    EXPECT_EQ(JoyState(0, JOY_UP), KEY_UP);
    EXPECT_EQ(JoyState(0, 1), KEY_UP);
    EXPECT_EQ(Runtime().joystickPolling, 0);
}

TEST_F(JoystickTest, AnUnreadableJoystickCountsAsCentred) {
    Poll(32768, 0, 1);
    headless::SetJoystickReadable(0, false);
    PollJoysticks();
    EXPECT_EQ(JoyState(0, JOY_UP), KEY_RELEASED);
    EXPECT_EQ(JoyState(0, 1), KEY_RELEASED);
}

TEST_F(JoystickTest, TheTickPollsJoysticksOnlyWhilePollingIsOn) {
    Runtime().active = 1;
    headless::SetJoystick(0, platform::JoyPosition{32768, 0, 0});
    RunTick();
    EXPECT_EQ(JoyState(0, JOY_UP), KEY_PRESSED);
    EnableJoystick(0);
    RunTick();
    EXPECT_EQ(JoyState(0, JOY_UP), KEY_UP);
}

TEST_F(InputTest, TheMouseIsClampedToTheDisplay) {
    headless::SetCursor(-20, 900);
    PollMouse();
    EXPECT_EQ(MouseX(), 0);
    EXPECT_EQ(MouseY(), 479);
    ShowMouseCursor(0);
    EXPECT_FALSE(headless::CursorShown());
    ClipMouseCursor(1);
    EXPECT_TRUE(headless::CursorClipped());
    ClipMouseCursor(0);
    EXPECT_FALSE(headless::CursorClipped());
}

} // namespace
} // namespace tessary
