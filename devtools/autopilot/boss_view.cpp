#include "autopilot/boss_view.h"

#include <algorithm>
#include <cmath>

#include "game/enemies/boss.h"

namespace pelko::testing {

BossBlock SeeBossBlock(const Boss& boss) {
    BossBlock block;
    for (const GameObject& part : boss.parts)
        if (part.active) {
            const tessary::Sprite::Box box = part.HitBox();
            block.left = std::min(block.left, static_cast<float>(box.left));
            block.top = std::min(block.top, static_cast<float>(box.top));
            block.right = std::max(block.right, static_cast<float>(box.right));
            block.bottom = std::max(block.bottom, static_cast<float>(box.bottom));
        }
    return block;
}

bool Gathering(const Shot& s, float speedFactor, const BossBlock& block) {
    // They cover at least 640 pixels in a second; the fastest shots of an attack, the wall's,
    // make 21 pixels per 1/30 s, and a swinging shot 16.3.
    if (!block.shown() || std::hypot(s.vx, s.vy) < 18 * speedFactor) return false;
    // The line of flight enters the block (with a margin for the point they meet at, which may
    // lie just left of the hit boxes) ahead of the shot: from outside, on its way in. A shot
    // leaving the boss, as the wall's do, starts inside and so never counts.
    const float margin = 40;
    double enter = -1e30, leave = 1e30;
    auto slab = [&](double p, double v, double lo, double hi) {
        if (v == 0) {
            if (p < lo || p > hi) leave = -1e30;
            return;
        }
        double a = (lo - p) / v, b = (hi - p) / v;
        if (a > b) std::swap(a, b);
        enter = std::max(enter, a);
        leave = std::min(leave, b);
    };
    slab(s.x, s.vx, block.left - margin, block.right + margin);
    slab(s.y, s.vy, block.top - margin, block.bottom + margin);
    return enter <= leave && enter > 0;
}

bool MeetingPoint(const std::vector<const Shot*>& shots, float& x, float& y) {
    double a = 0, b = 0, c = 0, px = 0, py = 0;
    for (const Shot* s : shots) {
        const double len = std::hypot(s->vx, s->vy);
        const double dx = s->vx / len, dy = s->vy / len;
        // The projection across the line: I - d d^T.
        const double m11 = 1 - dx * dx, m12 = -dx * dy, m22 = 1 - dy * dy;
        a += m11;
        b += m12;
        c += m22;
        px += m11 * s->x + m12 * s->y;
        py += m12 * s->x + m22 * s->y;
    }
    const double det = a * c - b * b;
    if (shots.size() < 2 || std::fabs(det) < 1e-6) return false;
    x = static_cast<float>((c * px - b * py) / det);
    y = static_cast<float>((a * py - b * px) / det);
    return true;
}

} // namespace pelko::testing
