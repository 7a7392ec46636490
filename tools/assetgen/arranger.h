// A small toolkit for writing music into a MidiSong: melodies from a compact note text, and
// accompaniment patterns (pads, arpeggios, bass lines, drum grooves) from chord names.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "midi_writer.h"

namespace assetgen {

// A chord such as "D", "F#m", "B7", "Cmaj7", "Esus4": its root as a MIDI pitch class and the
// intervals above it. Parsing unknown text yields a C major triad.
struct Chord {
    int root = 0;
    std::vector<int> intervals{0, 4, 7};
};
Chord ParseChord(std::string_view name);

// A bar's harmony: one chord, or two split at the half bar ("G,A").
std::vector<Chord> ParseBarChords(std::string_view text);

// Note text: tokens such as "F#5q", "Bb4e", "C6h.", "rq" (a rest). Durations: w h q e s, a
// trailing '.' adds half. Returns the length written, in ticks.
uint32_t WriteMelody(MidiSong& song, int part, uint32_t start, std::string_view text, int velocity);

inline constexpr uint32_t kBeat = kTicksPerQuarter;

enum class DrumGroove { Hats, Drive, HalfTime, Pound };
enum class BassLine { Octaves, Pulse, Gallop };

struct Arranger {
    MidiSong& song;
    int beatsPerBar = 4;

    uint32_t Bar(int index) const { return static_cast<uint32_t>(index) * beatsPerBar * kBeat; }

    // Sustained chord tones voiced around `centre`.
    void Pad(int part, int bar, std::string_view chords, int centre, int velocity);
    // Eighth-note broken chords, up and back down.
    void Arpeggio(int part, int bar, std::string_view chords, int low, int velocity);
    // Short chord hits on the one, the "and" of two and the four.
    void Stabs(int part, int bar, std::string_view chords, int centre, int velocity);
    void Bass(int part, int bar, std::string_view chords, BassLine line, int velocity);
    // A bar of groove; `fill` replaces its second half with a tom fill, `crash` opens it.
    void Drums(int part, int bar, DrumGroove groove, bool fill, bool crash);
};

} // namespace assetgen
