#include "midi_file_check.h"

namespace platform::midi {
namespace {

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

const char* CheckTrack(const uint8_t* data, size_t size) {
    Reader r(data, size);
    uint8_t running = 0;
    while (r.Left() > 0) {
        uint32_t delta;
        if (!r.VarLen(delta)) return "a track has a broken delta time";
        uint8_t status;
        if (!r.Byte(status)) return "a track ends inside an event";
        if (status == 0xFF) {
            uint8_t type;
            uint32_t length;
            if (!r.Byte(type) || !r.VarLen(length) || !r.Skip(length))
                return "a meta event runs past its track";
            if (type == 0x2F) return nullptr; // end of track; anything after it is ignored
            continue;
        }
        if (status == 0xF0 || status == 0xF7) {
            uint32_t length;
            if (!r.VarLen(length) || !r.Skip(length))
                return "a system exclusive event runs past its track";
            continue;
        }
        int dataBytes;
        if (status & 0x80) {
            if (status >= 0xF0) return "a track holds a system message a file may not carry";
            running = status;
            dataBytes = ChannelDataBytes(status);
        } else {
            if (running == 0) return "a track starts with running status";
            dataBytes = ChannelDataBytes(running) - 1; // the first data byte was read as status
        }
        for (int i = 0; i < dataBytes; ++i) {
            uint8_t d;
            if (!r.Byte(d)) return "a track ends inside an event";
            if (d & 0x80) return "a channel event has a data byte above 127";
        }
    }
    return nullptr;
}

} // namespace

const char* CheckMidiFile(const uint8_t* data, size_t size) {
    if (data == nullptr || size < 14 || !IsId(data, "MThd")) return "not a standard MIDI file";
    Reader r(data + 4, size - 4);
    uint32_t headerLength, format, tracks, division;
    r.Be(4, headerLength);
    if (headerLength < 6 || headerLength > r.Left()) return "the MIDI header is broken";
    r.Be(2, format);
    r.Be(2, tracks);
    r.Be(2, division);
    r.Skip(headerLength - 6);
    if (format > 2) return "unknown MIDI file format";
    if (tracks == 0 || tracks > kMaxMidiTracks)
        return "the MIDI file's track count is out of range";
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
            if (const char* why = CheckTrack(r.Here(), length)) return why;
            ++found;
        }
        r.Skip(length);
    }
    return nullptr;
}

} // namespace platform::midi
