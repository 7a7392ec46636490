#include "window_state_file.h"

#include <charconv>
#include <filesystem>
#include <sstream>

#include "../common/user_folders.h"
#include "platform/message_box.h"
#include "platform/text_file.h"

namespace platform::sdl {
namespace {

constexpr size_t kMaxFileBytes = 4096;
constexpr int kLargestSize = 32767;

std::string StateFile() {
    const std::string folder = UserStateFolder();
    return folder.empty() ? "" : folder + "/pelko/window.ini";
}

void Say(const std::string& line) {
    OutputDebugString((line + "\n").c_str());
}

// "key=value" lines; other lines (the comment) are skipped.
std::optional<int> Value(const std::string& text, const std::string& key) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(key + "=", 0) != 0) continue;
        int value = 0;
        const char* first = line.data() + key.size() + 1;
        const char* last = line.data() + line.size();
        if (std::from_chars(first, last, value).ec == std::errc{}) return value;
    }
    return std::nullopt;
}

std::string WindowStateText(const SavedWindow& window) {
    return "# The game window as the player left it; the game writes this file as it ends.\n"
           "width=" +
           std::to_string(window.width) + "\nheight=" + std::to_string(window.height) +
           "\nmaximized=" + (window.maximized ? "1" : "0") +
           "\nfullscreen=" + (window.fullScreen ? "1" : "0") + "\n";
}

// Nothing when a size is missing or outside 1..32767.
std::optional<SavedWindow> ParseWindowState(const std::string& text) {
    const std::optional<int> width = Value(text, "width"), height = Value(text, "height");
    if (!width || !height || *width < 1 || *height < 1 || *width > kLargestSize ||
        *height > kLargestSize)
        return std::nullopt;
    return SavedWindow{*width, *height, Value(text, "maximized").value_or(0) == 1,
                       Value(text, "fullscreen").value_or(0) == 1};
}

} // namespace

std::optional<SavedWindow> ReadSavedWindow() {
    const std::string path = StateFile();
    if (path.empty()) return std::nullopt;
    const FileContents file = ReadWholeFile(path, kMaxFileBytes);
    if (file.missing) return std::nullopt;
    if (!file.Read()) {
        Say(path + " " + file.refusal + "; the window starts at its first size.");
        return std::nullopt;
    }
    std::optional<SavedWindow> window = ParseWindowState(file.bytes);
    if (!window) Say(path + " names no window size; the window starts at its first size.");
    return window;
}

void SaveWindow(const SavedWindow& window) {
    const std::string path = StateFile();
    if (path.empty()) return;
    std::error_code made;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), made);
    std::string why;
    if (!SaveFile(path, WindowStateText(window), &why))
        Say("The window's size is not kept: " + path + " " + why + ".");
}

} // namespace platform::sdl
