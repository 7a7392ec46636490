#include "arranger.h"

#include <algorithm>
#include <cctype>

namespace assetgen {
namespace {

int PitchClass(char letter) {
    static const int kClasses[7] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    return kClasses[std::clamp(letter - 'A', 0, 6)];
}

// GM percussion keys.
enum Drum {
    Kick = 36,
    Snare = 38,
    ClosedHat = 42,
    OpenHat = 46,
    Crash = 49,
    Ride = 51,
    TomLow = 45,
    TomMid = 47,
    TomHigh = 50,
    Clap = 39
};

} // namespace

Chord ParseChord(std::string_view name) {
    Chord chord;
    if (name.empty() || name[0] < 'A' || name[0] > 'G') return chord;
    chord.root = PitchClass(name[0]);
    size_t i = 1;
    if (i < name.size() && name[i] == '#')
        chord.root += 1, ++i;
    else if (i < name.size() && name[i] == 'b')
        chord.root += 11, ++i;
    chord.root %= 12;
    const std::string_view quality = name.substr(i);
    if (quality == "m")
        chord.intervals = {0, 3, 7};
    else if (quality == "7")
        chord.intervals = {0, 4, 7, 10};
    else if (quality == "m7")
        chord.intervals = {0, 3, 7, 10};
    else if (quality == "maj7")
        chord.intervals = {0, 4, 7, 11};
    else if (quality == "sus4")
        chord.intervals = {0, 5, 7};
    else if (quality == "dim")
        chord.intervals = {0, 3, 6};
    return chord;
}

std::vector<Chord> ParseBarChords(std::string_view text) {
    std::vector<Chord> chords;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t comma = text.find(',', start);
        const size_t end = comma == std::string_view::npos ? text.size() : comma;
        chords.push_back(ParseChord(text.substr(start, end - start)));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return chords;
}

uint32_t WriteMelody(MidiSong& song, int part, uint32_t start, std::string_view text,
                     int velocity) {
    uint32_t tick = start;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] == ' ')
            ++i;
        if (i >= text.size()) break;
        int key = -1;
        if (text[i] == 'r') {
            ++i;
        } else {
            int pitch = PitchClass(text[i++]);
            if (i < text.size() && text[i] == '#')
                ++pitch, ++i;
            else if (i < text.size() && text[i] == 'b')
                --pitch, ++i;
            int octave = 0;
            while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
                octave = octave * 10 + (text[i++] - '0');
            key = (octave + 1) * 12 + pitch;
        }
        uint32_t length = kBeat;
        if (i < text.size()) {
            switch (text[i++]) {
            case 'w':
                length = 4 * kBeat;
                break;
            case 'h':
                length = 2 * kBeat;
                break;
            case 'e':
                length = kBeat / 2;
                break;
            case 's':
                length = kBeat / 4;
                break;
            default:
                length = kBeat;
                break;
            }
        }
        if (i < text.size() && text[i] == '.') length += length / 2, ++i;
        // Notes are held a touch short of their length so repeated notes are heard apart.
        if (key >= 0) song.Note(part, tick, length - length / 10, key, velocity);
        tick += length;
    }
    return tick - start;
}

void Arranger::Pad(int part, int bar, std::string_view chords, int centre, int velocity) {
    const auto list = ParseBarChords(chords);
    const uint32_t span = Bar(1) / static_cast<uint32_t>(list.size());
    for (size_t c = 0; c < list.size(); ++c) {
        for (int interval : list[c].intervals) {
            // The chord tone nearest below or at the centre, so voices move smoothly.
            int key = list[c].root + interval;
            while (key + 12 <= centre)
                key += 12;
            song.Note(part, Bar(bar) + c * span, span - 12, key, velocity);
        }
    }
}

void Arranger::Arpeggio(int part, int bar, std::string_view chords, int low, int velocity) {
    const auto list = ParseBarChords(chords);
    const int steps = beatsPerBar * 2;
    for (int step = 0; step < steps; ++step) {
        const Chord& chord = list[std::min<size_t>(list.size() - 1, step * list.size() / steps)];
        std::vector<int> keys;
        for (int interval : chord.intervals) {
            int key = chord.root + interval;
            while (key < low)
                key += 12;
            keys.push_back(key);
        }
        std::sort(keys.begin(), keys.end());
        keys.push_back(keys.front() + 12);
        // Up through the chord and back down: 0 1 2 3 2 1 ...
        const int span = static_cast<int>(keys.size()) - 1;
        const int pos = step % (2 * span);
        const int index = pos <= span ? pos : 2 * span - pos;
        const int accent = step % 2 == 0 ? 8 : 0;
        song.Note(part, Bar(bar) + step * kBeat / 2, kBeat / 2 - 20, keys[index],
                  velocity + accent);
    }
}

void Arranger::Stabs(int part, int bar, std::string_view chords, int centre, int velocity) {
    const auto list = ParseBarChords(chords);
    const int eighths = beatsPerBar * 2;
    for (int step : {0, 3, 6}) {
        const Chord& chord = list[std::min<size_t>(list.size() - 1, step * list.size() / eighths)];
        for (int interval : chord.intervals) {
            int key = chord.root + interval;
            while (key + 12 <= centre)
                key += 12;
            song.Note(part, Bar(bar) + step * kBeat / 2, kBeat / 2 - 60, key,
                      step == 0 ? velocity + 10 : velocity);
        }
    }
}

void Arranger::Bass(int part, int bar, std::string_view chords, BassLine line, int velocity) {
    const auto list = ParseBarChords(chords);
    const int eighths = beatsPerBar * 2;
    for (int step = 0; step < eighths; ++step) {
        const Chord& chord = list[std::min<size_t>(list.size() - 1, step * list.size() / eighths)];
        const int root = 36 + chord.root; // C2 .. B2
        const uint32_t at = Bar(bar) + step * kBeat / 2;
        switch (line) {
        case BassLine::Octaves:
            song.Note(part, at, kBeat / 2 - 30, step % 4 == 2 ? root + 12 : root,
                      velocity + (step % 2 == 0 ? 10 : 0));
            break;
        case BassLine::Pulse:
            if (step % 4 == 0)
                song.Note(part, at, 2 * kBeat - 40, step % 8 == 0 ? root : root + 7, velocity);
            break;
        case BassLine::Gallop:
            // Two sixteenths and an eighth on every beat.
            if (step % 2 == 0) {
                song.Note(part, at, kBeat / 4 - 10, root, velocity + 10);
                song.Note(part, at + kBeat / 4, kBeat / 4 - 10, root, velocity);
            } else {
                song.Note(part, at, kBeat / 2 - 20, step == eighths - 1 ? root + 12 : root,
                          velocity);
            }
            break;
        }
    }
}

void Arranger::Drums(int part, int bar, DrumGroove groove, bool fill, bool crash) {
    const uint32_t start = Bar(bar);
    const int eighths = beatsPerBar * 2;
    const int grooveEnd = fill ? eighths / 2 : eighths;
    if (crash) song.Note(part, start, kBeat, Crash, 100);
    for (int step = 0; step < grooveEnd; ++step) {
        const uint32_t at = start + step * kBeat / 2;
        const bool onBeat = step % 2 == 0;
        const int beat = step / 2;
        switch (groove) {
        case DrumGroove::Hats:
            song.Note(part, at, 60, ClosedHat, onBeat ? 80 : 55);
            if (step == 0) song.Note(part, at, 60, Kick, 90);
            break;
        case DrumGroove::Drive:
            if (!(crash && step == 0)) song.Note(part, at, 60, ClosedHat, onBeat ? 84 : 60);
            if (step == 0 || step == 3 || step == 4) song.Note(part, at, 60, Kick, 104);
            if (onBeat && beat % 2 == 1) song.Note(part, at, 60, Snare, 102);
            if (step == eighths - 1) song.Note(part, at, 60, OpenHat, 70);
            break;
        case DrumGroove::HalfTime:
            song.Note(part, at, 60, Ride, onBeat ? 72 : 52);
            if (step == 0 || step == 5) song.Note(part, at, 60, Kick, 96);
            if (step == 4) song.Note(part, at, 60, Snare, 96);
            break;
        case DrumGroove::Pound:
            // Sixteenth hats over kicks on every beat and a backbeat: the boss groove.
            song.Note(part, at, 40, ClosedHat, onBeat ? 86 : 64);
            song.Note(part, at + kBeat / 4, 40, ClosedHat, 50);
            if (onBeat) song.Note(part, at, 60, Kick, 108);
            if (step == 3) song.Note(part, at, 60, Kick, 90);
            if (onBeat && beat % 2 == 1) {
                song.Note(part, at, 60, Snare, 108);
                song.Note(part, at, 60, Clap, 70);
            }
            break;
        }
    }
    if (fill) {
        // Sixteenth-note fill down the toms over the bar's second half.
        static const int kToms[4] = {TomHigh, TomHigh, TomMid, TomLow};
        const int sixteenths = eighths; // half a bar of sixteenths
        for (int i = 0; i < sixteenths; ++i) {
            const uint32_t at = start + Bar(1) / 2 + i * kBeat / 4;
            const int drum = i < 2 ? Snare : kToms[std::min(3, (i - 2) * 4 / (sixteenths - 2))];
            song.Note(part, at, 50, drum, 80 + i * 3);
        }
    }
}

} // namespace assetgen
