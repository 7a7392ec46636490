#include "midi_file_reader.h"

#include <algorithm>

#include "platform/audio.h"

namespace platform::midi {
namespace {

__extension__ typedef unsigned __int128 Wide;

// Times past this are never reached; keeping below it lets two of them add without overflow.
constexpr uint64_t kNeverFrame = uint64_t{1} << 62;

class Reader {
  public:
    Reader(const uint8_t* data, size_t size) : p_(data), end_(data + size) {}

    size_t Left() const { return static_cast<size_t>(end_ - p_); }
    bool Byte(uint8_t& out) {
        if (p_ == end_) return false;
        out = *p_++;
        return true;
    }
    bool Skip(size_t n) {
        if (n > Left()) return false;
        p_ += n;
        return true;
    }
    bool Be(int bytes, uint32_t& out) {
        out = 0;
        for (int i = 0; i < bytes; ++i) {
            uint8_t b;
            if (!Byte(b)) return false;
            out = (out << 8) | b;
        }
        return true;
    }
    // A variable-length quantity: at most four bytes of seven bits.
    bool VarLen(uint32_t& out) {
        out = 0;
        for (int i = 0; i < 4; ++i) {
            uint8_t b;
            if (!Byte(b)) return false;
            out = (out << 7) | (b & 0x7F);
            if ((b & 0x80) == 0) return true;
        }
        return false;
    }
    const uint8_t* Here() const { return p_; }

  private:
    const uint8_t* p_;
    const uint8_t* end_;
};

bool IsId(const uint8_t* p, const char* id) {
    return p[0] == id[0] && p[1] == id[1] && p[2] == id[2] && p[3] == id[3];
}

int ChannelDataBytes(uint8_t status) {
    const uint8_t kind = status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

struct TempoChange {
    uint64_t tick;
    uint32_t microsPerQuarter;
};

// What the tracks hold, in file order. Events carry their tick where the frame goes until the
// tempo map is known.
struct Gathered {
    std::vector<MidiEvent> events;
    std::vector<uint8_t> sysex;
    std::vector<TempoChange> tempo;
    uint64_t endTick = 0;
};

const char* ReadMeta(Reader& r, uint64_t tick, Gathered& out, bool& endOfTrack) {
    uint8_t type;
    uint32_t length;
    if (!r.Byte(type) || !r.VarLen(length) || length > r.Left())
        return "a meta event runs past its track";
    if (type == 0x51) {
        if (length != 3) return "a tempo change is not three bytes long";
        uint32_t micros;
        r.Be(3, micros);
        out.tempo.push_back({tick, micros});
        return nullptr;
    }
    r.Skip(length);
    endOfTrack = type == 0x2F;
    return nullptr;
}

const char* ReadSysex(Reader& r, uint8_t status, uint64_t tick, Gathered& out) {
    uint32_t length;
    if (!r.VarLen(length) || length > r.Left())
        return "a system exclusive event runs past its track";
    const uint8_t* bytes = r.Here();
    r.Skip(length);
    // An F7 event is an escape for raw bytes, which the synthesizer has no use for.
    if (status != kSysexStatus) return nullptr;
    if (length > 0 && bytes[length - 1] == 0xF7) --length;
    if (length == 0) return nullptr;
    MidiEvent e;
    e.frame = tick;
    e.status = kSysexStatus;
    e.sysexOffset = static_cast<uint32_t>(out.sysex.size());
    e.sysexLength = length;
    out.sysex.insert(out.sysex.end(), bytes, bytes + length);
    out.events.push_back(e);
    return nullptr;
}

const char* ReadTrack(const uint8_t* data, size_t size, Gathered& out) {
    Reader r(data, size);
    uint8_t running = 0;
    uint64_t tick = 0;
    while (r.Left() > 0) {
        uint32_t delta;
        if (!r.VarLen(delta)) return "a track has a broken delta time";
        tick += delta;
        uint8_t status;
        if (!r.Byte(status)) return "a track ends inside an event";
        if (status == 0xFF) {
            bool endOfTrack = false;
            if (const char* why = ReadMeta(r, tick, out, endOfTrack)) return why;
            if (endOfTrack) break; // anything after the end of the track is ignored
            continue;
        }
        if (status == 0xF0 || status == 0xF7) {
            if (const char* why = ReadSysex(r, status, tick, out)) return why;
            continue;
        }
        uint8_t bytes[2] = {0, 0};
        int first = 0;
        if (status & 0x80) {
            if (status >= 0xF0) return "a track holds a system message a file may not carry";
            running = status;
        } else {
            if (running == 0) return "a track starts with running status";
            bytes[0] = status; // running status: the first data byte was read as a status
            first = 1;
        }
        for (int i = first; i < ChannelDataBytes(running); ++i) {
            if (!r.Byte(bytes[i])) return "a track ends inside an event";
        }
        if ((bytes[0] | bytes[1]) & 0x80) return "a channel event has a data byte above 127";
        MidiEvent e;
        e.frame = tick;
        e.status = running;
        e.data1 = bytes[0];
        e.data2 = bytes[1];
        out.events.push_back(e);
    }
    out.endTick = std::max(out.endTick, tick);
    return nullptr;
}

// The exact time of a tick at or after the span's start.
TickMicros TimeAt(const TempoSpan& span, uint64_t tick) {
    return span.start + static_cast<TickMicros>(tick - span.tick) * span.microsPerQuarter;
}

// The frame an exact time falls in. Even a file of the largest size stays far inside 128 bits:
// its ticks below 2^51, a tempo below 2^24, its spans below 2^21, the mix rate below 2^16.
uint64_t FrameOf(TickMicros time, uint32_t division) {
    const Wide frames = time * kMixRate / (static_cast<Wide>(1000000) * division);
    return frames > kNeverFrame ? kNeverFrame : static_cast<uint64_t>(frames);
}

// The tempo map from every track's tempo changes; of two at one tick the later in the file wins.
std::vector<TempoSpan> TempoMap(std::vector<TempoChange> changes, uint32_t division) {
    std::stable_sort(changes.begin(), changes.end(),
                     [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
    std::vector<TempoSpan> spans(1);
    for (const TempoChange& c : changes) {
        TempoSpan& last = spans.back();
        if (c.tick == last.tick) {
            last.microsPerQuarter = c.microsPerQuarter;
            continue;
        }
        const TickMicros start = TimeAt(last, c.tick);
        spans.push_back({c.tick, start, FrameOf(start, division), c.microsPerQuarter});
    }
    return spans;
}

const char* ReadHeaderAndTracks(const uint8_t* data, size_t size, uint32_t& division,
                                Gathered& out) {
    if (data == nullptr || size < 14 || !IsId(data, "MThd")) return "not a standard MIDI file";
    if (size > kMaxMidiFileBytes) return "the MIDI file is larger than any piece of music";
    Reader r(data + 4, size - 4);
    uint32_t headerLength, format, tracks;
    r.Be(4, headerLength);
    if (headerLength < 6 || headerLength > r.Left()) return "the MIDI header is broken";
    r.Be(2, format);
    r.Be(2, tracks);
    r.Be(2, division);
    r.Skip(headerLength - 6);
    if (format > 2) return "unknown MIDI file format";
    if (tracks == 0) return "the MIDI file has no tracks";
    if (division == 0 || (division & 0x8000) != 0)
        return "the MIDI file's time division is not playable";
    uint32_t found = 0;
    while (found < tracks) {
        if (r.Left() < 8) return "the MIDI file has fewer tracks than its header says";
        const uint8_t* id = r.Here();
        uint32_t length;
        r.Skip(4);
        r.Be(4, length);
        if (length > r.Left()) return "a MIDI chunk runs past the end of the file";
        if (IsId(id, "MTrk")) {
            if (const char* why = ReadTrack(r.Here(), length, out)) return why;
            ++found;
        }
        r.Skip(length);
    }
    return nullptr;
}

} // namespace

uint64_t MidiPiece::FrameAt(uint64_t tick) const {
    auto next = std::upper_bound(tempo.begin(), tempo.end(), tick,
                                 [](uint64_t t, const TempoSpan& s) { return t < s.tick; });
    if (next == tempo.begin()) return 0;
    return FrameOf(TimeAt(*(next - 1), tick), division);
}

uint64_t MidiPiece::TickAt(uint64_t frame) const {
    // Of several spans at one frame (a tempo of 0 plays its ticks at once), the last applies.
    auto next = std::upper_bound(tempo.begin(), tempo.end(), frame,
                                 [](uint64_t f, const TempoSpan& s) { return f < s.frame; });
    if (next == tempo.begin()) return 0;
    const TempoSpan& span = *(next - 1);
    uint64_t tick = span.tick;
    // The span may start a little after the beginning of its first frame: then no tick of it
    // has come yet.
    const Wide now = static_cast<Wide>(frame) * 1000000 * division;
    const Wide spanStart = span.start * kMixRate;
    if (span.microsPerQuarter != 0 && now > spanStart) {
        const Wide ticks =
            (now - spanStart) / (static_cast<Wide>(span.microsPerQuarter) * kMixRate);
        tick += ticks > endTick ? endTick : static_cast<uint64_t>(ticks);
    }
    return std::min(tick, endTick);
}

const char* ReadMidiFile(const uint8_t* data, size_t size, MidiPiece& piece) {
    piece = MidiPiece{};
    uint32_t division = 0;
    Gathered g;
    if (const char* why = ReadHeaderAndTracks(data, size, division, g)) return why;
    // Events of one tick keep the file's order, track by track, as a sequencer sends them.
    std::stable_sort(g.events.begin(), g.events.end(),
                     [](const MidiEvent& a, const MidiEvent& b) { return a.frame < b.frame; });
    piece.division = division;
    piece.tempo = TempoMap(std::move(g.tempo), division);
    for (MidiEvent& e : g.events)
        e.frame = piece.FrameAt(e.frame);
    piece.events = std::move(g.events);
    piece.sysex = std::move(g.sysex);
    piece.endTick = g.endTick;
    piece.endFrame = piece.FrameAt(g.endTick);
    return nullptr;
}

} // namespace platform::midi
