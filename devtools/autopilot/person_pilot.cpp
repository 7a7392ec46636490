#include "autopilot/person_pilot.h"

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

constexpr int kEnemy = 0, kShot = 1, kItem = 2;
// Sprite ids: enemies, their shots, the boss's parts and shots, the item.
constexpr int kShotIds = 100, kBossIds = 400, kBossShotIds = 500, kItemId = 700;
// Random streams, apart so that one kind of error never echoes another.
constexpr uint64_t kStreamReaction = 1, kStreamDistance = 2, kStreamAim = 3, kStreamLate = 4,
                   kStreamLateLength = 5;
// A normal shot leaves the ship this far below its top.
constexpr float kShotRow = 16;
// Where a player likes to sit: near the left, with room to dodge behind.
constexpr float kHomeX = 110;
// A thing whose centre moved further than this between two looks is another thing.
constexpr float kJump = 48;

uint64_t Mix(uint64_t z) {
    z += 0x9e3779b97f4a7c15ull;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

int Frames(double ms, int fps) {
    return std::max(1, static_cast<int>(std::lround(ms * fps / 1000.0)));
}

bool Overlap(float al, float at, float ar, float ab, float bl, float bt, float br, float bb) {
    return al < br && bl < ar && at < bb && bt < ab;
}

} // namespace

PersonPilot::PersonPilot(uint32_t seed, PersonLimits limits) : limits_(limits), seed_(seed) {
    reactionMs_ = limits_.reactionMs + limits_.reactionSpreadMs * Normal(kStreamReaction, 0);
    reactionMs_ = std::clamp(reactionMs_, 150.0, 400.0);
}

int PersonPilot::ReactionFrames(int fps) const {
    return Frames(reactionMs_, fps);
}

double PersonPilot::Uniform(uint64_t stream, uint64_t index) const {
    const uint64_t bits = Mix(Mix(seed_ * 0x100000001b3ull + stream) ^ index);
    return (static_cast<double>(bits >> 11) + 0.5) / 9007199254740992.0;
}

double PersonPilot::Normal(uint64_t stream, uint64_t index) const {
    const double u = Uniform(stream, 2 * index), v = Uniform(stream, 2 * index + 1);
    return std::sqrt(-2.0 * std::log(u)) * std::cos(6.283185307179586 * v);
}

void PersonPilot::Press(GameHarness& game, int vk, bool down) {
    if (down_[vk] == down) return;
    down_[vk] = down;
    game.Key(vk, down);
}

void PersonPilot::ReleaseAll(GameHarness& game) {
    for (int vk : {kVkSpace, kVkLeft, kVkUp, kVkRight, kVkDown, kVkReturn, kVkZ})
        Press(game, vk, false);
}

// What is on the screen now: the pictures as drawn, each with its box.
void PersonPilot::Look() {
    View view;
    const Player& p = PlayerAt(0);
    view.shipX = p.x;
    view.shipY = p.y;
    auto add = [&](const tessary::Sprite& s, int id, int what) {
        if (!s.active) return;
        const tessary::Sprite::Box b = s.HitBox();
        // Off the field nothing is drawn.
        if (b.right < 0 || b.left > 640 || b.bottom < 64 || b.top > 480) return;
        view.things.push_back({id, b.left, b.top, b.right, b.bottom, what, s.row});
    };
    if (Globals().bossPhase != 0) {
        const Boss& boss = TheBoss();
        for (int i = 0; i < kBossParts; ++i)
            add(boss.parts[i], kBossIds + i, kEnemy);
        for (int i = 0; i < kBossShots; ++i)
            add(boss.shots[i], kBossShotIds + i, kShot);
    } else {
        for (int i = 0; i < kEnemyRingSize; ++i) {
            const Enemy& e = TheEnemies().enemies[i];
            add(e, i, kEnemy);
            for (int s = 0; s < kEnemyShotSlots; ++s)
                add(e.shots[s], kShotIds + i * kEnemyShotSlots + s, kShot);
        }
    }
    add(TheItem(), kItemId, kItem);
    views_.push_back(std::move(view));
}

// Where the ship is now, as the person reckons it: seen a reaction time ago, then moved by the
// keys pressed since, which the hand knows without looking.
ShipState PersonPilot::ShipNow(int delay) const {
    const size_t n = views_.size();
    const size_t at = n - 1 - static_cast<size_t>(std::min<int>(delay, static_cast<int>(n) - 1));
    ShipState s{views_[at].shipX, views_[at].shipY, 0, 0};
    if (at > 0) {
        s.vx = views_[at].shipX - views_[at - 1].shipX;
        s.vy = views_[at].shipY - views_[at - 1].shipY;
    }
    const size_t since = n - 1 - at;
    for (size_t i = pressed_.size() - std::min(since, pressed_.size()); i < pressed_.size(); ++i)
        StepShip(s, pressed_[i], rules_);
    return s;
}

// The things seen a reaction time ago, with their motion judged over the motion window, carried
// on to now and misjudged in distance from the ship.
std::vector<PersonPilot::Guess> PersonPilot::Judge(const View& then, const View& before, int age,
                                                   float shipX, float shipY, uint64_t tick) const {
    const int window = Frames(limits_.motionWindowMs, Globals().fps);
    const uint64_t epoch = tick / static_cast<uint64_t>(std::max(1, Globals().fps / 2));
    std::vector<Guess> out;
    for (const Seen& s : then.things) {
        float vx = 0, vy = 0;
        for (const Seen& b : before.things)
            if (b.id == s.id) {
                const float dx = static_cast<float>(s.left - b.left),
                            dy = static_cast<float>(s.top - b.top);
                if (std::fabs(dx) < kJump && std::fabs(dy) < kJump) {
                    vx = dx / static_cast<float>(window);
                    vy = dy / static_cast<float>(window);
                }
            }
        Guess g{static_cast<float>(s.left) + vx * static_cast<float>(age),
                static_cast<float>(s.top) + vy * static_cast<float>(age),
                0,
                0,
                vx,
                vy,
                s.what,
                s.row};
        g.right = g.left + static_cast<float>(s.right - s.left);
        g.bottom = g.top + static_cast<float>(s.bottom - s.top);
        // The distance from the ship is misjudged by a fraction that holds for half a second.
        const float scale =
            1.0f +
            static_cast<float>(limits_.distanceError *
                               Normal(kStreamDistance, epoch * 1024 + static_cast<uint64_t>(s.id)));
        const float cx = (g.left + g.right) / 2, cy = (g.top + g.bottom) / 2;
        const float nx = shipX + 16 + (cx - shipX - 16) * scale,
                    ny = shipY + 16 + (cy - shipY - 16) * scale;
        g.left += nx - cx;
        g.right += nx - cx;
        g.top += ny - cy;
        g.bottom += ny - cy;
        out.push_back(g);
    }
    return out;
}

// How badly a plan runs into what is tracked: the keys held for holdFor frames and then let go.
double PersonPilot::Danger(const std::vector<Guess>& seen, ShipState ship, ShipKeys keys,
                           int holdFor, int horizon, int& firstHit) const {
    double cost = 0;
    firstHit = 0;
    for (int f = 1; f <= horizon; ++f) {
        const ShipKeys now = f <= holdFor ? keys : ShipKeys{};
        StepShip(ship, now, rules_);
        const ShipBox box = ShipBoxFor(now.v);
        const float l = ship.x + static_cast<float>(box.left),
                    t = ship.y + static_cast<float>(box.top),
                    r = ship.x + static_cast<float>(box.right),
                    b = ship.y + static_cast<float>(box.bottom);
        const double weight = 1.0 + static_cast<double>(horizon - f) / horizon;
        for (const Guess& g : seen) {
            const float dx = g.vx * static_cast<float>(f), dy = g.vy * static_cast<float>(f);
            if (Overlap(l, t, r, b, g.left + dx, g.top + dy, g.right + dx, g.bottom + dy)) {
                cost += 1000 * weight;
                if (firstHit == 0) firstHit = f;
            } else if (Overlap(l - 8, t - 8, r + 8, b + 8, g.left + dx, g.top + dy, g.right + dx,
                               g.bottom + dy)) {
                cost += 20 * weight; // a person keeps a little room
            }
        }
    }
    return cost;
}

ShipKeys PersonPilot::Choose(const std::vector<Guess>& all, const ShipState& ship, uint64_t tick) {
    const int fps = Globals().fps;
    const int horizon = Frames(limits_.lookAheadMs, fps);
    const int hold = Frames(limits_.correctionMs, fps);
    const float shipCx = ship.x + 16, shipCy = ship.y + 16;

    // The few things that matter most: those that come closest to the ship soon.
    std::vector<std::pair<float, const Guess*>> near;
    for (const Guess& g : all) {
        if (g.what == kItem) continue;
        float closest = 1e9f;
        for (int k = 0; k <= 3; ++k) {
            const float f = static_cast<float>(horizon * k) / 3.0f;
            const float cx = (g.left + g.right) / 2 + g.vx * f - shipCx,
                        cy = (g.top + g.bottom) / 2 + g.vy * f - shipCy;
            closest = std::min(closest, std::hypot(cx, cy));
        }
        near.push_back({closest, &g});
    }
    std::sort(near.begin(), near.end(), [](const auto& a, const auto& b) {
        return a.first < b.first || (a.first == b.first && a.second < b.second);
    });
    std::vector<Guess> tracked;
    for (size_t i = 0; i < near.size() && static_cast<int>(i) < limits_.tracked; ++i)
        tracked.push_back(*near[i].second);

    // The goal: an item in sight, else in line with the nearest enemy ahead.
    float goalX = kHomeX, goalY = ship.y;
    int target = -1;
    const Guess* item = nullptr;
    for (const Guess& g : all)
        if (g.what == kItem && g.left > 0 && g.top > 64) item = &g;
    if (item != nullptr) {
        goalX = std::clamp(item->left, 0.0f, 400.0f);
        goalY = item->top;
        target = kItemId;
    } else {
        float best = 1e9f;
        for (size_t i = 0; i < all.size(); ++i) {
            const Guess& g = all[i];
            if (g.what != kEnemy || g.left < ship.x + 40) continue;
            const float cy = (g.top + g.bottom) / 2;
            const float score = std::fabs(cy - shipCy) + 0.3f * (g.left - ship.x);
            if (score < best) {
                best = score;
                goalY = cy - kShotRow;
                target = static_cast<int>(i);
            }
        }
    }
    // A new goal brings a new aiming error, in proportion to the move it asks for.
    if (target != target_) {
        target_ = target;
        aimOffset_ = static_cast<float>(limits_.aimError * std::fabs(goalY - ship.y) *
                                        Normal(kStreamAim, tick));
    }
    goalY = std::clamp(goalY + aimOffset_, 70.0f, 440.0f);

    ShipKeys best;
    double bestCost = 1e300;
    int bestHit = 0;
    for (int v = -1; v <= 1; ++v)
        for (int h = -1; h <= 1; ++h)
            for (int brake = 0; brake <= (rules_.hard && h == 0 && v == 0 ? 1 : 0); ++brake)
                for (int len : {hold, horizon}) {
                    const ShipKeys keys{h, v, brake != 0};
                    int firstHit = 0;
                    double cost = Danger(tracked, ship, keys, len, horizon, firstHit);
                    ShipState end = ship;
                    for (int f = 1; f <= horizon / 2; ++f)
                        StepShip(end, f <= len ? keys : ShipKeys{}, rules_);
                    cost += std::fabs(end.y - goalY) + 0.3 * std::fabs(end.x - goalX);
                    // A person keeps doing what it does unless there is a reason.
                    if (h != keys_.h || v != keys_.v || keys.brake != keys_.brake) cost += 4;
                    if (cost < bestCost) {
                        bestCost = cost;
                        best = keys;
                        bestHit = firstHit;
                    }
                }
    firstHit_ = bestHit;
    return best;
}

void PersonPilot::BeforeTick(GameHarness& game, uint64_t tick) {
    const bool playing = game.Screen() == InGameFrame && PlayerAt(0).gameOver == 0;
    if (!playing) {
        ReleaseAll(game);
        views_.clear();
        pressed_.clear();
        return;
    }
    const GameGlobals& g = Globals();
    const Player& p = PlayerAt(0);
    rules_ = {g.hardMode != 0, g.speedFactor, p.speed};
    const int delay = ReactionFrames(g.fps);
    const int window = Frames(limits_.motionWindowMs, g.fps);
    Look();
    while (static_cast<int>(views_.size()) > delay + window + 2)
        views_.pop_front();

    if (++sinceChange_ >= Frames(limits_.correctionMs, g.fps)) {
        const size_t n = views_.size();
        const size_t at =
            n - 1 - static_cast<size_t>(std::min<int>(delay, static_cast<int>(n) - 1));
        const size_t from = at - std::min<size_t>(at, static_cast<size_t>(window));
        const ShipState ship = ShipNow(delay);
        const std::vector<Guess> seen =
            Judge(views_[at], views_[from], static_cast<int>(n - 1 - at), ship.x, ship.y, tick);
        const ShipKeys chosen = Choose(seen, ship, tick);
        if (chosen.h != keys_.h || chosen.v != keys_.v || chosen.brake != keys_.brake) {
            // A key let go is now and then let go late.
            const bool was[4] = {(keys_.h < 0), (keys_.h > 0), (keys_.v < 0), (keys_.v > 0)};
            const bool now[4] = {(chosen.h < 0), (chosen.h > 0), (chosen.v < 0), (chosen.v > 0)};
            for (int k = 0; k < 4; ++k)
                if (was[k] && !now[k] &&
                    Uniform(kStreamLate, decisions_ * 4 + k) < limits_.overholdChance) {
                    const double ms =
                        limits_.overholdMs * (0.5 + Uniform(kStreamLateLength, decisions_ * 4 + k));
                    lateRelease_[k] = tick + static_cast<uint64_t>(Frames(ms, g.fps));
                }
            keys_ = chosen;
            sinceChange_ = 0;
        }
        ++decisions_;
    }
    // Left, right, up, down: as chosen, or still held by a late release.
    bool held[4];
    const int wanted[4] = {-keys_.h, keys_.h, -keys_.v, keys_.v};
    for (int k = 0; k < 4; ++k)
        held[k] = wanted[k] > 0 || tick < lateRelease_[k];
    Press(game, kVkLeft, held[0]);
    Press(game, kVkRight, held[1]);
    Press(game, kVkUp, held[2]);
    Press(game, kVkDown, held[3]);
    Press(game, kVkReturn, keys_.brake);
    Press(game, kVkSpace, true);
    // What the ship really does with the keys held (left beats right, up beats down).
    const int h = held[0] ? -1 : (held[1] ? 1 : 0), v = held[2] ? -1 : (held[3] ? 1 : 0);
    pressed_.push_back({h, v, keys_.brake});
    while (static_cast<int>(pressed_.size()) > delay + 2)
        pressed_.pop_front();

    // The special attack, on the last point, when the best plan still runs into something soon.
    const bool cornered = firstHit_ > 0 && firstHit_ <= Frames(300, g.fps);
    if (--specialPause_ < 0 && p.hp <= 1 && p.tp > 0 && cornered && sinceChange_ == 0) {
        Press(game, kVkZ, true);
        specialPause_ = g.fps;
        ++specialsUsed_;
    } else {
        Press(game, kVkZ, false);
    }
}

} // namespace pelko::testing
