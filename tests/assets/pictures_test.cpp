// The generated pictures, read back from the game folder: sizes and cell grids, the shared 8-bit
// palette, the transparent key, and art that fits the way the game cuts and uses each sheet.
#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>
#include <vector>

#include "support/asset_readers.h"

namespace asset_test {
namespace {

const std::string kDist = PELKO_DIST_DIR;
const Rgb kKey{255, 0, 255};

struct Cell {
    int column, row;
};

struct SheetSpec {
    const char* name;
    int width, height, cellWidth, cellHeight;
    bool keyed;
    std::vector<Cell> shown; // the cells the game draws
};

std::vector<Cell> Grid(int columns, std::initializer_list<int> rows) {
    std::vector<Cell> cells;
    for (int row : rows)
        for (int column = 0; column < columns; ++column)
            cells.push_back({column, row});
    return cells;
}

const std::vector<SheetSpec>& Sheets() {
    static const std::vector<SheetSpec> sheets = {
        {"GPelko.bmp", 64, 480, 32, 32, true, Grid(2, {0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14})},
        {"Ikura.bmp", 9, 9, 9, 9, true, Grid(1, {0})},
        {"Kuma.bmp", 64, 32, 32, 32, true, Grid(2, {0})},
        {"Nami.bmp", 31, 64, 31, 64, true, Grid(1, {0})},
        {"Boss.bmp", 128, 512, 64, 64, true, Grid(2, {0, 1, 2, 3, 4, 5, 6, 7})},
        {"Boss2.bmp", 128, 512, 64, 64, true, Grid(2, {0, 1, 2, 3, 4, 5, 6, 7})},
        {"Item.bmp", 64, 192, 32, 32, true, Grid(2, {0, 1, 2, 3, 4, 5})},
        {"Wood.bmp", 32, 16, 32, 16, true, Grid(1, {0})},
        {"Spear.bmp", 48, 12, 48, 12, true, Grid(1, {0})},
        {"WStatus.bmp", 64, 384, 64, 64, true, Grid(1, {0, 1, 2, 3, 4, 5})},
        {"StartScreen.bmp", 640, 480, 640, 480, false, Grid(1, {0})},
        {"TamaSho.bmp", 9, 130, 9, 10, true, Grid(1, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})},
        {"UxLOGO.bmp", 436, 164, 436, 164, false, Grid(1, {0})},
    };
    return sheets;
}

Bmp Load(const std::string& relative) {
    const auto bmp = ParseBmp(ReadFile(kDist + "/" + relative));
    EXPECT_TRUE(bmp.has_value()) << relative << " is not a readable BMP";
    return bmp.value_or(Bmp{});
}

Bmp Full(const SheetSpec& s) {
    return Load(std::string("GameData/Fullcolor/") + s.name);
}
Bmp Indexed(const SheetSpec& s) {
    return Load(std::string("GameData/256/") + s.name);
}

// The display's palette before any 8-bit picture has supplied one, entries 10..245 as GDI colour
// values 0x00BBGGRR: a full-colour picture loaded on an 8-bit display is mapped onto these.
const std::array<uint32_t, 236> kStartupPaletteGdi = {
    0xa040c0, 0xa080ff, 0xa0e060, 0xc040a0, 0xc080e0, 0xc0e040, 0x000080, 0x406060, 0x40a0a0,
    0x40e0e0, 0x606040, 0x60a080, 0x60e0c0, 0x8040ff, 0x80a060, 0x80e0a0, 0xa040e0, 0xa0a040,
    0xa0e080, 0xc040c0, 0xc080ff, 0xc0e060, 0x008000, 0x406080, 0x40a0c0, 0x40e0ff, 0x606060,
    0x60a0a0, 0x60e0e0, 0x806040, 0x80a080, 0x80e0c0, 0xa040ff, 0xa0a060, 0xa0e0a0, 0xc040e0,
    0xc0a040, 0xc0e080, 0x008080, 0x4060a0, 0x40a0e0, 0x40ff40, 0x606080, 0x60a0c0, 0x60e0ff,
    0x806060, 0x80a0a0, 0x80e0e0, 0xa06040, 0xa0a080, 0xa0e0c0, 0xc040ff, 0xc0a060, 0xc0e0a0,
    0x800000, 0x4060c0, 0x40a0ff, 0x40ff60, 0x6060a0, 0x60a0e0, 0x60ff40, 0x806080, 0x80a0c0,
    0x80e0ff, 0xa06060, 0xa0a0a0, 0xa0e0e0, 0xc06040, 0xc0a080, 0xc0e0c0, 0x800080, 0x4060e0,
    0x40c040, 0x40ff80, 0x6060c0, 0x60a0ff, 0x60ff60, 0x8060a0, 0x80a0e0, 0x80ff40, 0xa06080,
    0xa0a0c0, 0xa0e0ff, 0xc06060, 0xc0a0a0, 0xc0e0e0, 0x808000, 0x4060ff, 0x40c060, 0x40ffa0,
    0x6060e0, 0x60c040, 0x60ff80, 0x8060c0, 0x80a0ff, 0x80ff60, 0xa060a0, 0xa0a0e0, 0xa0ff40,
    0xc06080, 0xc0a0c0, 0xf0fcff, 0xc0c0c0, 0x408040, 0x40c080, 0x40ffc0, 0x6060ff, 0x60c060,
    0x60ffa0, 0x8060e0, 0x80c040, 0x80ff80, 0xa060c0, 0xa0a0ff, 0xa0ff60, 0xc060a0, 0xc0a0e0,
    0xa8a0a0, 0xc0dcc0, 0x408060, 0x40c0a0, 0x40ffe0, 0x608040, 0x60c080, 0x60ffc0, 0x8060ff,
    0x80c060, 0x80ffa0, 0xa060e0, 0xa0c040, 0xa0ff80, 0xc060c0, 0xc0a0ff, 0x808080, 0xf0cca8,
    0x408080, 0x40c0c0, 0x40ffff, 0x608060, 0x60c0a0, 0x60ffe0, 0x808040, 0x80c080, 0x80ffc0,
    0xa060ff, 0xa0c060, 0xa0ffa0, 0xc060e0, 0xc0c040, 0x0000ff, 0x404060, 0x4080a0, 0x40c0e0,
    0x604040, 0x608080, 0x60c0c0, 0x60ffff, 0x808060, 0x80c0a0, 0x80ffe0, 0xa08040, 0xa0c080,
    0xa0ffc0, 0xc060ff, 0xc0c060, 0x00ff00, 0x404080, 0x4080c0, 0x40c0ff, 0x604060, 0x6080a0,
    0x60c0e0, 0x804040, 0x808080, 0x80c0c0, 0x80ffff, 0xa08060, 0xa0c0a0, 0xa0ffe0, 0xc08040,
    0xc0c080, 0x00ffff, 0x4040a0, 0x4080e0, 0x40e040, 0x604080, 0x6080c0, 0x60c0ff, 0x804060,
    0x8080a0, 0x80c0e0, 0xa04040, 0xa08080, 0xa0c0c0, 0xa0ffff, 0xc08060, 0xc0c0a0, 0xff0000,
    0x4040c0, 0x4080ff, 0x40e060, 0x6040a0, 0x6080e0, 0x60e040, 0x804080, 0x8080c0, 0x80c0ff,
    0xa04060, 0xa080a0, 0xa0c0e0, 0xc04040, 0xc08080, 0xc0c0c0, 0xff00ff, 0x4040e0, 0x40a040,
    0x40e080, 0x6040c0, 0x6080ff, 0x60e060, 0x8040a0, 0x8080e0, 0x80e040, 0xa04080, 0xa080c0,
    0xa0c0ff, 0xc04060, 0xc080a0, 0xc0c0e0, 0xffff00, 0x4040ff, 0x40a060, 0x40e0a0, 0x6040e0,
    0x60a040, 0x60e080};

std::vector<Rgb> StartupPalette(const std::vector<Rgb>& statics) {
    std::vector<Rgb> palette = statics;
    for (int i = 0; i < 236; ++i) {
        const uint32_t v = kStartupPaletteGdi[i];
        palette[10 + i] = {static_cast<uint8_t>(v & 0xFF), static_cast<uint8_t>((v >> 8) & 0xFF),
                           static_cast<uint8_t>((v >> 16) & 0xFF)};
    }
    return palette;
}

// The 16-bit pixel a colour becomes on a 565 surface.
uint16_t To565(Rgb c) {
    return static_cast<uint16_t>((c.r >> 3) << 11 | (c.g >> 2) << 5 | c.b >> 3);
}

int NearestEntry(const std::vector<Rgb>& palette, Rgb c) {
    int best = 0, bestDistance = 1 << 30;
    for (int i = 0; i < 256; ++i) {
        const int dr = palette[i].r - c.r, dg = palette[i].g - c.g, db = palette[i].b - c.b;
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) best = i, bestDistance = d;
    }
    return best;
}

int VisiblePixels(const Bmp& bmp, int x0, int y0, int w, int h) {
    int count = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            count += bmp.At(x, y) == kKey ? 0 : 1;
    return count;
}

int DifferingPixels(const Bmp& bmp, Cell a, Cell b, int w, int h) {
    int count = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            count +=
                bmp.At(a.column * w + x, a.row * h + y) == bmp.At(b.column * w + x, b.row * h + y)
                    ? 0
                    : 1;
    return count;
}

TEST(GeneratedPictures, EverySheetHasItsSizeAndDepthInBothColourDirectories) {
    for (const SheetSpec& s : Sheets()) {
        SCOPED_TRACE(s.name);
        const Bmp full = Full(s), indexed = Indexed(s);
        EXPECT_EQ(full.bits, 24);
        EXPECT_EQ(indexed.bits, 8);
        for (const Bmp* bmp : {&full, &indexed}) {
            EXPECT_EQ(bmp->width, s.width);
            EXPECT_EQ(bmp->height, s.height);
            EXPECT_EQ(bmp->width % s.cellWidth, 0);
            EXPECT_EQ(bmp->height % s.cellHeight, 0);
        }
        // The two directories hold the same picture.
        EXPECT_EQ(full.pixels, indexed.pixels);
    }
}

TEST(GeneratedPictures, EightBitFilesShareOnePaletteWithTheStaticColoursAtBothEnds) {
    const std::array<Rgb, 20> statics = {
        {{0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
         {128, 0, 128},   {0, 128, 128},   {192, 192, 192}, {192, 220, 192}, {166, 202, 240},
         {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0},
         {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255}}};
    const std::vector<Rgb> first = Indexed(Sheets().front()).palette;
    ASSERT_EQ(first.size(), 256u);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(first[i], statics[i]) << "entry " << i;
        EXPECT_EQ(first[246 + i], statics[10 + i]) << "entry " << 246 + i;
    }
    // The art's entries are real colours, not a filler repeated through the table.
    std::set<std::array<uint8_t, 3>> distinct;
    for (int i = 10; i <= 245; ++i)
        distinct.insert({first[i].r, first[i].g, first[i].b});
    EXPECT_GT(distinct.size(), 200u);
    for (const SheetSpec& s : Sheets())
        EXPECT_EQ(Indexed(s).palette, first) << s.name;
}

TEST(GeneratedPictures, EightBitArtUsesOnlyTheArtEntriesAndTheKey) {
    for (const SheetSpec& s : Sheets()) {
        SCOPED_TRACE(s.name);
        const Bmp bmp = Indexed(s);
        std::set<int> outside;
        for (uint8_t index : bmp.indices)
            if ((index < 10 || index > 245) && !(s.keyed && index == 253)) outside.insert(index);
        EXPECT_TRUE(outside.empty()) << "first stray entry " << *outside.begin();
    }
}

// Every depth a keyed picture can be loaded at, and what each makes of its colours: 24 and 32
// bits keep them; 16 bits keep 5-6-5 of them; an 8-bit display maps them to the nearest entry of
// the palette in force, which is ours once an 8-bit picture has been loaded and the start-up
// palette before. The key must stay apart from every visible pixel in all of them.
void ExpectKeyStaysApart(const Bmp& full, const Bmp* indexed, const std::vector<Rgb>& ours,
                         const std::vector<Rgb>& startup) {
    ASSERT_EQ(full.At(0, 0), kKey);
    const int keyInOurs = NearestEntry(ours, kKey);
    std::set<std::string> collisions;
    for (int y = 0; y < full.height; ++y) {
        for (int x = 0; x < full.width; ++x) {
            const Rgb c = full.At(x, y);
            if (c == kKey) {
                if (indexed) {
                    EXPECT_EQ(indexed->IndexAt(x, y), indexed->IndexAt(0, 0));
                }
                continue;
            }
            if (To565(c) == To565(kKey)) collisions.insert("16 bits");
            if (NearestEntry(ours, c) == keyInOurs) collisions.insert("8 bits, our palette");
            if (startup[NearestEntry(startup, c)] == kKey)
                collisions.insert("8 bits, start-up palette");
            if (indexed && indexed->IndexAt(x, y) == indexed->IndexAt(0, 0))
                collisions.insert("the 8-bit file");
        }
    }
    EXPECT_TRUE(collisions.empty())
        << "a visible pixel turns into the key at " << *collisions.begin();
}

TEST(GeneratedPictures, KeyIsTheTopLeftPixelAndNoVisiblePixelBecomesItAtAnyDepth) {
    const std::vector<Rgb> ours = Indexed(Sheets().front()).palette;
    ASSERT_EQ(ours.size(), 256u);
    const std::vector<Rgb> startup = StartupPalette(ours);
    for (const SheetSpec& s : Sheets()) {
        if (!s.keyed) continue;
        SCOPED_TRACE(s.name);
        const Bmp indexed = Indexed(s);
        ExpectKeyStaysApart(Full(s), &indexed, ours, startup);
    }
    SCOPED_TRACE("ForBeginner.BMP");
    ExpectKeyStaysApart(Load("ForBeginner.BMP"), nullptr, ours, startup);
}

TEST(GeneratedPictures, EveryCellTheGameShowsHasArtAndAnimationFramesDiffer) {
    for (const SheetSpec& s : Sheets()) {
        SCOPED_TRACE(s.name);
        const Bmp bmp = Full(s);
        for (const Cell& c : s.shown) {
            const int visible = VisiblePixels(bmp, c.column * s.cellWidth, c.row * s.cellHeight,
                                              s.cellWidth, s.cellHeight);
            EXPECT_GT(visible, s.cellWidth * s.cellHeight / 8)
                << "cell " << c.column << "," << c.row;
            if (c.column == 1) {
                EXPECT_GT(DifferingPixels(bmp, {0, c.row}, c, s.cellWidth, s.cellHeight), 0)
                    << "row " << c.row << " does not animate";
            }
        }
    }
}

TEST(GeneratedPictures, ItemKindsAndShotKindsAreToldApart) {
    const Bmp items = Full(Sheets()[6]);
    for (int a = 0; a < 6; ++a)
        for (int b = a + 1; b < 6; ++b)
            EXPECT_GT(DifferingPixels(items, {0, a}, {0, b}, 32, 32), 32 * 32 / 5)
                << "items " << a << " and " << b;
    const Bmp shots = Full(Sheets()[11]);
    for (int a = 0; a < 13; ++a)
        for (int b = a + 1; b < 13; ++b)
            EXPECT_GT(DifferingPixels(shots, {0, a}, {0, b}, 9, 10), 9 * 10 / 5)
                << "shot kinds " << a << " and " << b;
}

TEST(GeneratedPictures, ScreensSuitWhereTheGameShowsThem) {
    // The title's top 50 rows carry white status text: they must stay dark.
    const Bmp title = Full(Sheets()[10]);
    long brightness = 0;
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 640; ++x)
            brightness += title.At(x, y).r + title.At(x, y).g + title.At(x, y).b;
    EXPECT_LT(brightness / (50 * 640 * 3), 60);
    // The logo sits on a white screen: its border must be white so no frame shows.
    const Bmp logo = Full(Sheets()[12]);
    const Rgb white{255, 255, 255};
    for (int x = 0; x < logo.width; ++x) {
        EXPECT_EQ(logo.At(x, 0), white);
        EXPECT_EQ(logo.At(x, logo.height - 1), white);
    }
    for (int y = 0; y < logo.height; ++y) {
        EXPECT_EQ(logo.At(0, y), white);
        EXPECT_EQ(logo.At(logo.width - 1, y), white);
    }
    // The demo pans the how-to-play picture from x 81 to x -241: at -241 the screen's right edge
    // shows picture column 880, which must still be the picture and not its edge.
    const Bmp howTo = Load("ForBeginner.BMP");
    EXPECT_EQ(howTo.bits, 24);
    EXPECT_GE(howTo.width, 881);
    EXPECT_GE(howTo.height, 400);
    for (int y = 40; y < 360; ++y)
        EXPECT_NE(howTo.At(880, y), kKey) << y;
}

} // namespace
} // namespace asset_test
