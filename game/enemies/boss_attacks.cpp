// The boss's five attacks. Each begins with the same charge: all 128 shots fly in from a wide
// ring and meet at the boss within one second; then the attack's phases release them as a wave,
// a wall, a fan, a double sweep or a spray. The phases live in attackFlags; the start time of
// the attack is kept in shot 0's delay, the other shots' delays are their release times.
#include <climits>
#include <cmath>
#include <cstdint>

#include "game/enemies/angle_table.h"
#include "game/enemies/boss.h"
#include "game/flow/game_globals.h"
#include "runtime/shell/diagnostics.h"

namespace pelko {
namespace {

constexpr int kReleased = INT_MAX; // a released shot's delay: never due again
constexpr int kRingRadius = 640;   // the charge ring spans 640 to 1640 pixels
constexpr int kRingSpread = 1000;
constexpr float kSpraySpeedStep = 0.14285715f; // 1/7: spray speeds from 2.0 to 5.0

int Now() {
    return static_cast<int32_t>(TheGame().frameCounter);
}

// Frames since the attack's start time, held inside the int range whatever shot 0's delay holds.
int Elapsed(const Boss& boss) {
    const int64_t elapsed = static_cast<int64_t>(Now()) - boss.shots[0].delay;
    if (elapsed > INT_MAX) return INT_MAX;
    if (elapsed < INT_MIN) return INT_MIN;
    return static_cast<int>(elapsed);
}

bool Ready(const Boss& boss) {
    return Elapsed(boss) > Globals().fps;
}

} // namespace

void Boss::StartAttack(int n) {
    if (n < 1 || n > 5) return;
    ClearAttackFlags();
    const int fps = Globals().fps;
    switch (n) {
    case 1: {
        attackFlags[kWave] = 1;
        firstFrame = 1;
        const int level = spreadHeight / 2 + Y0();
        const int q = fps / 30;
        for (int i = kBossShots - 1; i >= 0; --i) {
            shots[i].hp = 1;
            shots[i].Show();
            shots[i].levelY = level;
            shots[i].delay = fps + i * q;
        }
        break;
    }
    case 2:
        attackFlags[kWall] = 1;
        break;
    case 3:
        attackFlags[kGather] = 1;
        attackFlags[kFan] = 1;
        break;
    case 4: {
        attackFlags[kSweep] = 1;
        const int q = fps / 20;
        for (int i = kBossShots - 1; i >= 0; --i) {
            shots[i].hp = 1;
            shots[i].kind = 1;
            shots[i].delay = i * q;
        }
        firstFrame = 1;
        break;
    }
    case 5:
        attackFlags[kGather] = 1;
        attackFlags[kSpray] = 1;
        firstFrame = 1;
        break;
    }
    Charge();
}

void Boss::Charge() {
    SetFirstPlayerCharging(1);
    centreX = X0();
    centreY = spreadHeight / 2 + Y0();
    const AngleTable& angles = TheAngles();
    // Taken in single precision, so every shot covers its distance in exactly fps frames.
    const float perFrame = 1.0f / static_cast<float>(Globals().fps);
    for (int i = kBossShots - 1; i >= 0; --i) {
        Shot& shot = shots[i];
        const int a = 2 * (127 - i);
        const int r = tessary::Random(kRingSpread) + kRingRadius;
        shot.SetPosition(static_cast<float>(angles.Cos(a) * r + centreX),
                         static_cast<float>(angles.Sin(a) * r + centreY));
        const int xs = static_cast<int>(shot.x);
        const int ys = static_cast<int>(shot.y);
        shot.SetVelocityX(static_cast<float>(centreX - xs) * perFrame);
        shot.SetVelocityY(static_cast<float>(centreY - ys) * perFrame);
        shot.kind = 1;
        shot.Show();
    }
    shots[0].delay = Now();
}

void Boss::AttackStep() {
    const bool ready = Ready(*this);
    if (attackFlags[kWave] && ready) {
        AttackWave();
    } else if (attackFlags[kWall] && ready) {
        AttackWall();
    } else if (attackFlags[kGather]) {
        if (!ready) return;
        if (attackFlags[kFan]) {
            Gather(20);
        } else if (attackFlags[kSpray]) {
            Gather(30);
        }
    } else if (attackFlags[kFan] && ready) {
        AttackFan();
    } else if (attackFlags[kSweep] && ready) {
        AttackSweep();
    } else if (attackFlags[kSpray] && ready) {
        AttackSpray();
    }
}

// Attack 1: the shots leave the boss one by one, alternately upward and downward, and swing
// about the boss's middle line while they fly left.
void Boss::AttackWave() {
    const float sF = Globals().speedFactor;
    if (firstFrame) {
        SetFirstPlayerCharging(0);
        const int x0 = X0();
        for (int i = kBossShots - 1; i >= 0; --i) {
            shots[i].SetPosition(static_cast<float>(x0), static_cast<float>(shots[0].levelY));
            shots[i].SetVelocityX(0.0f);
            shots[i].SetVelocityY(0.0f);
            shots[i].kind = 12;
        }
        shots[0].SetVelocityX(-3 * sF);
        shots[0].SetVelocityY(16 * sF);
        shots[0].Show();
        firstFrame = 0;
    }
    const int elapsed = Elapsed(*this);
    for (int i = kBossShots - 1; i >= 1; --i) {
        Shot& shot = shots[i];
        if (elapsed <= shot.delay) continue;
        shot.delay = kReleased;
        shot.SetVelocityX(-3 * sF);
        shot.SetVelocityY((i % 2 ? 16 : -16) * sF);
        shot.Show();
        if (i == kBossShots - 1) ClearAttackFlags();
    }
}

// Attack 2: in one frame, eight lanes 10 pixels apart at sixteen speeds, a wall that stretches
// as it flies left.
void Boss::AttackWall() {
    ClearAttackFlags();
    SetFirstPlayerCharging(0);
    const float sF = Globals().speedFactor;
    for (int i = kBossShots - 1; i >= 0; --i) {
        Shot& shot = shots[i];
        shot.kind = 1;
        shot.SetVelocityX(static_cast<float>(i / 8 - 21) * sF);
        shot.SetVelocityY(0.0f);
        shot.SetPosition(static_cast<float>(centreX),
                         static_cast<float>(centreY - 10 * (i % 8) + 24));
        shot.Show();
    }
}

// First phase of attacks 3 and 5: the ball of shots drifts left for a second and the release
// times of the second phase are set, n releases a second.
void Boss::Gather(int n) {
    SetFirstPlayerCharging(0);
    const int fps = Globals().fps;
    const int q = fps / n;
    const float sF = Globals().speedFactor;
    for (int k = 1; k <= kBossShots; ++k) {
        Shot& shot = shots[kBossShots - k];
        shot.SetPosition(static_cast<float>(centreX), static_cast<float>(centreY));
        shot.SetVelocityX(-4 * sF);
        shot.SetVelocityY(0.0f);
        shot.SetAccelX(0.0f);
        shot.SetAccelY(0.0f);
        shot.Show();
        shot.delay = fps + k * q;
        shot.special = 1;
    }
    shots[0].delay = Now();
    attackFlags[kGather] = 0;
}

// Attack 3: shots still due hold; each released shot flies at 3 x sF in its own direction, the
// directions stepping 14 from shot to shot.
void Boss::AttackFan() {
    const float sF = Globals().speedFactor;
    const AngleTable& angles = TheAngles();
    const int elapsed = Elapsed(*this);
    for (int i = kBossShots - 1; i >= 0; --i) {
        Shot& shot = shots[i];
        const int a = 64 - 14 * (127 - i);
        shot.SetVelocityX(0.0f);
        shot.SetVelocityY(0.0f);
        if (elapsed <= shot.delay) continue;
        shot.SetVelocityX(static_cast<float>(angles.Cos(a) * sF * -3));
        shot.SetVelocityY(static_cast<float>(angles.Sin(a) * sF * 3));
        shot.kind = 1;
        if (i == 1) {
            ClearAttackFlags();
            shots[1].Hide();
            shots[0].Hide();
        }
        shot.HideIfOffscreen(false);
    }
}

// Attack 4: two streams from the boss's left edge, both always leftward, each turning 8 steps
// from one shot to the next.
void Boss::AttackSweep() {
    const float sF = Globals().speedFactor;
    if (firstFrame) {
        SetFirstPlayerCharging(0);
        const float x0 = static_cast<float>(X0());
        const float upper = static_cast<float>(0.3 * spreadHeight + Y0());
        const float lower = static_cast<float>(0.6 * spreadHeight + Y0());
        for (int i = kBossShots - 1; i >= 0; --i) {
            shots[i].SetPosition(x0, i % 2 ? upper : lower);
            shots[i].SetVelocityX(0.0f);
            shots[i].SetVelocityY(0.0f);
        }
        firstFrame = 0;
    }
    const AngleTable& angles = TheAngles();
    const int elapsed = Elapsed(*this);
    int aOdd = 64;
    int aEven = -64;
    for (int i = kBossShots - 1; i >= 0; --i) {
        const bool odd = i % 2 != 0;
        Shot& shot = shots[i];
        if (elapsed > shot.delay) {
            const int a = odd ? aOdd : aEven;
            shot.SetVelocityX(static_cast<float>(std::fabs(angles.Cos(a)) * sF * -3));
            shot.SetVelocityY(static_cast<float>(angles.Sin(a) * sF * -3));
            shot.kind = 1;
            shot.Show();
            if (i == kBossShots - 1) {
                ClearAttackFlags();
                shots[kBossShots - 1].Hide();
                shots[0].Hide();
            }
            shot.delay = kReleased;
        }
        if (odd) {
            aOdd -= 8;
        } else {
            aEven += 8;
        }
    }
}

// Attack 5: always leftward, directions stepping 2 from shot to shot, each at a random speed.
void Boss::AttackSpray() {
    const float sF = Globals().speedFactor;
    if (firstFrame) {
        firstFrame = 0;
        for (int i = kBossShots - 1; i >= 0; --i) {
            shots[i].SetVelocityX(0.0f);
            shots[i].SetVelocityY(0.0f);
        }
    }
    const AngleTable& angles = TheAngles();
    const int elapsed = Elapsed(*this);
    for (int i = kBossShots - 1; i >= 0; --i) {
        Shot& shot = shots[i];
        if (elapsed <= shot.delay) continue;
        const int a = 64 - 2 * (127 - i);
        const float v = static_cast<float>(tessary::Random(21) + 14) * kSpraySpeedStep;
        shot.SetVelocityX(static_cast<float>(-std::fabs(angles.Cos(a) * sF * v)));
        shot.SetVelocityY(static_cast<float>(angles.Sin(a) * sF * v));
        shot.kind = 1;
        shot.delay = kReleased;
        if (i == 1) {
            ClearAttackFlags();
            shots[1].Hide();
            shots[0].Hide();
        }
        shot.HideIfOffscreen(false);
    }
}

} // namespace pelko
