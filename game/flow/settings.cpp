// The settings file "GameData\Game.ini": the game's own section [PelkoGame], every key read as an
// integer in the order the game has always read them, each applied as soon as it is read; then the
// section [Pelko] below it, the settings this Linux game adds, read by the same rules.
#include "game/flow/settings.h"

#include <string>

#include "game/flow/game_globals.h"
#include "platform/profile.h"
#include "runtime/graphics/display.h"
#include "runtime/graphics/image_slots.h"
#include "runtime/shell/diagnostics.h"

namespace pelko {
namespace {

constexpr const char* kSettingsPath = "GameData\\Game.ini";
constexpr const char* kGameSection = "PelkoGame";
constexpr const char* kPelkoSection = "Pelko";
constexpr int kDefaultFps = 30;
constexpr int kHighestFps = 60;

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
    int Read(const char* section, const char* key, int defaultValue) const {
        return platform::ProfileIntFromText(text_, section, key, defaultValue);
    }

  private:
    std::string text_;
};

// Rates outside 1..60 would divide by zero in the frame period or make the stage reader's time
// divisor 0, so they fall back to the default rate.
int CheckedFps(int fps) {
    if (fps >= 1 && fps <= kHighestFps) return fps;
    tessary::DebugPrint("Game.ini: FPS=%d is outside 1..60; playing at 30\n", fps);
    return kDefaultFps;
}

void SetFrameRate(GameGlobals& g, int fps) {
    g.fps = fps;
    g.framePeriodMs = 1000 / fps;
    g.speedFactor = (120.0f / static_cast<float>(fps)) * 0.25f;
    g.frameMultiplier = 60 / fps;
}

} // namespace

void ReadSettings() {
    GameGlobals& g = Globals();
    Game& game = TheGame();
    const SettingsText settings;
    auto ReadKey = [&settings](const char* key, int defaultValue) {
        return settings.Read(kGameSection, key, defaultValue);
    };
    SetFrameRate(g, CheckedFps(ReadKey("FPS", kDefaultFps)));
    game.showFps = ReadKey("ShowFPS", 0) == 1 ? 1 : 0;
    g.showObjectFrame = ReadKey("ShowObjectFrame", 0);
    g.maxTp = ReadKey("MaxTP", 3);
    g.maxPower = ReadKey("MaxPower", 10);
    g.maxSpeed = ReadKey("MaxSpeed", 10);
    tessary::SetVSync(ReadKey("UseVSync", 1) == 1 ? 1 : 0);
    tessary::SetUseVRAM(ReadKey("UseVRAM", 1) == 1 ? 1 : 0);
    const int color = ReadKey("Color", 1);
    g.use256Color = (color == 256 || color == 8) ? 1 : 0;
    g.fullScreen = ReadKey("FullScreen", 0) == 1 ? 1 : 0;
    // The same switch as Alt+Enter, made at once; a display already in full screen stays there.
    if (g.fullScreen != 0 && !tessary::TheDisplay().IsFullScreen()) tessary::ToggleFullScreen();
    game.waveVolume = static_cast<int16_t>(ReadKey("WaveVolume", 100));
    tessary::SetUseFlip(ReadKey("UseFlip", 0) == 1 ? 1 : 0);
    // This game's own settings; values it does not know read as the default.
    tessary::SetScaling(settings.Read(kPelkoSection, "Scaling", 0) == 1 ? 1 : 0);
}

} // namespace pelko
