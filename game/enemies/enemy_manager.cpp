// The regular enemies in play: their movement types, their firing, and the schedule that shows
// them (the stage file itself is read in stage_reader.cpp).
#include "game/enemies/enemy_manager.h"

#include <cmath>

#include "game/enemies/angle_table.h"
#include "game/enemies/target_player.h"
#include "game/flow/game_globals.h"

namespace pelko {
namespace {

// Types 7 to 10 drift by this much acceleration every frame, at any frame rate.
constexpr float kDrift = 0.00002f;
constexpr int kTurnBackDistance = 40; // type 3 turns this far past the player
constexpr float kEnemyShotSpeed = 4.0f;
constexpr int kShotOffsetX = 20; // a shot leaves 20 pixels left of its enemy's corner

int Whole(float v) {
    return static_cast<int>(v);
}

// One step toward the player's line; on the line itself there is no direction to take.
float TowardLine(float fromY, float toY, float speed) {
    const float diff = toY - fromY;
    if (diff == 0.0f) return 0.0f;
    return speed * diff / std::fabs(diff);
}

void StopAccelerating(Enemy& e) {
    e.SetAccelX(0.0f);
    e.SetAccelY(0.0f);
}

void Move(Enemy& e, const tessary::Sprite* player) {
    const float speed = Globals().speedFactor;
    const int ex = Whole(e.x);
    const int px = player != nullptr ? Whole(player->x) : 0;
    switch (e.moveType) {
    case 2: // levels out on the player's column and closes in vertically
        if (player == nullptr) break;
        if ((e.vx < 0 && ex <= px) || (e.vx > 0 && ex >= px)) {
            e.SetVelocityY(TowardLine(e.y, player->y, speed));
            e.SetVelocityX(0.0f);
            StopAccelerating(e);
            e.moveType = 1;
        }
        break;
    case 3: // overshoots the player by 40 pixels, then turns back on the player's line
        if (player == nullptr) break;
        if ((e.vx < 0 && ex <= px - kTurnBackDistance) ||
            (e.vx > 0 && ex >= px + kTurnBackDistance)) {
            e.SetVelocityY(TowardLine(e.y, player->y, speed));
            e.SetVelocityX(-e.vx);
            StopAccelerating(e);
            e.moveType = 1;
        }
        break;
    case 4: // turns back at x 400
        if (ex <= 400) {
            e.SetVelocityX(-e.vx);
            e.moveType = 1;
            StopAccelerating(e);
        }
        break;
    case 5: // flips its vertical direction at x 200
        if (ex <= 200) {
            e.SetVelocityY(-e.vy);
            e.moveType = 1;
            StopAccelerating(e);
        }
        break;
    case 6: // reverses at the centre line
        if (ex <= 320) {
            e.SetVelocityX(-e.vx);
            e.SetVelocityY(-e.vy);
            e.moveType = 1;
            StopAccelerating(e);
        }
        break;
    case 7:
        e.SetAccelX(e.ax + kDrift);
        e.SetAccelY(e.ay + kDrift);
        break;
    case 8:
        e.SetAccelX(e.ax + kDrift);
        e.SetAccelY(e.ay - kDrift);
        break;
    case 9:
        e.SetAccelX(e.ax - kDrift);
        e.SetAccelY(e.ay + kDrift);
        break;
    case 10:
        e.SetAccelX(e.ax - kDrift);
        e.SetAccelY(e.ay - kDrift);
        break;
    default: // 0, 1 and 11 up: plain flight
        break;
    }
}

bool ShotOnField(const Shot& s) {
    return !(s.x < 0.0f || s.x > 640.0f || s.y < 64.0f || s.y > 480.0f);
}

} // namespace

void EnemyManager::Reset() {
    nextRecordTime = 0;
    ringNext = 0;
    killCount = 0;
    for (int i = kEnemyRingSize - 1; i >= 0; --i)
        for (int s = kEnemyShotSlots - 1; s >= 0; --s)
            enemies[i].shots[s].lastFireFrame = 0;
}

void EnemyManager::Spawn(uint32_t frame) {
    const uint32_t due =
        static_cast<uint32_t>(nextRecordTime) + static_cast<uint32_t>(stageStartFrame);
    if (due <= frame) ReadRecord();
    for (int i = kEnemyRingSize - 1; i >= 0; --i) {
        Enemy& e = enemies[i];
        // Unsigned, so an unscheduled enemy (-1) never shows.
        if (static_cast<uint32_t>(e.spawnFrame) <= frame && e.hp >= 1) e.Show();
    }
}

void EnemyManager::Update() {
    const bool hard = Globals().hardMode != 0;
    for (int i = kEnemyRingSize - 1; i >= 0; --i) {
        Enemy& e = enemies[i];
        Fire(e, 0);
        if (hard) Fire(e, 1);
        Move(e, TargetPlayer(RandomPlayerIndex()));
    }
    for (int i = kEnemyRingSize - 1; i >= 0; --i)
        for (int s = kEnemyShotSlots - 1; s >= 0; --s)
            enemies[i].shots[s].Steer();
}

void EnemyManager::Fire(Enemy& enemy, int slot) {
    Shot& s = enemy.shots[slot];
    const int ex = Whole(enemy.x);
    const int ey = Whole(enemy.y);
    const int32_t now = static_cast<int32_t>(TheGame().frameCounter);
    const bool onField = ex > 0 && ex < 640 && ey > 64 && ey < 480;
    // Compared in 64 bits so that a huge interval cannot wrap into "due".
    const bool rested = now > static_cast<int64_t>(enemy.fireInterval) + s.lastFireFrame;
    if (!s.active && enemy.active && onField && rested) {
        const float speed = Globals().speedFactor;
        s.targetPlayer = RandomPlayerIndex();
        s.Aim(nullptr);
        s.SetPosition(static_cast<float>(ex - kShotOffsetX), static_cast<float>(ey));
        s.Show();
        s.SetVelocityX(-kEnemyShotSpeed * speed);
        s.SetVelocityY(0.0f);
        s.kind = enemy.kind;
        s.SetRow(0);
        s.hp = 1;
        s.lastFireFrame = now;
        if (s.kind == 9 || s.kind == 11) { // aimed at launch
            s.Aim(TargetPlayer(s.targetPlayer));
            const AngleTable& angles = TheAngles();
            s.SetVelocityX(static_cast<float>(angles.Cos(s.aimAngle) * speed * kEnemyShotSpeed));
            s.SetVelocityY(static_cast<float>(angles.Sin(s.aimAngle) * speed * kEnemyShotSpeed));
        }
        s.KeepLaunchAngle();
    }
    // A spent shot waits at its enemy.
    if (!ShotOnField(s)) {
        s.Hide();
        s.SetPosition(static_cast<float>(ex - kShotOffsetX), static_cast<float>(ey));
    }
}

} // namespace pelko
