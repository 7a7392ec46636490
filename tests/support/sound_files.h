// Small wave and MIDI files built in code, for the sound tests, the benchmark and the listening
// program. Everything is little-endian RIFF or big-endian standard MIDI, byte by byte.
#pragma once
#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

namespace pelko::testing {

inline void PutLe(std::string& s, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        s += static_cast<char>((v >> (8 * i)) & 0xFF);
}
inline void PutBe(std::string& s, uint32_t v, int bytes) {
    for (int i = bytes - 1; i >= 0; --i)
        s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// One RIFF chunk: identifier, size, payload and the pad byte of an odd size. sizeField
// overrides the stored size (for files that lie about it).
inline std::string Chunk(const std::string& id, const std::string& payload,
                         int64_t sizeField = -1) {
    std::string s = id.substr(0, 4);
    PutLe(s,
          sizeField < 0 ? static_cast<uint32_t>(payload.size()) : static_cast<uint32_t>(sizeField),
          4);
    s += payload;
    if (payload.size() % 2 == 1) s += '\0';
    return s;
}

struct WavFormat {
    uint16_t tag = 1;
    uint16_t channels = 1;
    uint32_t rate = 44100;
    uint16_t bits = 16;
    int blockAlign = -1; // -1: channels * bits / 8
};

// The 16-byte format chunk most tools write.
inline std::string FormatChunk(const WavFormat& f) {
    const uint16_t align = f.blockAlign < 0 ? static_cast<uint16_t>(f.channels * f.bits / 8)
                                            : static_cast<uint16_t>(f.blockAlign);
    std::string p;
    PutLe(p, f.tag, 2);
    PutLe(p, f.channels, 2);
    PutLe(p, f.rate, 4);
    PutLe(p, f.rate * align, 4);
    PutLe(p, align, 2);
    PutLe(p, f.bits, 2);
    return Chunk("fmt ", p);
}

inline std::string Riff(const std::string& chunks) {
    return Chunk("RIFF", "WAVE" + chunks);
}

inline std::string Pcm16(std::initializer_list<int> samples) {
    std::string s;
    for (int v : samples)
        PutLe(s, static_cast<uint16_t>(static_cast<int16_t>(v)), 2);
    return s;
}
inline std::string Pcm16(const std::vector<int16_t>& samples) {
    std::string s;
    for (int16_t v : samples)
        PutLe(s, static_cast<uint16_t>(v), 2);
    return s;
}

inline std::string MakeWav(const WavFormat& f, const std::string& data) {
    return Riff(FormatChunk(f) + Chunk("data", data));
}

// A variable-length MIDI quantity.
inline std::string VarLen(uint32_t v) {
    std::string s(1, static_cast<char>(v & 0x7F));
    while ((v >>= 7) != 0)
        s.insert(s.begin(), static_cast<char>(0x80 | (v & 0x7F)));
    return s;
}

inline std::string MidiFile(const std::vector<std::string>& trackEvents, uint16_t division = 480) {
    std::string s = "MThd";
    PutBe(s, 6, 4);
    PutBe(s, trackEvents.size() > 1 ? 1 : 0, 2);
    PutBe(s, static_cast<uint32_t>(trackEvents.size()), 2);
    PutBe(s, division, 2);
    for (const std::string& events : trackEvents) {
        s += "MTrk";
        PutBe(s, static_cast<uint32_t>(events.size()), 4);
        s += events;
    }
    return s;
}

// A tune at 120 beats a minute (480 ticks a beat, so one tick is 1/960 s): `beats` quarter
// notes climbing from middle C on a piano, then the end of the track. It lasts beats / 2 seconds.
inline std::string MakeTune(int beats, int program = 0, int velocity = 100) {
    std::string e;
    e += VarLen(0) + "\xFF\x51\x03" + std::string("\x07\xA1\x20", 3); // 500000 us a beat
    e += VarLen(0) + static_cast<char>(0xC0) + static_cast<char>(program);
    for (int i = 0; i < beats; ++i) {
        const char key = static_cast<char>(60 + (i * 2) % 24);
        e += VarLen(0) + static_cast<char>(0x90) + key + static_cast<char>(velocity);
        e += VarLen(480) + static_cast<char>(0x80) + key + static_cast<char>(0);
    }
    e += VarLen(0) + std::string("\xFF\x2F\x00", 3);
    return MidiFile({e});
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

} // namespace pelko::testing
