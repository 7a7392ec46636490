// The real frame loop on the headless platform against a simulated display clock: 60, 75, 120,
// 144 and 165 Hz, 30 and 60 fps, VSync on and off, 3,000 ticks each. A present that waits for the
// vertical blank returns at the next refresh; the display shows the newest frame at each refresh.
// Each tick reads its input as it starts and works 2 ms. Printed for each case: ticks a second,
// judder (the share of shown frames held for another number of refreshes than the most common
// one), frames never shown (replaced before a refresh came), and the mean time from a frame's
// input read to its first refresh. Twice: with the display's rate kept from the runtime, which
// then paces by its millisecond timer as it always did ("timer"), and with it told ("display").
#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

#include "platform/clock.h"
#include "platform/headless.h"
#include "platform/window.h"
#include "runtime/graphics/display.h"
#include "runtime/shell/entry.h"
#include "runtime/shell/frame_loop.h"
#include "runtime/shell/frame_pacing.h"

namespace {

namespace headless = platform::headless;

constexpr size_t kTicks = 3000;
constexpr uint64_t kWorkUs = 2000;

struct Case {
    double hz;
    int fps;
    bool vsync;
};

struct Figures {
    double ticksPerSecond = 0, judder = 0, unshown = 0, latencyMs = 0;
};

// What the frame callback sees; plain function pointers cannot capture.
std::vector<uint64_t> g_inputUs;
Case g_case{};

int Frame() {
    g_inputUs.push_back(platform::TimeMicros());
    headless::AdvanceMicros(kWorkUs);
    if (g_inputUs.size() == kTicks) platform::PostQuitMessage(0);
    return 1;
}

int Start() {
    tessary::SetFramePeriod(1000 / g_case.fps);
    tessary::SetVSync(g_case.vsync ? 1 : 0);
    tessary::SetFrameCallback(Frame);
    return 1;
}

Figures Measure(const std::vector<headless::PresentRecord>& log, double hz) {
    Figures f;
    const size_t n = std::min(log.size(), g_inputUs.size());
    if (n < 2) return f;
    f.ticksPerSecond = (n - 1) * 1e6 / static_cast<double>(g_inputUs[n - 1] - g_inputUs[0]);
    std::vector<size_t> shown;
    for (size_t k = 0; k < n; ++k)
        if (k + 1 == n || log[k + 1].refresh != log[k].refresh) shown.push_back(k);
    f.unshown = 1.0 - static_cast<double>(shown.size()) / n;
    std::map<uint64_t, size_t> held; // refreshes a frame stayed on screen -> frames
    double latencyUs = 0;
    for (size_t i = 0; i < shown.size(); ++i) {
        const size_t k = shown[i];
        latencyUs += static_cast<double>(log[k].refresh) * 1e6 / hz - g_inputUs[k];
        if (i + 1 < shown.size()) ++held[log[shown[i + 1]].refresh - log[k].refresh];
    }
    f.latencyMs = latencyUs / shown.size() / 1000.0;
    size_t common = 0, all = 0;
    for (const auto& [refreshes, frames] : held) {
        common = std::max(common, frames);
        all += frames;
    }
    f.judder = all > 0 ? 1.0 - static_cast<double>(common) / all : 0.0;
    return f;
}

Figures Run(const Case& c, bool rateTold) {
    headless::Reset();
    tessary::ResetRuntimeStatics();
    g_inputUs.clear();
    g_case = c;
    headless::SetDisplayRefresh(c.hz, rateTold);
    tessary::WinMain(tessary::GameEntry{Start, Frame, nullptr});
    return Measure(headless::PresentLog(), c.hz);
}

void PrintTable(const char* title, const std::vector<Case>& cases, bool rateTold) {
    std::printf("\n%s\n", title);
    std::printf("  refresh  fps  vsync  refreshes/frame  ticks/s  judder  never shown  "
                "input to refresh\n");
    for (const Case& c : cases) {
        const Figures f = Run(c, rateTold);
        const int paced = rateTold ? tessary::RefreshesPerFrame(c.hz, 1000 / c.fps, c.vsync) : 0;
        char refreshes[16] = "timer";
        if (paced > 0) std::snprintf(refreshes, sizeof refreshes, "%d", paced);
        std::printf("  %4.0f Hz  %3d  %-5s  %15s  %7.2f  %5.1f%%  %10.1f%%  %13.1f ms\n", c.hz,
                    c.fps, c.vsync ? "on" : "off", refreshes, f.ticksPerSecond, 100 * f.judder,
                    100 * f.unshown, f.latencyMs);
    }
}

} // namespace

int main() {
    std::vector<Case> cases;
    for (double hz : {60.0, 75.0, 120.0, 144.0, 165.0})
        for (int fps : {30, 60})
            for (bool vsync : {true, false})
                cases.push_back(Case{hz, fps, vsync});
    std::printf("frame pacing: %zu ticks a case, %llu ms of work a tick, on the headless platform's"
                " simulated display\n",
                kTicks, static_cast<unsigned long long>(kWorkUs / 1000));
    PrintTable("display rate not told to the runtime (the millisecond timer, as before):", cases,
               false);
    PrintTable("display rate told (paced to the display where the rule allows):", cases, true);
    return 0;
}
