// The player's ship: controls, the two movement models, damage and lives, and its 64 shot slots
// with the normal fire and the six special attacks.
#pragma once
#include <cstdint>
#include <memory>

#include "game/enemies/game_object.h"

namespace pelko {

inline constexpr int kPlayerShotSlots = 64;
inline constexpr int kPlayerShotArray = 65; // slot 64 exists but is never used

class Player : public GameObject {
  public:
    Player();

    int32_t specialKind = 0;
    uint8_t doubleShot = 0;
    uint8_t bossCharging = 0;
    uint8_t gameOver = 0;
    uint8_t joystickOnly = 0;
    std::unique_ptr<Shot[]> shots;
    int32_t controller = -1;
    int32_t lives = 0;
    int32_t tp = 0;
    int32_t barrierStart = 0;
    uint8_t barrier = 0;
    int32_t speed = 0;
    int32_t power = 0;
    int32_t lastHitFrame = 0;
    int32_t ringFirst = 0;
    uint8_t ringOn = 0;
    int32_t lastShotFrame = 0;

    void Reset(int newController, uint8_t newJoystickOnly);
    void Update();
    void CheckHits();
    void Fire();
    void FireSpecial();
};

} // namespace pelko
