#include "autopilot/stage_trial.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

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

} // namespace

StageTrial FlyStage(int stage, int fps, bool hard, uint32_t seed, InputSource& pilot) {
    GameFolder folder;
    folder.stages[1] = StageText(stage); // stage N's schedule in the first stage's slot
    folder.sounds = false;
    folder.seed = seed;
    folder.settings = "[PelkoGame]\nFPS=" + std::to_string(fps) + "\n";
    GameHarness h(folder);
    StageTrial o;
    if (!h.Boot()) {
        std::fprintf(stderr, "boot failed\n");
        o.gameOver = true;
        return o;
    }
    Globals().hardMode = hard ? 1 : 0;
    h.StartPlay();
    int lastHit = PlayerAt(0).lastHitFrame, lives = PlayerAt(0).lives;
    bool shown[kEnemyRingSize] = {};
    int fired[kEnemyRingSize][2] = {};
    const bool verbose = std::getenv("PLAYTEST_VERBOSE") != nullptr;
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
            if (verbose)
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

} // namespace pelko::testing
