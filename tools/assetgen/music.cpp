#include "music.h"

#include <string>
#include <string_view>
#include <vector>

#include "arranger.h"

namespace assetgen {
namespace {

constexpr int kDrumChannel = 9;

// Every part's channel volume is set at this share of its arranged level, so the music sits
// under the sound effects and still carries through the shooting.
constexpr double kMusicLevel = 0.75;

int AddPart(MidiSong& song, const std::string& name, int channel, int program, int volume,
            int pan) {
    return song.AddPart(name, channel, program, static_cast<int>(volume * kMusicLevel + 0.5), pan);
}

// GM programs used by the pieces.
enum Program {
    ElectricPiano = 4,
    Glockenspiel = 9,
    Harp = 46,
    Strings = 48,
    TremoloStrings = 44,
    Timpani = 47,
    Brass = 61,
    Flute = 73,
    SquareLead = 80,
    SawLead = 81,
    SynthBass = 38,
    FingerBass = 33
};

void Chords(Arranger& a, int part, int firstBar, const std::vector<std::string_view>& bars,
            int centre, int velocity) {
    for (size_t i = 0; i < bars.size(); ++i)
        a.Pad(part, firstBar + static_cast<int>(i), bars[i], centre, velocity);
}

} // namespace

Bytes StageTheme() {
    // D major, 150 beats a minute, 40 bars: intro, A, A', B, bridge, turnaround; the turnaround
    // ends on A so the loop falls back onto the intro's D.
    MidiSong song(150, 4);
    Arranger a{song};
    const int lead = AddPart(song, "Lead", 0, SquareLead, 92, 64);
    const int flute = AddPart(song, "Bridge lead", 4, Flute, 100, 60);
    const int arp = AddPart(song, "Arpeggio", 1, ElectricPiano, 78, 84);
    const int pad = AddPart(song, "Strings", 2, Strings, 72, 44);
    const int bass = AddPart(song, "Bass", 3, SynthBass, 100, 64);
    const int drums = AddPart(song, "Drums", kDrumChannel, 0, 100, 64);

    const std::vector<std::string_view> bars = {
        "D",  "D", "G",   "A",                          // intro 0-3
        "D",  "A", "Bm",  "F#m", "G",  "D", "Em",  "A", // A 4-11
        "D",  "A", "Bm",  "F#m", "G",  "D", "G,A", "D", // A' 12-19
        "G",  "A", "F#m", "Bm",  "G",  "A", "D",   "D", // B 20-27
        "Bm", "G", "D",   "A",   "Bm", "G", "Em",  "A", // bridge 28-35
        "G",  "A", "Bm",  "A",                          // turnaround 36-39
    };
    const int totalBars = static_cast<int>(bars.size());

    const std::string_view verse =
        "F#5q A5q D6q A5e F#5e  E5q. C#5e E5q A5q  F#5q B5q A5e F#5e D5q  C#5h. rq "
        "B4e D5e G5q F#5e G5e B5q  A5q. F#5e D5h ";
    WriteMelody(song, lead, a.Bar(4), verse, 100);
    WriteMelody(song, lead, a.Bar(10), "G5e F#5e E5e D5e E5q G5q  A5h E5e F#5e G5e A5e", 100);
    WriteMelody(song, lead, a.Bar(12), verse, 104);
    WriteMelody(song, lead, a.Bar(18), "B5e A5e G5e F#5e E5q C#5q  D5h. rq", 104);
    WriteMelody(
        song, lead, a.Bar(20),
        "D6q B5e D6e D6q B5q  C#6q A5e C#6e E6q C#6q  C#6e B5e A5e F#5e A5q C#6q  B5h. rq "
        "G5e A5e B5e D6e G6q F#6e E6e  E6q. D6e C#6q A5q  D6e C#6e D6e E6e F#6q A6q  F#6h. rq",
        108);
    WriteMelody(song, flute, a.Bar(28),
                "F#5h D5q F#5q  G5h. B5q  A5h F#5q D5q  E5w  F#5h B5q D6q  D6h. B5q "
                "G5q F#5q E5q G5q  A5h C#6h",
                92);
    WriteMelody(song, lead, a.Bar(36),
                "B5q. A5e G5q D5q  E5q. F#5e G5q A5q  B5q. A5e F#5q D5q  E5h rh", 96);

    Chords(a, pad, 0, bars, 67, 58);
    for (int bar = 0; bar < totalBars; ++bar) {
        const bool bridge = bar >= 28 && bar < 36;
        if (bar >= 2 && !bridge) a.Arpeggio(arp, bar, bars[bar], 62, 56);
        a.Bass(bass, bar, bars[bar], bridge ? BassLine::Pulse : BassLine::Octaves, 92);
        const bool sectionStart = bar == 4 || bar == 12 || bar == 20 || bar == 28 || bar == 36;
        const bool sectionEnd =
            bar == 3 || bar == 11 || bar == 19 || bar == 27 || bar == 35 || bar == totalBars - 1;
        const DrumGroove groove = bar < 2  ? DrumGroove::Hats
                                  : bridge ? DrumGroove::HalfTime
                                           : DrumGroove::Drive;
        a.Drums(drums, bar, groove, sectionEnd, sectionStart);
    }
    return song.Encode(a.Bar(totalBars));
}

Bytes BossTheme() {
    // E minor, 168 beats a minute, 20 bars: four bars of ostinato, then a 16-bar tune over a
    // restless progression that ends on B7 and leans back into the ostinato's E minor.
    MidiSong song(168, 4);
    Arranger a{song};
    const int lead = AddPart(song, "Lead", 0, SawLead, 96, 64);
    const int brass = AddPart(song, "Brass stabs", 1, Brass, 84, 80);
    const int strings = AddPart(song, "Tremolo strings", 2, TremoloStrings, 74, 40);
    const int bass = AddPart(song, "Bass", 3, FingerBass, 108, 64);
    const int drums = AddPart(song, "Drums", kDrumChannel, 0, 104, 64);

    const std::vector<std::string_view> bars = {
        "Em", "Em",  "Em", "Em", "Em", "Em", "C",  "B", "Em", "Em",
        "C",  "D,B", "Am", "Em", "F",  "B",  "Em", "C", "F",  "B7",
    };
    const int totalBars = static_cast<int>(bars.size());

    // The ostinato the lead plays in the intro, low and insistent.
    WriteMelody(song, lead, a.Bar(2),
                "E4e E4e G4e E4e A4e E4e A#4e B4e  E4e E4e G4e E4e D5e B4e A#4e B4e", 84);
    WriteMelody(
        song, lead, a.Bar(4),
        "E5e B4e E5e F#5e G5q F#5e E5e  D#5q E5q B4h  C5e E5e G5e C6e B5q G5q  F#5q. D#5e B4h "
        "E5e G5e B5e E6e D#6q B5q  C6e B5e A5e G5e F#5q G5q  E5q G5q C6q B5q  A5q F#5q D#5h "
        "A5e C6e E6e C6e A5q E5q  G5e B5e E6e B5e G5q E5q  F5q A5q C6q A5q  B5h. A5q "
        "G5q. F#5e E5q B4q  C5q. D5e E5q G5q  F5q A5q C6q F6q  D#6q B5q A5q F#5q",
        108);

    Chords(a, strings, 0, bars, 64, 60);
    for (int bar = 0; bar < totalBars; ++bar) {
        a.Bass(bass, bar, bars[bar], bar < 4 ? BassLine::Gallop : BassLine::Octaves, 96);
        if (bar >= 4) a.Stabs(brass, bar, bars[bar], 70, 86);
        a.Drums(drums, bar, bar < 2 ? DrumGroove::Hats : DrumGroove::Pound,
                bar == 3 || bar == 11 || bar == totalBars - 1, bar == 4 || bar == 12);
    }
    return song.Encode(a.Bar(totalBars));
}

Bytes LogoJingle() {
    // C major, 112 beats a minute: a two-bar fanfare, a held chord, a bar to breathe.
    MidiSong song(112, 4);
    Arranger a{song};
    const int bells = AddPart(song, "Glockenspiel", 0, Glockenspiel, 100, 70);
    const int harp = AddPart(song, "Harp", 1, Harp, 88, 50);
    const int strings = AddPart(song, "Strings", 2, Strings, 84, 64);
    const int timpani = AddPart(song, "Timpani", 3, Timpani, 96, 64);
    const int drums = AddPart(song, "Cymbal", kDrumChannel, 0, 90, 64);

    WriteMelody(song, bells, a.Bar(0), "G5e C6e E6e G6e C7q. G6e  A6e G6e E6e F6e G6h  C7w", 104);
    WriteMelody(song, strings, a.Bar(0), "E4h F4h  F4q. A4e B4h  C5w", 78);
    WriteMelody(song, strings, a.Bar(0), "C4h C4h  C4q. F4e D4h  G4w", 70);
    WriteMelody(song, strings, a.Bar(0), "C3h A2h  F2q. F2e G2h  C3w", 80);
    a.Arpeggio(harp, 0, "C,F", 55, 64);
    a.Arpeggio(harp, 1, "F,G", 55, 64);
    WriteMelody(song, timpani, a.Bar(1), "rh G2e G2e G2e G2e  C2w", 96);
    // A cymbal swell into the held chord.
    for (int i = 0; i < 8; ++i)
        song.Note(drums, a.Bar(1) + 2 * kBeat + i * kBeat / 4, 60, 51, 50 + i * 6);
    song.Note(drums, a.Bar(2), kBeat * 2, 49, 104);
    // Let the last chord die away over the quiet bar before the loop comes round.
    for (int step = 0; step <= 12; ++step)
        song.Controller(strings, a.Bar(2) + step * kBeat / 2, 11, 127 - step * 8);
    return song.Encode(a.Bar(4));
}

} // namespace assetgen
