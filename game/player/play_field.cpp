// One frame of play on screen. Sprites move as they are drawn, so the drawing pass is also the
// pass that moves every object; it ends with the stage progression, which types the messages.
#include "game/player/play_field.h"

#include <algorithm>
#include <cstdint>

#include "game/enemies/boss.h"
#include "game/enemies/enemy_manager.h"
#include "game/flow/game_globals.h"
#include "game/player/player.h"
#include "game/player/stage_progress.h"
#include "runtime/graphics/primitives.h"
#include "runtime/graphics/text.h"
#include "runtime/shell/diagnostics.h"

namespace pelko {
namespace {

constexpr uint32_t kOutlineColor = 255; // red
constexpr uint32_t kHudTextColor = 0xFFFFFF;
constexpr uint32_t kBarLostColor = 255;      // red
constexpr uint32_t kBarLeftColor = 0xFF0000; // blue
constexpr int kBarLeft = 130, kBarWidth = 200, kBarTop = 40, kBarBottom = 48;

// A decoration that has drifted off the left edge comes back somewhere right of the screen.
void DrawDecorations() {
    GameGlobals& g = Globals();
    for (int i = kDecorations - 1; i >= 0; --i) {
        GameObject& decoration = *g.decorations[i];
        decoration.Draw();
        if (static_cast<int>(decoration.x) < -32) {
            const int y = tessary::Random(352) + 64;
            const int x = tessary::Random(640) + 640;
            decoration.SetPosition(static_cast<float>(x), static_cast<float>(y));
        }
    }
}

void DrawPlayers() {
    for (int i = Globals().playerCount - 1; i >= 0; --i) {
        Player& player = PlayerAt(i);
        player.Draw();
        for (int k = kPlayerShotSlots - 1; k >= 0; --k)
            player.shots[k].Draw();
    }
}

void DrawEnemies() {
    for (int i = kEnemyRingSize - 1; i >= 0; --i) {
        Enemy& enemy = TheEnemies().enemies[i];
        enemy.Draw();
        for (int k = kEnemyShotSlots - 1; k >= 0; --k)
            enemy.shots[k].Draw();
    }
}

// Everything that can hit or be hit, except the player's own ship.
void DrawHitBoxOutlines() {
    TheBoss().DrawHitBoxes();
    TheItem().DrawHitBox(kOutlineColor);
    for (int i = kEnemyRingSize - 1; i >= 0; --i)
        TheEnemies().enemies[i].DrawHitBox(kOutlineColor);
    for (int i = kEnemyRingSize - 1; i >= 0; --i)
        for (int k = kEnemyShotSlots - 1; k >= 0; --k)
            TheEnemies().enemies[i].shots[k].DrawHitBox(kOutlineColor);
    for (int i = Globals().playerCount - 1; i >= 0; --i)
        for (int k = kPlayerShotSlots - 1; k >= 0; --k)
            PlayerAt(i).shots[k].DrawHitBox(kOutlineColor);
}

// The boss's health bar: the part left in blue from the left, the part lost in red after it.
void DrawBossBar() {
    const Boss& boss = TheBoss();
    int64_t w = 0;
    if (boss.maxHp > 0) w = static_cast<int64_t>(kBarWidth) * boss.hp / boss.maxHp;
    const int left = static_cast<int>(std::clamp<int64_t>(w, 0, kBarWidth));
    tessary::FillRect(kBarLeft + left, kBarTop, kBarLeft + kBarWidth, kBarBottom, kBarLostColor);
    tessary::FillRect(kBarLeft, kBarTop, kBarLeft + left, kBarBottom, kBarLeftColor);
}

} // namespace

void DrawPlayField(Game& game) {
    GameGlobals& g = Globals();
    // The setting is looked at once; changing it later has no effect until the next start.
    if (g.hitBoxOutlines < 0) g.hitBoxOutlines = g.showObjectFrame == 1 ? 1 : 0;

    DrawDecorations();
    DrawPlayers();
    DrawEnemies();
    TheBoss().Draw();
    TheItem().Draw();
    if (g.hitBoxOutlines == 1) DrawHitBoxOutlines();
    tessary::FillRect(0, 0, 640, 64, 0); // the HUD band
    game.Draw();                         // the weapon icon
    StepStageProgress();
}

void DrawHud(Game& game) {
    GameGlobals& g = Globals();
    if (g.playerCount == 1) {
        const Player& player = PlayerAt(0);
        tessary::SetTextFont(8, 20, kHudTextColor, "Impact");
        if (player.scoreValue > g.highScore) g.highScore = player.scoreValue;
        tessary::PrintText(64, 0, "Life %d  Score %d  High %d", player.lives, player.scoreValue,
                           g.highScore);
        tessary::PrintText(350, 0, "HP %d   Power %d  Speed %d  TP %d", player.hp, player.power,
                           player.speed - 4, player.tp);
        tessary::PrintText(570, 32, "Stage %d", g.stageNumber);
        if (g.bossPhase == 1) {
            tessary::PrintText(64, 32, "Enemy ");
            DrawBossBar();
        }
    }
    if (game.showFps != 0) tessary::DrawFps(500, 64);
}

} // namespace pelko
