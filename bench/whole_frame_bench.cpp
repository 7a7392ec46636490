// The real frame of play at a heavy moment, at 8, 16 and 32 bits: a boss attack with all 128 of
// its shots out, 32 enemies with both their shots, 64 player shots, the decorations, the HUD and
// a message typing; then the present's conversion of that frame. Before each frame the shots and
// enemies are put back where the moment has them, so every frame draws and tests the same load;
// the put-back is timed on its own too. After the table it prints microseconds per frame and the
// headroom against the 16 ms frame at 60 fps.
//
// Where a display is at hand (DISPLAY; make bench gives it a 3840 x 2160 Xvfb), the frame at 32
// bits is also shown through the real SDL presenters in windows of 640 x 480, 1280 x 960,
// 2560 x 1920 and 1000 x 700: the GPU's renderer and the CPU's scaler into the window's pixels,
// beside a bare SDL program's present of the same sizes (a streaming texture stretched over the
// window by SDL_RenderCopy). These count the whole process's CPU time, the renderer's threads
// (llvmpipe's, where it draws in software) included, and print the share of one core each takes
// at 60 frames a second. The display server's own work (Xvfb's copy) is not counted.
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
#include "sdl/sdl_presenters.h"
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

// A window of the given size for the present benchmarks; SDL's video starts with the first.
class BenchWindow {
  public:
    BenchWindow(int width, int height) {
        if (SDL_WasInit(SDL_INIT_VIDEO) == 0 && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return;
        window_ =
            SDL_CreateWindow("present", 0, 0, width, height, SDL_WINDOW_SHOWN | SDL_WINDOW_OPENGL);
        SDL_PumpEvents();
    }
    ~BenchWindow() {
        if (window_ != nullptr) SDL_DestroyWindow(window_);
    }
    SDL_Window* get() const { return window_; }

  private:
    SDL_Window* window_ = nullptr;
};

enum class Way { kGpu, kCpu, kBareSdl };

// The game's frame and its scaled present, as the game shows it in a window of that size.
void ScaledPresent(benchmark::State& state, Way way, int width, int height) {
    HeavyMoment& m = MomentAt(32);
    if (!m.ok()) return state.SkipWithError("the game did not start");
    BenchWindow window(width, height);
    if (window.get() == nullptr) return state.SkipWithError("no display (DISPLAY)");
    std::unique_ptr<platform::sdl::FramePresenter> presenter =
        way == Way::kCpu ? platform::sdl::MakeSurfacePresenter(window.get())
                         : platform::sdl::MakeRendererPresenter(window.get(), false, nullptr);
    if (presenter == nullptr) return state.SkipWithError("no presenter for the window");
    const platform::sdl::PresentRequest request{};
    for (auto _ : state) {
        m.Restore();
        pelko::InGameFrame();
        presenter->Show(*tessary::TheDisplay().backBuffer, request);
        SDL_PumpEvents();
    }
}

// A bare SDL program's present of a 640 x 480 frame over the whole window, for comparison.
void BareSdlPresent(benchmark::State& state, int width, int height) {
    BenchWindow window(width, height);
    if (window.get() == nullptr) return state.SkipWithError("no display (DISPLAY)");
    SDL_Renderer* renderer = SDL_CreateRenderer(window.get(), -1, 0);
    SDL_Texture* texture = renderer == nullptr
                               ? nullptr
                               : SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888,
                                                   SDL_TEXTUREACCESS_STREAMING, 640, 480);
    if (texture == nullptr) return state.SkipWithError("no renderer");
    std::vector<uint32_t> frame(640 * 480, 0x336699);
    for (auto _ : state) {
        SDL_UpdateTexture(texture, nullptr, frame.data(), 640 * 4);
        SDL_RenderClear(renderer);
        SDL_RenderCopy(renderer, texture, nullptr, nullptr);
        SDL_RenderPresent(renderer);
        SDL_PumpEvents();
    }
    SDL_DestroyTexture(texture);
    SDL_DestroyRenderer(renderer);
}

struct PresentSize {
    int width, height;
};
constexpr PresentSize kPresentSizes[] = {{640, 480}, {1280, 960}, {2560, 1920}, {1000, 700}};

std::string SizeName(const PresentSize& size) {
    return "/" + std::to_string(size.width) + "x" + std::to_string(size.height);
}

// Keeps each fastest run's CPU time per iteration in microseconds by name: the work of one core,
// which on a shared machine is steadier than the wall-clock time.
class SummaryReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "min" && !r.error_occurred) {
                const double toMicros = benchmark::GetTimeUnitMultiplier(benchmark::kMicrosecond) /
                                        benchmark::GetTimeUnitMultiplier(r.time_unit);
                micros[r.run_name.str()] = r.GetAdjustedCPUTime() * toMicros;
                wallMicros[r.run_name.str()] = r.GetAdjustedRealTime() * toMicros;
            }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> micros, wallMicros;
};

// The CPU share of one core that play with each present takes at 60 frames a second.
void PrintPresentShares(SummaryReporter& reporter) {
    std::printf("\nplay with its present at 60 fps, in windows of each size (process CPU time, "
                "fastest of five; the share of one core, and the wall time a frame took):\n");
    const char* names[] = {"PlayAndGpuPresent", "PlayAndCpuPresent", "BareSdlPresent"};
    for (const PresentSize& size : kPresentSizes) {
        std::printf("  %4dx%-4d", size.width, size.height);
        for (const char* name : names) {
            const std::string key = name + SizeName(size) + "/repeats:5/process_time/real_time";
            if (!reporter.micros.count(key)) {
                std::printf("  %s: -", name);
                continue;
            }
            std::printf("  %s %5.1f%% (%5.2f ms)", name, reporter.micros[key] * 60 / 1e4,
                        reporter.wallMicros[key] / 1000);
        }
        std::printf("\n");
    }
}

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
    const std::pair<const char*, Way> ways[] = {{"PlayAndGpuPresent", Way::kGpu},
                                                {"PlayAndCpuPresent", Way::kCpu}};
    for (const PresentSize& size : kPresentSizes) {
        for (const auto& [name, way] : ways)
            BestOfFive(benchmark::RegisterBenchmark((name + SizeName(size)).c_str(), ScaledPresent,
                                                    way, size.width, size.height)
                           ->MeasureProcessCPUTime()
                           ->UseRealTime());
        BestOfFive(benchmark::RegisterBenchmark(("BareSdlPresent" + SizeName(size)).c_str(),
                                                BareSdlPresent, size.width, size.height)
                       ->MeasureProcessCPUTime()
                       ->UseRealTime());
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
    PrintPresentShares(reporter);
    benchmark::Shutdown();
    return 0;
}
