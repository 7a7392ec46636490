// Writes the desktop's pictures of the game into the folder given as the argument:
// icons/hicolor/NxN/apps/{pelko,pelko-settings}.png, screenshots/title.png, and the windows'
// icons as a C++ source, window_icons.cpp.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "assetgen/art.h"
#include "desktop_art.h"

namespace {

bool WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    if (bytes.empty()) {
        std::fprintf(stderr, "desktop_art: cannot encode %s\n", path.string().c_str());
        return false;
    }
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) std::fprintf(stderr, "desktop_art: cannot write %s\n", path.string().c_str());
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path root = argv[1];
    bool ok = true;
    for (int size : desktop_art::kIconSizes) {
        const std::filesystem::path apps =
            root / "icons/hicolor" / (std::to_string(size) + "x" + std::to_string(size)) / "apps";
        ok &= WriteFile(apps / "pelko.png", desktop_art::ToPng(desktop_art::GameIcon(size)));
        ok &= WriteFile(apps / "pelko-settings.png",
                        desktop_art::ToPng(desktop_art::SettingsIcon(size)));
    }
    ok &= WriteFile(root / "screenshots/title.png", desktop_art::ToPng(assetgen::TitlePicture()));
    const std::string icons = desktop_art::WindowIconSource();
    ok &= WriteFile(root / "window_icons.cpp", std::vector<uint8_t>(icons.begin(), icons.end()));
    return ok ? 0 : 1;
}
