// Writes the game's pictures, sounds and music into the game folder given as the argument.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "asset_set.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s GAME_FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path root = argv[1];
    for (const assetgen::GeneratedFile& file : assetgen::GenerateAllAssets()) {
        const std::filesystem::path path = root / file.path;
        std::error_code error;
        std::filesystem::create_directories(path.parent_path(), error);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(file.bytes.data()),
                  static_cast<std::streamsize>(file.bytes.size()));
        if (!out) {
            std::fprintf(stderr, "assetgen: cannot write %s\n", path.string().c_str());
            return 1;
        }
    }
    return 0;
}
