// The real frame of play at a heavy moment, at 8, 16 and 32 bits: a boss attack with all 128 of
// its shots out, 32 enemies with both their shots, 64 player shots, the decorations, the HUD and
// a message typing; then the present's conversion of that frame. Before each frame the shots and
// enemies are put back where the moment has them, so every frame draws and tests the same load;
// the put-back is timed on its own too. After the table it prints microseconds per frame and the
// headroom against the 16 ms frame at 60 fps.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "best_of_five.h"
#include "game/enemies/boss.h"
#include "game/enemies/enemy_manager.h"
#include "game/flow/game_globals.h"
#include "game/flow/game_start.h"
#include "game/player/message_queue.h"
#include "game/player/player.h"
#include "runtime/graphics/display.h"
#include "support/game_harness.h"

namespace {

using bench::BestOfFive;

using pelko::testing::GameFolder;
using pelko::testing::GameHarness;

constexpr int kFirstAttackKey = '1';
constexpr const char* kLongMessage =
    "THE FLEET REGROUPS BEHIND THE CLOUD BANK.\n\nSTAY CLEAR OF THE CROSSFIRE AND AIM FOR THE "
    "CORE WHILE ITS GUARDS ARE BUSY.            ";

// One game at one depth, brought to the heavy moment, with what the frame consumes kept aside.
class HeavyMoment {
  public:
    explicit HeavyMoment(int depth) : depth_(depth) {
        GameFolder folder;
        folder.desktopDepth = depth;
        folder.settings = std::string("[PelkoGame]\nFPS=60\n") + (depth == 8 ? "Color=256\n" : "");
        game_ = std::make_unique<GameHarness>(folder);
        ok_ = game_->Boot();
        if (!ok_) return;
        game_->StartPlay();
        game_->Ticks(5);
        // The boss comes now and settles at its place, then its first attack starts.
        pelko::Globals().bossWarningFrame = static_cast<int32_t>(pelko::TheGame().frameCounter);
        for (int i = 0; i < 2000 && pelko::TheBoss().arrived == 0; ++i)
            game_->Tick();
        game_->Key(kFirstAttackKey, true);
        game_->Tick();
        game_->Key(kFirstAttackKey, false);
        Fill();
        Keep();
    }
    bool ok() const { return ok_; }
    int depth() const { return depth_; }

    // Puts every shot, enemy and the ship back as the moment has them; keeps a message typing.
    void Restore() {
        size_t i = 0;
        ForEachObject([this, &i](pelko::GameObject& o) { Put(o, poses_[i++]); });
        pelko::Player& p = pelko::PlayerAt(0);
        p.lives = 3;
        p.gameOver = 0;
        pelko::MessageQueue& q = pelko::TheMessages();
        if (q.typing == 0 && q.count == 0) q.PostPlain(kLongMessage);
    }

  private:
    // The load: boss shots over the right half, enemies in a grid with their shots around them,
    // player shots in rows ahead of the ship; nothing touches the ship, most things nothing else.
    void Fill() {
        pelko::Boss& boss = pelko::TheBoss();
        for (int i = 0; i < pelko::kBossShots; ++i) {
            pelko::Shot& s = boss.shots[i];
            s.Show();
            s.SetPosition(330.0f + (i % 16) * 18.0f, 70.0f + (i / 16) * 45.0f);
            s.SetVelocityX(-0.5f);
            s.SetVelocityY(0.0f);
        }
        pelko::EnemyManager& m = pelko::TheEnemies();
        for (int i = 0; i < pelko::kEnemyRingSize; ++i) {
            pelko::Enemy& e = m.enemies[i];
            e.Show();
            e.hp = 1 << 20;
            e.SetPosition(300.0f + (i % 8) * 40.0f, 80.0f + (i / 8) * 90.0f);
            e.SetVelocityX(0.0f);
            e.SetVelocityY(0.0f);
            for (pelko::Shot& s : e.shots) {
                s.Show();
                s.SetPosition(e.x - 20.0f, e.y + 10.0f);
                s.SetVelocityX(-1.0f);
                s.SetVelocityY(0.0f);
            }
        }
        pelko::Player& p = pelko::PlayerAt(0);
        p.SetPosition(40.0f, 440.0f);
        for (int i = 0; i < pelko::kPlayerShotSlots; ++i) {
            pelko::Shot& s = p.shots[i];
            s.Show();
            s.SetPosition(80.0f + (i % 8) * 25.0f, 60.0f + (i / 8) * 48.0f);
            s.SetVelocityX(8.0f);
            s.SetVelocityY(0.0f);
        }
        pelko::TheMessages().PostPlain(kLongMessage);
    }

    // What a frame changes in an object. Whole objects are not copied back: each carries 4 KiB
    // of hit-box tables, and copying 290 of them would cost more than the frame.
    struct Pose {
        int32_t active, row, frame, tickCount, drawMode, hp, lastFireFrame;
        float x, y, vx, vy, ax, ay;
    };
    static Pose Take(const pelko::GameObject& o) {
        return {o.active, o.row, o.frame, o.tickCount, o.drawMode, o.hp, o.lastFireFrame,
                o.x,      o.y,   o.vx,    o.vy,        o.ax,       o.ay};
    }
    static void Put(pelko::GameObject& o, const Pose& p) {
        o.active = p.active;
        o.row = p.row;
        o.frame = p.frame;
        o.tickCount = p.tickCount;
        o.drawMode = p.drawMode;
        o.hp = p.hp;
        o.lastFireFrame = p.lastFireFrame;
        o.x = p.x;
        o.y = p.y;
        o.vx = p.vx;
        o.vy = p.vy;
        o.ax = p.ax;
        o.ay = p.ay;
    }

    // The objects of the moment, in one order for keeping and putting back.
    template <class F> static void ForEachObject(F f) {
        pelko::Boss& boss = pelko::TheBoss();
        for (pelko::Shot& s : boss.shots)
            f(static_cast<pelko::GameObject&>(s));
        for (pelko::Enemy& e : pelko::TheEnemies().enemies) {
            f(static_cast<pelko::GameObject&>(e));
            for (pelko::Shot& s : e.shots)
                f(static_cast<pelko::GameObject&>(s));
        }
        pelko::Player& p = pelko::PlayerAt(0);
        f(static_cast<pelko::GameObject&>(p));
        for (int i = 0; i < pelko::kPlayerShotSlots; ++i)
            f(static_cast<pelko::GameObject&>(p.shots[i]));
    }

    void Keep() {
        poses_.clear();
        ForEachObject([this](pelko::GameObject& o) { poses_.push_back(Take(o)); });
    }

    int depth_;
    bool ok_ = false;
    std::unique_ptr<GameHarness> game_;
    std::vector<Pose> poses_;
};

// Only one game exists at a time; benchmarks of the same depth share it.
std::unique_ptr<HeavyMoment> moment;

HeavyMoment& MomentAt(int depth) {
    if (!moment || moment->depth() != depth) {
        moment.reset();
        moment = std::make_unique<HeavyMoment>(depth);
    }
    return *moment;
}

// What the last frame had out, so the table shows the load is the one meant.
void CountLoad(benchmark::State& state) {
    int bossShots = 0, enemies = 0, enemyShots = 0, playerShots = 0;
    for (const pelko::Shot& s : pelko::TheBoss().shots)
        bossShots += s.active != 0;
    for (const pelko::Enemy& e : pelko::TheEnemies().enemies) {
        enemies += e.active != 0;
        for (const pelko::Shot& s : e.shots)
            enemyShots += s.active != 0;
    }
    for (int i = 0; i < pelko::kPlayerShotSlots; ++i)
        playerShots += pelko::PlayerAt(0).shots[i].active != 0;
    state.counters["boss_shots"] = bossShots;
    state.counters["enemies"] = enemies;
    state.counters["enemy_shots"] = enemyShots;
    state.counters["player_shots"] = playerShots;
    state.counters["typing"] = pelko::TheMessages().typing;
    state.counters["boss_fight"] = pelko::Globals().bossPhase;
}

void RestoreOnly(benchmark::State& state, int depth) {
    HeavyMoment& m = MomentAt(depth);
    if (!m.ok()) return state.SkipWithError("the game did not start");
    for (auto _ : state) {
        m.Restore();
        benchmark::ClobberMemory();
    }
}

void FrameOnly(benchmark::State& state, int depth) {
    HeavyMoment& m = MomentAt(depth);
    if (!m.ok()) return state.SkipWithError("the game did not start");
    for (auto _ : state) {
        m.Restore();
        pelko::InGameFrame();
        benchmark::ClobberMemory();
    }
}

void FrameAndPresent(benchmark::State& state, int depth) {
    HeavyMoment& m = MomentAt(depth);
    if (!m.ok()) return state.SkipWithError("the game did not start");
    for (auto _ : state) {
        m.Restore();
        pelko::InGameFrame();
        tessary::TheDisplay().Present();
        benchmark::ClobberMemory();
    }
    CountLoad(state);
}

// Keeps each fastest run's CPU time per iteration in microseconds by name: the work of one core,
// which on a shared machine is steadier than the wall-clock time.
class SummaryReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "min" && !r.error_occurred)
                micros[r.run_name.str()] =
                    r.GetAdjustedCPUTime() *
                    benchmark::GetTimeUnitMultiplier(benchmark::kMicrosecond) /
                    benchmark::GetTimeUnitMultiplier(r.time_unit);
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> micros;
};

} // namespace

int main(int argc, char** argv) {
    const int depths[] = {8, 16, 32};
    for (int depth : depths) {
        const std::string d = "/" + std::to_string(depth);
        BestOfFive(benchmark::RegisterBenchmark(("RestoreOnly" + d).c_str(), RestoreOnly, depth));
        BestOfFive(benchmark::RegisterBenchmark(("InGameFrame" + d).c_str(), FrameOnly, depth));
        BestOfFive(benchmark::RegisterBenchmark(("InGameFrameAndPresent" + d).c_str(),
                                                FrameAndPresent, depth));
    }
    benchmark::Initialize(&argc, argv);
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    moment.reset(); // the game goes before the runtime's statics
    constexpr double kFrameMicros = 16000.0;
    std::printf("\nwhole frame of the heavy moment (CPU time, fastest of five, put-back "
                "subtracted), against the 16 ms frame at 60 fps:\n");
    for (int depth : depths) {
        const std::string d = "/" + std::to_string(depth) + "/repeats:5";
        if (!reporter.micros.count("InGameFrameAndPresent" + d) ||
            !reporter.micros.count("InGameFrame" + d) || !reporter.micros.count("RestoreOnly" + d))
            continue;
        const double restore = reporter.micros["RestoreOnly" + d];
        const double frame = reporter.micros["InGameFrame" + d] - restore;
        const double whole = reporter.micros["InGameFrameAndPresent" + d] - restore;
        std::printf(
            "  %2d bits: frame %7.1f us, present %6.1f us, whole %7.1f us = %5.2f%% of 16 ms "
            "(%.0fx headroom); goal 500 us: %s\n",
            depth, frame, whole - frame, whole, 100.0 * whole / kFrameMicros, kFrameMicros / whole,
            whole < 500.0 ? "met" : "NOT met");
    }
    benchmark::Shutdown();
    return 0;
}
