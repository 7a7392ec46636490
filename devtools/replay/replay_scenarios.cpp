#include "replay/replay_scenarios.h"

#include <cstdio>

#include "autopilot/autopilot.h"
#include "autopilot/person_pilot.h"
#include "game/enemies/boss.h"
#include "game/flow/game_globals.h"
#include "game/flow/game_keys.h"
#include "game/flow/game_start.h"
#include "game/flow/screens.h"
#include "game/player/player.h"
#include "game/player/player_controls.h"

namespace pelko::testing {
namespace {

constexpr int kFirstAttackKey = '1';
constexpr int kAttackKeys = 5;

// The keys a weaving player holds `t` ticks into a run: fire all the time, up and down in turns,
// a little forward and back, and every seventh turn a change of special attack and its use.
struct HeldKey {
    int vk;
    bool (*held)(uint64_t t);
};
const HeldKey kWeave[] = {
    {kVkSpace, [](uint64_t) { return true; }},
    {kVkUp, [](uint64_t t) { return (t / 45) % 2 == 0 && t % 45 < 30; }},
    {kVkDown, [](uint64_t t) { return (t / 45) % 2 == 1 && t % 45 < 30; }},
    {kVkRight, [](uint64_t t) { return (t / 45) % 3 == 0 && t % 45 >= 5 && t % 45 < 15; }},
    {kVkLeft, [](uint64_t t) { return (t / 45) % 3 != 0 && t % 45 >= 5 && t % 45 < 12; }},
    {kVkX, [](uint64_t t) { return (t / 45) % 7 == 3 && t % 45 >= 20 && t % 45 < 22; }},
    {kVkZ, [](uint64_t t) { return (t / 45) % 7 == 3 && t % 45 >= 24 && t % 45 < 26; }},
};

void HoldWeaveKeys(GameHarness& game, uint64_t t) {
    for (const HeldKey& k : kWeave)
        game.Key(k.vk, k.held(t));
}

void ReleaseAll(GameHarness& game) {
    for (const HeldKey& k : kWeave)
        game.Key(k.vk, false);
}

// Once a run is over, F1 ends it when its message has been up 90 ticks; `overSince` is the tick
// the run was first seen over (0 while it goes on).
void EndRunOnceOver(GameHarness& game, uint64_t tick, uint64_t& overSince) {
    if (PlayerAt(0).gameOver == 0) {
        overSince = 0;
        game.Key(kVkF1, false);
        return;
    }
    if (overSince == 0) overSince = tick;
    game.Key(kVkF1, tick - overSince >= 90 && tick - overSince < 92);
}

// The weaving script, and the boss's five attack keys pressed in turn once it has arrived: each
// when no attack is running, so that every attack plays out in full.
class BossAttackInput : public InputSource {
  public:
    explicit BossAttackInput(uint64_t ticks) : weave_(WeaveFromTheTitle(ticks, false)) {}
    void BeforeTick(GameHarness& game, uint64_t tick) override {
        weave_.BeforeTick(game, tick);
        if (held_ != 0) {
            game.Key(held_, false);
            held_ = 0;
        }
        const Boss& boss = TheBoss();
        bool attacking = false;
        for (uint8_t f : boss.attackFlags)
            attacking = attacking || f != 0;
        quiet_ = attacking || Globals().bossPhase != 1 || boss.arrived == 0 ? 0 : quiet_ + 1;
        if (game.Screen() == InGameFrame && next_ < kAttackKeys && quiet_ >= 20) {
            held_ = kFirstAttackKey + next_++;
            game.Key(held_, true);
            std::fprintf(stderr, "attack key %c at tick %llu, lives %d\n", held_,
                         static_cast<unsigned long long>(tick), PlayerAt(0).lives);
            quiet_ = 0;
        }
    }

  private:
    ScriptedInputSource weave_;
    int next_ = 0;
    int held_ = 0;
    int quiet_ = 0;
};

GameFolder AtRate(int fps) {
    GameFolder folder;
    folder.settings = "[PelkoGame]\nFPS=" + std::to_string(fps) + "\n";
    folder.sounds = false;
    folder.seed = 7;
    return folder;
}

std::vector<ReplayScenario> MakeScenarios() {
    std::vector<ReplayScenario> list;
    list.push_back(
        {"stage1-30", "stage 1 at 30 fps, weaving and firing, from the logo on", AtRate(30),
         [] { return std::make_unique<ScriptedInputSource>(WeaveFromTheTitle(3600, false)); },
         3600});
    list.push_back(
        {"stage1-60", "stage 1 at 60 fps, the same player", AtRate(60),
         [] { return std::make_unique<ScriptedInputSource>(WeaveFromTheTitle(7200, false)); },
         7200});
    list.push_back(
        {"hard-30", "hard mode switched on at the title (F4), 30 fps", AtRate(30),
         [] { return std::make_unique<ScriptedInputSource>(WeaveFromTheTitle(3600, true)); },
         3600});
    // A stage of a few passing enemies, so that the weaving ship is still flying when the boss
    // comes.
    GameFolder quiet = AtRate(30);
    quiet.stages[1] = "#a_few_enemies_before_the_boss\n"
                      "60 0 0 660 120 -2.0 0 0 0 1 3 60\n"
                      "600 0 0 660 360 -2.0 0 0 0 1 3 60\n"
                      "&\n";
    list.push_back({"boss-attacks-30",
                    "the boss of stage 1 at 30 fps after a quiet stage, the attack keys 1 to 5 "
                    "pressed in turn",
                    quiet, [] { return std::make_unique<BossAttackInput>(3600); }, 3600});
    // Whole runs played by the autopilot, from the logo to the staff roll or the game over.
    for (int fps : {30, 60})
        for (bool hard : {false, true}) {
            GameFolder folder = AtRate(fps);
            folder.seed = 1;
            const std::string name = "autopilot-" + std::to_string(fps) + (hard ? "-hard" : "");
            list.push_back({name,
                            std::string("a whole run played by the autopilot at ") +
                                std::to_string(fps) + " fps" + (hard ? ", hard mode" : ""),
                            folder,
                            [hard] {
                                return std::make_unique<PilotedRunInput>(
                                    std::make_unique<Autopilot>(), hard);
                            },
                            // Five stages and their bosses fit well within 20 minutes.
                            static_cast<uint64_t>(fps) * 60 * 20});
        }
    // The same whole runs with the pilot that has a person's limits at the keys: how far a
    // person gets, ended on the title after the game over.
    for (int fps : {30, 60})
        for (bool hard : {false, true}) {
            GameFolder folder = AtRate(fps);
            folder.seed = 1;
            const std::string name = "person-" + std::to_string(fps) + (hard ? "-hard" : "");
            list.push_back({name,
                            std::string("a whole run played by the pilot with a person's limits "
                                        "at ") +
                                std::to_string(fps) + " fps" + (hard ? ", hard mode" : ""),
                            folder,
                            [hard] {
                                return std::make_unique<PilotedRunInput>(
                                    std::make_unique<PersonPilot>(1), hard);
                            },
                            static_cast<uint64_t>(fps) * 60 * 20});
        }
    return list;
}

} // namespace

void PilotedRunInput::BeforeTick(GameHarness& game, uint64_t tick) {
    const void* screen = reinterpret_cast<const void*>(game.Screen());
    if (screen != lastScreen_) {
        lastScreen_ = screen;
        screenSince_ = tick;
        if (game.Screen() == TitleFrame && started_) finished_ = true;
    }
    pilot_->BeforeTick(game, tick);
    const uint64_t t = tick - screenSince_;
    if (game.Screen() == LogoFrame) {
        game.Key(kVkSpace, t >= 10 && t < 12);
    } else if (game.Screen() == TitleFrame && !started_) {
        if (hard_) game.Key(kVkF4, t >= 5 && t < 7);
        game.Key(kVkSpace, t >= 20 && t < 22);
    } else if (game.Screen() == InGameFrame) {
        started_ = true;
        EndRunOnceOver(game, tick, gameOverSince_);
    }
}

std::vector<ScriptedInput> WeaveFromTheTitle(uint64_t ticks, bool hard) {
    // Space skips the logo; a fresh press on the title starts the run.
    std::vector<ScriptedInput> script = {{3, kVkSpace, true}, {6, kVkSpace, false}};
    if (hard) {
        script.push_back({10, kVkF4, true});
        script.push_back({12, kVkF4, false});
    }
    constexpr uint32_t kRunStart = 20;
    for (uint64_t tick = kRunStart; tick <= ticks; ++tick) {
        const uint64_t t = tick - kRunStart;
        for (const HeldKey& k : kWeave) {
            const bool now = k.held(t);
            const bool before = t > 0 && k.held(t - 1);
            if (now != before || t == 0)
                if (now || t > 0) script.push_back({static_cast<uint32_t>(tick), k.vk, now});
        }
    }
    return script;
}

void AttractAndPlayInput::BeforeTick(GameHarness& game, uint64_t tick) {
    const void* screen = reinterpret_cast<const void*>(game.Screen());
    if (screen != lastScreen_) {
        lastScreen_ = screen;
        screenSince_ = tick;
        ReleaseAll(game);
        if (game.Screen() == TitleFrame) ++titleVisits_;
    }
    // The pilot sees every tick, on every screen, so that the keys it holds stay its own to let
    // go; off the play field it holds none.
    if (pilot_ != nullptr) pilot_->BeforeTick(game, tick);
    const uint64_t t = tick - screenSince_;
    const auto on = game.Screen();
    if (on == LogoFrame) {
        game.Key(kVkSpace, t >= 10 && t < 12);
    } else if (on == TitleFrame) {
        // Every other visit waits for the demo; the others start a run.
        game.Key(kVkSpace, titleVisits_ % 2 == 0 && t >= 30 && t < 32);
    } else if (on == DemoFrame) {
        game.Key(kVkSpace, t >= 200 && t < 202);
    } else if (on == InGameFrame) {
        if (pilot_ == nullptr) {
            if (PlayerAt(0).gameOver != 0)
                ReleaseAll(game);
            else
                HoldWeaveKeys(game, t);
        }
        EndRunOnceOver(game, tick, gameOverSince_);
    }
}

const std::vector<ReplayScenario>& ReplayScenarios() {
    static const std::vector<ReplayScenario> list = MakeScenarios();
    return list;
}

const ReplayScenario* FindScenario(const std::string& name) {
    for (const ReplayScenario& s : ReplayScenarios())
        if (s.name == name) return &s;
    return nullptr;
}

} // namespace pelko::testing
