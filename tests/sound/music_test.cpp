// Music through the runtime's functions and the window code, rendered by the headless mixer.
// The test tunes play at 120 beats a minute with 480 ticks a beat: one tick is 1/960 s.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "common/music_synth.h"
#include "platform/headless.h"
#include "platform/midi.h"
#include "platform/window.h"
#include "runtime/graphics/display.h"
#include "runtime/shell/diagnostics.h"
#include "runtime/shell/entry.h"
#include "runtime/shell/frame_loop.h"
#include "runtime/shell/main_window.h"
#include "runtime/sound/music.h"
#include "runtime/sound/wave_bank.h"
#include "support/sound_fixture.h"

namespace tessary {
namespace {

using namespace pelko::testing;
using namespace platform;
namespace headless = platform::headless;

constexpr int kTicksPerSecond = 960;

class MusicTest : public testing::SoundTest {
  protected:
    void SetUp() override {
        SoundTest::SetUp();
        ASSERT_EQ(CreateMainWindow(), 1);
        ASSERT_EQ(CreateSoundDevice(), 1);
        Put("GameData\\two.mid", MakeTune(2));  // one second
        Put("GameData\\four.mid", MakeTune(4)); // two seconds
    }

    // Renders in 10 ms buffers, as the audio callback would, and returns the peak level.
    static float RenderSeconds(double seconds) {
        float peak = 0.0f;
        for (int left = static_cast<int>(seconds * 44100); left > 0; left -= 441) {
            for (float v : headless::RenderAudio(std::min(left, 441)))
                peak = std::max(peak, std::fabs(v));
        }
        return peak;
    }

    // Takes every queued message; notices are collected, and dispatched when asked.
    static std::vector<WParam> TakeNotices(bool dispatch) {
        std::vector<WParam> notices;
        Message m;
        while (PeekMessage(m)) {
            if (m.message == MM_MCINOTIFY) notices.push_back(m.wParam);
            if (dispatch) DispatchMessage(m);
        }
        return notices;
    }

    static int Successes(const std::vector<WParam>& notices) {
        return static_cast<int>(std::count(notices.begin(), notices.end(), MCI_NOTIFY_SUCCESSFUL));
    }
};

TEST_F(MusicTest, AMissingOrCorruptFileFailsWithDirectoryAndPathRunTogether) {
    char directory[kBaseDirectorySize];
    GetBaseDirectory(directory);
    EXPECT_EQ(PlayMidi("GameData\\none.mid", 1), 0);
    EXPECT_EQ(headless::DebugText(),
              std::string("MIDI[") + directory + "GameData\\none.mid]のオープンに失敗しました\n");
    EXPECT_EQ(TheMusic().open, 0);

    Put("GameData\\bad.mid", MakeTune(2).substr(0, 30));
    EXPECT_EQ(PlayMidi("GameData\\bad.mid", 1), 0);
    EXPECT_NE(headless::DebugText().find(std::string("MIDI[") + directory +
                                         "GameData\\bad.mid]のオープンに失敗しました\n"),
              std::string::npos);
    // The game goes on: the next piece plays.
    EXPECT_EQ(PlayMidi("GameData\\two.mid", 0), 1);
    EXPECT_EQ(TheMusic().playing, 1);
}

TEST_F(MusicTest, ALoopingPieceThatEndsPostsTheNoticeAndStartsAgainFromItsBeginning) {
    ASSERT_EQ(PlayMidi("GameData\\two.mid", 1), 1);
    for (int pass = 0; pass < 2; ++pass) {
        RenderSeconds(pass == 0 ? 0.9 : 0.8);
        EXPECT_TRUE(TakeNotices(true).empty());
        EXPECT_NEAR(headless::MusicTick(), 0.9 * kTicksPerSecond, 20);
        RenderSeconds(0.15);
        EXPECT_EQ(TakeNotices(true), std::vector<WParam>{MCI_NOTIFY_SUCCESSFUL});
        RenderSeconds(0.1);
        EXPECT_NEAR(headless::MusicTick(), 0.1 * kTicksPerSecond, 20) << "pass " << pass;
        EXPECT_EQ(TheMusic().open, 1);
        EXPECT_EQ(TheMusic().playing, 1);
    }
}

TEST_F(MusicTest, APieceThatIsNotLoopedClosesWhenItEnds) {
    ASSERT_EQ(PlayMidi("GameData\\two.mid", 0), 1);
    RenderSeconds(1.1);
    EXPECT_EQ(Successes(TakeNotices(true)), 1);
    EXPECT_EQ(TheMusic().open, 0);
    EXPECT_EQ(TheMusic().playing, 0);
    char reply[32];
    EXPECT_EQ(MciSendString("status MIDI mode", reply, sizeof reply, 1),
              MCIERR_INVALID_DEVICE_NAME);
}

TEST_F(MusicTest, PauseAndResumeContinueWhereThePieceStopped) {
    ASSERT_EQ(PlayMidi("GameData\\four.mid", 0), 1);
    RenderSeconds(0.5);
    const int stoppedAt = headless::MusicTick();
    EXPECT_EQ(PauseMusic(), 1);
    EXPECT_EQ(PauseMusic(), 0);
    EXPECT_EQ(RenderSeconds(3.0), 0.0f);
    EXPECT_EQ(headless::MusicTick(), stoppedAt);
    EXPECT_EQ(Successes(TakeNotices(true)), 0);
    EXPECT_EQ(TheMusic().open, 1); // a paused piece stays open

    EXPECT_EQ(ResumeMusic(), 1);
    EXPECT_EQ(ResumeMusic(), 0);
    RenderSeconds(1.0);
    EXPECT_NEAR(headless::MusicTick(), stoppedAt + kTicksPerSecond, 20);
    EXPECT_EQ(Successes(TakeNotices(true)), 0);
    RenderSeconds(0.6); // 2.1 s played in all: the piece has ended
    EXPECT_EQ(Successes(TakeNotices(true)), 1);
    EXPECT_EQ(TheMusic().open, 0);
}

TEST_F(MusicTest, ANewPieceClosesTheOldOneAndStartsAtItsBeginning) {
    ASSERT_EQ(PlayMidi("GameData\\four.mid", 1), 1);
    RenderSeconds(0.7);
    ASSERT_EQ(PlayMidi("GameData\\two.mid", 0), 1);
    RenderSeconds(0.1);
    EXPECT_NEAR(headless::MusicTick(), 0.1 * kTicksPerSecond, 20);
    EXPECT_EQ(Successes(TakeNotices(true)), 0); // the old piece's notice is aborted, not successful
    RenderSeconds(1.0);
    EXPECT_EQ(Successes(TakeNotices(true)), 1);
    EXPECT_EQ(TheMusic().open, 0);
}

TEST_F(MusicTest, ANoticeThatArrivesAfterTheMusicChangedIsIgnored) {
    ASSERT_EQ(PlayMidi("GameData\\two.mid", 1), 1);
    RenderSeconds(1.1); // ended; its notice waits in the queue
    ASSERT_EQ(PlayMidi("GameData\\four.mid", 1), 1);
    RenderSeconds(0.3);
    EXPECT_EQ(Successes(TakeNotices(true)), 1); // the old one, dispatched now
    RenderSeconds(0.2);
    EXPECT_NEAR(headless::MusicTick(), 0.5 * kTicksPerSecond, 20); // not restarted
}

TEST_F(MusicTest, MusicIsHeardWithTheSoundFontAndNotClipped) {
    const bool haveFont = std::filesystem::exists("/usr/share/sounds/sf2/default-GM.sf2") ||
                          std::filesystem::exists("/usr/share/sounds/sf2/TimGM6mb.sf2");
    if (!haveFont) GTEST_SKIP() << "no General MIDI soundfont installed";
    Put("GameData\\loud.mid", MakeTune(2, 0, 127));
    ASSERT_EQ(PlayMidi("GameData\\loud.mid", 0), 1);
    const float peak = RenderSeconds(0.5);
    EXPECT_GT(peak, 0.05f);
    EXPECT_LT(peak, 1.0f);
}

TEST_F(MusicTest, WithoutASoundFontMusicIsSilentWithOneLineAndStillKeepsTime) {
    headless::SetSoundFontSearchPath({});
    ASSERT_EQ(PlayMidi("GameData\\two.mid", 0), 1);
    EXPECT_LT(RenderSeconds(1.1), 1e-5f);
    EXPECT_EQ(Successes(TakeNotices(true)), 1);
    ASSERT_EQ(PlayMidi("GameData\\two.mid", 0), 1);
    ASSERT_EQ(headless::DebugLines().size(), 1u);
    EXPECT_NE(headless::DebugLines()[0].find("soundfont"), std::string::npos);
}

// The search order: FluidSynth's own default first, then Debian's sf2 and sf3 alternatives, then
// the font the package depends on; no path twice.
TEST(SoundFontSearch, FluidSynthsDefaultComesFirstThenDebiansAlternativesThenTimGM6mb) {
    const std::string sf2 = "/usr/share/sounds/sf2/default-GM.sf2";
    const std::string sf3 = "/usr/share/sounds/sf3/default-GM.sf3";
    const std::string tim = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    using Paths = std::vector<std::string>;
    EXPECT_EQ(midi::SoundFontCandidates("/opt/fonts/gm.sf2"),
              (Paths{"/opt/fonts/gm.sf2", sf2, sf3, tim}));
    EXPECT_EQ(midi::SoundFontCandidates(sf3), (Paths{sf3, sf2, tim}));
    EXPECT_EQ(midi::SoundFontCandidates(""), (Paths{sf2, sf3, tim}));
}

// In a staged tree, every candidate in turn is the first readable one: those before it hold a
// file FluidSynth cannot read. The one used is named once, with the ones passed over.
TEST_F(MusicTest, TheFirstSoundFontOfTheSearchThatReadsIsUsedAndNamed) {
    const std::filesystem::path font = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    if (!std::filesystem::exists(font)) GTEST_SKIP() << "no TimGM6mb soundfont installed";
    const auto candidates = midi::SoundFontCandidates(midi::FluidSynthDefaultSoundFont());
    const std::filesystem::path stage = std::filesystem::current_path() / "stage";
    for (size_t used = 0; used <= candidates.size(); ++used) {
        const std::filesystem::path root = stage / std::to_string(used);
        for (size_t i = 0; i < candidates.size(); ++i) {
            const std::filesystem::path at = root.string() + candidates[i];
            std::filesystem::create_directories(at.parent_path());
            if (i < used)
                WriteFile(at.string(), "not a soundfont");
            else
                std::filesystem::create_symlink(font, at);
        }
        midi::SetSoundFontRoot(root.string());
        const size_t before = headless::DebugLines().size();
        ASSERT_EQ(PlayMidi("GameData\\two.mid", 0), 1);
        ASSERT_EQ(PlayMidi("GameData\\two.mid", 0), 1); // the second finds it loaded
        ASSERT_EQ(headless::DebugLines().size(), before + 1);
        const std::string& line = headless::DebugLines().back();
        if (used == candidates.size()) {
            EXPECT_NE(line.find("cannot be read; music is silent"), std::string::npos) << line;
            continue;
        }
        const std::string named = "soundfont " + root.string() + candidates[used] + " (";
        EXPECT_NE(line.find(named), std::string::npos) << line;
        for (size_t i = 0; i < used; ++i)
            EXPECT_NE(line.find(root.string() + candidates[i]), std::string::npos) << line;
        EXPECT_GT(RenderSeconds(0.5), 0.01f) << line;
    }
}

// The end of a piece is its last frame played, whatever the size of the buffers the sound device
// asks for; none of these sizes is a multiple of the synthesizer's own block of 64 frames.
class RenderSizeTest : public MusicTest, public ::testing::WithParamInterface<int> {
  protected:
    static constexpr int kPassFrames = 66150; // MakeTune(3): 1.5 s

    // Renders buffers of the size under test, dispatching the messages after each as the frame
    // loop would, for `frames` frames; returns how far the mix had got at each successful notice.
    static std::vector<int> NoticesAt(int frames) {
        std::vector<int> at;
        for (int done = 0; done < frames;) {
            headless::RenderAudio(GetParam());
            done += GetParam();
            if (Successes(TakeNotices(true)) > 0) at.push_back(done);
        }
        return at;
    }
    // The end of the first buffer that reaches frame `frame`.
    static int BufferEndAt(int frame) { return (frame + GetParam() - 1) / GetParam() * GetParam(); }
};

TEST_P(RenderSizeTest, ALoopingPieceEndsOnlyAtItsEndAndStartsOnceAPass) {
    Put("GameData\three.mid", MakeTune(3));
    ASSERT_EQ(PlayMidi("GameData\three.mid", 1), 1);
    const int firstEnd = BufferEndAt(kPassFrames);
    // The notice restarts the piece; the second pass begins with the next buffer.
    const int secondEnd = BufferEndAt(firstEnd + kPassFrames);
    EXPECT_EQ(NoticesAt(secondEnd + kPassFrames / 2), (std::vector<int>{firstEnd, secondEnd}));
    EXPECT_EQ(TheMusic().playing, 1);
}

TEST_P(RenderSizeTest, APieceThatIsNotLoopedEndsOnceAtItsEnd) {
    Put("GameData\three.mid", MakeTune(3));
    ASSERT_EQ(PlayMidi("GameData\three.mid", 0), 1);
    EXPECT_EQ(NoticesAt(2 * kPassFrames), std::vector<int>{BufferEndAt(kPassFrames)});
    EXPECT_EQ(TheMusic().open, 0);
}

INSTANTIATE_TEST_SUITE_P(OddBuffers, RenderSizeTest, ::testing::Values(7, 100, 441, 1000),
                         [](const auto& param) { return std::to_string(param.param); });

// The whole program: start-up opens the sound device, the window's destruction closes the music.
int RenderingFrame() {
    headless::RenderAudio(441); // 10 ms of sound a frame
    return 1;
}

int StartWithMusic() {
    SetFramePeriod(10);
    SetFrameCallback(RenderingFrame);
    return PlayMidi("GameData\\four.mid", 1);
}

class MusicWindowTest : public MusicTest {
  protected:
    void SetUp() override {
        testing::SoundTest::SetUp(); // WinMain makes the window and the device itself
        Put("GameData\\four.mid", MakeTune(4));
    }
    int Run() { return WinMain(GameEntry{StartWithMusic, RenderingFrame}); }
};

TEST_F(MusicTest, TheWindowPausesTheMusicWhileInactiveOrMinimised) {
    TheDisplay().Open();
    ASSERT_EQ(PlayMidi("GameData\\four.mid", 1), 1);
    RenderSeconds(0.2);
    for (auto [message, pause, resume] : {std::tuple{WM_ACTIVATE, WA_INACTIVE, WA_CLICKACTIVE},
                                          std::tuple{WM_SIZE, SIZE_MINIMIZED, SIZE_RESTORED}}) {
        const int before = headless::MusicTick();
        MainWndProc(message, pause, 0);
        EXPECT_EQ(TheMusic().playing, 0);
        RenderSeconds(1.0);
        EXPECT_EQ(headless::MusicTick(), before);
        MainWndProc(message, resume, 0);
        RenderSeconds(0.2);
        EXPECT_NEAR(headless::MusicTick(), before + 0.2 * kTicksPerSecond, 20);
    }
    // Only a successful notice reaches the music: an aborted one leaves the piece alone.
    MainWndProc(MM_MCINOTIFY, MCI_NOTIFY_ABORTED, 1);
    EXPECT_EQ(TheMusic().playing, 1);
}

TEST_F(MusicWindowTest, ClosingWhileMinimisedStillClosesThePiece) {
    headless::ScheduleMessage(35, Message{WM_SIZE, SIZE_MINIMIZED, 0});
    headless::ScheduleMessage(100, Message{WM_CLOSE, 0, 0});
    Run();
    EXPECT_TRUE(TheWaveBank().device);
    EXPECT_EQ(TheMusic().open, 0);
    char reply[32];
    EXPECT_EQ(MciSendString("status MIDI mode", reply, sizeof reply, 1),
              MCIERR_INVALID_DEVICE_NAME);
}

} // namespace
} // namespace tessary
