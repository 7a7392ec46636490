#include "replay/soak.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "autopilot/autopilot.h"
#include "game/flow/game_start.h"
#include "game/flow/screens.h"
#include "replay/heap_counter.h"
#include "replay/replay_scenarios.h"
#include "runtime/shell/runtime_state.h"
#include "support/game_digest.h"

namespace pelko::testing {
namespace {

constexpr double kMiB = 1024.0 * 1024.0;
constexpr size_t kHeapBudget = 16u << 20;
// The two windows compared, each this many minutes (or a sixth of a shorter soak).
constexpr double kWindowMinutes = 10.0;

// A stage start reads its file whole and, for a moment, holds it about three times over (the bytes
// read, their text-mode copy, the reader's own buffer) beside the stage before's buffer. The first
// window starts stage 1; a later window that starts a stage with a longer file peaks higher by up
// to four times the difference in length, which is no leak.
size_t StageLoadAllowance(const std::filesystem::path& gameFolder) {
    uintmax_t shortest = ~uintmax_t{0}, longest = 0;
    for (int stage = 1; stage <= 5; ++stage) {
        std::error_code error;
        const uintmax_t size = std::filesystem::file_size(
            gameFolder / "GameData" / ("Stage" + std::to_string(stage) + ".dat"), error);
        if (error) continue;
        shortest = std::min(shortest, size);
        longest = std::max(longest, size);
    }
    return longest > shortest ? static_cast<size_t>(4 * (longest - shortest)) : 0;
}

struct Window {
    size_t peakHeap = 0;
    size_t endHeap = 0;
    size_t endResident = 0;
    size_t peakMalloc = 0;
};

} // namespace

int RunSoak(double minutes, double warmUpMinutes) {
    const double totalMs = minutes * 60000.0;
    const double windowMs = std::min(kWindowMinutes * 60000.0, totalMs / 6.0);
    const double warmUpLimitMs = warmUpMinutes * 60000.0;
    // The autopilot plays the runs, so that they go through stage clears, bosses and, now and
    // then, the staff roll.
    Autopilot pilot;
    AttractAndPlayInput input(&pilot);
    GameFolder folder;
    folder.settings = "[PelkoGame]\nFPS=60\n";
    folder.seed = 11;
    ReplayDriver driver(folder, input);
    driver.SampleEvery(0);
    // The driver's own records of screens and stages, made room for in advance, so that their
    // growth does not show as the game's.
    driver.ReserveRecords(4096);

    const size_t residentAtStart = ResidentBytes();
    double elapsedMs = 0, warmUpMs = 0;
    bool warmingUp = warmUpLimitMs > 0, staffRollInWarmUp = false, firstDone = false;
    bool staffRollSeen = false;
    Window warmUp, first, last;
    int runs = 0, demos = 0, staffRolls = 0, stagesCleared = 0;
    const void* lastScreen = nullptr;
    size_t mallocHigh = 0;
    size_t allowance = 0;
    const bool verbose = std::getenv("SOAK_VERBOSE") != nullptr;
    driver.OnEachTick([&](GameHarness& game, const ReplayResult&) {
        const double tickMs = tessary::Runtime().framePeriod;
        const void* screen = reinterpret_cast<const void*>(game.Screen());
        if (allowance == 0) allowance = StageLoadAllowance(game.Folder());
        const bool changed = screen != lastScreen;
        lastScreen = screen;
        if (warmingUp) {
            warmUpMs += tickMs;
            staffRollSeen = staffRollSeen || game.Screen() == StaffRollFrame;
            // Over once the game is back on the title after a staff roll, or at its limit.
            const bool backAfterStaffRoll = staffRollSeen && game.Screen() == TitleFrame;
            if (!backAfterStaffRoll && warmUpMs < warmUpLimitMs) return true;
            warmUp = {HeapPeakBytes(), HeapBytesInUse(), ResidentBytes(), mallocHigh};
            staffRollInWarmUp = backAfterStaffRoll;
            warmingUp = false;
            ResetHeapPeak();
            mallocHigh = 0;
            if (verbose)
                std::printf("  warm-up over after %.1f min%s\n", warmUpMs / 60000.0,
                            staffRollInWarmUp ? ", the staff roll seen" : "");
        }
        elapsedMs += tickMs;
        if (changed) {
            if (game.Screen() == InGameFrame) ++runs;
            if (game.Screen() == DemoFrame) ++demos;
            if (game.Screen() == StaffRollFrame) ++staffRolls;
            if (verbose)
                std::printf("  %.1f min: %s, heap in use %.3f MiB, resident %.2f MiB\n",
                            elapsedMs / 60000.0, ScreenName(), HeapBytesInUse() / kMiB,
                            ResidentBytes() / kMiB);
        }
        if (static_cast<uint64_t>(elapsedMs) % 500 < 20) // about twice a second of game time
            mallocHigh = std::max(mallocHigh, MallocBytesInUse());
        if (!firstDone && elapsedMs >= windowMs) {
            first = {HeapPeakBytes(), HeapBytesInUse(), ResidentBytes(), mallocHigh};
            firstDone = true;
        }
        if (elapsedMs >= totalMs - windowMs && last.peakHeap == 0) {
            ResetHeapPeak();
            mallocHigh = 0;
            last.peakHeap = 1;
        }
        if (elapsedMs < totalMs) return true;
        // Taken here, while the game still runs; after Run() it is gone.
        last = {HeapPeakBytes(), HeapBytesInUse(), ResidentBytes(), mallocHigh};
        return false;
    });
    ResetHeapPeak();
    const ReplayResult result = driver.Run(~0ull);
    if (!result.booted) {
        std::printf("soak: the game did not start\n");
        return 1;
    }
    for (const StageRecord& r : result.stages)
        stagesCleared += r.cleared ? 1 : 0;

    if (warmUpLimitMs > 0)
        std::printf("warm-up: %.1f minutes of game time, %s; peak heap %.3f MiB, resident %.2f "
                    "MiB at its end\n",
                    warmUpMs / 60000.0,
                    staffRollInWarmUp ? "through a run to the staff roll and back to the title"
                                      : "ended at its limit WITHOUT a staff roll",
                    warmUp.peakHeap / kMiB, warmUp.endResident / kMiB);
    std::printf("soak: %.1f minutes of game time after it: %d runs, %d demos, %zu stages reached "
                "and %d cleared in all, %d staff rolls in the soak, %llu ticks in all\n",
                elapsedMs / 60000.0, runs, demos, result.stages.size(), stagesCleared, staffRolls,
                static_cast<unsigned long long>(result.ticks));
    std::printf("resident memory: %.2f MiB at the start, %.2f MiB after the first %.0f minutes, "
                "%.2f MiB at the end\n",
                residentAtStart / kMiB, first.endResident / kMiB, windowMs / 60000.0,
                last.endResident / kMiB);
    std::printf("heap (operator new, the whole program: game, runtime, headless platform and "
                "driver)\n");
    std::printf("  peak %.3f MiB in the first %.0f minutes, %.3f MiB in the "
                "last; in use %.3f MiB after the first, %.3f MiB at the end\n",
                first.peakHeap / kMiB, windowMs / 60000.0, last.peakHeap / kMiB,
                first.endHeap / kMiB, last.endHeap / kMiB);
    std::printf("malloc in all (sampled twice a second): peak %.3f MiB in the first window, %.3f "
                "MiB in the last\n",
                first.peakMalloc / kMiB, last.peakMalloc / kMiB);
    // The peaks are compared: the bytes in use at two moments differ with what is on screen.
    const size_t peak = std::max({warmUp.peakHeap, first.peakHeap, last.peakHeap});
    const bool grew = last.peakHeap > first.peakHeap + allowance;
    const bool over = peak > kHeapBudget;
    std::printf(
        "growth of the peak heap from the first window to the last (beyond %zu bytes for the "
        "longer stage files): %s; peak heap %.3f MiB of a %.0f MiB budget: %s\n",
        allowance, grew ? "YES" : "none", peak / kMiB, kHeapBudget / kMiB,
        over ? "OVER" : "within");
    return grew || over ? 1 : 0;
}

} // namespace pelko::testing
