// HighScore.dat over arbitrary bytes: reading never crashes or reads past the file, a file too
// short for a score gives the default, and whatever score was read survives a save and a load.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "game/flow/game_globals.h"
#include "game/player/high_score.h"
#include "platform/headless.h"
#include "platform/paths.h"
#include "platform/text_file.h"

namespace fs = std::filesystem;

namespace {

void Require(bool ok) {
    if (!ok) std::abort();
}

// The game reads its files relative to the current directory; libFuzzer names its corpus
// relative to the directory it started in. So each input is handled inside a game folder of its
// own and the directory is put back after it.
class InGameFolder {
  public:
    InGameFolder() : previous_(fs::current_path()) {
        static const fs::path folder = [] {
            fs::path dir =
                fs::temp_directory_path() / ("pelko_high_score_fuzz_" + std::to_string(getpid()));
            fs::create_directories(dir / "GameData");
            return dir;
        }();
        fs::current_path(folder);
    }
    ~InGameFolder() { fs::current_path(previous_); }
    InGameFolder(const InGameFolder&) = delete;
    InGameFolder& operator=(const InGameFolder&) = delete;

  private:
    fs::path previous_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const InGameFolder inFolder;
    {
        std::ofstream out("GameData/HighScore.dat", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    platform::headless::Reset();
    pelko::ResetGameStatics();
    pelko::GameGlobals& g = pelko::Globals();
    g.highScore = -7;
    pelko::LoadHighScore();
    const int32_t read = g.highScore;
    // Fewer than four bytes cannot hold a score even before the line ends are undone.
    if (size < 4) Require(read == 10000);
    const std::string path = platform::HostPath("GameData\\HighScore.dat");
    // A file far larger than any the game writes is not read, and no save replaces it.
    if (size > 4096) {
        Require(read == 10000);
        pelko::SaveHighScore();
        Require(fs::file_size(path) == size);
        return 0;
    }

    pelko::SaveHighScore();
    Require(platform::ReadWholeFile(path, 4096).Read());
    g.highScore = read ^ 0x5A5A5A5A;
    pelko::LoadHighScore();
    Require(g.highScore == read);

    // Any score at all comes back from its file, whichever bytes its complement holds.
    if (size >= 4) {
        uint32_t bits = 0;
        for (size_t i = 0; i < 4; ++i)
            bits |= static_cast<uint32_t>(data[i]) << (8 * i);
        g.highScore = static_cast<int32_t>(bits);
        pelko::SaveHighScore();
        g.highScore = 0;
        pelko::LoadHighScore();
        Require(g.highScore == static_cast<int32_t>(bits));
    }
    return 0;
}
