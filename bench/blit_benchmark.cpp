// Our colour-keyed blit and stretch blit against SDL_BlitSurface and SDL_BlitScaled, on the very
// same pixel memory, at 16 and 32 bits; and the present's conversion of a 640 x 480 back buffer at
// each depth, with a memcpy of the same frame beside it. After the usual table it prints ours /
// SDL's time for each pair, and the conversion at 32 bits over the memcpy, each the best of five
// repetitions so that a busy machine's pauses weigh less.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "best_of_five.h"
#include "platform/present.h"
#include "platform/surface.h"

namespace {

using bench::BestOfFive;

using platform::Rect;
using platform::Surface;

// Pseudo-random pixels with about one in four equal to the key (the top-left pixel).
std::unique_ptr<Surface> MakePicture(int w, int h, int depth) {
    auto s = Surface::Create(w, h, depth);
    uint32_t v = 12345;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            v = v * 1664525u + 1013904223u;
            s->WritePixel(x, y, (v >> 7) % 4 == 0 ? 0x1234u : v >> 8);
        }
    s->WritePixel(0, 0, 0x1234u);
    s->SetColorKey(s->ReadPixel(0, 0));
    return s;
}

// An SDL view of our surface's memory, keyed like it.
SDL_Surface* SdlView(Surface& s) {
    int pitch = 0;
    uint8_t* pixels = s.Lock(&pitch);
    const Uint32 format = s.Depth() == 16 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_RGB888;
    SDL_Surface* view =
        SDL_CreateRGBSurfaceWithFormatFrom(pixels, s.Width(), s.Height(), s.Depth(), pitch, format);
    if (s.HasColorKey()) SDL_SetColorKey(view, SDL_TRUE, s.ColorKey());
    return view;
}

void KeyedBlitOurs(benchmark::State& state, int side, int depth) {
    const int w = side, h = side == 640 ? 480 : side;
    auto dst = Surface::Create(640, 480, depth);
    auto src = MakePicture(w, h, depth);
    for (auto _ : state) {
        platform::BltFast(*dst, 0, 0, *src, Rect{0, 0, w, h}, true);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * w * h);
}

void KeyedBlitSdl(benchmark::State& state, int side, int depth) {
    const int w = side, h = side == 640 ? 480 : side;
    auto dst = Surface::Create(640, 480, depth);
    auto src = MakePicture(w, h, depth);
    SDL_Surface* d = SdlView(*dst);
    SDL_Surface* s = SdlView(*src);
    for (auto _ : state) {
        SDL_Rect r{0, 0, w, h};
        SDL_BlitSurface(s, nullptr, d, &r);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * w * h);
    SDL_FreeSurface(s);
    SDL_FreeSurface(d);
}

// A 320 x 240 picture stretched over the whole 640 x 480 screen, keyed.
void StretchOurs(benchmark::State& state, int depth) {
    auto dst = Surface::Create(640, 480, depth);
    auto src = MakePicture(320, 240, depth);
    for (auto _ : state) {
        platform::BltStretch(*dst, Rect{0, 0, 640, 480}, *src, Rect{0, 0, 320, 240}, true);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 640 * 480);
}

void StretchSdl(benchmark::State& state, int depth) {
    auto dst = Surface::Create(640, 480, depth);
    auto src = MakePicture(320, 240, depth);
    SDL_Surface* d = SdlView(*dst);
    SDL_Surface* s = SdlView(*src);
    for (auto _ : state) {
        SDL_Rect r{0, 0, 640, 480};
        SDL_BlitScaled(s, nullptr, d, &r);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 640 * 480);
    SDL_FreeSurface(s);
    SDL_FreeSurface(d);
}

void PresentConversion(benchmark::State& state, int depth) {
    auto back = MakePicture(640, 480, depth);
    auto palette = std::make_shared<platform::PaletteTable>();
    back->SetPalette(palette);
    std::vector<uint32_t> out(640 * 480);
    for (auto _ : state) {
        platform::ConvertToXrgb8888(*back, reinterpret_cast<uint8_t*>(out.data()), 640 * 4);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
}

// The floor for the conversion at 32 bits: one memcpy of the same frame into the same buffer.
void FrameMemcpy(benchmark::State& state) {
    auto back = MakePicture(640, 480, 32);
    int pitch = 0;
    const uint8_t* pixels = back->Lock(&pitch);
    std::vector<uint32_t> out(640 * 480);
    for (auto _ : state) {
        std::memcpy(out.data(), pixels, static_cast<size_t>(pitch) * 480);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
}

// Keeps the time of every run and aggregate by name, so that they can be compared afterwards.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const double toNs = 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
            times_[run.benchmark_name()] = run.GetAdjustedRealTime() * toNs;
            cpuTimes_[run.benchmark_name()] = run.GetAdjustedCPUTime() * toNs;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    // Nanoseconds per iteration, 0 when the benchmark did not run.
    double Time(const std::string& name) const { return Find(times_, name); }
    // The same in CPU time, which a loaded machine's waits for a core do not swell.
    double CpuTime(const std::string& name) const { return Find(cpuTimes_, name); }

  private:
    static double Find(const std::map<std::string, double>& times, const std::string& name) {
        auto it = times.find(name);
        return it == times.end() ? 0.0 : it->second;
    }
    std::map<std::string, double> times_, cpuTimes_;
};

} // namespace

int main(int argc, char** argv) {
    struct Pair {
        std::string label, ours, sdl;
    };
    std::vector<Pair> pairs;
    for (int depth : {16, 32}) {
        const std::string d = std::to_string(depth) + "bit";
        for (int side : {64, 640}) {
            const std::string size = side == 640 ? "640x480" : "64x64";
            const std::string ours = "KeyedBlit/ours/" + d + "/" + size;
            const std::string sdl = "KeyedBlit/SDL_BlitSurface/" + d + "/" + size;
            benchmark::RegisterBenchmark(ours.c_str(), KeyedBlitOurs, side, depth);
            benchmark::RegisterBenchmark(sdl.c_str(), KeyedBlitSdl, side, depth);
            pairs.push_back({"keyed blit " + size + " at " + d, ours, sdl});
        }
        const std::string ours = "Stretch/ours/" + d + "/320x240to640x480";
        const std::string sdl = "Stretch/SDL_BlitScaled/" + d + "/320x240to640x480";
        benchmark::RegisterBenchmark(ours.c_str(), StretchOurs, depth);
        benchmark::RegisterBenchmark(sdl.c_str(), StretchSdl, depth);
        pairs.push_back({"keyed stretch 320x240 to 640x480 at " + d, ours, sdl});
    }
    std::vector<std::string> conversions;
    for (int depth : {8, 16, 24, 32}) {
        conversions.push_back("PresentConversion/" + std::to_string(depth) + "bit/640x480");
        BestOfFive(
            benchmark::RegisterBenchmark(conversions.back().c_str(), PresentConversion, depth));
    }
    const std::string memcpyName = "FrameMemcpy/32bit/640x480";
    BestOfFive(benchmark::RegisterBenchmark(memcpyName.c_str(), FrameMemcpy));
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::printf("\nours / SDL (below 1.00: ours is faster)\n");
    for (const Pair& p : pairs) {
        const double ours = reporter.Time(p.ours), sdl = reporter.Time(p.sdl);
        if (ours > 0 && sdl > 0) std::printf("  %-42s %6.2f\n", p.label.c_str(), ours / sdl);
    }
    std::printf("present conversion of 640x480 (goal under 500 us), fastest of five: wall, cpu\n");
    conversions.push_back(memcpyName);
    for (const std::string& name : conversions) {
        const std::string fastest = name + "/repeats:5_min";
        const double ns = reporter.Time(fastest), cpuNs = reporter.CpuTime(fastest);
        if (ns > 0)
            std::printf("  %-42s %8.1f us %8.1f us\n", name.c_str(), ns / 1000.0, cpuNs / 1000.0);
    }
    const std::string convert32 = conversions[conversions.size() - 2] + "/repeats:5_min";
    const std::string copy = memcpyName + "/repeats:5_min";
    if (reporter.Time(copy) > 0 && reporter.Time(convert32) > 0)
        std::printf("conversion at 32 bits / memcpy of the frame (goal at most 1.50): wall %.2f, "
                    "cpu %.2f\n",
                    reporter.Time(convert32) / reporter.Time(copy),
                    reporter.CpuTime(convert32) / reporter.CpuTime(copy));
    benchmark::Shutdown();
    return 0;
}
