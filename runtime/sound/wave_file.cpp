#include "wave_file.h"

#include <cstring>

#include "platform/byte_order.h"

namespace tessary {
namespace {

constexpr size_t kChunkHeaderSize = 8;
constexpr size_t kFormatReadSize = 18;

using platform::ReadLe16;
using platform::ReadLe32;

bool IsId(const uint8_t* p, const char* id) {
    return std::memcmp(p, id, 4) == 0;
}

// Where the chunk that starts at offset ends, its pad byte included. Sizes are 32-bit, so the
// sum is taken in 64 bits and may lie beyond the file; callers compare it with the end.
uint64_t ChunkEnd(uint64_t offset, uint32_t size) {
    return offset + kChunkHeaderSize + size + (size & 1u);
}

WaveFormat ReadFormat(const uint8_t* p) {
    WaveFormat f;
    f.formatTag = ReadLe16(p);
    f.channels = ReadLe16(p + 2);
    f.samplesPerSec = ReadLe32(p + 4);
    f.avgBytesPerSec = ReadLe32(p + 8);
    f.blockAlign = ReadLe16(p + 12);
    f.bitsPerSample = ReadLe16(p + 14);
    f.extraSize = ReadLe16(p + 16);
    return f;
}

} // namespace

WaveParse ParseWave(const uint8_t* bytes, size_t size) {
    WaveParse result;
    if (bytes == nullptr) return result;

    // The RIFF chunk of form WAVE, searched among the top-level chunks.
    uint64_t riff = 0;
    while (true) {
        if (riff + kChunkHeaderSize + 4 > size) return result;
        if (IsId(bytes + riff, "RIFF") && IsId(bytes + riff + 8, "WAVE")) break;
        riff = ChunkEnd(riff, ReadLe32(bytes + riff + 4));
    }
    // A RIFF size beyond the file (a cut-off copy) is searched only up to the file's end.
    uint64_t riffEnd = ChunkEnd(riff, ReadLe32(bytes + riff + 4));
    if (riffEnd > size) riffEnd = size;

    // The first sub-chunk, whatever it is, holds the format.
    const uint64_t first = riff + 12;
    result.status = WaveParseStatus::ShortFormat;
    if (first + kChunkHeaderSize + kFormatReadSize > size) return result;
    result.format = ReadFormat(bytes + first + kChunkHeaderSize);
    if (result.format.formatTag != kWaveFormatPcm) {
        result.status = WaveParseStatus::NotPcm;
        return result;
    }

    // After the format chunk, the "data" chunk within the RIFF chunk.
    result.status = WaveParseStatus::NoDataChunk;
    uint64_t chunk = ChunkEnd(first, ReadLe32(bytes + first + 4));
    while (chunk + kChunkHeaderSize <= riffEnd) {
        const uint32_t chunkSize = ReadLe32(bytes + chunk + 4);
        if (IsId(bytes + chunk, "data")) {
            const uint64_t data = chunk + kChunkHeaderSize;
            if (data + chunkSize > size) {
                result.status = WaveParseStatus::ShortData;
                return result;
            }
            result.status = WaveParseStatus::Ok;
            result.dataOffset = static_cast<size_t>(data);
            result.dataSize = chunkSize;
            return result;
        }
        chunk = ChunkEnd(chunk, chunkSize);
    }
    return result;
}

const char* WaveParseReason(WaveParseStatus status) {
    switch (status) {
    case WaveParseStatus::Ok:
        return "ok";
    case WaveParseStatus::NoRiffWave:
        return "not a RIFF WAVE file";
    case WaveParseStatus::ShortFormat:
        return "the format chunk is cut off";
    case WaveParseStatus::NotPcm:
        return "not PCM";
    case WaveParseStatus::NoDataChunk:
        return "no data chunk";
    case WaveParseStatus::ShortData:
        return "the data chunk runs past the end of the file";
    }
    return "unknown";
}

} // namespace tessary
