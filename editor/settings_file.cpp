#include "editor/editor_settings.h"

#include <algorithm>
#include <cstdio>

#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/text_file.h"

namespace editor {

std::string FormatSettingsText(const EditorSettings& s) {
    // Flags are stored as bytes and written as 1 whenever they are non-zero.
    char buffer[1024];
    const int length = std::snprintf(
        buffer, sizeof buffer,
        "[PelkoGame]\nFPS=%d\nColor=%s\nShowFPS=%d\nShowObjectFrame=%d\t\t\nUseVRAM=%d\n"
        "UseVSync=%d\nFullScreen=%d\nUseFlip=%d\nWaveVolume=%d",
        s.fps, s.fullColor != 0 ? "24Bit" : "256", s.showFps != 0, s.showObjectFrame != 0,
        s.useVram != 0, s.useVsync != 0, s.fullScreen, s.useFlip, s.waveVolume);
    if (length < 0) return {};
    return std::string(buffer, std::min<size_t>(length, sizeof buffer - 1));
}

bool WriteSettingsFile(const EditorSettings& settings, const std::string& gamePath) {
    // The same name in another case is the same file to the game, so that one is replaced.
    const std::string hostPath = platform::HostPath(gamePath);
    std::string why;
    if (platform::WriteTextModeFile(hostPath, FormatSettingsText(settings), &why)) return true;
    platform::OutputDebugString((hostPath + " " + why + "; the settings are not saved.\n").c_str());
    return false;
}

} // namespace editor
