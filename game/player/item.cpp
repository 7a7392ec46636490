// The one item of play. The enemy manager's kill count decides when it appears: whenever the
// count's low four bits are all set and the item is hidden, it comes out where the last enemy was
// destroyed. Leaving the play area and being collected both count as a kill too.
#include "game/player/item.h"

#include <cstdint>

#include "game/enemies/enemy_manager.h"
#include "game/flow/game_globals.h"
#include "game/player/player.h"
#include "runtime/shell/diagnostics.h"

namespace pelko {
namespace {

constexpr int kAppearMask = 15;
constexpr int kBarrierSeconds = 10;
constexpr int kScoreItemPoints = 1000;

enum ItemKind { kPower = 0, kSpeed = 1, kBarrier = 2, kTp = 3, kDoubleShot = 4, kScore = 5 };

void RaiseCapped(int32_t& stat, int32_t cap) {
    stat += 1;
    if (stat > cap) stat = cap;
}

void Appear(GameObject& item, const EnemyManager& enemies) {
    const GameGlobals& g = Globals();
    const int direction = tessary::Random(360);
    item.Show();
    const int y = tessary::Random(enemies.lastKillY);
    item.SetPosition(static_cast<float>(enemies.lastKillX), static_cast<float>(y));
    // A refused row (-1) keeps the kind of the previous appearance.
    item.SetRow(tessary::Random(6) - 1);
    // Directions 360 and 361 are refused too; the item then keeps its old velocity.
    item.SetVelocityPolar(direction, g.speedFactor);
}

bool OutsidePlayArea(const GameObject& item) {
    return item.x < 0.0f || item.x > 640.0f || item.y < 64.0f || item.y > 480.0f;
}

void ApplyEffect(int kind, Player& player) {
    GameGlobals& g = Globals();
    switch (kind) {
    case kPower:
        RaiseCapped(player.power, g.maxPower);
        break;
    case kSpeed:
        RaiseCapped(player.speed, g.maxSpeed);
        break;
    case kBarrier:
        player.barrier = 1;
        player.barrierStart = static_cast<int32_t>(TheGame().frameCounter);
        player.SetDrawMode(0); // ends the hit picture at once
        break;
    case kTp:
        RaiseCapped(player.tp, g.maxTp);
        break;
    case kDoubleShot:
        player.doubleShot = 1;
        break;
    case kScore:
        player.scoreValue += kScoreItemPoints;
        break;
    default: // a row without an effect
        break;
    }
}

} // namespace

void UpdateItem(int i) {
    GameObject& item = TheItem();
    EnemyManager& enemies = TheEnemies();
    Player& player = PlayerAt(i);

    if (item.active == 0 && (enemies.killCount & kAppearMask) == kAppearMask) Appear(item, enemies);

    // A hidden item is looked at as well: one left outside the area counts again every frame.
    if (OutsidePlayArea(item)) {
        ++enemies.killCount;
        item.Hide();
    }

    if (player.HitTest(&item) != 0) {
        ++enemies.killCount;
        ApplyEffect(item.row, player);
        item.Hide();
    }

    const int64_t barrierEnd = static_cast<int64_t>(player.barrierStart) +
                               static_cast<int64_t>(Globals().fps) * kBarrierSeconds;
    if (static_cast<int64_t>(TheGame().frameCounter) > barrierEnd) player.barrier = 0;
}

} // namespace pelko
