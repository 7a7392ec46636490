// The MIDI file reader: every event timed in frames of the mix through the whole tempo map, in
// the order a sequencer sends them, and what it refuses.
#include <initializer_list>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/midi_file_reader.h"
#include "support/sound_files.h"

namespace platform::midi {
namespace {

using namespace pelko::testing;

// Bytes as written, zeros included.
std::string B(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes)
        s += static_cast<char>(b);
    return s;
}

std::string Tempo(uint32_t micros) {
    std::string e = B({0xFF, 0x51, 0x03});
    PutBe(e, micros, 3);
    return e;
}
const std::string kEnd = B({0xFF, 0x2F, 0x00});

// Why the reader refused the file, or "" when it read it.
std::string Read(const std::string& file, MidiPiece& piece) {
    const char* why =
        ReadMidiFile(reinterpret_cast<const uint8_t*>(file.data()), file.size(), piece);
    return why != nullptr ? why : "";
}

struct Seen {
    uint64_t frame;
    int status, data1, data2;
    bool operator==(const Seen&) const = default;
};
std::vector<Seen> Events(const MidiPiece& piece) {
    std::vector<Seen> seen;
    for (const MidiEvent& e : piece.events)
        seen.push_back({e.frame, e.status, e.data1, e.data2});
    return seen;
}

// A conductor track that halves the tempo after two beats, and a part that plays across it.
TEST(MidiFileReaderTest, EventsAreTimedThroughEveryTempoChangeInAnyTrack) {
    const std::string conductor = VarLen(0) + Tempo(500000) + VarLen(960) + Tempo(1000000) +
                                  VarLen(0) + B({0xC0, 0x05}) + VarLen(0) + kEnd;
    const std::string part = VarLen(0) + B({0xC0, 0x07}) + VarLen(0) + B({0x90, 0x3C, 0x64}) +
                             VarLen(480) + B({0x80, 0x3C, 0x00}) + VarLen(480) +
                             B({0x90, 0x3E, 0x64}) + VarLen(960) + B({0x80, 0x3E, 0x00}) +
                             VarLen(0) + kEnd;
    MidiPiece piece;
    ASSERT_EQ(Read(MidiFile({conductor, part}), piece), "");
    // 120 beats a minute for 960 ticks (one second), then 60: a tick is 1/960 s, then 1/480 s.
    // Of two events at one tick the earlier track's goes first, as in the file.
    EXPECT_EQ(Events(piece), (std::vector<Seen>{{0, 0xC0, 7, 0},
                                                {0, 0x90, 0x3C, 0x64},
                                                {22050, 0x80, 0x3C, 0},
                                                {44100, 0xC0, 5, 0},
                                                {44100, 0x90, 0x3E, 0x64},
                                                {132300, 0x80, 0x3E, 0}}));
    EXPECT_EQ(piece.endTick, 1920u);
    EXPECT_EQ(piece.endFrame, 132300u);
    EXPECT_EQ(piece.TickAt(22050), 480u);
    EXPECT_EQ(piece.TickAt(88200), 960u + 480u);
    EXPECT_EQ(piece.TickAt(10 * 44100), 1920u); // held at the end
}

// A tempo change before every note, by amounts no frame divides evenly: each note, the last as
// well as the first, starts in the frame its exact time falls in.
TEST(MidiFileReaderTest, ManyTempoChangesNeverMakeTheTimingDrift) {
    std::string conductor = VarLen(0) + Tempo(400000), part = VarLen(0) + B({0x90, 0x3C, 0x40});
    uint64_t exact = 0; // microseconds times the division (96)
    std::vector<uint64_t> expected = {0}, frames;
    for (uint32_t i = 1; i < 2000; ++i) {
        conductor += VarLen(7) + Tempo(400000 + 37 * i);
        part += VarLen(7) + B({0x90, 0x3C, 0x40});
        exact += 7 * (400000 + 37 * (i - 1));
        expected.push_back(exact * 44100 / (1000000 * 96));
    }
    MidiPiece piece;
    ASSERT_EQ(Read(MidiFile({conductor + VarLen(0) + kEnd, part + VarLen(0) + kEnd}, 96), piece),
              "");
    for (const MidiEvent& e : piece.events)
        frames.push_back(e.frame);
    EXPECT_EQ(frames, expected);
}

TEST(MidiFileReaderTest, RunningStatusAndSystemExclusiveAreReadAsTheFileMeansThem) {
    // Running status across a meta event; a system exclusive message loses its closing F7; an
    // F7 escape carries nothing for the synthesizer; a track without an end ends at its last byte.
    const std::string gmOn = B({0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7});
    const std::string track = VarLen(0) + gmOn + VarLen(0) + B({0x91, 0x40, 0x50}) + VarLen(0) +
                              B({0xFF, 0x01, 0x01, 'x'}) + VarLen(10) + B({0x40, 0x00}) +
                              VarLen(0) + B({0xF7, 0x01, 0xF8}) + VarLen(0) + B({0xE2, 0x00, 0x40});
    MidiPiece piece;
    ASSERT_EQ(Read(MidiFile({track}), piece), "");
    ASSERT_EQ(piece.events.size(), 4u);
    EXPECT_EQ(piece.events[0].status, kSysexStatus);
    EXPECT_EQ(std::vector<uint8_t>(piece.sysex.begin() + piece.events[0].sysexOffset,
                                   piece.sysex.begin() + piece.events[0].sysexOffset +
                                       piece.events[0].sysexLength),
              (std::vector<uint8_t>{0x7E, 0x7F, 0x09, 0x01}));
    EXPECT_EQ(Events(piece)[2], (Seen{459, 0x91, 0x40, 0x00})); // 10 ticks at 1/960 s
    EXPECT_EQ(Events(piece)[3], (Seen{459, 0xE2, 0x00, 0x40}));
    EXPECT_EQ(piece.endTick, 10u);
}

TEST(MidiFileReaderTest, RefusesWhatCannotBePlayedAndLeavesThePieceEmpty) {
    MidiPiece piece;
    const std::string shortTempo =
        VarLen(0) + B({0xFF, 0x51, 0x02, 0x07, 0xA1}) + VarLen(0) + B({0x90, 0x3C, 0x40});
    EXPECT_EQ(Read(MidiFile({shortTempo}), piece), "a tempo change is not three bytes long");
    EXPECT_TRUE(piece.events.empty());

    EXPECT_EQ(Read(MidiFile({}), piece), "the MIDI file has no tracks");

    std::string huge = MakeTune(2);
    huge.resize(kMaxMidiFileBytes + 1, '\0');
    EXPECT_NE(Read(huge, piece), "");

    // A tempo of zero plays the rest at once instead of dividing by it.
    const std::string zeroTempo = VarLen(0) + Tempo(0) + VarLen(0) + B({0x90, 0x3C, 0x40}) +
                                  VarLen(100000) + B({0x80, 0x3C, 0x00}) + VarLen(0) + kEnd;
    ASSERT_EQ(Read(MidiFile({zeroTempo}), piece), "");
    EXPECT_EQ(piece.events.back().frame, 0u);
    EXPECT_EQ(piece.endFrame, 0u);
}

} // namespace
} // namespace platform::midi
