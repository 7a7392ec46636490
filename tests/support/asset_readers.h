// Independent readers of the generated files, written from the file formats rather than from the
// generator's writers, so a fault in a writer shows up as a failed read-back.
#pragma once
#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace asset_test {

using Bytes = std::vector<uint8_t>;

inline Bytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline uint32_t Le(const Bytes& b, size_t at, int n) {
    uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i)
        v = (v << 8) | b.at(at + i);
    return v;
}
inline uint32_t Be(const Bytes& b, size_t at, int n) {
    uint32_t v = 0;
    for (int i = 0; i < n; ++i)
        v = (v << 8) | b.at(at + i);
    return v;
}

struct Rgb {
    uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};

// An uncompressed 8- or 24-bit bottom-up BMP, decoded to colours (and indices at 8 bits).
struct Bmp {
    int width = 0, height = 0, bits = 0;
    std::vector<Rgb> palette;     // 256 entries at 8 bits
    std::vector<Rgb> pixels;      // top row first
    std::vector<uint8_t> indices; // 8 bits only
    Rgb At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    uint8_t IndexAt(int x, int y) const { return indices[static_cast<size_t>(y) * width + x]; }
};

inline std::optional<Bmp> ParseBmp(const Bytes& f) {
    if (f.size() < 54 || f[0] != 'B' || f[1] != 'M' || Le(f, 2, 4) != f.size()) return std::nullopt;
    Bmp bmp;
    const uint32_t offset = Le(f, 10, 4);
    if (Le(f, 14, 4) != 40 || Le(f, 26, 2) != 1 || Le(f, 30, 4) != 0) return std::nullopt;
    bmp.width = static_cast<int32_t>(Le(f, 18, 4));
    bmp.height = static_cast<int32_t>(Le(f, 22, 4));
    bmp.bits = static_cast<int>(Le(f, 28, 2));
    if (bmp.width <= 0 || bmp.height <= 0 || (bmp.bits != 8 && bmp.bits != 24)) return std::nullopt;
    if (bmp.bits == 8) {
        if (Le(f, 46, 4) != 256 || offset != 54 + 1024) return std::nullopt;
        for (int i = 0; i < 256; ++i)
            bmp.palette.push_back({f[54 + i * 4 + 2], f[54 + i * 4 + 1], f[54 + i * 4]});
    } else if (offset != 54) {
        return std::nullopt;
    }
    const size_t stride = (static_cast<size_t>(bmp.width) * (bmp.bits / 8) + 3) & ~size_t{3};
    if (offset + stride * bmp.height != f.size()) return std::nullopt;
    for (int y = 0; y < bmp.height; ++y) {
        const size_t row = offset + stride * (bmp.height - 1 - y);
        for (int x = 0; x < bmp.width; ++x) {
            if (bmp.bits == 8) {
                const uint8_t index = f[row + x];
                bmp.indices.push_back(index);
                bmp.pixels.push_back(bmp.palette[index]);
            } else {
                const size_t p = row + static_cast<size_t>(x) * 3;
                bmp.pixels.push_back({f[p + 2], f[p + 1], f[p]});
            }
        }
    }
    return bmp;
}

// A PCM RIFF WAVE file.
struct Wav {
    int channels = 0, sampleRate = 0, bits = 0;
    std::vector<int16_t> samples;
};

inline std::optional<Wav> ParseWav(const Bytes& f) {
    if (f.size() < 12 || std::string(f.begin(), f.begin() + 4) != "RIFF" ||
        std::string(f.begin() + 8, f.begin() + 12) != "WAVE" || Le(f, 4, 4) + 8 != f.size())
        return std::nullopt;
    Wav wav;
    bool haveFormat = false;
    size_t at = 12;
    while (at + 8 <= f.size()) {
        const std::string id(f.begin() + at, f.begin() + at + 4);
        const uint32_t size = Le(f, at + 4, 4);
        if (at + 8 + size > f.size()) return std::nullopt;
        if (id == "fmt ") {
            if (Le(f, at + 8, 2) != 1) return std::nullopt; // PCM only
            wav.channels = static_cast<int>(Le(f, at + 10, 2));
            wav.sampleRate = static_cast<int>(Le(f, at + 12, 4));
            wav.bits = static_cast<int>(Le(f, at + 22, 2));
            if (Le(f, at + 16, 4) !=
                static_cast<uint32_t>(wav.sampleRate * wav.channels * wav.bits / 8))
                return std::nullopt;
            haveFormat = true;
        } else if (id == "data" && haveFormat && wav.bits == 16) {
            for (uint32_t i = 0; i + 1 < size; i += 2)
                wav.samples.push_back(static_cast<int16_t>(Le(f, at + 8 + i, 2)));
        }
        at += 8 + size + (size & 1);
    }
    if (!haveFormat) return std::nullopt;
    return wav;
}

// A standard MIDI file reduced to what the checks need.
struct MidiNote {
    uint32_t start, end;
    int channel, key;
};
struct MidiTrack {
    uint32_t endTick = 0;
    bool ended = false;
    std::vector<MidiNote> notes;
    std::vector<int> programs; // program changes seen
};
struct Midi {
    int format = 0, division = 0;
    uint32_t microsPerQuarter = 500000;
    std::vector<MidiTrack> tracks;
    int danglingNotes = 0; // note-ons never switched off
};

inline std::optional<Midi> ParseMidi(const Bytes& f) {
    if (f.size() < 14 || std::string(f.begin(), f.begin() + 4) != "MThd" || Be(f, 4, 4) != 6)
        return std::nullopt;
    Midi midi;
    midi.format = static_cast<int>(Be(f, 8, 2));
    const uint32_t trackCount = Be(f, 10, 2);
    midi.division = static_cast<int>(Be(f, 12, 2));
    size_t at = 14;
    for (uint32_t t = 0; t < trackCount; ++t) {
        if (at + 8 > f.size() || std::string(f.begin() + at, f.begin() + at + 4) != "MTrk")
            return std::nullopt;
        const size_t end = at + 8 + Be(f, at + 4, 4);
        if (end > f.size()) return std::nullopt;
        MidiTrack track;
        std::vector<std::pair<int, uint32_t>> open[16][128];
        uint32_t tick = 0;
        uint8_t status = 0;
        size_t p = at + 8;
        auto varLen = [&]() {
            uint32_t v = 0;
            for (int i = 0; i < 4; ++i) {
                const uint8_t b = f.at(p++);
                v = (v << 7) | (b & 0x7F);
                if (!(b & 0x80)) return v;
            }
            throw std::runtime_error("variable-length number too long");
        };
        try {
            while (p < end && !track.ended) {
                tick += varLen();
                uint8_t b = f.at(p);
                if (b & 0x80) status = b, ++p;
                if (status == 0xFF) {
                    const uint8_t type = f.at(p++);
                    const uint32_t len = varLen();
                    if (type == 0x51 && len == 3) midi.microsPerQuarter = Be(f, p, 3);
                    if (type == 0x2F) track.ended = true, track.endTick = tick;
                    p += len;
                } else if (status == 0xF0 || status == 0xF7) {
                    p += varLen();
                } else {
                    const int kind = status & 0xF0, channel = status & 0x0F;
                    const uint8_t d1 = f.at(p++);
                    const uint8_t d2 = (kind == 0xC0 || kind == 0xD0) ? 0 : f.at(p++);
                    if (kind == 0xC0) track.programs.push_back(d1);
                    if (kind == 0x90 && d2 > 0) {
                        open[channel][d1].push_back({channel, tick});
                    } else if (kind == 0x80 || (kind == 0x90 && d2 == 0)) {
                        if (open[channel][d1].empty()) return std::nullopt;
                        track.notes.push_back(
                            {open[channel][d1].front().second, tick, channel, d1});
                        open[channel][d1].erase(open[channel][d1].begin());
                    }
                }
            }
        } catch (const std::exception&) {
            return std::nullopt;
        }
        for (auto& byChannel : open)
            for (auto& byKey : byChannel)
                midi.danglingNotes += static_cast<int>(byKey.size());
        if (p != end) return std::nullopt;
        midi.tracks.push_back(std::move(track));
        at = end;
    }
    return midi;
}

} // namespace asset_test
