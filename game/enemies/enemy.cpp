#include "game/enemies/game_object.h"
#include "game/flow/game_globals.h"

namespace pelko {
namespace {

constexpr int kEnemySheet = 3; // Kuma.bmp
constexpr int kEnemyColumns = 2;
constexpr int kEnemySize = 32;
constexpr int kEnemyTicksPerColumn = 8;
constexpr int kEnemyPoints = 100;

} // namespace

void Enemy::Init() {
    SetFrames(kEnemySheet, kEnemyColumns, kEnemySize, kEnemySize);
    SetTicksPerFrame(kEnemyTicksPerColumn);
    scoreValue = kEnemyPoints;
    fireInterval = Globals().fps / 2; // about two shots a second per slot
    moveType = 0;
    spawnFrame = -1;
    Hide();
}

} // namespace pelko
