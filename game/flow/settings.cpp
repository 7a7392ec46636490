// The settings file "GameData\Game.ini": the game's own section [PelkoGame], every key taken by
// the rules the settings editor shares (settings_rules.h) and applied in the order the game has
// always read them; then the section [Pelko] below it, the settings this Linux game adds, read by
// the same profile rules.
#include "game/flow/settings.h"

#include <string>

#include "game/flow/game_globals.h"
#include "game/flow/settings_rules.h"
#include "platform/profile.h"
#include "runtime/graphics/display.h"
#include "runtime/graphics/image_slots.h"
#include "runtime/shell/diagnostics.h"
#include "runtime/sound/music.h"

namespace pelko {
namespace {

constexpr const char* kSettingsPath = "GameData\\Game.ini";

// The file is read once; each key is then read from its text as the profile reader reads it.
class SettingsText {
  public:
    SettingsText() {
        platform::FileContents file = platform::ReadProfileFile(kSettingsPath);
        // A missing file is the usual case and no news; anything else is said once.
        if (!file.missing && !file.Read())
            tessary::DebugPrint("%s %s; the settings are the defaults.\n", kSettingsPath,
                                file.refusal.c_str());
        text_ = std::move(file.bytes);
    }
    const std::string& Text() const { return text_; }

  private:
    std::string text_;
};

// A rate the game cannot play at falls back to the default rate, and says so.
int CheckedFps(const GameSectionSettings& s) {
    if (s.fps != s.fpsAsWritten)
        tessary::DebugPrint("Game.ini: FPS=%d is outside 1..60; playing at 30\n", s.fpsAsWritten);
    return s.fps;
}

} // namespace

void SetFrameRate(GameGlobals& g, int fps) {
    g.fps = fps;
    g.framePeriodMs = 1000 / fps;
    g.speedFactor = (120.0f / static_cast<float>(fps)) * 0.25f;
    g.frameMultiplier = 60 / fps;
}

void ReadSettings() {
    GameGlobals& g = Globals();
    Game& game = TheGame();
    const SettingsText settings;
    const GameSectionSettings s = ReadGameSection(settings.Text());
    SetFrameRate(g, CheckedFps(s));
    game.showFps = s.showFps ? 1 : 0;
    g.showObjectFrame = s.showObjectFrame;
    g.maxTp = s.maxTp;
    g.maxPower = s.maxPower;
    g.maxSpeed = s.maxSpeed;
    tessary::SetVSync(s.useVsync ? 1 : 0);
    tessary::SetUseVRAM(s.useVram ? 1 : 0);
    g.use256Color = s.use256Color ? 1 : 0;
    g.fullScreen = s.fullScreen ? 1 : 0;
    // The same switch as Alt+Enter, made at once; a display already in full screen stays there.
    if (g.fullScreen != 0 && !tessary::TheDisplay().IsFullScreen()) tessary::ToggleFullScreen();
    game.waveVolume = s.waveVolume;
    tessary::SetUseFlip(s.useFlip ? 1 : 0);
    // This game's own settings, below the game's section.
    const PelkoSectionSettings own = ReadPelkoSection(settings.Text());
    tessary::SetMusicVolume(own.musicVolume);
    tessary::SetScaling(own.scaling == kScalingWholeMultiples ? 1 : 0);
    g.keys = own.keys;
}

} // namespace pelko
