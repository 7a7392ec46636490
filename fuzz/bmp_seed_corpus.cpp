// Writes the BMP fuzzer's seed corpus into the folder given: small valid files of each kind the
// decoder takes, for the fuzzer to mutate.
#include <string>

#include "support/bmp_writer.h"

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string dir = argv[1];
    auto colour = [](int x, int y) { return static_cast<uint32_t>(x * 0x112233 + y * 0x030507); };
    auto index = [](int x, int y) { return static_cast<uint8_t>(x + y * 3); };
    std::vector<uint32_t> table(256);
    for (uint32_t i = 0; i < 256; ++i)
        table[i] = i * 0x010203u;
    testsupport::WriteFile(dir + "/rgb24.bmp", testsupport::MakeBmp24(7, 5, colour));
    testsupport::WriteFile(dir + "/rgb24_top_down.bmp", testsupport::MakeBmp24(3, 4, colour, true));
    testsupport::WriteFile(dir + "/indexed8.bmp", testsupport::MakeBmp8(9, 3, table, index));
    // Run-length 8 bits: a run, an end of line, a literal run of three, a delta, the end.
    const std::vector<uint8_t> runs = {4, 1, 0, 0, 0, 3, 5, 6, 7, 0, 0, 2, 1, 0, 0, 1};
    auto rle = testsupport::BmpHeaders(4, 3, 8, 8, 1, runs.size());
    std::copy(runs.begin(), runs.end(), rle.begin() + 54 + 8 * 4);
    testsupport::WriteFile(dir + "/rle8.bmp", rle);
    return 0;
}
