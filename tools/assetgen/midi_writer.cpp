#include "midi_writer.h"

#include <algorithm>

namespace assetgen {
namespace {

void PutVarLen(Bytes& out, uint32_t value) {
    uint8_t groups[5];
    int n = 0;
    do {
        groups[n++] = value & 0x7F;
        value >>= 7;
    } while (value != 0);
    while (n > 1)
        out.push_back(groups[--n] | 0x80);
    out.push_back(groups[0]);
}

void PutMeta(Bytes& out, uint8_t type, const std::vector<uint8_t>& payload) {
    out.push_back(0xFF);
    out.push_back(type);
    PutVarLen(out, static_cast<uint32_t>(payload.size()));
    out.insert(out.end(), payload.begin(), payload.end());
}

} // namespace

MidiSong::MidiSong(int beatsPerMinute, int beatsPerBar)
    : tempo_(beatsPerMinute), beatsPerBar_(beatsPerBar) {}

int MidiSong::AddPart(const std::string& name, int channel, int program, int volume, int pan) {
    Part part{name, channel, {}};
    const auto status = [&](uint8_t kind) { return static_cast<uint8_t>(kind | channel); };
    part.events.push_back({0, 0, {status(0xB0), 121, 0}}); // reset all controllers
    part.events.push_back({0, 0, {status(0xC0), static_cast<uint8_t>(program)}});
    part.events.push_back({0, 0, {status(0xB0), 7, static_cast<uint8_t>(volume)}});
    part.events.push_back({0, 0, {status(0xB0), 10, static_cast<uint8_t>(pan)}});
    part.events.push_back({0, 0, {status(0xB0), 91, 24}}); // a little reverb
    part.events.push_back({0, 0, {status(0xB0), 93, 0}});  // no chorus
    parts_.push_back(std::move(part));
    return static_cast<int>(parts_.size()) - 1;
}

void MidiSong::Note(int part, uint32_t tick, uint32_t length, int key, int velocity) {
    Part& p = parts_[part];
    const auto k = static_cast<uint8_t>(std::clamp(key, 0, 127));
    const auto v = static_cast<uint8_t>(std::clamp(velocity, 1, 127));
    p.events.push_back({tick, 2, {static_cast<uint8_t>(0x90 | p.channel), k, v}});
    p.events.push_back({tick + length, 1, {static_cast<uint8_t>(0x80 | p.channel), k, 0}});
}

void MidiSong::Controller(int part, uint32_t tick, int number, int value) {
    Part& p = parts_[part];
    p.events.push_back({tick,
                        0,
                        {static_cast<uint8_t>(0xB0 | p.channel), static_cast<uint8_t>(number),
                         static_cast<uint8_t>(std::clamp(value, 0, 127))}});
}

Bytes MidiSong::EncodeTrack(const std::string& name, std::vector<Event> events,
                            uint32_t endTick) const {
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    Bytes body;
    PutVarLen(body, 0);
    PutMeta(body, 0x03, std::vector<uint8_t>(name.begin(), name.end()));
    uint32_t now = 0;
    for (const Event& e : events) {
        const uint32_t tick =
            std::min(e.tick, endTick); // notes ringing past the loop end stop on it
        PutVarLen(body, tick - now);
        now = tick;
        body.insert(body.end(), e.data.begin(), e.data.end());
    }
    PutVarLen(body, endTick - now);
    PutMeta(body, 0x2F, {});
    Bytes track;
    PutText(track, "MTrk");
    PutBe32(track, static_cast<uint32_t>(body.size()));
    track.insert(track.end(), body.begin(), body.end());
    return track;
}

Bytes MidiSong::Encode(uint32_t endTick) const {
    Bytes out;
    PutText(out, "MThd");
    PutBe32(out, 6);
    PutBe16(out, 1);
    PutBe16(out, static_cast<uint32_t>(parts_.size() + 1));
    PutBe16(out, kTicksPerQuarter);
    const uint32_t microsPerQuarter = 60000000u / static_cast<uint32_t>(tempo_);
    std::vector<Event> conductor = {
        {0,
         0,
         {0xFF, 0x51, 0x03, static_cast<uint8_t>(microsPerQuarter >> 16),
          static_cast<uint8_t>(microsPerQuarter >> 8), static_cast<uint8_t>(microsPerQuarter)}},
        {0, 0, {0xFF, 0x58, 0x04, static_cast<uint8_t>(beatsPerBar_), 2, 24, 8}},
    };
    const Bytes first = EncodeTrack("Conductor", conductor, endTick);
    out.insert(out.end(), first.begin(), first.end());
    for (const Part& part : parts_) {
        const Bytes track = EncodeTrack(part.name, part.events, endTick);
        out.insert(out.end(), track.begin(), track.end());
    }
    return out;
}

} // namespace assetgen
