// The game's object classes, each a Sprite with the six integers every object of play carries:
// the plain GameObject (decorations, boss parts, the item, the weapon icon), the Shot with its
// behaviours by kind, and the Enemy with its five shot slots.
#pragma once
#include <cstdint>

#include "runtime/graphics/sprite.h"

namespace pelko {

class GameObject : public tessary::Sprite {
  public:
    GameObject() = default;
    virtual ~GameObject() = default;

    int32_t lastFireFrame = 0; // frame of the last shot fired from this shot slot
    int32_t scoreValue = 0;    // points a kill gives; on a player, the player's score
    int32_t kind = 0;          // shot kind; on an enemy, the kind of the shots it fires
    int32_t hp = 0;            // hit points; on a shot, its strength
    int32_t shotLimit = 0;     // shot slots normal fire may use (the player)
    int32_t fireInterval = 0;  // frames an enemy's shot slot waits between shots
};

// Shot kinds that steer every frame; the table is in Shot::Steer.
inline constexpr int kShotKindCount = 13;

class Shot : public GameObject {
  public:
    int32_t launchAngle = 0;  // aimAngle at launch
    int32_t delay = 0;        // release time of boss shots during an attack
    int32_t levelY = 0;       // the line kind-12 shots swing about
    int32_t aimAngle = 0;     // 256 steps per turn, from the shot to its target
    int32_t targetPlayer = 0; // index into the players table
    uint8_t special = 0;      // a shot of the player's special attack
    int32_t heading = 0;      // angle of the shot's velocity

    // Sets aimAngle and heading toward target; with no target both become 0.
    void Aim(const tessary::Sprite* target);
    // One frame of the behaviour of this shot's kind; a hidden shot is left alone.
    void Steer();
    // Turns 2 steps a frame toward targetPlayer and flies at 3 pixels a frame.
    void Home();
    void KeepLaunchAngle() { launchAngle = aimAngle; }
    // Hides a shot whose whole-pixel position has left the play field; with keepSpecial a
    // special-attack shot stays shown.
    void HideIfOffscreen(bool keepSpecial);
};

inline constexpr int kEnemyShotSlots = 5;

class Enemy : public GameObject {
  public:
    int32_t moveType = 0;
    int32_t spawnFrame = -1; // shown from this frame on; -1 never
    Shot shots[kEnemyShotSlots];

    // Back to hidden and unscheduled, with the enemy sheet and the default points and interval.
    void Init();
};

} // namespace pelko
