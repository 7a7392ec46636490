// The choices the settings dialog edits, and the exact text of Game.ini they become.
#pragma once
#include <string>

namespace editor {

// Every run starts from these values; the editor never reads an existing file.
struct EditorSettings {
    int fps = 60;
    unsigned char fullColor = 1;
    unsigned char showFps = 0;
    unsigned char showObjectFrame = 0;
    unsigned char useVram = 1;
    unsigned char useVsync = 0;
    int fullScreen = 0;
    int useFlip = 0;
    int waveVolume = 80;
};

// The file's text with '\n' line breaks: ten lines, no break after the last one, and two tabs
// after the ShowObjectFrame value that the game's reader skips as trailing blanks. The limits
// MaxTP, MaxPower and MaxSpeed are never written, so hand-edited values do not survive a save
// but the game's defaults apply.
std::string FormatSettingsText(const EditorSettings& settings);

// Writes the text to gamePath with CR LF line breaks, as the platform saves a file (a link is
// followed, a read-only file is left alone, the old file is replaced only once the new one is
// complete). False, with one line on the debug output saying why, when nothing was written.
bool WriteSettingsFile(const EditorSettings& settings, const std::string& gamePath);

} // namespace editor
