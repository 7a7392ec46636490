// How well the generated sprites match the way the game uses them: the boss parts and the
// player's rows against the hit boxes the game gives them, measured both ways (how much of the
// box the drawing covers, and how much of the drawing lies in the box), so that what the player
// sees is what can be hit. The figures are printed for the record.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "support/asset_readers.h"

namespace asset_test {
namespace {

const std::string kFull = std::string(PELKO_DIST_DIR) + "/GameData/Fullcolor/";
const Rgb kKey{255, 0, 255};
const Rgb kInk{14, 12, 30}; // the outline round every sprite

Bmp LoadSheet(const char* name) {
    const auto bmp = ParseBmp(ReadFile(kFull + name));
    EXPECT_TRUE(bmp.has_value()) << name;
    return bmp.value_or(Bmp{});
}

struct Insets {
    int left, right, top, bottom;
};

struct Fit {
    int inBox = 0, opaque = 0, area = 0;
    // Opaque pixels in the box over the box's area.
    double BoxCovered() const { return area ? static_cast<double>(inBox) / area : 0.0; }
    // Opaque pixels in the box over all opaque pixels of the cell.
    double ArtInside() const { return opaque ? static_cast<double>(inBox) / opaque : 0.0; }
};

Fit Measure(const Bmp& bmp, int x0, int y0, int size, Insets in) {
    int inBox = 0, total = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if (bmp.At(x0 + x, y0 + y) == kKey) continue;
            ++total;
            const bool inside =
                x >= in.left && x < size - in.right && y >= in.top && y < size - in.bottom;
            inBox += inside ? 1 : 0;
        }
    }
    return {inBox, total, (size - in.left - in.right) * (size - in.top - in.bottom)};
}

// Each part is held to a floor, and the boss as a whole, summed over its parts, to a higher one.
void ExpectBossFits(const char* sheet, const Insets (&boxes)[8]) {
    const Bmp bmp = LoadSheet(sheet);
    for (int frame = 0; frame < 2; ++frame) {
        Fit whole;
        for (int part = 0; part < 8; ++part) {
            const Fit fit = Measure(bmp, frame * 64, part * 64, 64, boxes[part]);
            std::printf("%s frame %d part %d: box covered %.3f, art inside %.3f\n", sheet, frame,
                        part, fit.BoxCovered(), fit.ArtInside());
            EXPECT_GE(fit.BoxCovered(), 0.80) << sheet << " frame " << frame << " part " << part;
            EXPECT_GE(fit.ArtInside(), 0.80) << sheet << " frame " << frame << " part " << part;
            whole.inBox += fit.inBox;
            whole.opaque += fit.opaque;
            whole.area += fit.area;
        }
        std::printf("%s frame %d whole: box covered %.3f, art inside %.3f\n", sheet, frame,
                    whole.BoxCovered(), whole.ArtInside());
        EXPECT_GE(whole.BoxCovered(), 0.88) << sheet << " frame " << frame;
        EXPECT_GE(whole.ArtInside(), 0.88) << sheet << " frame " << frame;
    }
}

TEST(SpriteFit, AirshipPartsFillTheirHitBoxesAndStayInThem) {
    const Insets layoutA[8] = {{0, 0, 0, 0},   {30, 0, 0, 0}, {30, 0, 0, 0}, {30, 0, 0, 45},
                               {0, 40, 30, 0}, {0, 20, 0, 0}, {8, 0, 0, 0},  {8, 0, 0, 0}};
    ExpectBossFits("Boss.bmp", layoutA);
}

TEST(SpriteFit, CrabPartsFillTheirHitBoxesAndStayInThem) {
    const Insets layoutB[8] = {{30, 0, 20, 0}, {30, 0, 20, 6}, {0, 0, 36, 0}, {2, 0, 0, 6},
                               {0, 0, 40, 0},  {0, 0, 0, 6},   {0, 0, 40, 0}, {0, 0, 0, 6}};
    ExpectBossFits("Boss2.bmp", layoutB);
}

// The player's box is smaller than the penguin on purpose (a graze is forgiven), so only the
// box's side is held high: the body covers it, and no line of the box is empty sky.
TEST(SpriteFit, PenguinCoversTheHitBoxOfEveryDirectionInEveryVariant) {
    const Insets boxes[3] = {{5, 5, 10, 10}, {10, 10, 8, 0}, {10, 10, 0, 8}};
    const Bmp bmp = LoadSheet("GPelko.bmp");
    // The plain and the hit rows; the barrier rows are held to these below.
    for (int group : {0, 8}) {
        for (int dir = 0; dir < 3; ++dir) {
            const Insets& in = boxes[dir];
            for (int frame = 0; frame < 2; ++frame) {
                const int row = group + dir;
                const Fit fit = Measure(bmp, frame * 32, row * 32, 32, in);
                std::printf("GPelko.bmp row %d frame %d: box covered %.3f, art inside %.3f\n", row,
                            frame, fit.BoxCovered(), fit.ArtInside());
                EXPECT_GE(fit.BoxCovered(), 0.80) << "row " << row << " frame " << frame;
                // Nothing but the outline reaches the top, bottom or front edge of the cell: the
                // drawing is not cut off (the jet flame may trail off behind).
                for (int i = 0; i < 32; ++i) {
                    for (const auto& [x, y] : {std::pair{i, 0}, {i, 31}, {31, i}}) {
                        const Rgb c = bmp.At(frame * 32 + x, row * 32 + y);
                        EXPECT_TRUE(c == kKey || c == kInk)
                            << "row " << row << " frame " << frame << " cut at " << x << "," << y;
                    }
                }
                // The drawing spans the box's height: inside it no line is empty, and at most
                // one at either end, where the outline rounds off.
                int first = -1, last = -1;
                for (int y = in.top; y < 32 - in.bottom; ++y) {
                    int opaque = 0;
                    for (int x = in.left; x < 32 - in.right; ++x)
                        opaque += bmp.At(frame * 32 + x, row * 32 + y) == kKey ? 0 : 1;
                    if (opaque == 0) continue;
                    if (first < 0) first = y;
                    EXPECT_TRUE(last < 0 || last == y - 1)
                        << "row " << row << " frame " << frame << " empty above line " << y;
                    last = y;
                }
                EXPECT_LE(first - in.top, 1) << "row " << row << " frame " << frame;
                EXPECT_LE(31 - in.bottom - last, 1) << "row " << row << " frame " << frame;
            }
        }
    }
    // A barrier only adds its bubble: inside it the penguin is drawn where the same row without
    // the barrier draws it.
    for (int row : {4, 5, 6, 12, 13, 14}) {
        for (int frame = 0; frame < 2; ++frame) {
            int differing = 0;
            for (int y = 0; y < 32; ++y) {
                for (int x = 0; x < 32; ++x) {
                    const double dx = x + 0.5 - 16, dy = y + 0.5 - 16;
                    if (dx * dx + dy * dy > 12.5 * 12.5) continue;
                    differing += bmp.At(frame * 32 + x, row * 32 + y) ==
                                         bmp.At(frame * 32 + x, (row - 4) * 32 + y)
                                     ? 0
                                     : 1;
                }
            }
            EXPECT_LE(differing, 3) << "row " << row << " frame " << frame;
        }
    }
}

// The usual relative luminance of an sRGB colour, and the contrast ratio of two colours.
double Luminance(Rgb c) {
    auto channel = [](uint8_t v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.r) + 0.7152 * channel(c.g) + 0.0722 * channel(c.b);
}
double Contrast(Rgb a, Rgb b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A sprite cell split into the pixels that meet the field around it and those inside.
struct Cell {
    std::vector<Rgb> edge, inner;
};

Cell SplitCell(const Bmp& bmp, int x0, int y0, int w, int h) {
    Cell cell;
    auto opaque = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < w && y < h && !(bmp.At(x0 + x, y0 + y) == kKey);
    };
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (!opaque(x, y)) continue;
            const bool edge =
                !opaque(x - 1, y) || !opaque(x + 1, y) || !opaque(x, y - 1) || !opaque(x, y + 1);
            (edge ? cell.edge : cell.inner).push_back(bmp.At(x0 + x, y0 + y));
        }
    }
    return cell;
}

std::array<double, 3> Mean(const std::vector<Rgb>& colours) {
    std::array<double, 3> sum{};
    for (const Rgb& c : colours)
        sum[0] += c.r, sum[1] += c.g, sum[2] += c.b;
    for (double& v : sum)
        v /= std::max<size_t>(1, colours.size());
    return sum;
}

// Enemy shots are read at a glance over the play field: bold, ringed in a dark outline that
// stands out against the field blue, with a bright core, and never in the colours of the
// player's own shots.
TEST(SpriteFit, EnemyShotsAreBoldOutlinedAndBrightAgainstTheField) {
    const Rgb field{0, 127, 255};
    const Bmp shots = LoadSheet("TamaSho.bmp");
    const Cell own = SplitCell(LoadSheet("Ikura.bmp"), 0, 0, 9, 9);
    const auto ownMean = Mean(own.inner);
    for (int kind = 0; kind < 13; ++kind) {
        const Cell cell = SplitCell(shots, 0, kind * 10, 9, 10);
        const size_t opaque = cell.edge.size() + cell.inner.size();
        double worstEdge = 1e9, brightestCore = 0;
        Rgb core{};
        for (const Rgb& c : cell.edge)
            worstEdge = std::min(worstEdge, Contrast(c, field));
        for (const Rgb& c : cell.inner)
            if (Luminance(c) > brightestCore) brightestCore = Luminance(c), core = c;
        double coreOverOutline = 1e9;
        for (const Rgb& c : cell.edge)
            coreOverOutline = std::min(coreOverOutline, Contrast(core, c));
        const auto mean = Mean(cell.inner);
        const double fromOwn =
            std::hypot(mean[0] - ownMean[0], mean[1] - ownMean[1], mean[2] - ownMean[2]);
        std::printf("TamaSho.bmp kind %2d: %zu of 90 pixels, outline against the field %.2f:1, "
                    "core against the outline %.2f:1, %.0f from the player's shot colour\n",
                    kind, opaque, worstEdge, coreOverOutline, fromOwn);
        EXPECT_GE(opaque, 52u) << "kind " << kind;
        EXPECT_LE(opaque, 76u) << "kind " << kind;
        EXPECT_GE(worstEdge, 4.5) << "kind " << kind;
        EXPECT_GE(coreOverOutline, 7.0) << "kind " << kind;
        EXPECT_GE(fromOwn, 80.0) << "kind " << kind;
    }
}

// Each weapon icon draws its pattern inside the panel: the frame round it is the same in all six,
// so no bead lies over it.
TEST(SpriteFit, WeaponIconsKeepTheirPatternsInsideTheFrame) {
    const Bmp icons = LoadSheet("WStatus.bmp");
    for (int kind = 1; kind < 6; ++kind) {
        int differing = 0;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                if (x < 5 || y < 5 || x >= 59 || y >= 59)
                    differing += icons.At(x, kind * 64 + y) == icons.At(x, y) ? 0 : 1;
        EXPECT_EQ(differing, 0) << "icon " << kind + 1;
    }
}

} // namespace
} // namespace asset_test
