// What text, transitions and the software effects cost per call on the back buffer: the HUD line
// in the game's font, 64 x 64 sprites rotated, blended and added at 16 and 32 bits, and one frame
// of the full-screen fade.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "platform/headless.h"
#include "runtime/graphics/blitters.h"
#include "runtime/graphics/display.h"
#include "runtime/graphics/image_slots.h"
#include "runtime/graphics/pixel_effects.h"
#include "runtime/graphics/text.h"
#include "runtime/graphics/transitions.h"
#include "runtime/shell/main_window.h"
#include "runtime/shell/runtime_state.h"

namespace {

using namespace tessary;

constexpr int kSprite = 1;

// A fresh runtime with the display at `depth`, a 64 x 64 keyed sprite in slot 1 and a busy screen.
bool StartAt(int depth, bool systemFonts) {
    platform::headless::Reset();
    ResetRuntimeStatics();
    platform::headless::UseSystemFonts(systemFonts);
    setenv("TESSARY_DESKTOP_DEPTH", std::to_string(depth).c_str(), 1);
    BuildSineTable();
    if (CreateMainWindow() == 0 || TheDisplay().Open() == 0) return false;
    CreateScratchImage();
    platform::Surface& back = *TheDisplay().backBuffer;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            back.WritePixel(x, y, static_cast<uint32_t>(x * 31 + y * 17));
    ImageSlot& slot = *ImageSlotAt(kSprite);
    slot.surface = TheDisplay().CreateOffscreen(64, 64, 0);
    slot.width = slot.height = 64;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            slot.surface->WritePixel(x, y,
                                     (x - 32) * (x - 32) + (y - 32) * (y - 32) < 900
                                         ? static_cast<uint32_t>(x * 1237 + y * 911)
                                         : 0u);
    TakeColorKey(kSprite);
    slot.transparent = 1;
    return true;
}

void BM_PrintTextHudLine(benchmark::State& state) {
    if (!StartAt(static_cast<int>(state.range(0)), true)) return state.SkipWithError("no display");
    SetTextFont(8, 18, 0xFFFFFF, "Impact");
    PrintText(10, 20, "Life %d  Score %06d  High %06d", 3, 123456, 123456); // warm the caches
    for (auto _ : state)
        PrintText(10, 20, "Life %d  Score %06d  High %06d", 3, 123456, 123456);
}
BENCHMARK(BM_PrintTextHudLine)->Arg(8)->Arg(32)->Unit(benchmark::kMicrosecond);

void BM_Rotate64(benchmark::State& state) {
    if (!StartAt(static_cast<int>(state.range(0)), false)) return state.SkipWithError("no display");
    int angle = 0;
    for (auto _ : state)
        DrawImageRotated(300, 200, kSprite, angle++ % 360, 0, 0, -1, -1);
}
BENCHMARK(BM_Rotate64)->Arg(16)->Arg(32)->Unit(benchmark::kMicrosecond);

void BM_Translucent64(benchmark::State& state) {
    if (!StartAt(static_cast<int>(state.range(0)), false)) return state.SkipWithError("no display");
    const int percent = static_cast<int>(state.range(1));
    for (auto _ : state)
        DrawImageTranslucent(300, 200, kSprite, percent, 0, 0, -1, -1, 0);
}
BENCHMARK(BM_Translucent64)
    ->Args({16, 50})
    ->Args({16, 30})
    ->Args({32, 50})
    ->Args({32, 30})
    ->Unit(benchmark::kMicrosecond);

void BM_Additive64(benchmark::State& state) {
    if (!StartAt(static_cast<int>(state.range(0)), false)) return state.SkipWithError("no display");
    for (auto _ : state)
        DrawImageAdditive(300, 200, kSprite, 0, 0, -1, -1);
}
BENCHMARK(BM_Additive64)->Arg(16)->Arg(32)->Unit(benchmark::kMicrosecond);

void BM_FadeStepFullScreen(benchmark::State& state) {
    if (!StartAt(static_cast<int>(state.range(0)), false)) return state.SkipWithError("no display");
    for (auto _ : state) {
        TheTransitions().fadeLevel = 9; // each step lands on level 10: half the screen painted
        FadeStep(1, 0);
    }
}
BENCHMARK(BM_FadeStepFullScreen)->Arg(16)->Arg(32)->Unit(benchmark::kMicrosecond);

} // namespace
BENCHMARK_MAIN();
