// Standard MIDI files, format 1: a conductor track with tempo and metre, then one track per part.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "byte_writer.h"

namespace assetgen {

inline constexpr int kTicksPerQuarter = 480;

class MidiSong {
  public:
    MidiSong(int beatsPerMinute, int beatsPerBar);

    // Adds a part and returns its index; its channel's program is set at tick 0.
    int AddPart(const std::string& name, int channel, int program, int volume, int pan);
    void Note(int part, uint32_t tick, uint32_t length, int key, int velocity);
    void Controller(int part, uint32_t tick, int number, int value);

    // Every track ends at `endTick`, so the piece loops on a bar line.
    Bytes Encode(uint32_t endTick) const;

  private:
    struct Event {
        uint32_t tick;
        int order; // at one tick: controllers, then note-offs, then note-ons
        std::vector<uint8_t> data;
    };
    struct Part {
        std::string name;
        int channel;
        std::vector<Event> events;
    };
    Bytes EncodeTrack(const std::string& name, std::vector<Event> events, uint32_t endTick) const;

    int tempo_;
    int beatsPerBar_;
    std::vector<Part> parts_;
};

} // namespace assetgen
