// Contact sheets of the game's pictures, drawn with the runtime's own loaders and blitters the way
// the game cuts and shows them: every sheet cut into its cells, the two bosses assembled in their
// layouts over the play-field blue, the logo on white, the title and the how-to-play picture
// whole. Once in full colour on a 32-bit display and once in 256 colours on an 8-bit one.
//
//   contact_sheet <game folder> <output folder>
//
// Writes one 640 x 480 24-bit BMP per page and mode: <output>/<mode>_<page>.bmp.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/headless.h"
#include "runtime/graphics/blitters.h"
#include "runtime/graphics/display.h"
#include "runtime/graphics/image_slots.h"
#include "runtime/graphics/primitives.h"
#include "runtime/graphics/text.h"
#include "runtime/shell/main_window.h"
#include "runtime/shell/runtime_state.h"
#include "support/bmp_writer.h"

namespace {

using namespace tessary;

constexpr uint32_t kPlayFieldBlue = 0x00FF7F00;
constexpr uint32_t kWhite = 0x00FFFFFF;

// The game's image slots and their files, as the game loads them.
struct SlotFile {
    uint16_t slot;
    const char* name;
    int transparent;
};
constexpr SlotFile kSlots[] = {
    {1, "GPelko.bmp", 1},   {2, "Ikura.bmp", 1},        {3, "Kuma.bmp", 1},
    {4, "Nami.bmp", 1},     {5, "Boss.bmp", 1},         {6, "Boss2.bmp", 1},
    {7, "Item.bmp", 1},     {8, "Wood.bmp", 1},         {9, "Spear.bmp", 1},
    {10, "WStatus.bmp", 1}, {11, "StartScreen.bmp", 0}, {12, "TamaSho.bmp", 1},
    {13, "UxLOGO.bmp", 0},
};

// Offsets of the eight boss parts from part 0 in layouts A and B.
constexpr int kLayoutA[8][2] = {{0, 0},  {64, 0},  {128, 0},  {192, 0},
                                {0, 64}, {64, 64}, {128, 64}, {192, 64}};
constexpr int kLayoutB[8][2] = {{0, 0},   {0, 64},   {64, 0},  {64, 64},
                                {128, 0}, {128, 64}, {190, 0}, {190, 64}};

int SlotWidth(int slot) {
    return ImageSlotAt(slot)->width;
}
int SlotHeight(int slot) {
    return ImageSlotAt(slot)->height;
}

void Label(int x, int y, const char* text) {
    PrintText(x, y, "%s", text);
}

// Draws every cell of a sheet apart, `gap` pixels between cells, scaled by `scale`.
void DrawCells(int x, int y, int slot, int cellW, int cellH, int firstRow, int rows, int scale,
               int gap) {
    const int cols = SlotWidth(slot) / cellW;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            const int sx = c * cellW, sy = (firstRow + r) * cellH;
            const int dx = x + c * (cellW * scale + gap), dy = y + r * (cellH * scale + gap);
            if (scale == 1)
                DrawImage(dx, dy, static_cast<uint16_t>(slot), sx, sy, sx + cellW, sy + cellH);
            else
                DrawImageScaled(dx, dy, static_cast<uint16_t>(slot), cellW * scale, cellH * scale,
                                sx, sy, sx + cellW, sy + cellH);
        }
}

void SpritesPage() {
    ClearScreen(kPlayFieldBlue);
    Label(8, 4, "GPelko: rows 0-2 | 4-6 barrier | 8-10 hit | 12-14 barrier+hit");
    for (int group = 0; group < 4; ++group)
        DrawCells(8 + group * 80, 26, 1, 32, 32, group * 4, 3, 1, 4);
    Label(8, 140, "Kuma");
    DrawCells(8, 160, 3, 32, 32, 0, SlotHeight(3) / 32, 1, 4);
    Label(100, 140, "Item: 6 kinds");
    DrawCells(100, 160, 7, 32, 32, 0, 6, 1, 4);
    Label(340, 140, "TamaSho x3: 13 kinds");
    DrawCells(340, 160, 12, 9, 10, 0, 7, 3, 4);
    DrawCells(420, 160, 12, 9, 10, 7, 6, 3, 4);
    Label(500, 140, "Ikura x3");
    DrawCells(500, 160, 2, 9, 9, 0, SlotHeight(2) / 9, 3, 4);
    Label(500, 210, "Nami");
    DrawCells(500, 230, 4, 31, 64, 0, 1, 1, 4);
    Label(8, 400, "Wood");
    DrawImage(60, 400, 8, 0, 0, -1, -1);
    Label(120, 400, "Spear");
    DrawImage(180, 402, 9, 0, 0, -1, -1);
}

void AssembleBoss(int x, int y, int slot, const int (&layout)[8][2], int column) {
    for (int part = 0; part < 8; ++part) {
        const int sx = column * 64, sy = part * 64;
        DrawImage(x + layout[part][0], y + layout[part][1], static_cast<uint16_t>(slot), sx, sy,
                  sx + 64, sy + 64);
    }
}

void BossesPage() {
    ClearScreen(kPlayFieldBlue);
    Label(8, 4, "Boss.bmp, layout A: frames 1 and 2");
    AssembleBoss(20, 30, 5, kLayoutA, 0);
    AssembleBoss(20, 180, 5, kLayoutA, 1);
    Label(330, 4, "Boss2.bmp, layout B: frames 1 and 2");
    AssembleBoss(340, 30, 6, kLayoutB, 0);
    AssembleBoss(340, 180, 6, kLayoutB, 1);
    Label(8, 330, "WStatus: the six special attacks");
    DrawCells(8, 350, 10, 64, 64, 0, 1, 1, 0);
    for (int row = 1; row < 6; ++row)
        DrawImage(8 + row * 72, 350, 10, 0, row * 64, 64, row * 64 + 64);
}

void LogoPage() {
    ClearScreen(kWhite);
    DrawImage(102, 158, 13, 0, 0, -1, -1);
}

void TitlePage() {
    ClearScreen(0);
    DrawImage(0, 0, 11, 0, 0, -1, -1);
}

void HowToPlayPage() {
    ClearScreen(0);
    const int w = SlotWidth(14), h = SlotHeight(14);
    Label(8, 4, "ForBeginner.BMP, whole, scaled to the screen's width");
    DrawImageScaled(0, 30, 14, 640, h * 640 / w, 0, 0, -1, -1);
}

bool WritePage(const std::string& path) {
    TheDisplay().Present();
    const auto& frame = platform::headless::PresentedFrame();
    const int width = platform::headless::PresentedWidth();
    if (width <= 0 || frame.empty()) return false;
    const int height = static_cast<int>(frame.size()) / width;
    auto bytes = testsupport::MakeBmp24(width, height, [&](int x, int y) {
        return frame[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    });
    return testsupport::WriteFile(path, bytes);
}

bool StartDisplay(int depth) {
    setenv("TESSARY_DESKTOP_DEPTH", std::to_string(depth).c_str(), 1);
    platform::headless::Reset();
    platform::headless::UseSystemFonts(true);
    ResetRuntimeStatics();
    BuildSineTable();
    if (CreateMainWindow() == 0 || TheDisplay().Open() == 0) return false;
    CreateScratchImage();
    SetTextFont(7, 14, kWhite, "標準ゴシック");
    return true;
}

bool LoadPictures(const std::string& folder) {
    bool ok = true;
    for (const SlotFile& f : kSlots) {
        const std::string path = "GameData\\" + folder + "\\" + f.name;
        if (LoadBmpImage(f.slot, path.c_str(), f.transparent) == 0) {
            std::fprintf(stderr, "cannot load %s\n", path.c_str());
            ok = false;
        }
    }
    if (LoadBmpImage(14, "ForBeginner.BMP", 1) == 0) ok = false;
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: contact_sheet <game folder> <output folder>\n");
        return 2;
    }
    const std::filesystem::path output = std::filesystem::absolute(argv[2]);
    std::filesystem::create_directories(output);
    if (chdir(argv[1]) != 0) {
        std::perror(argv[1]);
        return 1;
    }
    struct Mode {
        const char* name;
        const char* folder;
        int depth;
    };
    const struct Page {
        const char* name;
        std::function<void()> draw;
    } pages[] = {{"sprites", SpritesPage},
                 {"bosses", BossesPage},
                 {"logo", LogoPage},
                 {"title", TitlePage},
                 {"howto", HowToPlayPage}};
    int failures = 0;
    for (const Mode& mode : {Mode{"fullcolor", "Fullcolor", 32}, Mode{"256", "256", 8}}) {
        if (!StartDisplay(mode.depth) || !LoadPictures(mode.folder)) {
            ++failures;
            continue;
        }
        for (const Page& page : pages) {
            page.draw();
            const std::string path =
                (output / (std::string(mode.name) + "_" + page.name + ".bmp")).string();
            if (!WritePage(path)) ++failures;
            std::printf("%s\n", path.c_str());
        }
    }
    return failures == 0 ? 0 : 1;
}
