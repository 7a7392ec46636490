// The walk through a RIFF WAVE file, over bytes already in memory so that it can be tested and
// fuzzed alone: the RIFF chunk of form "WAVE", its first sub-chunk read as the format, and the
// "data" chunk found after it.
#pragma once
#include <cstddef>
#include <cstdint>

namespace tessary {

// The 18 bytes read from the format chunk, in file order.
struct WaveFormat {
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t samplesPerSec = 0;
    uint32_t avgBytesPerSec = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    uint16_t extraSize = 0;
};

inline constexpr uint16_t kWaveFormatPcm = 1;

enum class WaveParseStatus {
    Ok,
    NoRiffWave,  // no RIFF chunk of form WAVE
    ShortFormat, // fewer than 18 bytes where the format should be
    NotPcm,      // the format tag is not PCM
    NoDataChunk, // no "data" chunk inside the RIFF chunk
    ShortData,   // the data chunk runs past the end of the file
};

struct WaveParse {
    WaveParseStatus status = WaveParseStatus::NoRiffWave;
    WaveFormat format{};
    size_t dataOffset = 0;
    size_t dataSize = 0;
};

// The format is read from the first sub-chunk whatever its identifier, as the loader always has:
// a file whose first sub-chunk is not "fmt " is read wrongly (and then mostly refused as not PCM).
// The 18 bytes may run past a 16-byte format chunk into the next chunk's header; only the first
// 16 matter for PCM.
WaveParse ParseWave(const uint8_t* bytes, size_t size);

// Why a parse failed, for the debug output.
const char* WaveParseReason(WaveParseStatus status);

} // namespace tessary
