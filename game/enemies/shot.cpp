// How a shot flies: aiming, homing, and the per-frame behaviour of each shot kind. Enemy shots,
// the boss's shots and the player's shots all steer through here.
#include <cmath>
#include <cstdlib>

#include "game/enemies/angle_table.h"
#include "game/enemies/game_object.h"
#include "game/enemies/target_player.h"
#include "game/flow/game_globals.h"

namespace pelko {
namespace {

// pi and pi / 2 as the aiming has always used them, short of full precision.
constexpr double kHalfTurn = 3.141592;
constexpr double kQuarterTurn = 1.570796;
constexpr double kExactQuarterTurn = 1.57079632679489661923; // what atan gives at infinity

constexpr double kCurveStep = 0.1;       // kinds 5 and 6, per frame, whatever the frame rate
constexpr double kLineFollow = 0.05;     // kind 7
constexpr double kDriftFactor = 0.00333; // kind 10
constexpr float kHomingSpeed = 3.0f;
constexpr int kHomingTurn = 2;

int Whole(float v) {
    return static_cast<int>(v);
}

} // namespace

void Shot::Aim(const tessary::Sprite* target) {
    if (target == nullptr) {
        aimAngle = 0;
        heading = 0;
        return;
    }
    const double dx = Whole(target->x) - Whole(x);
    const double dy = Whole(target->y) - Whole(y);
    // On the target's very pixel there is no direction; the shot keeps the one it had.
    if (dx != 0.0 || dy != 0.0) {
        double a;
        if (dx > 0)
            a = std::atan(dy / dx);
        else if (dx < 0)
            a = std::atan(dy / dx) + kHalfTurn;
        else
            a = dy > 0 ? kQuarterTurn : -kQuarterTurn;
        aimAngle = RadiansToSteps(a);
    }
    if (vx == 0.0f && vy == 0.0f) {
        heading = 0;
    } else {
        // Straight up or down is the limit of the arctangent, without dividing by zero: vy / vx
        // is then an infinity whose sign is that of the quotient, so a vx of -0 turns it round.
        // Such a shot counts as flying left, as every vx <= 0 does.
        const bool positiveQuotient = std::signbit(vx) == std::signbit(vy);
        double h = vx != 0.0f ? std::atan(static_cast<double>(vy / vx))
                              : (positiveQuotient ? kExactQuarterTurn : -kExactQuarterTurn);
        if (vx <= 0.0f) h += kHalfTurn;
        heading = RadiansToSteps(h);
    }
}

void Shot::Home() {
    Aim(TargetPlayer(targetPlayer));
    const int a = aimAngle;
    int h = heading;
    int d = a > h ? 1 : -1;
    if (std::abs(a - h) > 128) d = -d; // the short way round
    h += kHomingTurn * d;
    heading = h;
    const AngleTable& angles = TheAngles();
    const float speed = Globals().speedFactor;
    SetVelocityX(static_cast<float>(angles.Cos(h) * speed * kHomingSpeed));
    SetVelocityY(static_cast<float>(angles.Sin(h) * speed * kHomingSpeed));
}

void Shot::Steer() {
    if (!active) return;
    SetRow(kind);
    const float speed = Globals().speedFactor;
    const tessary::Sprite* target = TargetPlayer(targetPlayer);
    switch (kind) {
    case 3: // sinks
        SetVelocityY(speed);
        break;
    case 4: // rises
        SetVelocityY(-speed);
        break;
    case 5: // curves upward
        SetVelocityY(static_cast<float>(vy - kCurveStep));
        break;
    case 6: // curves downward
        SetVelocityY(static_cast<float>(vy + kCurveStep));
        break;
    case 7: // follows the player's line while flying left
        if (target == nullptr) break;
        if (vx > 0) SetVelocityX(-vx);
        SetVelocityY(static_cast<float>((Whole(target->y) - Whole(y)) * kLineFollow));
        break;
    case 8:
    case 11:
        if (target != nullptr) Home();
        break;
    case 10: // drifts toward the player, slower as it nears
        if (target == nullptr) break;
        SetVelocityX(static_cast<float>((Whole(target->x) - Whole(x)) * kDriftFactor));
        SetVelocityY(static_cast<float>((Whole(target->y) - Whole(y)) * kDriftFactor));
        break;
    case 12: { // swings about levelY
        const int line = Whole(y);
        const float pull = speed * speed;
        if (line > levelY)
            SetVelocityY(vy - pull);
        else if (line < levelY)
            SetVelocityY(vy + pull);
        break;
    }
    default: // 0, 1, 2, 9 (aimed once at launch) and 13 up: straight flight
        break;
    }
}

void Shot::HideIfOffscreen(bool keepSpecial) {
    if (!active) return;
    const int sx = Whole(x);
    const int sy = Whole(y);
    if (sx >= 0 && sx <= 640 && sy >= 64 && sy <= 480) return;
    if (!keepSpecial) {
        Hide();
        special = 0;
    } else if (special == 0) {
        Hide();
    }
}

} // namespace pelko
