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
// The game writes 4 to 8 bytes; a file far larger is not a high score file.
constexpr size_t kMaxHighScoreFileBytes = 4096;
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
    g.highScore = kDefaultHighScore;
    g.storedHighScore = kDefaultHighScore;
    g.highScoreFileReplaceable = 1;
    const platform::FileContents file =
        platform::ReadWholeFile(platform::HostPath(kHighScorePath), kMaxHighScoreFileBytes);
    if (file.missing) return;
    if (!file.Read()) {
        // It may hold a better score than the default, so no save may replace it.
        g.highScoreFileReplaceable = 0;
        tessary::DebugPrint("%s %s; the high score is %d and the file is left alone.\n",
                            kHighScorePath, file.refusal.c_str(), kDefaultHighScore);
        return;
    }
    const std::string data = UntranslateWholeFile(file.bytes);
    if (data.size() < kScoreBytes) {
        tessary::DebugPrint("%s holds only %zu bytes; the high score is %d.\n", kHighScorePath,
                            data.size(), kDefaultHighScore);
        return;
    }
    uint32_t stored = 0;
    for (size_t i = 0; i < kScoreBytes; ++i)
        stored |= static_cast<uint32_t>(static_cast<uint8_t>(data[i])) << (8 * i);
    g.highScore = static_cast<int32_t>(~stored);
    g.storedHighScore = g.highScore;
}

void SaveHighScore() {
    GameGlobals& g = Globals();
    if (g.highScoreFileReplaceable == 0) {
        tessary::DebugPrint("%s could not be read at the start; the best score %d is not saved "
                            "over it.\n",
                            kHighScorePath, g.highScore);
        return;
    }
    const uint32_t stored = ~static_cast<uint32_t>(g.highScore);
    std::string bytes(kScoreBytes, '\0');
    for (size_t i = 0; i < kScoreBytes; ++i)
        bytes[i] = static_cast<char>((stored >> (8 * i)) & 0xFF);
    // The new file is complete and on disk before it replaces the old one, so an interrupted save
    // leaves the previous score in place.
    std::string why;
    if (!platform::WriteTextModeFile(platform::HostPath(kHighScorePath), bytes, &why)) {
        tessary::DebugPrint("%s %s; the best score %d is not saved.\n", kHighScorePath, why.c_str(),
                            g.highScore);
        return;
    }
    g.storedHighScore = g.highScore;
}

void SaveHighScoreIfBeaten() {
    const GameGlobals& g = Globals();
    if (g.highScore > g.storedHighScore) SaveHighScore();
}

} // namespace pelko
