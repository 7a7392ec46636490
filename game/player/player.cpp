// The player's ship: its reset, the controls and the two movement models, and the damage it
// takes from enemies, the boss and their shots.
#include "game/player/player.h"

#include <cmath>
#include <cstdlib>

#include "game/enemies/boss.h"
#include "game/enemies/enemy_manager.h"
#include "game/flow/game_globals.h"
#include "game/player/player_controls.h"
#include "game/player/stage_progress.h"
#include "runtime/input/input_state.h"
#include "runtime/input/joystick.h"
#include "runtime/input/keyboard.h"
#include "runtime/sound/wave_bank.h"

namespace pelko {
namespace {

constexpr int kNoDirection = -1;
constexpr double kDegreesToRadians = 0.017453292519943295;
constexpr float kDrag = 0.0025f;
constexpr float kEdgeBounce = -0.8f;
constexpr float kLeftEdge = 0.0f, kRightEdge = 608.0f, kTopEdge = 64.0f, kBottomEdge = 448.0f;
constexpr uint16_t kLostLifeWave = 4;

// Rows of the player sheet: +4 with the barrier, +8 in the second after a hit.
constexpr int kBarrierRows = 4, kHitRows = 8;

// The second after a hit: the hit rows show and nothing hurts. Compared as signed numbers, so the
// reset value of minus two seconds leaves a fresh player unprotected.
bool InHitSecond(const Player& p) {
    const GameGlobals& g = Globals();
    return static_cast<int64_t>(TheGame().frameCounter) <
           static_cast<int64_t>(p.lastHitFrame) + g.fps;
}

// Hard-mode drag: fast axes lose more, so the speed levels off where 0.0025 u^2 equals the push.
float Dragged(float u) {
    return u * (1.0f - kDrag * std::fabs(u));
}

// The brake works on the axis as it was before the drag: half a pixel off a fast axis, a quarter
// off a slow one, always pushing toward the negative side when the axis is not positive.
float Braked(float u) {
    const float s = u > 0.0f ? 1.0f : -1.0f;
    const float m = std::fabs(u) > 1.0f ? 1.0f : 0.5f;
    return u - s * 0.5f * m;
}

bool OutsidePlayArea(float x, float y) {
    const int tx = static_cast<int>(x), ty = static_cast<int>(y);
    return tx < 0 || tx > 608 || ty < 64 || ty > 448;
}

// The hit that the boss or the enemies deal this frame, 0 for none; a shot that hits is spent.
int ShotDamage(Shot& shot) {
    shot.Hide();
    return shot.hp < 1 ? 1 : shot.hp;
}

int BossDamage(Player& p) {
    Boss& boss = TheBoss();
    if (boss.HitsSprite(&p) != 0) return 1;
    if (p.bossCharging != 0) return 0;
    for (int i = kBossShots - 1; i >= 0; --i)
        if (p.HitTest(&boss.shots[i]) != 0) return ShotDamage(boss.shots[i]);
    return 0;
}

int EnemyDamage(Player& p) {
    EnemyManager& m = TheEnemies();
    for (int i = kEnemyRingSize - 1; i >= 0; --i)
        if (p.HitTest(&m.enemies[i]) != 0) return 1;
    for (int i = kEnemyRingSize - 1; i >= 0; --i)
        for (int s = kEnemyShotSlots - 1; s >= 0; --s)
            if (p.HitTest(&m.enemies[i].shots[s]) != 0) return ShotDamage(m.enemies[i].shots[s]);
    return 0;
}

} // namespace

Player::Player() : shots(std::make_unique<Shot[]>(kPlayerShotArray)) {
    specialKind = 0;
}

void Player::Reset(int newController, uint8_t newJoystickOnly) {
    const int fps = Globals().fps;
    fireInterval = fps / 6;
    controller = newController;
    shotLimit = 6;
    power = 1;
    speed = 5;
    hp = 3;
    tp = 3;
    ringOn = 0;
    joystickOnly = newJoystickOnly;
    barrier = 0;
    doubleShot = 0;
    lastShotFrame = 0;
    SetHitBox(0, 5, 5, 10, 10);
    SetHitBox(1, 10, 10, 8, 0);
    SetHitBox(2, 10, 10, 0, 8);
    lastHitFrame = -2 * fps;
}

void Player::Update() {
    const GameGlobals& g = Globals();
    const float S = g.speedFactor;
    const bool hard = g.hardMode != 0;

    int direction = kNoDirection;
    int newRow = 0;
    if (ControlHeld(*this, KeyOf(Action::Up), tessary::JOY_UP)) {
        direction = 90;
        newRow = 1;
    } else if (ControlHeld(*this, KeyOf(Action::Down), tessary::JOY_DOWN)) {
        direction = 270;
        newRow = 2;
    }
    if (barrier != 0) newRow += kBarrierRows;
    if (InHitSecond(*this)) newRow += kHitRows;
    SetRow(newRow);

    if (ControlHeld(*this, KeyOf(Action::Left), tessary::JOY_LEFT)) {
        direction = direction == 90 ? 135 : direction == 270 ? 225 : 180;
    } else if (ControlHeld(*this, KeyOf(Action::Right), tessary::JOY_RIGHT)) {
        direction = direction == 90 ? 45 : direction == 270 ? 315 : 0;
    }

    const float v0x = vx, v0y = vy;
    if (direction != kNoDirection) {
        const double radians = direction * kDegreesToRadians;
        if (hard) {
            SetVelocityX(static_cast<float>(v0x + S * std::cos(radians)));
            SetVelocityY(static_cast<float>(v0y - S * std::sin(radians)));
        } else {
            const float pace = static_cast<float>(speed) * S;
            SetVelocityX(static_cast<float>(pace * std::cos(radians)));
            SetVelocityY(static_cast<float>(-pace * std::sin(radians)));
        }
    } else if (!hard) {
        SetVelocityX(0.0f);
        SetVelocityY(0.0f);
    }

    // The edges turn the outward component back from a reference velocity: in plain mode the one
    // of the frame before, so that a held direction against a wall jitters there.
    float rx = v0x, ry = v0y;
    if (hard) {
        rx = vx;
        ry = vy;
        if (ControlHeld(*this, KeyOf(Action::Brake), kButtonBrake)) {
            SetVelocityX(Braked(rx));
            SetVelocityY(Braked(ry));
        } else {
            SetVelocityX(Dragged(rx));
            SetVelocityY(Dragged(ry));
        }
    }
    if (OutsidePlayArea(x, y)) {
        const float bounce = hard ? kEdgeBounce : -1.0f;
        if (x <= kLeftEdge && rx <= 0.0f) SetVelocityX(bounce * rx);
        if (y <= kTopEdge && ry <= 0.0f) SetVelocityY(bounce * ry);
        if (x >= kRightEdge && rx >= 0.0f) SetVelocityX(bounce * rx);
        if (y >= kBottomEdge && ry >= 0.0f) SetVelocityY(bounce * ry);
    }

    if (ringOn != 0) {
        if (ringFirst >= kPlayerShotSlots) {
            ringOn = 0;
        } else {
            bool anyActive = false;
            for (int i = ringFirst < 0 ? 0 : ringFirst; i < kPlayerShotSlots; ++i) {
                shots[i].SetVelocityX(vx);
                shots[i].SetVelocityY(vy);
                if (shots[i].active != 0) anyActive = true;
            }
            if (!anyActive) ringOn = 0;
        }
    }

    if (EitherKey(Action::EndRun, [](int state) { return state == tessary::KEY_PRESSED; }) ||
        (gameOver != 0 && tessary::JoyState(0, kButtonNextSpecial) != tessary::KEY_UP)) {
        EndRun();
    }
}

void Player::CheckHits() {
    if (barrier != 0 || InHitSecond(*this)) return;
    SetDrawMode(0);
    const int damage = Globals().bossPhase != 0 ? BossDamage(*this) : EnemyDamage(*this);
    if (damage == 0) return;
    hp -= damage;
    lastHitFrame = static_cast<int32_t>(TheGame().frameCounter);
    SetDrawMode(3);
    SetScale(8.0f);
    if (hp >= 1) return;
    tessary::PlayWave(kLostLifeWave, 0);
    SetPosition(0.0f, 200.0f);
    SetVelocityX(0.0f);
    SetVelocityY(0.0f);
    Reset(controller, 1);
    lives -= 1;
    if (lives < 0) gameOver = 1;
}

} // namespace pelko
