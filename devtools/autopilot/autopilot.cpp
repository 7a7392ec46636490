#include "autopilot/autopilot.h"

#include "autopilot/boss_view.h"

#include <algorithm>
#include <cmath>

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

// Rows of the ship's picture: the barrier and the second after a hit each show their own band.
constexpr int kBarrierRows = 4, kHitRows = 8;

// A normal shot's centre below the ship's top.
constexpr float kShotRow = 16;

int Whole(float v) {
    return static_cast<int>(v);
}

// How far apart two boxes are: below zero on both axes they overlap.
struct Gap {
    int x, y;
};
Gap GapBetween(int al, int at, int ar, int ab, int bl, int bt, int br, int bb) {
    return {std::max(bl - ar, al - br), std::max(bt - ab, at - bb)};
}

// Whether the item of this kind (its picture row) is worth going for.
bool WantItem(int kind, const Player& p, bool hard) {
    switch (kind) {
    case 0:
        return true; // more power
    case 1:
        return !hard; // more speed: hard mode moves by push, not pace
    case 2:
        return true; // the barrier
    case 3:
        return p.tp < 3; // a special-attack charge
    case 4:
        return p.doubleShot == 0; // double shots
    default:
        return false; // points only
    }
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

void Autopilot::WatchShip(uint32_t frame) {
    const Player& p = PlayerAt(0);
    const int fps = Globals().fps;
    // A hit shows as one point less on the status display and the hit picture for a second; a
    // lost life brings a fresh ship that can be hit at once.
    if (p.lives == lastLives_ && p.hp < lastHp_) safeUntil_ = frame + static_cast<uint32_t>(fps);
    if (p.lives != lastLives_) safeUntil_ = 0;
    // The barrier's picture: it lasts ten seconds from the frame before it shows.
    if ((p.row & kBarrierRows) != 0 && (lastRow_ & kBarrierRows) == 0)
        safeUntil_ = std::max(safeUntil_, frame + static_cast<uint32_t>(10 * fps));
    if ((p.row & kBarrierRows) == 0 && (lastRow_ & kBarrierRows) != 0 && (p.row & kHitRows) == 0)
        safeUntil_ = std::min(safeUntil_, frame);
    lastHp_ = p.hp;
    lastLives_ = p.lives;
    lastRow_ = p.row;
}

void Autopilot::WatchBoss() {
    if (!boss_) {
        spawns_ = 0;
        for (bool& shown : shotShown_)
            shown = false;
        return;
    }
    // Where the boss's aimed shots come into sight, beside the boss, as a player learns it: a
    // zone to keep out of, since a shot may appear on the ship there at any moment. The aimed
    // fire brings one shot at a time; many at once are an attack being set up.
    const Boss& b = TheBoss();
    const BossBlock block = SeeBossBlock(TheBoss());
    int appeared = -1, count = 0;
    for (int i = 0; i < kBossShots; ++i) {
        const Shot& shot = b.shots[i];
        if (shot.active && !shotShown_[i]) {
            appeared = i;
            ++count;
        }
        shotShown_[i] = shot.active != 0;
    }
    if (count != 1 || !block.shown()) return;
    const Shot& shot = b.shots[appeared];
    const float dx = shot.x - b.parts[0].x, dy = shot.y - b.parts[0].y;
    if (std::fabs(dx) > 300 || std::fabs(dy) > 300) return;
    if (spawns_++ == 0) {
        spawnZone_ = {dx, dy, dx, dy};
    } else {
        spawnZone_.left = std::min(spawnZone_.left, dx);
        spawnZone_.top = std::min(spawnZone_.top, dy);
        spawnZone_.right = std::max(spawnZone_.right, dx);
        spawnZone_.bottom = std::max(spawnZone_.bottom, dy);
    }
}

void Autopilot::SeeThreats() {
    const float s = rules_.speedFactor;
    still_.clear();
    following_.clear();
    hazards_.clear();
    auto add = [&](const Threat& t) { (FollowsShip(t) ? following_ : still_).push_back(t); };
    if (boss_) {
        const Boss& b = TheBoss();
        for (const GameObject& part : b.parts)
            if (part.active) add(BodyThreat(part, 0.25f * s));
        const BossBlock block = SeeBossBlock(TheBoss());
        std::vector<const Shot*> gathering;
        for (const Shot& shot : b.shots) {
            if (!shot.active) continue;
            if (Gathering(shot, s, block)) {
                gathering.push_back(&shot);
                continue;
            }
            // Swinging shots wait at their line before they swing out.
            if (shot.row == 12 && shot.vx == 0 && shot.vy == 0)
                swingY_ = static_cast<float>(Whole(shot.y));
            add(ShotThreat(shot, swingY_));
        }
        charging_ = gathering.size() >= 16;
        // Once enough shots have shown where they come from; a shot's box reaches beyond its
        // corner.
        if (spawns_ >= 8 && b.parts[0].active) {
            const GameObject& lead = b.parts[0];
            Threat zone = BodyThreat(lead, 0);
            zone.left = Whole(spawnZone_.left) - 2;
            zone.top = Whole(spawnZone_.top) - 2;
            zone.right = Whole(spawnZone_.right) + 11;
            zone.bottom = Whole(spawnZone_.bottom) + 12;
            hazards_.push_back(zone);
        }
        if (charging_ && MeetingPoint(gathering, chargeX_, chargeY_))
            chargeSeen_ = TheGame().frameCounter;
    } else {
        for (const Enemy& e : TheEnemies().enemies) {
            if (e.active) add(BodyThreat(e, 0.2f * s));
            for (const Shot& shot : e.shots)
                if (shot.active) add(ShotThreat(shot, swingY_));
        }
    }
}

Autopilot::Goal Autopilot::ChooseGoal() const {
    const Player& p = PlayerAt(0);
    Goal goal;
    goal.y = p.y;
    goal.pullY = 0.5f;
    if (boss_) {
        const BossBlock block = SeeBossBlock(TheBoss());
        const float left = block.left, top = block.top, bottom = block.bottom;
        if (block.shown()) {
            goal.x = std::clamp(left - 230, 70.0f, 240.0f);
            goal.y = std::clamp((top + bottom) / 2 - kShotRow, 70.0f, 440.0f);
            goal.pullY = 2;
            // The boss close to the left edge leaves no room in front of it: above or below.
            if (left - 32 - goal.x < 60) {
                const bool above = top - 64 > 480 - bottom;
                goal.y = above ? std::max(70.0f, top - 60) : std::min(440.0f, bottom + 28);
            }
        }
        // Stay out of the line of the point the boss's shots gather at, where the attack starts.
        const uint32_t since = TheGame().frameCounter - chargeSeen_;
        if (chargeSeen_ != 0 && since < static_cast<uint32_t>(3 * Globals().fps)) {
            const float centre = goal.y + kShotRow;
            if (std::fabs(centre - chargeY_) < 110) {
                const float up = chargeY_ - 110 - kShotRow, down = chargeY_ + 110 - kShotRow;
                goal.y = (up >= 70 && (down > 440 || std::fabs(up - p.y) < std::fabs(down - p.y)))
                             ? up
                             : std::min(440.0f, down);
                goal.pullY = 3;
            }
        }
    } else {
        const Enemy* target = nullptr;
        for (const Enemy& e : TheEnemies().enemies)
            if (e.active && e.x > p.x + 40 && e.x < 640 && (target == nullptr || e.x < target->x))
                target = &e;
        if (target != nullptr) {
            goal.y = target->y + target->frameHeight / 2.0f - kShotRow;
            goal.pullY = 2;
        }
    }
    const GameObject& item = TheItem();
    // In a boss fight only an item well in front of the boss: under it and behind it shots come
    // into sight without warning.
    const bool reachable = !boss_ || item.x + 32 < SeeBossBlock(TheBoss()).left - 48;
    if (item.active != 0 && item.x > 0 && item.x < 600 && item.y > 64 && item.y < 450 &&
        reachable && WantItem(item.row, p, rules_.hard)) {
        goal.x = item.x;
        goal.y = item.y;
        goal.pullX = 2;
        goal.pullY = 2;
    }
    return goal;
}

// A plan's progress: the ship, the shots that follow it, and what the plan has cost so far.
struct Autopilot::Trial {
    ShipState ship;
    std::vector<Threat> follow;
    double cost = 0;
    int firstHit = 0;
};

void Autopilot::Fly(Trial& trial, const ShipKeys& keys, int from, int to, int horizon,
                    uint32_t frame, double bound) const {
    const int fps = Globals().fps;
    const size_t n = still_.size();
    for (int k = from; k <= to && trial.cost < bound; ++k) {
        const bool shielded = frame + static_cast<uint32_t>(k) < safeUntil_ ||
                              (trial.firstHit != 0 && k < trial.firstHit + fps);
        const float weight = static_cast<float>(horizon + 1 - k) / static_cast<float>(horizon);
        const float margin = 4 + 18.0f * static_cast<float>(k) / static_cast<float>(fps);
        if (!shielded) {
            const ShipBox box = ShipBoxFor(keys.v);
            const int sl = Whole(trial.ship.x) + box.left, st = Whole(trial.ship.y) + box.top;
            const int sr = Whole(trial.ship.x) + box.right, sb = Whole(trial.ship.y) + box.bottom;
            auto judge = [&](int l, int t, int r, int b, float unsure) {
                const Gap g = GapBetween(sl, st, sr, sb, l, t, r, b);
                if (g.x < 0 && g.y < 0) {
                    if (trial.firstHit == 0) trial.firstHit = k;
                    trial.cost += 1e6 * weight;
                    return;
                }
                const float m = margin + unsure * static_cast<float>(k);
                const float gap = static_cast<float>(std::max(g.x, g.y));
                if (gap < m) trial.cost += (m - gap) * 60 * weight;
            };
            const int* boxes = stillBoxes_.data() + static_cast<size_t>(k - 1) * n * 4;
            for (size_t i = 0; i < n; ++i, boxes += 4)
                judge(boxes[0], boxes[1], boxes[2], boxes[3], still_[i].uncertainty);
            for (const Threat& t : trial.follow) {
                const int x = Whole(t.x), y = Whole(t.y);
                judge(x + t.left, y + t.top, x + t.right, y + t.bottom, t.uncertainty);
            }
            // Zones where shots appear cost by the frame spent in them, far less than a hit.
            for (const Threat& z : hazards_) {
                const float kf = static_cast<float>(k - 1);
                const int x = Whole(z.x + z.vx * kf), y = Whole(z.y + z.vy * kf);
                const Gap g =
                    GapBetween(sl, st, sr, sb, x + z.left, y + z.top, x + z.right, y + z.bottom);
                if (g.x < 0 && g.y < 0) trial.cost += 3000 * weight;
            }
        }
        for (Threat& t : trial.follow)
            StepThreat(t, trial.ship.x, trial.ship.y, rules_.speedFactor);
        StepShip(trial.ship, keys, rules_);
        // Against a wall or in a corner the ship has nowhere left to go.
        const float wall = 28;
        const ShipState& s = trial.ship;
        trial.cost += 10 * weight *
                      (std::max(0.0f, wall - s.x) + std::max(0.0f, s.x - (608 - wall)) +
                       std::max(0.0f, 64 + wall - s.y) + std::max(0.0f, s.y - (448 - wall)));
    }
}

// The view's buffers are made room for at the start, for more than the screen ever holds (the
// enemies, their shots, the boss's parts and its 128 shots) over the longest horizon (0.8 s at
// 60 fps), so that the pilot's own memory stays the same all through a soak.
Autopilot::Autopilot() {
    constexpr size_t kThreats = 1024, kFrames = 49;
    for (std::vector<Threat>* v : {&still_, &following_, &kept_, &hazards_})
        v->reserve(kThreats);
    stillPath_.reserve(kThreats * kFrames * 2);
    stillBoxes_.reserve(kThreats * kFrames * 4);
}

void Autopilot::BestPlan(const Goal& goal, int horizon, uint32_t frame) {
    const Player& p = PlayerAt(0);
    const int turn = std::max(2, horizon / 4);
    std::vector<ShipKeys> firsts, thens;
    for (int brake = 0; brake <= (rules_.hard ? 1 : 0); ++brake)
        for (int v = -1; v <= 1; ++v)
            for (int h = -1; h <= 1; ++h) {
                firsts.push_back({h, v, brake != 0});
                if (brake == 0 || (h == 0 && v == 0)) thens.push_back({h, v, brake != 0});
            }
    // The plan of the frame before first: it is most often still the best, and a good plan
    // found early cuts the others short.
    auto same = [](const ShipKeys& a, const ShipKeys& b) {
        return a.h == b.h && a.v == b.v && a.brake == b.brake;
    };
    for (size_t i = 0; i < firsts.size(); ++i)
        if (same(firsts[i], lastPlan_.then)) std::swap(firsts[0], firsts[i]);
    Plan best;
    Trial start;
    start.ship = {p.x, p.y, p.vx, p.vy};
    start.follow = following_;
    for (const ShipKeys& first : firsts) {
        Trial opening = start;
        Fly(opening, first, 1, turn, horizon, frame, best.cost);
        if (opening.cost >= best.cost) continue;
        for (const ShipKeys& then : thens) {
            Trial trial = opening;
            Fly(trial, then, turn + 1, horizon, horizon, frame, best.cost);
            const ShipState& s = trial.ship;
            trial.cost +=
                std::fabs(s.x - goal.x) * goal.pullX + std::fabs(s.y - goal.y) * goal.pullY;
            if (rules_.hard)
                trial.cost += (std::fabs(s.vx) + std::fabs(s.vy)) / rules_.speedFactor * 6;
            if (trial.cost < best.cost) {
                best.cost = trial.cost;
                best.first = first;
                best.then = then;
                best.firstHit = trial.firstHit;
            }
        }
    }
    lastPlan_ = best;
}

// Forecasts the threats that go their own way once, frame by frame, and keeps only those, and
// the ones that follow the ship, that the ship can meet within the horizon.
void Autopilot::KeepReachable(int horizon) {
    const Player& p = PlayerAt(0);
    const float reach = (rules_.hard ? std::hypot(p.vx, p.vy) * horizon +
                                           0.5f * rules_.speedFactor * horizon * horizon
                                     : p.speed * rules_.speedFactor * horizon) +
                        48;
    std::vector<Threat>& kept = kept_;
    kept.clear();
    stillPath_.clear();
    const float h = static_cast<float>(horizon);
    for (const Threat& t0 : still_) {
        // Too far away to arrive within the horizon, at the most any shot gains in speed.
        const float gain = std::fabs(t0.ax) + std::fabs(t0.ay) + 0.1f + rules_.speedFactor;
        const float travel = (std::fabs(t0.vx) + std::fabs(t0.vy) + gain * h) * h + 64;
        if (std::fabs(t0.x - p.x) > reach + travel || std::fabs(t0.y - p.y) > reach + travel)
            continue;
        Threat t = t0;
        const size_t start = stillPath_.size();
        float minX = t.x, maxX = t.x, minY = t.y, maxY = t.y;
        for (int k = 0; k <= horizon; ++k) {
            stillPath_.push_back(t.x);
            stillPath_.push_back(t.y);
            minX = std::min(minX, t.x);
            maxX = std::max(maxX, t.x);
            minY = std::min(minY, t.y);
            maxY = std::max(maxY, t.y);
            StepThreat(t, p.x, p.y, rules_.speedFactor);
        }
        const float grow = 8 + t.uncertainty * horizon;
        if (maxX + t.right + grow < p.x - reach || minX + t.left - grow > p.x + 32 + reach ||
            maxY + t.bottom + grow < p.y - reach || minY + t.top - grow > p.y + 32 + reach) {
            stillPath_.resize(start);
            continue;
        }
        kept.push_back(t0);
    }
    still_.swap(kept);
    // Their hit boxes frame by frame, as the plans look them up.
    stillBoxes_.assign(static_cast<size_t>(horizon + 1) * still_.size() * 4, 0);
    for (size_t i = 0; i < still_.size(); ++i)
        for (int k = 0; k <= horizon; ++k) {
            const float* at =
                &stillPath_[(i * static_cast<size_t>(horizon + 1) + static_cast<size_t>(k)) * 2];
            int* box = &stillBoxes_[(static_cast<size_t>(k) * still_.size() + i) * 4];
            const int x = Whole(at[0]), y = Whole(at[1]);
            box[0] = x + still_[i].left;
            box[1] = y + still_[i].top;
            box[2] = x + still_[i].right;
            box[3] = y + still_[i].bottom;
        }
    std::vector<Threat> near;
    for (const Threat& t : following_) {
        // Shots that follow the ship fly at most this fast: homing ones at 3, the others by
        // their own pace across and a twentieth of the distance along the ship's line.
        const float dx = std::fabs(t.x - p.x), dy = std::fabs(t.y - p.y);
        const float pace = std::max(3 * rules_.speedFactor, std::fabs(t.vx)) * horizon;
        if (dx < reach + pace + 32 && dy < reach + std::max(pace, 0.05f * dy * horizon) + 32)
            near.push_back(t);
    }
    following_.swap(near);
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
    const uint32_t frame = TheGame().frameCounter;
    rules_ = {g.hardMode != 0, g.speedFactor, p.speed};
    boss_ = g.bossPhase != 0;
    WatchShip(frame);
    WatchBoss();

    // A new plan every 1/30 s, as quick as a player's hand, and every frame while the plan in
    // hand runs into something; in between the keys of the plan stay held.
    if (--replanIn_ <= 0 || lastPlan_.firstHit != 0) {
        replanIn_ = std::max(1, g.fps / 30);
        SeeThreats();
        // The look-ahead: longer in hard mode, where the ship takes time to turn.
        const int horizon = std::max(4, static_cast<int>((rules_.hard ? 0.8f : 0.6f) * g.fps));
        KeepReachable(horizon);
        BestPlan(ChooseGoal(), horizon, frame);
    }
    const Plan& best = lastPlan_;
    tightSpots_ += best.firstHit != 0;

    Press(game, kVkUp, best.first.v < 0);
    Press(game, kVkDown, best.first.v > 0);
    Press(game, kVkLeft, best.first.h < 0);
    Press(game, kVkRight, best.first.h > 0);
    Press(game, kVkReturn, best.first.brake);
    Press(game, kVkSpace, true);

    // Special attacks: when every plan still runs into something soon, and the stream into the
    // boss while charges are left over.
    const bool cornered = best.firstHit > 0 && best.firstHit <= std::max(3, g.fps / 5);
    bool lined = false;
    if (boss_) {
        for (const GameObject& part : TheBoss().parts) {
            const tessary::Sprite::Box box = part.HitBox();
            lined = lined || (part.active && box.top < p.y + 12 && box.bottom > p.y + 21 &&
                              box.left > p.x && box.left < p.x + 320);
        }
    }
    const bool calm = best.firstHit == 0 && !charging_;
    const int wanted = boss_ && p.tp >= 2 ? kStream : kRadialBurst;
    ChooseSpecial(game, wanted);
    if (--specialCooldown_ < 0 && p.tp > 0 &&
        (cornered || (lined && calm && p.tp >= 2 && p.specialKind == kStream)) && !keys_[kVkZ]) {
        Press(game, kVkZ, true);
        specialCooldown_ = g.fps / 2;
        ++specialsUsed_;
    } else {
        Press(game, kVkZ, false);
    }
}

} // namespace pelko::testing
