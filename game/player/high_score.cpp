// The high score file: four bytes holding the bitwise complement of the score, least significant
// byte first, written and read through the text-mode translation so that files written on the
// original platform and by us read the same both ways.
#include "game/player/high_score.h"

#include <cstdint>
#include <string>

#include "game/flow/game_globals.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "runtime/shell/diagnostics.h"

namespace pelko {
namespace {

constexpr const char* kHighScorePath = "GameData\\HighScore.dat";
constexpr int32_t kDefaultHighScore = 10000;
constexpr size_t kScoreBytes = 4;
constexpr char kTextEnd = 0x1A;

// The stored bytes with the line-end translation undone. A text-mode reader would stop at a 0x1A
// byte, yet the writer puts one there whenever the complement holds it (about one score in 64);
// reading on past it keeps such a score instead of falling back to the default.
std::string UntranslateWholeFile(const std::string& raw) {
    std::string out;
    size_t start = 0;
    for (;;) {
        const size_t end = raw.find(kTextEnd, start);
        out +=
            platform::FromTextMode(raw.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos) return out;
        out.push_back(kTextEnd);
        start = end + 1;
    }
}

} // namespace

void LoadHighScore() {
    GameGlobals& g = Globals();
    const auto raw = platform::ReadBinaryFile(platform::HostPath(kHighScorePath));
    if (!raw) {
        g.highScore = kDefaultHighScore;
        return;
    }
    const std::string data = UntranslateWholeFile(*raw);
    if (data.size() < kScoreBytes) {
        tessary::DebugPrint("%s holds only %zu bytes; the high score is %d.\n", kHighScorePath,
                            data.size(), kDefaultHighScore);
        g.highScore = kDefaultHighScore;
        return;
    }
    uint32_t stored = 0;
    for (size_t i = 0; i < kScoreBytes; ++i)
        stored |= static_cast<uint32_t>(static_cast<uint8_t>(data[i])) << (8 * i);
    g.highScore = static_cast<int32_t>(~stored);
}

void SaveHighScore() {
    const uint32_t stored = ~static_cast<uint32_t>(Globals().highScore);
    std::string bytes(kScoreBytes, '\0');
    for (size_t i = 0; i < kScoreBytes; ++i)
        bytes[i] = static_cast<char>((stored >> (8 * i)) & 0xFF);
    // The new file is complete and on disk before it replaces the old one, so an interrupted save
    // leaves the previous score in place. A file that cannot be written is silently skipped.
    platform::WriteTextModeFile(platform::HostPath(kHighScorePath), bytes);
}

} // namespace pelko
