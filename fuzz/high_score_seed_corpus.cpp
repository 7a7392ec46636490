// Writes the high score fuzzer's seeds into the folder given: score files as the game writes
// them, among them scores whose stored complement holds a line end or the text-end byte.
#include <cstdint>
#include <string>

#include "platform/text_file.h"

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string dir = argv[1];
    const int32_t scores[] = {10000,       0,           123456789,   -1,
                              ~0x0A0A0A0A, ~0x0D0D0D0D, ~0x1A1A1A1A, ~0x0D0A1A00};
    int n = 0;
    for (int32_t score : scores) {
        const uint32_t stored = ~static_cast<uint32_t>(score);
        std::string bytes(4, '\0');
        for (size_t i = 0; i < 4; ++i)
            bytes[i] = static_cast<char>((stored >> (8 * i)) & 0xFF);
        platform::WriteTextModeFile(dir + "/score" + std::to_string(n++) + ".dat", bytes);
    }
    return 0;
}
