// Screenshots into the user's pictures folder.
#include "screenshot_internal.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/message_box.h"
#include "platform/png.h"
#include "platform/present.h"
#include "user_folders.h"

namespace platform {
namespace {

// At most this many shots land in one second before the names run out; a held key cannot
// repeat that fast.
constexpr int kMaxNamesPerSecond = 100;

// XDG_PICTURES_DIR from user-dirs.dirs: a line XDG_PICTURES_DIR="$HOME/..." or "/...", the only
// two forms the file may hold. Empty when the file or the line is missing or malformed.
std::string PicturesFromUserDirs(const std::string& home) {
    std::string config = EnvironmentPath("XDG_CONFIG_HOME");
    if (config.empty() || config.front() != '/') config = home + "/.config";
    std::ifstream file(config + "/user-dirs.dirs");
    const std::string key = "XDG_PICTURES_DIR=\"";
    std::string found;
    for (std::string line; std::getline(file, line);) {
        const size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line.compare(start, key.size(), key) != 0) continue;
        const size_t close = line.find('"', start + key.size());
        if (close == std::string::npos) continue;
        std::string value = line.substr(start + key.size(), close - start - key.size());
        if (value.rfind("$HOME", 0) == 0 && (value.size() == 5 || value[5] == '/'))
            found = home + value.substr(5);
        else if (!value.empty() && value.front() == '/')
            found = value;
    }
    return found; // the last line wins, as when the shell reads the file
}

std::string PicturesFolder() {
    std::string pictures = EnvironmentPath("XDG_PICTURES_DIR");
    if (!pictures.empty() && pictures.front() == '/') return pictures;
    const std::string home = HomeFolder();
    if (home.empty()) return "";
    pictures = PicturesFromUserDirs(home);
    return pictures.empty() ? home + "/Pictures" : pictures;
}

// The frame's pixels as the player sees them, 8-bit R, G, B.
std::vector<uint8_t> FrameRgb(const Surface& frame) {
    const int width = frame.Width(), height = frame.Height();
    std::vector<uint8_t> xrgb(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    ConvertToXrgb8888(frame, xrgb.data(), width * 4);
    std::vector<uint8_t> rgb;
    rgb.reserve(xrgb.size() / 4 * 3);
    for (size_t i = 0; i < xrgb.size(); i += 4) {
        uint32_t pixel = 0;
        std::memcpy(&pixel, &xrgb[i], 4);
        rgb.insert(rgb.end(), {static_cast<uint8_t>(pixel >> 16), static_cast<uint8_t>(pixel >> 8),
                               static_cast<uint8_t>(pixel)});
    }
    return rgb;
}

std::string LocalTimeStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%S", &local);
    return stamp;
}

// Creates the first free name of the series, so that two shots in one second never overwrite
// each other (nor a file of the user's); "x" refuses a name that exists.
std::FILE* CreateFreshFile(const std::string& folder, std::string* path) {
    const std::string stem = folder + "/Pelko_" + LocalTimeStamp();
    for (int n = 1; n <= kMaxNamesPerSecond; ++n) {
        *path = stem + (n == 1 ? "" : "_" + std::to_string(n)) + ".png";
        if (std::FILE* file = std::fopen(path->c_str(), "wbx")) return file;
        if (errno != EEXIST) return nullptr;
    }
    errno = EEXIST;
    return nullptr;
}

void Report(const std::string& line) {
    OutputDebugString((line + "\n").c_str());
}

} // namespace

std::string ScreenshotFolder() {
    const std::string pictures = PicturesFolder();
    return pictures.empty() ? "" : pictures + "/Pelko";
}

std::string WriteScreenshot(const Surface& frame) {
    const std::string folder = ScreenshotFolder();
    if (folder.empty()) {
        Report("Screenshot not saved: no home folder to put it in");
        return "";
    }
    if (frame.IsLost()) {
        Report("Screenshot not saved: the picture is not there");
        return "";
    }
    std::vector<uint8_t> png;
    std::string error;
    if (!EncodePng(frame.Width(), frame.Height(), PngChannels::kRgb, FrameRgb(frame), &png,
                   &error)) {
        Report("Screenshot not saved: " + error);
        return "";
    }
    std::error_code made;
    std::filesystem::create_directories(folder, made);
    std::string path;
    std::FILE* file = CreateFreshFile(folder, &path);
    if (file == nullptr) {
        Report("Screenshot not saved in " + folder + ": " + std::strerror(errno));
        return "";
    }
    const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    const int writeError = errno;
    if (std::fclose(file) != 0 || !written) {
        std::remove(path.c_str()); // no half picture left behind
        Report("Screenshot not saved as " + path + ": " +
               std::strerror(written ? errno : writeError));
        return "";
    }
    Report("Screenshot saved as " + path);
    return path;
}

} // namespace platform
