#include "replay/replay_driver.h"

#include <cinttypes>
#include <cstdio>

#include "game/flow/game_globals.h"
#include "game/flow/game_start.h"
#include "game/player/player.h"
#include "support/game_digest.h"

namespace pelko::testing {
namespace {
constexpr int kStagesInARun = 5;
}

ScriptedInputSource::ScriptedInputSource(std::vector<ScriptedInput> script)
    : script_(std::move(script)) {}

void ScriptedInputSource::BeforeTick(GameHarness& game, uint64_t tick) {
    while (next_ < script_.size() && script_[next_].tick <= tick) {
        const ScriptedInput& in = script_[next_++];
        if (in.vk >= 0)
            game.Key(in.vk, in.down);
        else
            game.Joystick(in.joystick, in.position);
    }
}

ReplaySample SampleState(uint64_t tick) {
    ReplaySample s;
    s.tick = tick;
    s.digest = GameStateDigest();
    s.screen = ScreenName();
    s.stage = Globals().stageNumber;
    s.score = PlayerAt(0).scoreValue;
    s.lives = PlayerAt(0).lives;
    s.frame = TheGame().frameCounter;
    s.hard = Globals().hardMode != 0;
    s.sections = GameStateSections();
    return s;
}

void ReplayDriver::Record(GameHarness& game, ReplayResult& result, uint64_t tick) {
    const char* screen = ScreenName();
    const bool changed = result.screens.empty() || result.screens.back().name != screen;
    if (changed) result.screens.push_back({screen, tick});
    if (game.Screen() != InGameFrame) return;

    const GameGlobals& g = Globals();
    const Player& p = PlayerAt(0);
    // A stage begins when the stage number moves on, or when play is entered: only the title
    // leads into play, and it starts a run at stage 1.
    if (g.stageNumber != lastStage_ || changed) {
        StageRecord r;
        r.stage = g.stageNumber;
        r.reachedTick = tick;
        r.reachedFrame = TheGame().frameCounter;
        result.stages.push_back(r);
        lastStage_ = g.stageNumber;
        wasCleared_ = false;
    }
    StageRecord& r = result.stages.back();
    if (!r.cleared) {
        r.score = p.scoreValue;
        r.lives = p.lives;
        r.digest = GameStateDigest();
    }
    if (g.stageCleared != 0 && !wasCleared_ && !r.cleared) {
        r.cleared = true;
        r.clearedTick = tick;
        r.clearedFrame = TheGame().frameCounter;
    }
    wasCleared_ = g.stageCleared != 0;
}

ReplayResult ReplayDriver::Run(uint64_t ticks) {
    ReplayResult result;
    result.screens.reserve(reserve_);
    result.stages.reserve(reserve_);
    GameHarness game(folder_);
    result.booted = game.Boot();
    if (!result.booted) return result;
    for (uint64_t tick = 1; tick <= ticks; ++tick) {
        input_.BeforeTick(game, tick);
        game.Tick();
        result.ticks = tick;
        Record(game, result, tick);
        if (sampleEvery_ > 0 && tick % static_cast<uint64_t>(sampleEvery_) == 0)
            result.samples.push_back(SampleState(tick));
        if (observer_ && !observer_(game, result)) break;
        if (input_.Finished()) break;
    }
    return result;
}

std::string FormatReplayReport(const ReplayResult& result) {
    std::string out;
    char line[256];
    if (!result.booted) return "the game did not start\n";
    for (const StageRecord& r : result.stages) {
        if (r.cleared)
            std::snprintf(line, sizeof line,
                          "stage %d: reached at tick %" PRIu64
                          " (frame %u), cleared at tick %" PRIu64
                          " (frame %u), score %d, lives %d, digest %016" PRIx64 "\n",
                          r.stage, r.reachedTick, r.reachedFrame, r.clearedTick, r.clearedFrame,
                          r.score, r.lives, r.digest);
        else
            std::snprintf(line, sizeof line,
                          "stage %d: reached at tick %" PRIu64
                          " (frame %u), not cleared, score %d, lives %d, digest %016" PRIx64 "\n",
                          r.stage, r.reachedTick, r.reachedFrame, r.score, r.lives, r.digest);
        out += line;
    }
    for (int stage = 1; stage <= kStagesInARun; ++stage) {
        bool reached = false;
        for (const StageRecord& r : result.stages)
            reached = reached || r.stage == stage;
        if (!reached) {
            std::snprintf(line, sizeof line, "stage %d: not reached\n", stage);
            out += line;
        }
    }
    out += "screens:";
    for (const ScreenVisit& v : result.screens) {
        std::snprintf(line, sizeof line, " %s@%" PRIu64, v.name.c_str(), v.tick);
        out += line;
    }
    std::snprintf(line, sizeof line, "\nticks played: %" PRIu64 "\n", result.ticks);
    return out + line;
}

} // namespace pelko::testing
