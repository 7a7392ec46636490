// The choices the settings dialog edits, where they start from, and the exact text of Game.ini
// they become.
#pragma once
#include <string>
#include <vector>

#include "game/flow/player_keys.h"

namespace editor {

// The editor's own start values, for a game that has no settings file yet.
struct EditorSettings {
    // [PelkoGame]
    int fps = 60;
    unsigned char fullColor = 1;
    unsigned char showFps = 0;
    unsigned char showObjectFrame = 0;
    unsigned char useVram = 1;
    unsigned char useVsync = 0;
    int fullScreen = 0;
    int useFlip = 0;
    int waveVolume = 80;
    // [Pelko]
    int musicVolume = 100;
    int scaling = 0; // 0 sharp, 1 whole multiples
    pelko::PlayerKeys keys;
};

// What the dialog starts from: the start values above when there is no file at gamePath, else
// what the game would play with after reading that file by its own rules (a missing key gives
// the game's default, a rate or volume it cannot use gives what it uses instead). A file that
// cannot be read is read by the game as an empty one, and so here; one debug line says why.
EditorSettings StartingSettings(const std::string& gamePath);

// One line "key=value" of the section [Pelko].
struct ProfileLine {
    std::string key;
    std::string value;
};

// The lines of [Pelko], in the order they are written: the volumes and scaling, then one key
// per action by its name.
std::vector<ProfileLine> PelkoSectionLines(const EditorSettings& settings);

// The file's text with '\n' line breaks. First the game's own section, exactly as the editor
// has always written it: ten lines with no break after the last one, and two tabs after the
// ShowObjectFrame value that the game's reader skips as trailing blanks. The limits MaxTP,
// MaxPower and MaxSpeed are never written, so hand-edited values do not survive a save but the
// game's defaults apply. Then a line break and the section [Pelko], each of its lines ended.
std::string FormatSettingsText(const EditorSettings& settings);

// Writes the text to gamePath with CR LF line breaks, as the platform saves a file (a link is
// followed, a read-only file is left alone, the old file is replaced only once the new one is
// complete). False, with one line on the debug output saying why, when nothing was written.
bool WriteSettingsFile(const EditorSettings& settings, const std::string& gamePath);

} // namespace editor
