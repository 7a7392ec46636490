#include "autopilot/autopilot.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "game/enemies/boss.h"
#include "game/enemies/enemy_manager.h"
#include "game/flow/game_globals.h"
#include "game/flow/game_keys.h"
#include "game/flow/game_start.h"
#include "game/player/player.h"

namespace pelko::testing {
namespace {

// The special attacks the pilot uses: the radial burst clears shots all round the ship, the
// stream puts all 64 shots into whatever is straight ahead.
constexpr int kRadialBurst = 0, kStream = 3;

// Something on screen that hurts: its hit box now and how it moves per frame.
struct Threat {
    float left, top, right, bottom, vx, vy, ax, ay;
};

void AddThreat(std::vector<Threat>& out, const tessary::Sprite& s, const tessary::Sprite& ship) {
    if (s.active == 0) return;
    const tessary::Sprite::Box b = s.HitBox();
    // Far away and not fast enough to arrive within the look-ahead: leave it out.
    if (std::fabs(s.x - ship.x) > 260 || std::fabs(s.y - ship.y) > 260) return;
    out.push_back({static_cast<float>(b.left), static_cast<float>(b.top),
                   static_cast<float>(b.right), static_cast<float>(b.bottom), s.vx, s.vy, s.ax,
                   s.ay});
}

// The ship's motion for one choice of keys, as the ship's own movement rules give it.
struct Move {
    int h = 0, v = 0; // -1 left/up, 1 right/down
    bool brake = false;
};

struct Motion {
    float x, y, vx, vy;
};

void Step(Motion& m, const Move& mv, bool hard, float pace, float s) {
    const bool any = mv.h != 0 || mv.v != 0;
    const float diag = mv.h != 0 && mv.v != 0 ? 0.70710678f : 1.0f;
    if (!hard) {
        m.vx = any ? mv.h * pace * diag : 0;
        m.vy = any ? mv.v * pace * diag : 0;
    } else {
        if (any) {
            m.vx += mv.h * s * diag;
            m.vy += mv.v * s * diag;
        }
        for (float* u : {&m.vx, &m.vy}) {
            if (mv.brake)
                *u -= (*u > 0 ? 1.0f : -1.0f) * 0.5f * (std::fabs(*u) > 1.0f ? 1.0f : 0.5f);
            else
                *u *= 1.0f - 0.0025f * std::fabs(*u);
        }
    }
    m.x += m.vx;
    m.y += m.vy;
}

} // namespace

void Autopilot::Press(GameHarness& game, int vk, bool down) {
    if (keys_[vk] == down) return;
    keys_[vk] = down;
    everPressed_[vk] = everPressed_[vk] || down;
    game.Key(vk, down);
}

// Cycles the selected special attack (the weapon icon in the corner) with presses of X. A key
// let go reads as released for a frame before it is up, and only a key down after up counts as a
// new press, so every press is followed by three frames without.
void Autopilot::ChooseSpecial(GameHarness& game, int wanted) {
    const Player& p = PlayerAt(0);
    xPause_ = keys_[kVkX] ? 3 : xPause_ - 1;
    Press(game, kVkX, p.specialKind != wanted && !keys_[kVkX] && xPause_ <= 0);
}

void Autopilot::BeforeTick(GameHarness& game, uint64_t) {
    const bool playing = game.Screen() == InGameFrame && PlayerAt(0).gameOver == 0;
    if (!playing) {
        for (int vk : {kVkReturn, kVkSpace, kVkLeft, kVkUp, kVkRight, kVkDown, kVkX, kVkZ})
            Press(game, vk, false);
        return;
    }
    const GameGlobals& g = Globals();
    const Player& p = PlayerAt(0);
    const bool hard = g.hardMode != 0;
    const bool boss = g.bossPhase != 0;
    const float s = g.speedFactor;
    const float pace = static_cast<float>(p.speed) * s;

    std::vector<Threat> threats;
    if (boss) {
        const Boss& b = TheBoss();
        for (const GameObject& part : b.parts)
            AddThreat(threats, part, p);
        if (p.bossCharging == 0)
            for (const Shot& shot : b.shots)
                AddThreat(threats, shot, p);
    } else {
        for (const Enemy& e : TheEnemies().enemies) {
            AddThreat(threats, e, p);
            for (const Shot& shot : e.shots)
                AddThreat(threats, shot, p);
        }
    }

    // Where to be: in line with the nearest target ahead, or on the item when one floats by.
    const float shotRow = 16; // a normal shot's centre below the ship's top
    float goalY = 256, goalX = 90;
    const tessary::Sprite* target = nullptr;
    if (boss) {
        for (const GameObject& part : TheBoss().parts)
            if (part.active &&
                (target == nullptr || std::fabs(part.y - p.y) < std::fabs(target->y - p.y)))
                target = &part;
    } else {
        for (const Enemy& e : TheEnemies().enemies)
            if (e.active && e.x > p.x + 40 && e.x < 640 && (target == nullptr || e.x < target->x))
                target = &e;
    }
    if (target != nullptr) goalY = target->y + target->frameHeight / 2.0f - shotRow;
    if (boss && target != nullptr) goalX = std::min(200.0f, target->x - 260);
    const GameObject& item = TheItem();
    const bool itemUp =
        item.active != 0 && item.x > 0 && item.x < 600 && item.y > 64 && item.y < 450;
    if (itemUp) {
        goalX = item.x;
        goalY = item.y;
    }

    // Score every choice of keys over the next third of a second.
    const int samples = 10;
    const int every = std::max(1, g.fps / 30);
    const tessary::Sprite::Box box = p.HitBox();
    Move best;
    double bestCost = 1e30;
    int bestDanger = 0;
    int leastDanger = 1 << 30, nearDanger = 0;
    for (int brake = 0; brake <= (hard ? 1 : 0); ++brake)
        for (int v = -1; v <= 1; ++v)
            for (int h = -1; h <= 1; ++h) {
                const Move mv{h, v, brake != 0};
                Motion m{p.x, p.y, p.vx, p.vy};
                int danger = 0, soon = 0;
                double edge = 0;
                for (int k = 1; k <= samples; ++k) {
                    for (int f = 0; f < every; ++f)
                        Step(m, mv, hard, pace, s);
                    const float dx = m.x - p.x, dy = m.y - p.y, t = static_cast<float>(k * every);
                    // Against an edge the ship has nowhere left to go.
                    edge += 20 * (std::max(0.0f, 24 - m.x) + std::max(0.0f, 84 - m.y) +
                                  std::max(0.0f, m.y - 428) + std::max(0.0f, m.x - 540));
                    for (const Threat& th : threats) {
                        // Where it will be drawn, going on as it moves now (steered shots
                        // turn, so the margin grows with the time ahead).
                        const float ox = th.vx * t + 0.5f * th.ax * t * t;
                        const float oy = th.vy * t + 0.5f * th.ay * t * t;
                        const float tl = th.left + ox, tt = th.top + oy;
                        const float tr = th.right + ox, tb = th.bottom + oy;
                        const float margin = 3 + k * 0.4f;
                        if (tl < box.right + dx + margin && tr > box.left + dx - margin &&
                            tt < box.bottom + dy + margin && tb > box.top + dy - margin) {
                            danger += samples + 1 - k;
                            if (k <= 3) ++soon;
                        }
                    }
                }
                const double cost = danger * 1000.0 + edge + std::fabs(m.y - goalY) * 2 +
                                    std::fabs(m.x - goalX) * (itemUp ? 2 : 0.5) +
                                    (hard ? (std::fabs(m.vx) + std::fabs(m.vy)) * 3 : 0);
                if (cost < bestCost) {
                    bestCost = cost;
                    best = mv;
                    bestDanger = soon;
                }
                leastDanger = std::min(leastDanger, danger);
                nearDanger = bestDanger;
            }

    Press(game, kVkUp, best.v < 0);
    Press(game, kVkDown, best.v > 0);
    Press(game, kVkLeft, best.h < 0);
    Press(game, kVkRight, best.h > 0);
    Press(game, kVkReturn, best.brake);
    Press(game, kVkSpace, true);

    // Special attacks: when every way out still runs into something soon, and the stream into
    // the boss while charges are left over.
    const bool shielded =
        p.barrier != 0 || TheGame().frameCounter < static_cast<uint32_t>(p.lastHitFrame + g.fps);
    const bool cornered = nearDanger > 0 && leastDanger > 0 && !shielded;
    const bool lined = boss && target != nullptr && std::fabs(goalY - p.y) < 24 && p.tp >= 2;
    const int wanted = boss ? kStream : kRadialBurst;
    ChooseSpecial(game, wanted);
    // Cornered, any pattern will do: its shots cancel what they meet.
    if (--specialCooldown_ < 0 && p.tp > 0 && (cornered || (lined && p.specialKind == wanted)) &&
        !keys_[kVkZ]) {
        Press(game, kVkZ, true);
        specialCooldown_ = g.fps / 2;
        ++specialsUsed_;
    } else {
        Press(game, kVkZ, false);
    }
}

} // namespace pelko::testing
