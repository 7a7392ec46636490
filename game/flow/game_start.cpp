// Start-up of the game and the order of one frame of play.
#include "game/flow/game_start.h"

#include <algorithm>
#include <cstdint>
#include <ctime>

#include "game/enemies/boss.h"
#include "game/enemies/collisions.h"
#include "game/enemies/enemy_manager.h"
#include "game/flow/game_globals.h"
#include "game/flow/pause.h"
#include "game/flow/screens.h"
#include "game/player/high_score.h"
#include "game/player/item.h"
#include "game/player/message_queue.h"
#include "game/player/play_field.h"
#include "game/player/player.h"
#include "game/player/stage_progress.h"
#include "platform/crt_random.h"
#include "runtime/graphics/image_slots.h"
#include "runtime/graphics/primitives.h"
#include "runtime/input/mouse.h"
#include "runtime/shell/frame_loop.h"
#include "runtime/sound/music.h"
#include "runtime/sound/wave_bank.h"

namespace pelko {
namespace {

constexpr uint32_t kPlayFieldColor = 0xFF7F00; // 0x00BBGGRR: blue 255, green 127, red 0
constexpr int kLogoFramePeriodMs = 150;
constexpr int kFirstExtend = 20000;
constexpr int kExtendStep = 60000;
constexpr uint16_t kOneUpWave = 5;

// The message stays up, padded so that it types on for a while after the text.
constexpr const char* kGameOverMessage =
    "GAME OVER...\n\nPress Delete or ESC\nor JoyPad ID1 Button3."
    "                                 ";
constexpr int kGameOverMessageKey = 100;

void UpdatePlayers() {
    GameGlobals& g = Globals();
    for (int i = g.playerCount - 1; i >= 0; --i) {
        Player& p = PlayerAt(i);
        p.Update();
        if (p.gameOver != 0) continue;
        UpdateItem(i);
        p.Fire();
    }
}

void MoveFoes(uint32_t frame) {
    if (Globals().bossPhase == 1) {
        TheBoss().Update();
    } else {
        TheEnemies().Update();
        TheEnemies().Spawn(frame);
    }
}

void CollidePlayerShots() {
    GameGlobals& g = Globals();
    if (g.bossPhase == 1) CollidePlayerShotsWithBoss();
    for (int i = g.playerCount - 1; i >= 0; --i) {
        CollidePlayerShotsWithEnemies(i);
        for (int j = kPlayerShotSlots - 1; j >= 0; --j) {
            if (g.bossPhase == 1)
                CollidePlayerShotWithBossShots(i, j);
            else
                CollidePlayerShotWithEnemyShots(i, j);
        }
    }
}

} // namespace

int GameStart() {
    CreatePlayersAndDecorations();
    TheGame().LoadGameAssets();
    platform::Srand(static_cast<uint32_t>(std::time(nullptr)));
    tessary::EnableMouse(0);
    tessary::ShowMouseCursor(0);
    tessary::SetFramePeriod(kLogoFramePeriodMs);
    tessary::PlayMidi("GameData\\LOGO.mid", 1);
    tessary::SetFrameCallback(LogoFrame);
    SetUpPause();
    // Without the picture the demo screen simply shows nothing in its place; the loader has
    // already said which file was missing.
    tessary::LoadBmpImage(14, "ForBeginner.BMP", 1);
    return 1;
}

void GameEnd() {
    SaveHighScoreIfBeaten();
}

void ApplyExtraLife() {
    GameGlobals& g = Globals();
    Player& first = PlayerAt(0);
    // Widened so that a threshold near the top of the int range cannot overflow.
    if (static_cast<int64_t>(first.scoreValue) >
        static_cast<int64_t>(g.nextExtend) + kFirstExtend) {
        first.lives += 1;
        tessary::PlayWave(kOneUpWave, 0);
        // Held at the top of the range, past every score: wrapped round, the next threshold
        // would lie below the score and give a life every frame.
        g.nextExtend = static_cast<int32_t>(
            std::min<int64_t>(static_cast<int64_t>(g.nextExtend) + kExtendStep, INT32_MAX));
    }
}

int InGameFrame() {
    // A frame that pauses does not run: the run goes on from it when the pause ends.
    if (PauseAsked()) return 1;
    GameGlobals& g = Globals();
    Game& game = TheGame();
    game.frameCounter += 1;
    tessary::ClearScreen(kPlayFieldColor);
    TakeUpPluggedPads();
    UpdatePlayers();
    MoveFoes(game.frameCounter);
    for (int i = g.playerCount - 1; i >= 0; --i)
        PlayerAt(i).CheckHits();
    if (PlayerAt(0).gameOver != 0) {
        PlayerAt(0).Hide();
        TheMessages().Post(kGameOverMessage, kGameOverMessageKey, 0);
    }
    CollidePlayerShots();
    DrawPlayField(game);
    DrawHud(game);
    CheckBossWarning();
    ApplyExtraLife();
    return 1;
}

} // namespace pelko
