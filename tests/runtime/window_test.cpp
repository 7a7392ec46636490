// Start-up, the window procedure and activation, driven through the headless platform's events.
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <vector>

#include "platform/clock.h"
#include "platform/headless.h"
#include "platform/midi.h"
#include "platform/virtual_keys.h"
#include "platform/window.h"
#include "runtime/graphics/display.h"
#include "runtime/graphics/image_slots.h"
#include "runtime/input/mouse.h"
#include "runtime/shell/entry.h"
#include "runtime/shell/frame_loop.h"
#include "runtime/shell/main_window.h"
#include "runtime/sound/music.h"
#include "runtime/sound/wave_bank.h"
#include "support/runtime_fixture.h"
#include "support/sound_fixture.h"

namespace tessary {
namespace {

using namespace platform;
namespace headless = platform::headless;

std::vector<uint32_t> g_ticks;
int g_gameStarts = 0;
int g_gameEnds = 0;

void CountEnd() {
    ++g_gameEnds;
}

int CountingFrame() {
    g_ticks.push_back(TimeGetTime());
    if (g_ticks.size() > 200) PostQuitMessage(0); // a safety net: no test runs this long
    return 1;
}

int StartAtTenMs() {
    ++g_gameStarts;
    SetFramePeriod(10);
    SetFrameCallback(CountingFrame);
    return 1;
}

class WindowTest : public testing::RuntimeTest {
  protected:
    void SetUp() override {
        RuntimeTest::SetUp();
        g_ticks.clear();
        g_gameStarts = 0;
        g_gameEnds = 0;
    }

    int RunProgram() { return WinMain(GameEntry{StartAtTenMs, CountingFrame, CountEnd}); }

    void Schedule(uint32_t at, uint32_t message, WParam wParam = 0, LParam lParam = 0) {
        headless::ScheduleMessage(at, Message{message, wParam, lParam});
    }
};

TEST_F(WindowTest, StartUpSetsTheRuntimeDefaultsBeforeTheGameStarts) {
    Schedule(25, WM_CLOSE);
    EXPECT_EQ(RunProgram(), 0);
    EXPECT_EQ(g_gameStarts, 1);
    EXPECT_EQ(Runtime().quitKey, 27);
    EXPECT_EQ(Runtime().closing, 0);
    EXPECT_EQ(SineTable[90], 360);
    EXPECT_EQ(g_ticks, (std::vector<uint32_t>{10, 20}));
    EXPECT_FALSE(WindowExists());
    EXPECT_EQ(g_gameEnds, 1) << "the game's end runs once the loop is over";
}

TEST_F(WindowTest, ASecondInstanceEndsAtOnceSayingWhyInOneLine) {
    headless::SetOtherInstanceRunning(true);
    EXPECT_EQ(RunProgram(), 0);
    EXPECT_EQ(g_gameStarts, 0);
    EXPECT_EQ(g_gameEnds, 0) << "a game that never started has nothing to end";
    EXPECT_FALSE(WindowExists());
    EXPECT_TRUE(headless::MessageBoxes().empty());
    ASSERT_EQ(headless::DebugLines().size(), 1u);
    EXPECT_EQ(headless::DebugLines()[0],
              "The game is already running for this user; this start ends.\n");
}

TEST_F(WindowTest, FailuresToMakeTheWindowShowTheirErrorBox) {
    headless::SetVideoAvailable(false);
    EXPECT_EQ(RunProgram(), 0);
    ASSERT_EQ(headless::MessageBoxes().size(), 1u);
    EXPECT_EQ(headless::MessageBoxes()[0].text, "ウインドウクラスの登録に失敗しました");
    EXPECT_EQ(headless::MessageBoxes()[0].caption, "メッセージ");
    EXPECT_EQ(headless::MessageBoxes()[0].style, 0x1030u);

    headless::Reset();
    ResetRuntimeStatics();
    headless::SetWindowCreatable(false);
    EXPECT_EQ(RunProgram(), 0);
    ASSERT_EQ(headless::MessageBoxes().size(), 1u);
    EXPECT_EQ(headless::MessageBoxes()[0].text, "ウインドウの作成に失敗しました");
    EXPECT_EQ(g_gameStarts, 0);
}

TEST_F(WindowTest, EscapeEndsTheProgramBeforeThatTicksFrame) {
    Schedule(25, WM_KEYDOWN, 27);
    EXPECT_EQ(RunProgram(), 0);
    EXPECT_EQ(g_ticks, (std::vector<uint32_t>{10, 20}));
    EXPECT_EQ(Runtime().closing, 1);
    EXPECT_FALSE(WindowExists());
    EXPECT_EQ(g_gameEnds, 1);
}

// The host closes a window on Alt+F4 by default; the window procedure keeps every system key
// from it, so Alt+F4 and F10 do nothing, and the screen saver is refused.
TEST_F(WindowTest, AltF4AndOtherSystemKeysDoNotClose) {
    Schedule(15, WM_SYSKEYDOWN, kVkF4);
    Schedule(15, WM_SYSKEYDOWN, 121); // F10
    Schedule(15, WM_SYSCOMMAND, SC_SCREENSAVE);
    Schedule(45, WM_CLOSE);
    RunProgram();
    EXPECT_EQ(g_ticks, (std::vector<uint32_t>{10, 20, 30, 40}));
    EXPECT_EQ(MainWndProc(WM_SYSCOMMAND, SC_SCREENSAVE, 0), 1);
}

TEST_F(WindowTest, TheCloseCommandOfTheHostStillCloses) {
    ASSERT_EQ(CreateMainWindow(), 1);
    // What the host's default handling makes of Alt+F4: the close command, which the window
    // procedure leaves to the host, and which closes.
    DefWindowProc(WM_SYSKEYDOWN, kVkF4, 0);
    Message m;
    ASSERT_TRUE(PeekMessage(m));
    EXPECT_EQ(m.message, WM_SYSCOMMAND);
    EXPECT_EQ(m.wParam, SC_CLOSE);
    DispatchMessage(m);
    EXPECT_FALSE(WindowExists());
}

struct PauseCase {
    uint32_t message;
    WParam pause;
    WParam resume;
};

class ActivationTest : public WindowTest, public ::testing::WithParamInterface<PauseCase> {};

TEST_P(ActivationTest, PausingStopsFramesAndResumingDropsTheBacklog) {
    const PauseCase c = GetParam();
    Schedule(35, c.message, c.pause);
    Schedule(200, c.message, c.resume);
    Schedule(235, WM_CLOSE);
    RunProgram();
    // No frame between 35 and 200; then the waiting tick, the one that drops the backlog and the
    // one tick owed run at once, and the normal rate follows.
    EXPECT_EQ(g_ticks, (std::vector<uint32_t>{10, 20, 30, 200, 200, 200, 210, 220, 230}));
}

INSTANTIATE_TEST_SUITE_P(Messages, ActivationTest,
                         ::testing::Values(PauseCase{WM_ACTIVATE, WA_INACTIVE, WA_ACTIVE},
                                           PauseCase{WM_ACTIVATE, WA_INACTIVE, WA_CLICKACTIVE},
                                           PauseCase{WM_SIZE, SIZE_MINIMIZED, SIZE_RESTORED}));

TEST_F(WindowTest, ActivationIsIgnoredBeforeTheDisplayAndAfterAClose) {
    Runtime().active = 1;
    MainWndProc(WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(Runtime().active, 1); // no display yet

    TheDisplay().surfacesReady = 1;
    MainWndProc(WM_SIZE, SIZE_MAXIMIZED, 0);
    EXPECT_EQ(Runtime().active, 1);
    MainWndProc(WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(Runtime().active, 0);
    Runtime().closing = 1;
    MainWndProc(WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(Runtime().active, 0);
}

// F12 saves the back buffer once per press however long the key repeats (its pixels are checked
// against the window's by the end-to-end test), and no other key does.
TEST_F(WindowTest, F12SavesThePresentedFrameOncePerPress) {
    const std::filesystem::path folder = Folder() / "Pictures";
    setenv("XDG_PICTURES_DIR", folder.c_str(), 1);
    ASSERT_EQ(CreateMainWindow(), 1);
    ASSERT_EQ(TheDisplay().Open(), 1);
    MainWndProc(WM_KEYDOWN, kVkF12, 0);
    MainWndProc(WM_KEYDOWN, kVkF12, static_cast<LParam>(kKeyRepeatFlag));
    MainWndProc(WM_KEYDOWN, kVkF4, 0);
    const auto shots = std::distance(std::filesystem::directory_iterator(folder / "Pelko"),
                                     std::filesystem::directory_iterator());
    unsetenv("XDG_PICTURES_DIR");
    EXPECT_EQ(shots, 1);
    EXPECT_NE(headless::DebugText().find("Screenshot saved as " + (folder / "Pelko").string()),
              std::string::npos);
    EXPECT_TRUE(WindowExists());
}

TEST_F(WindowTest, TheWindowsKeysAreSwallowedOnlyInFullScreen) {
    ASSERT_EQ(CreateMainWindow(), 1);
    TheDisplay().Open();
    Runtime().active = 1;
    SetQuitKey(91); // a key-down of the left Windows key would close the program if dispatched
    PostMessage(WM_SYSKEYDOWN, 13, 0);
    PostMessage(WM_KEYDOWN, 91, 0);
    EXPECT_EQ(RunTick(), 1);
    EXPECT_TRUE(headless::IsFullScreen());
    EXPECT_TRUE(WindowExists());

    PostMessage(WM_SYSKEYDOWN, 13, 0); // back to a window
    PostMessage(WM_KEYDOWN, 91, 0);
    EXPECT_EQ(RunTick(), 0);
    EXPECT_FALSE(headless::IsFullScreen());
    EXPECT_FALSE(WindowExists());
}

// Esc closes the window while Alt+Enter still waits behind it in the same pump: the toggle
// must not reach a window whose display is already closed.
TEST_F(WindowTest, MessagesQueuedBehindTheCloseAreDroppedWithTheWindow) {
    ASSERT_EQ(CreateMainWindow(), 1);
    ASSERT_EQ(TheDisplay().Open(), 1);
    Runtime().active = 1;
    Runtime().quitKey = kVkEscape;
    PostMessage(WM_KEYDOWN, kVkEscape, 0);
    PostMessage(WM_SYSKEYDOWN, kVkReturn, 0);
    PostMessage(WM_PAINT, 0, 0);
    EXPECT_EQ(RunTick(), 0);
    EXPECT_TRUE(headless::MessageBoxes().empty());
    EXPECT_FALSE(headless::IsFullScreen());
    Message m;
    EXPECT_FALSE(PeekMessage(m)); // the quit was taken; nothing for the window is left

    // Nor does anything posted or sent after the window is gone reach the window procedure.
    PostMessage(WM_SYSKEYDOWN, kVkReturn, 0);
    EXPECT_FALSE(PeekMessage(m));
    SendMessage(WM_SYSKEYDOWN, kVkReturn, 0);
    EXPECT_TRUE(headless::MessageBoxes().empty());
    // The quit belongs to the program, not to the window, and still arrives.
    PostQuitMessage(0);
    ASSERT_TRUE(PeekMessage(m));
    EXPECT_EQ(m.message, WM_QUIT);

    // A new window takes messages again.
    ASSERT_EQ(CreateMainWindow(), 1);
    PostMessage(WM_PAINT, 0, 0);
    ASSERT_TRUE(PeekMessage(m));
    EXPECT_EQ(m.message, WM_PAINT);
}

TEST_F(WindowTest, MouseMovesCountOnlyAwayFromTheFirstPositionOnBothAxes) {
    MainWndProc(WM_MOUSEMOVE, 0, MakeLParam(100, 100));
    EXPECT_EQ(Runtime().mouseMoved, 0);
    MainWndProc(WM_MOUSEMOVE, 0, MakeLParam(100, 150));
    EXPECT_EQ(Runtime().mouseMoved, 0);
    MainWndProc(WM_MOUSEMOVE, 0, MakeLParam(140, 100));
    EXPECT_EQ(Runtime().mouseMoved, 0);
    MainWndProc(WM_MOUSEMOVE, 0, MakeLParam(140, 150));
    EXPECT_EQ(Runtime().mouseMoved, 1);
    EXPECT_EQ(TheWindowState().mouseReferenceX, 100);
}

TEST_F(WindowTest, MenuLoopsAndNonClientClicksPauseAndResumePresents) {
    MainWndProc(WM_ENTERMENULOOP, 0, 0);
    EXPECT_EQ(TheDisplay().presentPaused, 1);
    MainWndProc(WM_EXITMENULOOP, 0, 0);
    EXPECT_EQ(TheDisplay().presentPaused, 0);
    for (uint32_t m : {WM_NCLBUTTONDOWN, WM_NCLBUTTONUP, WM_EXITSIZEMOVE}) {
        TheDisplay().presentPaused = 1;
        MainWndProc(m, 0, 0);
        EXPECT_EQ(TheDisplay().presentPaused, 0) << m;
    }
}

// The window's destruction puts back everything the window held: the music stops and closes, the
// picture surfaces are released, the cursor is free again, and the frame loop is told to end.
class WindowDestroyTest : public testing::SoundTest {};

TEST_F(WindowDestroyTest, DestroyClosesTheMusicReleasesPicturesFreesTheCursorAndPostsQuit) {
    ASSERT_EQ(CreateMainWindow(), 1);
    EXPECT_EQ(Runtime().clientRect.right - Runtime().clientRect.left, 640);
    EXPECT_EQ(Runtime().clientRect.bottom - Runtime().clientRect.top, 480);
    ASSERT_EQ(TheDisplay().Open(), 1);
    ASSERT_EQ(CreateSoundDevice(), 1);
    ASSERT_EQ(CreateScratchImage(), 1);
    Put("GameData\\tune.mid", pelko::testing::MakeTune(4));
    ASSERT_EQ(PlayMidi("GameData\\tune.mid", 1), 1);
    ClipMouseCursor(1);
    ASSERT_TRUE(headless::CursorClipped());

    RequestClose();
    EXPECT_FALSE(WindowExists());
    EXPECT_FALSE(headless::CursorClipped());
    EXPECT_EQ(TheMusic().open, 0);
    char reply[32];
    EXPECT_EQ(MciSendString("status MIDI mode", reply, sizeof reply, 1),
              MCIERR_INVALID_DEVICE_NAME);
    EXPECT_EQ(ImageSurface(kScratchSlot), nullptr);
    Message m;
    ASSERT_TRUE(PeekMessage(m));
    EXPECT_EQ(m.message, WM_QUIT);
}

} // namespace
} // namespace tessary
