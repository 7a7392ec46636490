#include "autopilot/threat_forecast.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "game/enemies/game_object.h"

namespace pelko::testing {
namespace {

constexpr double kStep = 0.0245436875; // radians per step of 256 a turn, as the shots use it
constexpr double kStepsPerRadian = 40.7436654315355;

// Steps of a turn as the shots truncate them, folded into -255..255.
int Steps(double radians) {
    return static_cast<int>(std::fmod(std::trunc(radians * kStepsPerRadian), 256.0));
}

// The shots' own angle table covers sixteen turns about 0: its entries are taken at the angle
// plus 2048 steps, which is what makes a heading drift by a step now and then.
double TableCos(int a) {
    return std::cos((a + 2048) * kStep);
}
double TableSin(int a) {
    return std::sin((a + 2048) * kStep);
}

int Whole(float v) {
    return static_cast<int>(v);
}

// The heading of a velocity, in steps, truncated as the shots reckon it.
int HeadingOf(float vx, float vy) {
    if (vx == 0.0f && vy == 0.0f) return 0;
    double h = vx != 0.0f ? std::atan(static_cast<double>(vy / vx))
                          : (vy > 0 ? 1.57079632679489661923 : -1.57079632679489661923);
    if (vx <= 0.0f) h += 3.141592;
    return Steps(h);
}

// What a homing shot does with its heading in one frame: after it turns to heading h it flies
// along the table's entry for h, and reads its heading back from that velocity. Looked up.
struct HomingTurns {
    static constexpr int kRange = 300;
    float speedFactor = 0;
    float vx[2 * kRange + 1], vy[2 * kRange + 1];
    int next[2 * kRange + 1];
    void Fill(float s) {
        speedFactor = s;
        for (int h = -kRange; h <= kRange; ++h) {
            const size_t i = static_cast<size_t>(h + kRange);
            vx[i] = static_cast<float>(TableCos(h) * s * 3.0f);
            vy[i] = static_cast<float>(TableSin(h) * s * 3.0f);
            next[i] = HeadingOf(vx[i], vy[i]);
        }
    }
};
const HomingTurns& HomingFor(float s) {
    static HomingTurns at30, at60;
    HomingTurns& t = s >= 0.75f ? at30 : at60;
    if (t.speedFactor != s) t.Fill(s);
    return t;
}

Threat FromSprite(const tessary::Sprite& s) {
    Threat t;
    t.x = s.x;
    t.y = s.y;
    t.vx = s.vx;
    t.vy = s.vy;
    t.ax = s.ax;
    t.ay = s.ay;
    const tessary::Sprite::Box b = s.HitBox();
    t.left = b.left - Whole(s.x);
    t.top = b.top - Whole(s.y);
    t.right = b.right - Whole(s.x);
    t.bottom = b.bottom - Whole(s.y);
    return t;
}

} // namespace

Threat BodyThreat(const tessary::Sprite& s, float uncertainty) {
    Threat t = FromSprite(s);
    t.uncertainty = uncertainty;
    return t;
}

Threat ShotThreat(const Shot& s, float swingY) {
    Threat t = FromSprite(s);
    t.steering = s.row;
    t.heading = HeadingOf(s.vx, s.vy);
    t.swingY = swingY;
    return t;
}

bool FollowsShip(const Threat& t) {
    return t.steering == 7 || t.steering == 8 || t.steering == 10 || t.steering == 11;
}

void StepThreat(Threat& t, float shipX, float shipY, float speedFactor) {
    switch (t.steering) {
    case 3:
        t.vy = speedFactor;
        break;
    case 4:
        t.vy = -speedFactor;
        break;
    case 5:
        t.vy = static_cast<float>(t.vy - 0.1);
        break;
    case 6:
        t.vy = static_cast<float>(t.vy + 0.1);
        break;
    case 7:
        if (t.vx > 0) t.vx = -t.vx;
        t.vy = static_cast<float>((Whole(shipY) - Whole(t.y)) * 0.05);
        break;
    case 8:
    case 11: {
        // Two steps toward the ship, the short way round.
        const double dx = Whole(shipX) - Whole(t.x), dy = Whole(shipY) - Whole(t.y);
        int aim = t.heading; // on the ship's very pixel the aim stays as it was
        if (dx > 0)
            aim = Steps(std::atan(dy / dx));
        else if (dx < 0)
            aim = Steps(std::atan(dy / dx) + 3.141592);
        else if (dy != 0)
            aim = Steps(dy > 0 ? 1.570796 : -1.570796);
        int d = aim > t.heading ? 1 : -1;
        if (std::abs(aim - t.heading) > 128) d = -d;
        const int h = std::clamp(t.heading + 2 * d, -HomingTurns::kRange, HomingTurns::kRange);
        const HomingTurns& turns = HomingFor(speedFactor);
        const size_t i = static_cast<size_t>(h + HomingTurns::kRange);
        t.vx = turns.vx[i];
        t.vy = turns.vy[i];
        t.heading = turns.next[i];
        break;
    }
    case 10:
        t.vx = static_cast<float>((Whole(shipX) - Whole(t.x)) * 0.00333);
        t.vy = static_cast<float>((Whole(shipY) - Whole(t.y)) * 0.00333);
        break;
    case 12: {
        const int line = Whole(t.y);
        const float pull = speedFactor * speedFactor;
        if (line > t.swingY)
            t.vy -= pull;
        else if (line < t.swingY)
            t.vy += pull;
        break;
    }
    default:
        break;
    }
    t.x += t.vx;
    t.y += t.vy;
    t.vx += t.ax;
    t.vy += t.ay;
}

} // namespace pelko::testing
