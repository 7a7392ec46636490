// The settings reader over arbitrary bytes, as they come from the file (a UTF-16 file decoded
// first): it must never crash, hang or read out of bounds, and a key it cannot read gives the
// default.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/profile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text =
        platform::ProfileTextFromBytes(std::string(reinterpret_cast<const char*>(data), size));
    for (const char* key : {"FPS", "Color", "FullScreen", "WaveVolume", ""}) {
        int value = platform::ProfileIntFromText(text, "PelkoGame", key, 12345);
        if (text.find('=') == std::string::npos && value != 12345) std::abort();
    }
    return 0;
}
