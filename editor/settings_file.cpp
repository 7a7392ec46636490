#include "editor/editor_settings.h"

#include <algorithm>
#include <cstdio>

#include "game/flow/settings_rules.h"
#include "platform/debug_output.h"
#include "platform/key_names.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/text_file.h"

namespace editor {
namespace {

// A volume beyond 0..100 plays as full or as silent, so the slider shows that end.
int VolumeInUse(int volume) {
    return std::clamp(volume, 0, 100);
}

EditorSettings AsTheGameReadsThem(const std::string& text) {
    const pelko::GameSectionSettings game = pelko::ReadGameSection(text);
    const pelko::PelkoSectionSettings pelko = pelko::ReadPelkoSection(text);
    EditorSettings s;
    s.fps = game.fps;
    s.fullColor = game.use256Color ? 0 : 1;
    s.showFps = game.showFps;
    s.showObjectFrame = game.drawsHitBoxes;
    s.useVram = game.useVram;
    s.useVsync = game.useVsync;
    s.fullScreen = game.fullScreen;
    s.useFlip = game.useFlip;
    s.waveVolume = VolumeInUse(game.waveVolume);
    s.musicVolume = VolumeInUse(pelko.musicVolume);
    s.scaling = pelko.scaling;
    s.keys = pelko.keys;
    return s;
}

std::string FormatGameSection(const EditorSettings& s) {
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

} // namespace

EditorSettings StartingSettings(const std::string& gamePath) {
    const platform::FileContents file = platform::ReadProfileFile(gamePath.c_str());
    if (file.missing) return EditorSettings{};
    if (!file.Read())
        platform::OutputDebugString((platform::HostPath(gamePath) + " " + file.refusal +
                                     "; the game reads it as empty, and so does the dialog.\n")
                                        .c_str());
    return AsTheGameReadsThem(file.Read() ? file.bytes : std::string());
}

std::vector<ProfileLine> PelkoSectionLines(const EditorSettings& s) {
    std::vector<ProfileLine> lines = {
        {pelko::kMusicVolumeKey, std::to_string(s.musicVolume)},
        {pelko::kScalingKey, std::to_string(s.scaling)},
    };
    for (const pelko::ActionKey& k : pelko::kActionKeys)
        lines.push_back({k.iniKey, platform::KeyName(s.keys.Key(k.action))});
    return lines;
}

std::string FormatSettingsText(const EditorSettings& settings) {
    std::string text = FormatGameSection(settings);
    text += std::string("\n[") + pelko::kPelkoSection + "]\n";
    for (const ProfileLine& line : PelkoSectionLines(settings))
        text += line.key + "=" + line.value + "\n";
    return text;
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
