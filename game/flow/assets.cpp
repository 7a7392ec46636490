// The game's pictures and sounds in their fixed slots, loaded once at start, and the run state
// every start begins from.
#include "game/flow/game_globals.h"
#include "game/flow/settings.h"
#include "game/player/high_score.h"
#include "runtime/graphics/image_slots.h"
#include "runtime/graphics/text.h"
#include "runtime/graphics/transitions.h"
#include "runtime/input/joystick.h"
#include "runtime/sound/wave_bank.h"

#include <cstdio>

namespace pelko {
namespace {

// Slots 1 to 10 take these entries in order; the empty entry ends the table.
constexpr const char* kSheetFiles[] = {
    "GPelko.bmp", "Ikura.bmp", "Kuma.bmp",  "Nami.bmp",    "Boss.bmp", "Boss2.bmp",
    "Item.bmp",   "Wood.bmp",  "Spear.bmp", "WStatus.bmp", "",
};

struct WaveFile {
    uint16_t slot;
    const char* path;
};
// The load order, and the order the volumes are set in.
constexpr WaveFile kWaves[] = {
    {1, "GameData\\Shot.wav"}, {2, "GameData\\Beaten.wav"}, {4, "GameData\\Beat.wav"},
    {3, "GameData\\Pi.wav"},   {5, "GameData\\1up.wav"},    {6, "GameData\\Warn.wav"},
};

const char* PictureFolder() {
    return Globals().use256Color != 0 ? "GameData\\256\\" : "GameData\\Fullcolor\\";
}

// A picture that does not load leaves its slot empty; the word at the screen's corner says so.
void LoadPicture(uint16_t slot, const char* file, int transparent, const char* errorWord) {
    char path[256];
    std::snprintf(path, sizeof path, "%s%s", PictureFolder(), file);
    if (tessary::LoadBmpImage(slot, path, transparent) == 0)
        tessary::PrintText(0, 0, "%s", errorWord);
}

} // namespace

void Game::LoadBitmaps() {
    for (uint16_t k = 1; kSheetFiles[k - 1][0] != '\0'; ++k)
        LoadPicture(k, kSheetFiles[k - 1], 1, "BMPLoadErr");
    LoadPicture(12, "TamaSho.bmp", 1, "TamaLoadErr");
    LoadPicture(11, "StartScreen.bmp", 0, "StartBMPLoadErr");
    LoadPicture(13, "UxLOGO.bmp", 0, "LogoBMPLoadErr");
}

void Game::LoadGameAssets() {
    GameGlobals& g = Globals();
    ReadSettings();
    g.joystickCount = tessary::EnableJoystick(1);
    LoadBitmaps();
    for (const WaveFile& w : kWaves)
        tessary::LoadWave(w.slot, w.path);
    for (const WaveFile& w : kWaves)
        tessary::SetWaveVolume(w.slot, waveVolume);
    LoadHighScore();
    g.bossPhase = 0;
    g.hardMode = 0;
    g.stageCleared = 0;
    g.playerCount = 1;
    tessary::SetFadeLevel(0);
    tessary::SetBlinds(0);
}

} // namespace pelko
