#include "autopilot/autopilot_run.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "autopilot/autopilot.h"
#include "game/enemies/boss.h"
#include "game/enemies/enemy_manager.h"
#include "game/flow/game_globals.h"
#include "game/flow/game_keys.h"
#include "game/flow/game_start.h"
#include "game/flow/screens.h"
#include "game/player/player.h"
#include "support/game_harness.h"

namespace pelko::testing {
namespace {

// Logo and title as a player goes through them; F4 on the title switches hard mode on.
bool StartFromTitle(GameHarness& game, bool hard) {
    game.Key(kVkSpace, true);
    const bool title = game.TickUntilScreen(TitleFrame, 2000);
    game.Key(kVkSpace, false);
    game.Ticks(2);
    if (hard) {
        game.Key(kVkF4, true);
        game.Ticks(1);
        game.Key(kVkF4, false);
        game.Ticks(1);
    }
    game.Key(kVkSpace, true);
    const bool play = game.TickUntilScreen(InGameFrame, 10);
    game.Key(kVkSpace, false);
    return title && play && (Globals().hardMode != 0) == hard;
}

// What was in flight before a tick, so that a hit can be put down to the shot that vanished.
struct ShotSeen {
    const Shot* shot;
    int row;
    float x, y, vx, vy;
};

std::vector<ShotSeen> ShotsInFlight() {
    std::vector<ShotSeen> out;
    auto add = [&](const Shot& s) {
        if (s.active) out.push_back({&s, s.row, s.x, s.y, s.vx, s.vy});
    };
    if (Globals().bossPhase != 0) {
        for (const Shot& s : TheBoss().shots)
            add(s);
    } else {
        for (const Enemy& e : TheEnemies().enemies)
            for (const Shot& s : e.shots)
                add(s);
    }
    return out;
}

// The shot that hit the ship this tick: in flight before, hidden now, near the ship.
std::string DescribeHit(const std::vector<ShotSeen>& before, const Player& p) {
    char text[200];
    for (const ShotSeen& s : before)
        if (!s.shot->active && std::fabs(s.x - p.x) < 48 && std::fabs(s.y - p.y) < 48) {
            std::snprintf(text, sizeof text, "shot kind %d at (%d,%d) v (%.1f,%.1f)", s.row,
                          static_cast<int>(s.x), static_cast<int>(s.y), s.vx, s.vy);
            return text;
        }
    if (Globals().bossPhase != 0) {
        const Boss& b = TheBoss();
        std::snprintf(text, sizeof text, "boss body at (%d,%d)", b.X0(), b.Y0());
        return text;
    }
    return "enemy body";
}

std::string BossState() {
    if (Globals().bossPhase == 0) return "";
    const Boss& b = TheBoss();
    char text[120];
    int flags = 0;
    for (int i = 0; i < kBossAttackFlags; ++i)
        flags |= b.attackFlags[i] ? 1 << i : 0;
    std::snprintf(text, sizeof text, " boss (%d,%d) hp %d attack flags %x", b.X0(), b.Y0(), b.hp,
                  flags);
    return text;
}

} // namespace

int AutopilotRun::furthestStage() const {
    int n = 0;
    for (int i = 1; i <= 5; ++i)
        if (stages[i].reached) n = i;
    return n;
}

AutopilotRun RunAutopilot(int fps, bool hard, uint32_t seed) {
    AutopilotRun run;
    run.fps = fps;
    run.hard = hard;
    GameFolder folder;
    folder.sounds = false;
    folder.seed = seed;
    folder.settings = "[PelkoGame]\nFPS=" + std::to_string(fps) + "\n";
    GameHarness game(folder);
    if (!game.Boot() || !StartFromTitle(game, hard)) return run;
    Autopilot pilot;
    // Five stages of a minute each and their bosses fit well within 20 minutes of game time.
    const uint64_t limit = static_cast<uint64_t>(fps) * 60 * 20;
    int lives = PlayerAt(0).lives, hp = PlayerAt(0).hp, tight = 0;
    const bool verbose = std::getenv("AUTOPILOT_VERBOSE") != nullptr;
    for (uint64_t i = 0; i < limit; ++i) {
        pilot.BeforeTick(game, game.TickCount() + 1);
        std::vector<ShotSeen> before;
        if (verbose) before = ShotsInFlight();
        game.Tick();
        const GameGlobals& g = Globals();
        const Player& p = PlayerAt(0);
        if (game.Screen() == EndingStartFrame || game.Screen() == StaffRollFrame) {
            run.staffRoll = true;
            if (g.stageNumber >= 1 && g.stageNumber <= 5) run.stages[g.stageNumber].cleared = true;
            break;
        }
        if (game.Screen() != InGameFrame) break; // the run ended: back to the title
        const int stage = g.stageNumber;
        if (stage < 1 || stage > 5) continue;
        AutopilotStage& st = run.stages[stage];
        st.reached = true;
        if (g.stageCleared != 0 && !st.cleared) {
            st.cleared = true;
            st.clearedFrame = TheGame().frameCounter;
        }
        if (p.lastHitFrame == static_cast<int>(TheGame().frameCounter) && verbose)
            std::printf("    stage %d frame %u hit at (%d,%d) hp %d tp %d by %s%s\n", stage,
                        TheGame().frameCounter, static_cast<int>(p.x), static_cast<int>(p.y), p.hp,
                        p.tp, DescribeHit(before, p).c_str(), BossState().c_str());
        if (p.lives < lives && verbose)
            std::printf("    stage %d frame %u life lost by %s%s\n", stage, TheGame().frameCounter,
                        DescribeHit(before, p).c_str(), BossState().c_str());
        if (p.lives < lives) st.livesLost += lives - p.lives;
        if (p.lives < lives || (p.lives == lives && p.hp < hp)) ++st.hits;
        st.tightSpots += pilot.TightSpots() - tight;
        tight = pilot.TightSpots();
        lives = p.lives;
        hp = p.hp;
        run.score = p.scoreValue;
        if (p.gameOver != 0) {
            run.gameOver = true;
            break;
        }
    }
    run.specials = pilot.SpecialsUsed();
    for (int vk = '1'; vk <= '5'; ++vk)
        run.pressedAttackKeys = run.pressedAttackKeys || pilot.EverPressed(vk);
    run.ticks = game.TickCount();
    return run;
}

std::string FormatAutopilotRun(const AutopilotRun& run) {
    std::string out;
    char line[160];
    std::snprintf(line, sizeof line, "autopilot %d fps %s: %s, score %d, %d specials, %llu ticks\n",
                  run.fps, run.hard ? "hard" : "plain",
                  run.staffRoll  ? "staff roll reached"
                  : run.gameOver ? "game over"
                                 : "stopped",
                  run.score, run.specials, static_cast<unsigned long long>(run.ticks));
    out += line;
    for (int i = 1; i <= 5; ++i) {
        const AutopilotStage& st = run.stages[i];
        std::snprintf(line, sizeof line, "  stage %d: %s, lives lost %d, hits %d, tight spots %d\n",
                      i,
                      st.cleared   ? "cleared"
                      : st.reached ? "reached"
                                   : "not reached",
                      st.livesLost, st.hits, st.tightSpots);
        out += line;
    }
    return out;
}

} // namespace pelko::testing
