#include "palette.h"

#include <cmath>
#include <vector>

namespace assetgen {
namespace {

// The static colours of an 8-bit display: the first ten and the last ten entries.
constexpr std::array<Rgb, 10> kLowStatics{{{0, 0, 0},
                                           {128, 0, 0},
                                           {0, 128, 0},
                                           {128, 128, 0},
                                           {0, 0, 128},
                                           {128, 0, 128},
                                           {0, 128, 128},
                                           {192, 192, 192},
                                           {192, 220, 192},
                                           {166, 202, 240}}};
constexpr std::array<Rgb, 10> kHighStatics{{{255, 251, 240},
                                            {160, 160, 164},
                                            {128, 128, 128},
                                            {255, 0, 0},
                                            {0, 255, 0},
                                            {255, 255, 0},
                                            {0, 0, 255},
                                            {255, 0, 255},
                                            {0, 255, 255},
                                            {255, 255, 255}}};

struct RampSpec {
    Ramp Ramps::*member;
    int count;
    Rgb dark, mid, light;
};

// Every ramp passes through three anchors; with the drawn colours below, the counts add up to the
// 236 art entries.
const std::vector<RampSpec>& RampSpecs() {
    static const std::vector<RampSpec> specs = {
        {&Ramps::grey, 14, {14, 12, 30}, {118, 120, 142}, {255, 255, 255}},
        {&Ramps::navy, 10, {10, 14, 48}, {40, 62, 140}, {150, 180, 240}},
        {&Ramps::orange, 10, {72, 22, 8}, {242, 122, 30}, {255, 232, 160}},
        {&Ramps::red, 10, {52, 6, 16}, {212, 40, 50}, {255, 192, 180}},
        {&Ramps::brown, 10, {40, 20, 12}, {152, 92, 50}, {240, 202, 150}},
        {&Ramps::gold, 10, {72, 40, 4}, {240, 190, 32}, {255, 255, 204}},
        {&Ramps::green, 10, {8, 40, 20}, {60, 170, 60}, {210, 255, 170}},
        {&Ramps::teal, 10, {6, 40, 52}, {30, 170, 170}, {190, 255, 245}},
        {&Ramps::sky, 13, {20, 40, 120}, {80, 150, 230}, {236, 246, 255}},
        {&Ramps::purple, 10, {30, 10, 52}, {132, 60, 190}, {230, 200, 255}},
        {&Ramps::pink, 10, {60, 10, 40}, {230, 90, 150}, {255, 216, 236}},
        {&Ramps::steel, 12, {20, 24, 36}, {110, 126, 150}, {236, 240, 250}},
        {&Ramps::sea, 12, {2, 20, 60}, {4, 90, 180}, {120, 210, 255}},
        {&Ramps::lime, 8, {30, 50, 4}, {150, 210, 30}, {240, 255, 180}},
        {&Ramps::cream, 8, {92, 70, 50}, {230, 210, 170}, {255, 252, 240}},
        {&Ramps::sunset, 11, {60, 20, 72}, {240, 110, 90}, {255, 230, 150}},
        {&Ramps::indigo, 10, {12, 8, 40}, {60, 50, 150}, {190, 180, 255}},
        {&Ramps::rust, 8, {40, 16, 6}, {160, 70, 30}, {240, 170, 110}},
        {&Ramps::ice, 8, {60, 90, 120}, {170, 210, 235}, {250, 255, 255}},
        {&Ramps::wood, 8, {50, 30, 10}, {170, 120, 60}, {240, 210, 150}},
        {&Ramps::mint, 8, {10, 60, 50}, {90, 220, 170}, {220, 255, 240}},
        {&Ramps::violet, 8, {30, 20, 90}, {110, 100, 240}, {220, 220, 255}},
        {&Ramps::rose, 8, {70, 14, 30}, {220, 70, 100}, {255, 200, 210}},
        {&Ramps::night, 8, {4, 6, 20}, {30, 40, 90}, {90, 110, 180}},
    };
    return specs;
}

uint8_t Mix(uint8_t a, uint8_t b, double t) {
    return static_cast<uint8_t>(std::lround(a + (b - a) * t));
}

Rgb RampColour(const RampSpec& spec, int level) {
    double t = spec.count > 1 ? static_cast<double>(level) / (spec.count - 1) : 0.5;
    const Rgb& from = t < 0.5 ? spec.dark : spec.mid;
    const Rgb& to = t < 0.5 ? spec.mid : spec.light;
    double u = t < 0.5 ? t * 2.0 : (t - 0.5) * 2.0;
    return {Mix(from.r, to.r, u), Mix(from.g, to.g, u), Mix(from.b, to.b, u)};
}

struct Built {
    Palette palette{};
    Ramps ramps{};
};

Built Build() {
    Built built;
    for (int i = 0; i < 10; ++i) {
        built.palette[i] = kLowStatics[i];
        built.palette[246 + i] = kHighStatics[i];
    }
    int next = kFirstArtEntry;
    for (const RampSpec& spec : RampSpecs()) {
        Ramp& ramp = built.ramps.*spec.member;
        ramp.first = static_cast<uint8_t>(next);
        ramp.count = static_cast<uint8_t>(spec.count);
        for (int level = 0; level < spec.count; ++level) {
            built.palette[next++] = RampColour(spec, level);
        }
    }
    // The colours the game fills and writes with by value and the static colours lack, each an
    // entry of its own, so that at 256 colours they are shown exactly rather than as the
    // nearest shade of some ramp.
    for (const Rgb& colour : kDrawnColours)
        built.palette[next++] = colour;
    // Any entry left over repeats the darkest grey, so none is an accidental colour.
    while (next <= kLastArtEntry)
        built.palette[next++] = built.palette[kFirstArtEntry];
    return built;
}

const Built& TheBuilt() {
    static const Built built = Build();
    return built;
}

} // namespace

const Palette& SharedPalette() {
    return TheBuilt().palette;
}
const Ramps& Materials() {
    return TheBuilt().ramps;
}

} // namespace assetgen
