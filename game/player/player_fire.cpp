// The player's fire: normal shots straight ahead at a steady rate, and the special attack that
// fills every shot slot at once with one of six patterns.
#include <algorithm>
#include <cstdint>

#include "game/enemies/angle_table.h"
#include "game/flow/game_globals.h"
#include "game/player/player.h"
#include "game/player/player_controls.h"
#include "runtime/sound/wave_bank.h"

namespace pelko {
namespace {

constexpr int kSpecialKinds = 6;
constexpr int kRingPattern = 5;
constexpr uint16_t kShotWave = 1;
constexpr int kStrongSpecialHp = 15, kWeakSpecialHp = 4;

void Launch(Shot& shot, int power, float speed, int x, int y) {
    shot.Show();
    shot.hp = power;
    shot.SetVelocityX(speed);
    shot.SetVelocityY(0.0f);
    shot.special = 0;
    shot.SetPosition(static_cast<float>(x), static_cast<float>(y));
}

void PlaceSpecial(Shot& shot, double x, double y, double vx, double vy, int hp) {
    shot.SetPosition(static_cast<float>(x), static_cast<float>(y));
    shot.SetVelocityX(static_cast<float>(vx));
    shot.SetVelocityY(static_cast<float>(vy));
    shot.hp = hp;
    shot.special = 1;
}

// Patterns 0..2: every slot from the player's corner at an angle of its own; all are placed
// before any is shown.
void Burst(Player& p, int pattern) {
    const AngleTable& angles = TheAngles();
    const float S = Globals().speedFactor;
    for (int k = kPlayerShotSlots - 1; k >= 0; --k) {
        Shot& shot = p.shots[k];
        if (pattern == 0) {
            const int a = 4 * (63 - k); // the same speed at every frame rate
            PlaceSpecial(shot, p.x, p.y, 5 * angles.Cos(a), 5 * angles.Sin(a), kStrongSpecialHp);
        } else if (pattern == 1) {
            const int a = 31 - k;
            PlaceSpecial(shot, p.x, p.y, 5 * S * angles.Cos(a), 5 * S * angles.Sin(a),
                         kStrongSpecialHp);
        } else {
            const int a = 4 * (63 - k);
            const float pace = 16 * S / (k % 2 == 0 ? 1 : 2);
            PlaceSpecial(shot, p.x, p.y, pace * angles.Cos(a), pace * angles.Sin(a),
                         kStrongSpecialHp);
        }
    }
    for (int k = kPlayerShotSlots - 1; k >= 0; --k)
        p.shots[k].Show();
}

// Pattern 3: four rows of shots, the lower slots slower.
void Stream(Player& p) {
    const float S = Globals().speedFactor;
    for (int k = kPlayerShotSlots - 1; k >= 0; --k) {
        PlaceSpecial(p.shots[k], p.x, p.y + 24 - 10 * (k % 4), (21 - k / 4) * S, 0.0,
                     kWeakSpecialHp);
        p.shots[k].Show();
    }
}

// Pattern 4: a standing arc from above the player round its front to below it.
void Arc(Player& p) {
    const AngleTable& angles = TheAngles();
    for (int k = kPlayerShotSlots - 1; k >= 31; --k) {
        const int a = 4 * (k - 31);
        PlaceSpecial(p.shots[k], p.x + 75 * angles.Sin(a), p.y - 75 * angles.Cos(a), 0.0, 0.0,
                     kWeakSpecialHp);
        p.shots[k].Show();
    }
}

// Pattern 5: a ring round the player that the player then drags along (Player::Update).
void OrbitRing(Player& p) {
    const AngleTable& angles = TheAngles();
    for (int k = kPlayerShotSlots - 1; k >= 32; --k) {
        const int a = 8 * (k - 32);
        PlaceSpecial(p.shots[k], p.x + 50 * angles.Cos(a), p.y + 50 * angles.Sin(a), 0.0, 0.0,
                     kWeakSpecialHp);
        p.shots[k].Show();
    }
    p.ringOn = 1;
    p.ringFirst = p.shotLimit + 1;
}

void LaunchSpecial(Player& p) {
    for (int k = 0; k < kPlayerShotSlots; ++k)
        p.shots[k].Hide();
    if (p.specialKind >= 0 && p.specialKind <= 3) p.ringOn = 0;
    switch (p.specialKind) {
    case 0:
    case 1:
    case 2:
        Burst(p, p.specialKind);
        break;
    case 3:
        Stream(p);
        break;
    case 4:
        Arc(p);
        break;
    case kRingPattern:
        OrbitRing(p);
        break;
    default:
        break;
    }
}

} // namespace

void Player::Fire() {
    for (int i = 0; i < kPlayerShotSlots; ++i)
        shots[i].HideIfOffscreen(ringOn != 0);
    if (ControlHeld(*this, KeyOf(Action::Fire), kButtonFire)) {
        const int64_t now = TheGame().frameCounter;
        const int n = std::min(doubleShot != 0 ? shotLimit * 2 : shotLimit, kPlayerShotSlots);
        const float shotSpeed = 10 * Globals().speedFactor;
        for (int i = 0; i < n; ++i) {
            if (now < static_cast<int64_t>(lastShotFrame) + fireInterval) continue;
            if (shots[i].active != 0) continue;
            const int X = static_cast<int>(x), Y = static_cast<int>(y);
            tessary::PlayWave(kShotWave, 0);
            if (doubleShot == 0) {
                Launch(shots[i], power, shotSpeed, X + 48, Y + 12);
            } else {
                Launch(shots[i], power, shotSpeed, X + 48, Y + 6);
                // The pair's second shot takes the next slot even when a shot is still there.
                if (i < kPlayerShotSlots - 1) {
                    ++i;
                    Launch(shots[i], power, shotSpeed, X + 48, Y + 18);
                }
            }
            lastShotFrame = static_cast<int32_t>(now);
        }
    }
    FireSpecial();
}

void Player::FireSpecial() {
    if (ControlPressed(*this, KeyOf(Action::NextSpecial), kButtonNextSpecial)) {
        specialKind = specialKind >= kSpecialKinds - 1 ? 0 : specialKind + 1;
        TheGame().SetRow(specialKind);
    }
    if (tp > 0 && ControlPressed(*this, KeyOf(Action::Special), kButtonSpecial)) {
        LaunchSpecial(*this);
        tp -= 1;
    }
}

} // namespace pelko
