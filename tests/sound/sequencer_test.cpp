// The sequencer's string commands on their own: what they answer, which notices they post, and
// which MIDI files they refuse.
#include <string>
#include <vector>

#include "common/music_handover.h"
#include "platform/headless.h"
#include "platform/midi.h"
#include "platform/window.h"
#include "support/sound_fixture.h"

namespace tessary {
namespace {

using namespace pelko::testing;
using namespace platform;
namespace headless = platform::headless;

constexpr uintptr_t kWindow = 1;

class SequencerTest : public testing::SoundTest {
  protected:
    void SetUp() override {
        SoundTest::SetUp();
        Put("GameData\\tune.mid", MakeTune(2));
    }

    static uint32_t Send(const std::string& command, uintptr_t window = kWindow) {
        return MciSendString(command.c_str(), nullptr, 0, window);
    }

    static std::string Mode() {
        char reply[32] = "unset";
        EXPECT_EQ(MciSendString("status MIDI mode", reply, sizeof reply, kWindow), 0u);
        return reply;
    }

    static uint32_t OpenTune(const char* alias = "MIDI") {
        return Send(std::string("open \"GameData\\tune.mid\" type sequencer alias ") + alias);
    }

    static std::vector<WParam> Notices() {
        std::vector<WParam> notices;
        Message m;
        while (PeekMessage(m))
            if (m.message == MM_MCINOTIFY) notices.push_back(m.wParam);
        return notices;
    }

    static void RenderSeconds(double s) { headless::RenderAudio(static_cast<int>(s * 44100)); }
};

TEST_F(SequencerTest, CommandsAnswerAsTheSequencerDoes) {
    EXPECT_EQ(Send("rewind MIDI"), MCIERR_UNRECOGNIZED_COMMAND);
    EXPECT_EQ(Send(""), MCIERR_UNRECOGNIZED_COMMAND);
    EXPECT_EQ(Send("play MIDI from 0 notify"), MCIERR_INVALID_DEVICE_NAME);
    EXPECT_EQ(Send("open \"GameData\\tune.mid\" type waveaudio alias MIDI"),
              MCIERR_UNRECOGNIZED_KEYWORD);
    EXPECT_EQ(Send("open \"GameData\\none.mid\" type sequencer alias MIDI"), MCIERR_FILE_NOT_FOUND);

    ASSERT_EQ(OpenTune(), 0u);
    EXPECT_EQ(OpenTune(), MCIERR_DUPLICATE_ALIAS);
    EXPECT_EQ(OpenTune("OTHER"), MCIERR_DEVICE_OPEN); // one piece at a time
    EXPECT_EQ(Send("play OTHER"), MCIERR_INVALID_DEVICE_NAME);
    EXPECT_EQ(Mode(), "stopped");
    EXPECT_EQ(Send("PLAY midi FROM 0"), 0u); // keywords and the alias ignore case
    EXPECT_EQ(Mode(), "playing");
    EXPECT_EQ(Send("play MIDI from 100"), MCIERR_OUTOFRANGE);

    char small[3];
    EXPECT_EQ(MciSendString("status MIDI mode", small, sizeof small, kWindow), 0u);
    EXPECT_STREQ(small, "pl");

    EXPECT_EQ(Send("stop MIDI"), 0u);
    EXPECT_EQ(Mode(), "stopped");
    EXPECT_EQ(Send("close MIDI"), 0u);
    EXPECT_EQ(Send("close MIDI"), MCIERR_INVALID_DEVICE_NAME);
    EXPECT_EQ(OpenTune("OTHER"), 0u);
}

TEST_F(SequencerTest, OnlyAPieceThatEndsByItselfReportsSuccess) {
    ASSERT_EQ(OpenTune(), 0u);
    Send("play MIDI from 0 notify");
    Send("stop MIDI");
    EXPECT_EQ(Notices(), std::vector<WParam>{MCI_NOTIFY_ABORTED});

    Send("play MIDI notify");
    Send("play MIDI from 0 notify");
    EXPECT_EQ(Notices(), std::vector<WParam>{MCI_NOTIFY_SUPERSEDED});
    RenderSeconds(1.1);
    EXPECT_EQ(Notices(), std::vector<WParam>{MCI_NOTIFY_SUCCESSFUL});
    EXPECT_EQ(Mode(), "stopped");

    // Played on from its end without a rewind, it ends again at once.
    Send("play MIDI notify");
    RenderSeconds(0.01);
    EXPECT_EQ(Notices(), std::vector<WParam>{MCI_NOTIFY_SUCCESSFUL});

    // Without notify, or without a window to tell, nothing is posted.
    Send("play MIDI from 0");
    RenderSeconds(1.1);
    Send("play MIDI from 0 notify", 0);
    RenderSeconds(1.1);
    EXPECT_TRUE(Notices().empty());

    Send("play MIDI from 0 notify");
    Send("close MIDI");
    EXPECT_EQ(Notices(), std::vector<WParam>{MCI_NOTIFY_ABORTED});
}

// With nothing rendering (no audio device), pieces that were opened and closed are still freed:
// a game that changes its music at every screen must not pile them up.
TEST_F(SequencerTest, ClosedPiecesAreFreedWhileNothingRenders) {
    for (int i = 0; i < 50; ++i) {
        ASSERT_EQ(OpenTune(), 0u);
        Send("play MIDI from 0 notify");
        Send("close MIDI");
    }
    Send("status MIDI mode"); // any command lets the game thread free what it may
    EXPECT_EQ(platform::midi::TheMusicHandover().HeldPieces(), 0u);

    // A piece that the audio thread has taken up is freed once it is let go of, too.
    ASSERT_EQ(OpenTune(), 0u);
    Send("play MIDI from 0");
    RenderSeconds(0.05);
    Send("close MIDI");
    RenderSeconds(0.05);
    Send("status MIDI mode");
    EXPECT_EQ(platform::midi::TheMusicHandover().HeldPieces(), 0u);
}

struct BadMidi {
    const char* name;
    std::string bytes;
};

class BadMidiTest : public SequencerTest, public ::testing::WithParamInterface<BadMidi> {};

TEST_P(BadMidiTest, IsRefusedWithOneLine) {
    Put("GameData\\bad.mid", GetParam().bytes);
    EXPECT_EQ(Send("open \"GameData\\bad.mid\" type sequencer alias MIDI"), MCIERR_INVALID_FILE);
    ASSERT_EQ(headless::DebugLines().size(), 1u);
    EXPECT_NE(headless::DebugLines()[0].find("bad.mid"), std::string::npos);
    EXPECT_EQ(OpenTune(), 0u); // nothing stays open
}

std::string NoteTrack(const std::string& body) {
    return body + VarLen(0) + std::string("\xFF\x2F\x00", 3);
}

std::string WithHeaderField(size_t offset, char value) {
    std::string s = MakeTune(2);
    s[offset] = value;
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadMidiTest,
    ::testing::Values(
        BadMidi{"Empty", ""}, BadMidi{"NotMidi", "RIFF" + std::string(30, '\0')},
        BadMidi{"HeaderOnly", MakeTune(2).substr(0, 14)},
        BadMidi{"TrackCut", MakeTune(2).substr(0, 40)},
        BadMidi{"MoreTracksThanThere", WithHeaderField(11, 3)},
        BadMidi{"SmpteDivision", WithHeaderField(12, '\xE7')},
        BadMidi{"ZeroDivision",
                [] {
                    std::string s = WithHeaderField(12, 0);
                    s[13] = 0;
                    return s;
                }()},
        BadMidi{"RunningStatusFirst", MidiFile({NoteTrack(VarLen(0) + "\x3C\x40")})},
        BadMidi{"DataByteAbove127", MidiFile({NoteTrack(VarLen(0) + "\x90\x3C\xC0")})},
        BadMidi{"MetaPastTrack", MidiFile({VarLen(0) + "\xFF\x01\x7F" + "abc"})},
        BadMidi{"TempoOfTwoBytes", MidiFile({NoteTrack(VarLen(0) + "\xFF\x51\x02\x07\xA1")})},
        BadMidi{"EndlessDelta", MidiFile({std::string("\xFF\xFF\xFF\xFF\x7F", 5)})}),
    [](const auto& param) { return std::string(param.param.name); });

} // namespace
} // namespace tessary
