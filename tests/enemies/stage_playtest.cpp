// Plays each shipped stage up to its boss warning with the autopilot on the headless
// platform and prints what happened: enemies met and killed, shots fired at the ship, hits taken
// and lives lost, at 30 and 60 fps, normal and hard. Not a test: a measuring tool for tuning the
// stage files (build/tests/stage_playtest [seeds]).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "autopilot/autopilot.h"
#include "game/enemies/enemy_manager.h"
#include "game/flow/game_globals.h"
#include "game/player/player.h"
#include "support/game_harness.h"

namespace pelko::testing {
namespace {

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
    Outcome o;
    int lastHit = PlayerAt(0).lastHitFrame, lives = PlayerAt(0).lives;
    Autopilot pilot;
    bool shown[kEnemyRingSize] = {};
    int fired[kEnemyRingSize][2] = {};
    for (int frame = 0; frame < fps * 60 && !PlayerAt(0).gameOver; ++frame) {
        pilot.BeforeTick(h, h.TickCount() + 1);
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
