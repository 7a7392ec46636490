#include "autopilot/ship_model.h"

#include <cmath>

namespace pelko::testing {
namespace {

constexpr float kLeftWall = 0, kRightWall = 608, kTopWall = 64, kBottomWall = 448;

float Dragged(float u) {
    return u * (1.0f - 0.0025f * std::fabs(u));
}

float Braked(float u) {
    const float s = u > 0.0f ? 1.0f : -1.0f;
    return u - s * 0.5f * (std::fabs(u) > 1.0f ? 1.0f : 0.5f);
}

} // namespace

ShipBox ShipBoxFor(int v) {
    if (v < 0) return {10, 8, 22, 32};
    if (v > 0) return {10, 0, 22, 24};
    return {5, 10, 27, 22};
}

void StepShip(ShipState& s, const ShipKeys& keys, const ShipRules& rules) {
    // Up beats down and left beats right, as on the keyboard of the game.
    const bool any = keys.h != 0 || keys.v != 0;
    const float diagonal = keys.h != 0 && keys.v != 0 ? 0.70710678f : 1.0f;
    const float ux = static_cast<float>(keys.h) * diagonal,
                uy = static_cast<float>(keys.v) * diagonal;
    float rx = s.vx, ry = s.vy;
    if (!rules.hard) {
        const float pace = static_cast<float>(rules.speed) * rules.speedFactor;
        s.vx = any ? pace * ux : 0.0f;
        s.vy = any ? pace * uy : 0.0f;
    } else {
        if (any) {
            s.vx += rules.speedFactor * ux;
            s.vy += rules.speedFactor * uy;
        }
        rx = s.vx;
        ry = s.vy;
        s.vx = keys.brake ? Braked(rx) : Dragged(rx);
        s.vy = keys.brake ? Braked(ry) : Dragged(ry);
    }
    const int tx = static_cast<int>(s.x), ty = static_cast<int>(s.y);
    if (tx < 0 || tx > 608 || ty < 64 || ty > 448) {
        const float bounce = rules.hard ? -0.8f : -1.0f;
        if (s.x <= kLeftWall && rx <= 0) s.vx = bounce * rx;
        if (s.y <= kTopWall && ry <= 0) s.vy = bounce * ry;
        if (s.x >= kRightWall && rx >= 0) s.vx = bounce * rx;
        if (s.y >= kBottomWall && ry >= 0) s.vy = bounce * ry;
    }
    s.x += s.vx;
    s.y += s.vy;
}

} // namespace pelko::testing
