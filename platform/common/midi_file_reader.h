// Standard MIDI files read into the timed list of events a piece is played from. The whole file
// is checked and every event timed in frames of the mix here, on the game thread, so that playing
// is only a walk down the list on the audio thread. A corrupt file is refused whole instead of
// ending at once, again and again. Internal to platform/.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform::midi {

// Larger files are refused before their events are gathered: the list takes up to twelve times
// the file's size, and no piece of music comes near this.
inline constexpr size_t kMaxMidiFileBytes = 8 * 1024 * 1024;

inline constexpr uint32_t kSysexStatus = 0xF0;

// One channel message, or a system exclusive message, due at a frame of the mix.
struct MidiEvent {
    uint64_t frame = 0;
    uint8_t status = 0; // 0x80..0xEF, or kSysexStatus
    uint8_t data1 = 0;
    uint8_t data2 = 0;
    uint32_t sysexOffset = 0; // the message's bytes in MidiPiece::sysex, without F0 and F7
    uint32_t sysexLength = 0;
};

// A time in the piece in microseconds times the division: ticks times microseconds a quarter
// note, summed over the tempo map. Every tempo is a whole number of microseconds a quarter, so
// this is exact, and frames taken from it never drift however many tempo changes come before.
__extension__ typedef unsigned __int128 TickMicros;

// A stretch of the piece at one tempo, from its first tick on.
struct TempoSpan {
    uint64_t tick = 0;
    TickMicros start = 0;               // the exact time of its first tick
    uint64_t frame = 0;                 // the frame that time falls in
    uint32_t microsPerQuarter = 500000; // 120 beats a minute until a file says otherwise
};

struct MidiPiece {
    std::vector<MidiEvent> events; // in the order they are played
    std::vector<uint8_t> sysex;
    std::vector<TempoSpan> tempo; // the first span starts at tick 0
    uint32_t division = 480;      // ticks a quarter note
    uint64_t endTick = 0;         // the end of the longest track
    uint64_t endFrame = 0;

    uint64_t FrameAt(uint64_t tick) const;
    // The tick being played at a frame, at most endTick.
    uint64_t TickAt(uint64_t frame) const;
};

// Reads a whole file into piece. Nothing when every track reads to its end; otherwise why not
// (piece is then left empty).
const char* ReadMidiFile(const uint8_t* data, size_t size, MidiPiece& piece);

} // namespace platform::midi
