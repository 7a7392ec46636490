// Plays each shipped stage up to its boss warning with a simple scripted pilot on the headless
// platform and prints what happened: enemies met and killed, shots fired at the ship, hits taken
// and lives lost, at 30 and 60 fps, normal and hard. Not a test: a measuring tool for tuning the
// stage files (build/tests/stage_playtest [seeds]).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "game/enemies/enemy_manager.h"
#include "game/flow/game_globals.h"
#include "game/player/player.h"
#include "support/game_harness.h"

namespace pelko::testing {
namespace {

constexpr int kVkSpace = 0x20, kVkLeft = 0x25, kVkUp = 0x26, kVkRight = 0x27, kVkDown = 0x28;
constexpr int kVkZ = 0x5A;

std::string StageText(int stage) {
    std::ifstream in(std::string(PELKO_STAGE_SOURCE_DIR) + "/Stage" + std::to_string(stage) +
                     ".dat");
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

struct Outcome {
    int enemiesShown = 0, kills = 0, shotsAtShip = 0, hits = 0, livesLost = 0, bodyHits = 0;
    int peakShots = 0;
    bool gameOver = false;
};

// How many frames of the next `look` a threat, flying straight on, overlaps the ship's hit box
// when the ship moves by (dx, dy) a frame.
int Overlaps(const tessary::Sprite& s, const Player& p, int look, float dx, float dy) {
    const tessary::Sprite::Box box = p.HitBox();
    int n = 0;
    for (int t = 1; t <= look; ++t) {
        const float sx = s.x + s.vx * t, sy = s.y + s.vy * t;
        const float ox = dx * t, oy = dy * t;
        if (sx < box.right + ox + 2 && sx + s.frameWidth > box.left + ox - 2 &&
            sy < box.bottom + oy + 2 && sy + s.frameHeight > box.top + oy - 2)
            n += look + 1 - t; // near collisions weigh more
    }
    return n;
}

// One frame of the pilot: of staying, climbing and diving, take the move that runs into the
// least over the next third of a second; among equals, line up with the nearest enemy ahead.
void Pilot(GameHarness& h, int& specialCooldown) {
    const Player& p = PlayerAt(0);
    EnemyManager& m = TheEnemies();
    const int look = Globals().fps / 3;
    const float pace = static_cast<float>(p.speed) * Globals().speedFactor;
    auto cost = [&](float dy) {
        if (p.y + dy * look < 64 || p.y + dy * look > 448) return 1 << 20;
        int n = 0;
        for (const Enemy& e : m.enemies) {
            if (e.active) n += Overlaps(e, p, look, 0, dy);
            for (const Shot& s : e.shots)
                if (s.active) n += Overlaps(s, p, look, 0, dy);
        }
        return n;
    };
    const Enemy* best = nullptr;
    for (const Enemy& e : m.enemies)
        if (e.active && e.x > p.x + 40 && e.x < 640 && (best == nullptr || e.x < best->x))
            best = &e;
    const float goal = best != nullptr ? best->y : 240.0f;
    const int stay = cost(0), up = cost(-pace), down = cost(pace);
    int choice = 0; // -1 up, 0 stay, 1 down
    int least = stay;
    const int preferred = goal < p.y - 4 ? -1 : goal > p.y + 4 ? 1 : 0;
    for (int c : {preferred, 0, -1, 1}) {
        const int value = c < 0 ? up : c > 0 ? down : stay;
        if (value < least) {
            least = value;
            choice = c;
        }
    }
    if (least == stay && stay == (preferred < 0 ? up : preferred > 0 ? down : stay))
        choice = preferred;
    // Crowded all round: spend a special attack.
    if (std::min({stay, up, down}) > 0 && p.tp > 0 && specialCooldown <= 0) {
        h.Key(kVkZ, true);
        specialCooldown = Globals().fps;
    }
    h.Key(kVkUp, choice < 0);
    h.Key(kVkDown, choice > 0);
    h.Key(kVkLeft, p.x > 120);
    h.Key(kVkRight, p.x < 60);
    if (--specialCooldown < Globals().fps - 2) h.Key(kVkZ, false);
}

Outcome Play(int stage, int fps, bool hard, uint32_t seed) {
    GameFolder folder;
    folder.stages[1] = StageText(stage); // stage N's schedule in the first stage's slot
    folder.sounds = false;
    folder.seed = seed;
    folder.settings = "[PelkoGame]\nFPS=" + std::to_string(fps) + "\n";
    GameHarness h(folder);
    if (!h.Boot()) {
        std::fprintf(stderr, "boot failed\n");
        std::exit(1);
    }
    Globals().hardMode = hard ? 1 : 0;
    h.StartPlay();
    h.Key(kVkSpace, true);
    Outcome o;
    int lastHit = PlayerAt(0).lastHitFrame, lives = PlayerAt(0).lives, cooldown = 0;
    bool shown[kEnemyRingSize] = {};
    int fired[kEnemyRingSize][2] = {};
    for (int frame = 0; frame < fps * 60 && !PlayerAt(0).gameOver; ++frame) {
        Pilot(h, cooldown);
        // Whether an enemy's body touches the ship before this frame's moves.
        bool touching = false;
        for (const Enemy& e : TheEnemies().enemies)
            touching = touching || PlayerAt(0).HitTest(&e);
        h.Tick();
        const Player& p = PlayerAt(0);
        for (const Enemy& e : TheEnemies().enemies)
            touching = touching || p.HitTest(&e);
        if (p.lastHitFrame != lastHit && p.lastHitFrame >= 0) {
            ++o.hits;
            o.bodyHits += touching;
            if (std::getenv("PLAYTEST_VERBOSE"))
                std::printf("  stage %d frame %d hit %s at (%d,%d)\n", stage, frame,
                            touching ? "by an enemy" : "by a shot", static_cast<int>(p.x),
                            static_cast<int>(p.y));
        }
        lastHit = p.lastHitFrame;
        if (p.lives < lives) o.livesLost += lives - p.lives;
        lives = p.lives;
        int shotsInFlight = 0;
        for (const Enemy& e : TheEnemies().enemies)
            for (const Shot& s : e.shots)
                shotsInFlight += s.active != 0;
        o.peakShots = std::max(o.peakShots, shotsInFlight);
        for (int i = 0; i < kEnemyRingSize; ++i) {
            const Enemy& e = TheEnemies().enemies[i];
            if (e.active && !shown[i]) ++o.enemiesShown;
            if (!e.active && shown[i] && e.hp < 1) ++o.kills;
            shown[i] = e.active;
            for (int s = 0; s < 2; ++s) {
                o.shotsAtShip += e.shots[s].lastFireFrame != fired[i][s] && e.shots[s].active;
                fired[i][s] = e.shots[s].lastFireFrame;
            }
        }
    }
    o.gameOver = PlayerAt(0).gameOver != 0;
    return o;
}

} // namespace
} // namespace pelko::testing

int main(int argc, char** argv) {
    using namespace pelko::testing;
    const int seeds = argc > 1 ? std::atoi(argv[1]) : 3;
    std::printf(
        "stage fps mode  | enemies kills shots hits (by bodies) lives-lost game-overs peak-shots "
        "(sum of %d seeds)\n",
        seeds);
    const int onlyStage = argc > 2 ? std::atoi(argv[2]) : 0;
    for (int stage = 1; stage <= 5; ++stage)
        for (int fps : {30, 60})
            for (bool hard : {false, true}) {
                if (onlyStage != 0 && (stage != onlyStage || fps != 30 || hard)) continue;
                Outcome sum;
                int overs = 0;
                for (int seed = 1; seed <= seeds; ++seed) {
                    const Outcome o = Play(stage, fps, hard, static_cast<uint32_t>(seed));
                    sum.enemiesShown += o.enemiesShown;
                    sum.kills += o.kills;
                    sum.shotsAtShip += o.shotsAtShip;
                    sum.hits += o.hits;
                    sum.livesLost += o.livesLost;
                    sum.bodyHits += o.bodyHits;
                    sum.peakShots = std::max(sum.peakShots, o.peakShots);
                    overs += o.gameOver;
                }
                std::printf("%5d %3d %-6s| %7d %5d %5d %4d %11d %10d %10d %10d\n", stage, fps,
                            hard ? "hard" : "normal", sum.enemiesShown, sum.kills, sum.shotsAtShip,
                            sum.hits, sum.bodyHits, sum.livesLost, overs, sum.peakShots);
            }
    return 0;
}
