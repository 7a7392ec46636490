// The course of a run. A stage plays its stage file for a minute, then the boss comes with its
// own music and a warning; the boss's defeat shows the clear message, which pays the time bonus
// while it types, and its end starts the next stage or, after the fifth, the ending.
#include "game/player/stage_progress.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "game/enemies/boss.h"
#include "game/enemies/enemy_manager.h"
#include "game/flow/game_globals.h"
#include "game/flow/screens.h"
#include "game/player/high_score.h"
#include "game/player/message_queue.h"
#include "game/player/play_field.h"
#include "game/player/player.h"
#include "runtime/graphics/int_range.h"
#include "runtime/graphics/primitives.h"
#include "runtime/input/joystick.h"
#include "runtime/shell/diagnostics.h"
#include "runtime/shell/frame_loop.h"
#include "runtime/sound/music.h"
#include "runtime/sound/wave_bank.h"

namespace pelko {
namespace {

constexpr int kLastStage = 5;
constexpr int kStagePoints = 20000;
constexpr int kStageSeconds = 60;
constexpr int kTicksPerCharacterAt30 = 6;
constexpr int kBonusFramesAt30 = 300;
constexpr uint16_t kWarningSound = 6;
constexpr const char* kStageMusic = "GameData\\BGM1.mid";
constexpr const char* kBossMusic = "GameData\\BGM2.mid";

struct StageEntry {
    const char* file;
    BossSetup boss;
};

constexpr StageEntry kStages[kLastStage] = {
    {"GameData\\Stage1.dat", SetUpBoss1}, {"GameData\\Stage2.dat", SetUpBoss2},
    {"GameData\\Stage3.dat", SetUpBoss3}, {"GameData\\Stage4.dat", SetUpBoss4},
    {"GameData\\Stage5.dat", SetUpBoss5},
};

// 1 / speedFactor truncated: 1 at 30 fps, 2 at 60, 0 below 30.
int WholeFramesPerTick() {
    return static_cast<int>(1.0f / Globals().speedFactor);
}

void SetUpPlayerShots(Player& player) {
    for (int k = 0; k < kPlayerShotSlots; ++k) {
        Shot& shot = player.shots[k];
        shot.SetFrames(2, 1, 9, 9);
        shot.SetDrawMode(0);
        shot.SetAngle(0);
        shot.Hide();
        shot.hp = 1;
        shot.lastFireFrame = 0;
    }
}

struct ControllerChoice {
    int controller;
    uint8_t joystickOnly;
};

// With the one player of this game: keyboard and joystick 0 when a joystick was found, else the
// keyboard alone.
ControllerChoice ControllerFor(int i) {
    const GameGlobals& g = Globals();
    if (g.playerCount <= g.joystickCount) return {i, 1};
    if (i == 0) return {-1, 0};
    return {i - 1, 1};
}

void AssignControllerAndReset(int i, Player& player) {
    const ControllerChoice choice = ControllerFor(i);
    player.Reset(choice.controller, choice.joystickOnly);
}

void SetDecorationSpeed(float pixelsPerFrameAt30) {
    for (GameObject* decoration : Globals().decorations)
        decoration->SetVelocityX(pixelsPerFrameAt30 * Globals().speedFactor);
}

void DrawMessageFrame() {
    constexpr uint32_t kGold = 0xD7FF;
    tessary::FillRect(80, 80, 82, 250, kGold);
    tessary::FillRect(80, 80, 600, 82, kGold);
    tessary::FillRect(600, 80, 598, 250, kGold);
    tessary::FillRect(80, 250, 600, 248, kGold);
}

// One frame's share of the time bonus. The base is taken once per clear. A clear later than the
// stage's allowance pays nothing, and below 30 fps the divisor is held at one frame's worth.
void PayTimeBonus() {
    GameGlobals& g = Globals();
    if (g.clearBonusBase == 0) {
        const int64_t base = static_cast<int64_t>(g.stageNumber) * kStagePoints -
                             static_cast<int64_t>(TheGame().frameCounter);
        g.clearBonusBase = tessary::SaturateToInt(base);
    }
    if (g.clearBonusBase <= 0) return;
    const uint32_t divisor =
        static_cast<uint32_t>(std::max(1, WholeFramesPerTick())) * kBonusFramesAt30;
    PlayerAt(0).scoreValue +=
        static_cast<int32_t>(static_cast<uint32_t>(g.clearBonusBase) / divisor);
}

void StartNextStage() {
    GameGlobals& g = Globals();
    Game& game = TheGame();
    EnemyManager& enemies = TheEnemies();
    char text[32];
    std::snprintf(text, sizeof text, "STAGE   %d      ", g.stageNumber);
    TheMessages().Post(text, 0, 3);
    tessary::PlayMidi(kStageMusic, 1);
    enemies.Reset();
    enemies.stageStartFrame = static_cast<int32_t>(game.frameCounter);
    // Past the last stage (only while the game is over) nothing new is stored, so the boss is set
    // up once more as the last stage's.
    if (g.stageNumber >= 1 && g.stageNumber <= kLastStage) {
        const StageEntry& stage = kStages[g.stageNumber - 1];
        TheBoss().SetSetup(stage.boss);
        enemies.LoadStage(stage.file);
        if (g.stageNumber == 4) SetDecorationSpeed(-4.0f);
        if (g.stageNumber == 5) SetDecorationSpeed(-6.0f);
    }
    TheBoss().Reset();
    g.stageCleared = 0;
    g.bossPhase = 0;
    g.bossWarningFrame = static_cast<int32_t>(game.frameCounter) + g.fps * kStageSeconds;
    enemies.Reset();
}

} // namespace

void StartRun() {
    GameGlobals& g = Globals();
    Game& game = TheGame();
    EnemyManager& enemies = TheEnemies();
    MessageQueue& messages = TheMessages();

    messages.Clear();
    messages.SetSpeed(WholeFramesPerTick() * kTicksPerCharacterAt30);
    messages.SetPosition(100, 100);

    enemies.stageStartFrame = 0;
    enemies.LoadStage(kStages[0].file);

    for (int i = g.playerCount - 1; i >= 0; --i) {
        Player& player = PlayerAt(i);
        player.SetFrames(1, 2, 32, 32);
        SetUpPlayerShots(player);
        player.SetPosition(64, 200);
        // Hard mode keeps the velocity from frame to frame; a run ended while moving must not
        // start the next one drifting.
        player.SetVelocityX(0);
        player.SetVelocityY(0);
        player.SetTicksPerFrame(5);
        player.lives = 3;
        player.gameOver = 0;
        AssignControllerAndReset(i, player);
        player.Show();
    }
    PlayerAt(0).scoreValue = 0;

    // The weapon icon shows the pattern still selected from an earlier run.
    game.SetFrames(10, 1, 64, 64);
    game.SetVelocityX(0);
    game.SetVelocityY(0);
    game.SetPosition(0, 0);
    game.SetRow(PlayerAt(0).specialKind);
    game.Show();

    for (Enemy& enemy : enemies.enemies)
        for (Shot& shot : enemy.shots) {
            shot.SetFrames(12, 1, 9, 10);
            shot.Hide();
        }
    for (Enemy& enemy : enemies.enemies)
        enemy.Init();
    enemies.Reset();

    for (int i = kDecorations - 1; i >= 0; --i) {
        GameObject* decoration = g.decorations[i];
        decoration->SetFrames(4, 1, 31, 64);
        decoration->SetVelocityX(-2.0f * g.speedFactor);
        const int x = tessary::Random(1280);
        const int y = tessary::Random(352) + 64;
        decoration->SetPosition(static_cast<float>(x), static_cast<float>(y));
    }

    // The item keeps its last position; only its picture is set up again.
    GameObject& item = TheItem();
    item.SetFrames(7, 2, 32, 32);
    item.SetTicksPerFrame(16);
    item.Hide();

    TheBoss().SetSetup(kStages[0].boss);
    TheBoss().Reset();

    g.bossPhase = 0;
    g.bossWarningFrame = g.fps * kStageSeconds;
    g.stageCleared = 0;
    g.stageNumber = 1;
    // A run ended during a clear message must not hand its bonus base to this run's first clear.
    g.clearBonusBase = 0;

    messages.Post("STAGE  1    ", 0, 3);
    tessary::PlayMidi(kStageMusic, 1);
    game.frameCounter = 0;
}

void TakeUpPluggedPads() {
    GameGlobals& g = Globals();
    const int count = tessary::JoystickCount();
    const bool enoughNow = g.playerCount <= count && g.playerCount > g.joystickCount;
    g.joystickCount = count;
    if (!enoughNow) return;
    for (int i = g.playerCount - 1; i >= 0; --i) {
        const ControllerChoice choice = ControllerFor(i);
        PlayerAt(i).controller = choice.controller;
        PlayerAt(i).joystickOnly = choice.joystickOnly;
    }
}

void CheckBossWarning() {
    GameGlobals& g = Globals();
    if (!(static_cast<int64_t>(g.bossWarningFrame) < static_cast<int64_t>(TheGame().frameCounter)))
        return;
    if (g.bossPhase != 0 || PlayerAt(0).gameOver != 0) return;
    g.bossPhase = 1;
    tessary::CloseMidi();
    tessary::PlayMidi(kBossMusic, 1);
    tessary::PlayWave(kWarningSound, 0);
    TheBoss().ShowParts();
    TheMessages().Post("WARNING!! \n\nAN ENEMY APPEARS!!      ", 0, 0);
}

void StepStageProgress() {
    GameGlobals& g = Globals();
    if (TheMessages().Step() != 0) {
        DrawMessageFrame();
        if (g.stageCleared != 0) PayTimeBonus();
        return;
    }
    if (g.stageCleared == 0) return;

    // The clear message has just finished.
    g.clearBonusBase = 0;
    g.stageNumber += 1;
    const bool gameOver = PlayerAt(0).gameOver != 0;
    if (g.stageNumber > kLastStage && !gameOver) {
        tessary::SetFrameCallback(EndingStartFrame);
        return;
    }
    // The flag stays set, so the next finished message comes back here.
    if (g.stageNumber == kLastStage + 1 && gameOver) return;
    StartNextStage();
}

void EndRun() {
    GameGlobals& g = Globals();
    tessary::CloseMidi();
    for (Enemy& enemy : TheEnemies().enemies) {
        enemy.Hide();
        for (Shot& shot : enemy.shots)
            shot.Hide();
    }
    for (int i = g.playerCount - 1; i >= 0; --i) {
        Player& player = PlayerAt(i);
        player.Hide();
        for (int k = 0; k < kPlayerShotSlots; ++k)
            player.shots[k].Hide();
    }
    SaveHighScore();
    TheGame().Hide();
    tessary::SetFrameCallback(TitleFrame);
}

} // namespace pelko
