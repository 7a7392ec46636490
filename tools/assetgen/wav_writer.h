// RIFF WAVE files: 16-bit signed PCM, one channel.
#pragma once
#include <vector>

#include "byte_writer.h"

namespace assetgen {

inline constexpr int kSampleRate = 22050;

// `samples` are in -1..1; anything beyond is clamped (the synthesiser keeps well inside).
Bytes EncodeWav(const std::vector<double>& samples, int sampleRate = kSampleRate);

} // namespace assetgen
