// Any bytes through the RIFF walk: it must never read outside them, and whatever it accepts must
// lie inside them.
#include <cstdlib>

#include "runtime/sound/wave_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const tessary::WaveParse wave = tessary::ParseWave(data, size);
    if (wave.status == tessary::WaveParseStatus::Ok &&
        (wave.dataOffset > size || wave.dataSize > size - wave.dataOffset))
        std::abort();
    return 0;
}
