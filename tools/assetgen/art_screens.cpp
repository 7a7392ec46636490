// The whole-screen pictures: the title, the maker's logo and the how-to-play sheet.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "art.h"
#include "letters.h"

namespace assetgen {
namespace {

// A vertical blend between two levels of a ramp, ordered-dithered so the bands melt together.
void Gradient(Image& image, int x, int y, int w, int h, Ramp ramp, double topLevel,
              double bottomLevel) {
    static const int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    for (int yy = 0; yy < h; ++yy) {
        const double level = topLevel + (bottomLevel - topLevel) * yy / std::max(1, h - 1);
        const int base = static_cast<int>(std::floor(level));
        const double frac = level - base;
        for (int xx = 0; xx < w; ++xx) {
            const double threshold = (kBayer[(y + yy) & 3][(x + xx) & 3] + 0.5) / 16.0;
            image.Set(x + xx, y + yy, ramp(base + (frac > threshold ? 1 : 0)));
        }
    }
}

// A small deterministic generator for star fields and sparkles.
struct Scatter {
    uint32_t state;
    int Next(int range) {
        state = state * 1103515245u + 12345u;
        return static_cast<int>((state >> 16) % static_cast<uint32_t>(range));
    }
};

TextStyle Headline(int scale) {
    TextStyle style;
    style.scale = scale;
    style.fill = Materials().gold;
    style.top = 9;
    style.bottom = 4;
    style.outline = scale >= 6 ? 3 : 2;
    style.outlineIndex = Ink();
    style.shadow = scale >= 6 ? 4 : 2;
    style.shadowIndex = Materials().night(0);
    return style;
}

TextStyle Label(int scale, Ramp fill = Materials().grey, int top = 13, int bottom = 10) {
    TextStyle style;
    style.scale = scale;
    style.fill = fill;
    style.top = top;
    style.bottom = bottom;
    style.outline = 1;
    style.outlineIndex = Ink();
    return style;
}

// A sprite painted alone, outlined (twice for a bolder line at large sizes), then laid on.
template <typename PaintFn>
void PasteOutlined(Image& target, int x, int y, int w, int h, int thickness, PaintFn paint) {
    Image layer(w, h);
    paint(layer);
    for (int i = 0; i < thickness; ++i)
        Outline(layer, Ink());
    target.Paste(layer, x, y);
}

} // namespace

Image TitlePicture() {
    const Ramps& m = Materials();
    Image image(640, 480, m.night(0));
    // The top 50 rows stay dark and plain: the status lines are printed there.
    Gradient(image, 0, 0, 640, 56, m.night, 0.0, 1.5);
    Gradient(image, 0, 56, 640, 150, m.indigo, 1.0, 6.0);
    Gradient(image, 0, 206, 640, 124, m.sunset, 4.0, 10.8);
    Scatter stars{7};
    for (int i = 0; i < 90; ++i) {
        const int x = stars.Next(640), y = 52 + stars.Next(150);
        image.Set(x, y, i % 5 == 0 ? White() : m.ice(3 + i % 4));
    }
    Painter p(image);
    // A setting sun half sunk behind the sea, and far icebergs.
    p.Ellipse(470, 330, 58, 58, Paint::Vertical(m.gold, 6, 10));
    p.Polygon({0, 330, 30, 300, 52, 310, 80, 290, 120, 330}, Paint::Horizontal(m.ice, 2, 7));
    p.Polygon({560, 330, 590, 312, 612, 318, 640, 300, 640, 330}, Paint::Horizontal(m.ice, 2, 6));
    // The sea, with the sun's glitter on it.
    Gradient(image, 0, 330, 640, 150, m.sea, 6.0, 1.0);
    Scatter glitter{11};
    for (int row = 0; row < 30; ++row) {
        const int y = 334 + row * 5;
        const int half = 60 - row;
        const int start = 470 - half + glitter.Next(20);
        const int length = 10 + glitter.Next(half + 10);
        for (int x = start; x < start + length; ++x)
            image.Set(x, y, m.gold(8 - row / 6));
    }
    for (int i = 0; i < 40; ++i) {
        const int x = glitter.Next(620), y = 340 + glitter.Next(135);
        for (int d = 0; d < 8; ++d)
            image.Set(x + d, y, m.sea(8));
    }
    // Two bears giving chase in the distance, and the hero penguin in front.
    PasteOutlined(image, 430, 215, 70, 70, 1, [](Image& l) { PaintBear(l, 2, 2, 2.0, 0); });
    PasteOutlined(image, 530, 245, 50, 50, 1, [](Image& l) { PaintBear(l, 2, 2, 1.4, 1); });
    PasteOutlined(image, 70, 196, 180, 180, 2, [](Image& l) {
        PenguinPose pose;
        pose.scale = 5.0;
        pose.tilt = 14;
        pose.wingUp = true;
        PaintPenguin(l, 6, 8, pose);
    });
    // The name, and what to press.
    DrawTextCentred(image, 320, 78, "PELKO", Headline(13));
    DrawTextCentred(image, 320, 186, "THE FLYING PENGUIN SHOOTER", Label(2, m.ice, 7, 4));
    DrawTextCentred(image, 320, 404, "PUSH SPACE KEY", Label(3));
    DrawTextCentred(image, 320, 440, "F4: HARD MODE   ESC: QUIT", Label(2, m.ice, 7, 4));
    return image;
}

Image LogoPicture() {
    const Ramps& m = Materials();
    Image image(436, 164, White());
    Painter p(image);
    // The emblem: a round badge of sea and sky with the penguin flying across it.
    p.Ellipse(82, 82, 74, 74, Paint::Flat(m.navy(1)));
    p.Ellipse(82, 82, 70, 70, Paint::Vertical(m.sky, 5, 12));
    Image badge(150, 150);
    Painter sea(badge);
    sea.Ellipse(75, 75, 69, 69, Paint::Flat(m.sky(8)));
    sea.Box(0, 92, 150, 60, 0, Paint::Vertical(m.sea, 3, 8));
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 150; ++x)
            if (std::hypot(x + 0.5 - 75, y + 0.5 - 75) <= 69 && badge.At(x, y) != m.sky(8))
                image.Set(x + 7, y + 7, badge.At(x, y));
    PasteOutlined(image, 24, 30, 120, 100, 1, [](Image& l) {
        PenguinPose pose;
        pose.scale = 3.2;
        pose.tilt = 12;
        pose.wingUp = true;
        PaintPenguin(l, 4, 0, pose);
    });
    p.Ring(82, 82, 74, 3, Paint::Vertical(m.gold, 4, 9));
    // The word mark.
    TextStyle word = Label(8, m.navy, 6, 1);
    word.outline = 0;
    word.shadow = 3;
    word.shadowIndex = m.grey(10);
    DrawText(image, 180, 30, "PELKO", word);
    p.Box(180, 98, 232, 4, 2, Paint::Flat(m.gold(6)));
    TextStyle team = Label(4, m.red, 6, 4);
    team.outline = 0;
    DrawText(image, 182, 112, "T E A M", team);
    return image;
}

namespace {

// A key cap with its label, returning the x just past it.
int KeyCap(Image& image, int x, int y, const std::string& label) {
    const Ramps& m = Materials();
    const int w = std::max(28, TextWidth(label, 2) + 14);
    Painter p(image);
    p.Box(x, y, w, 28, 5, Paint::Flat(Ink()));
    p.Box(x + 1, y + 1, w - 2, 26, 4, Paint::Vertical(m.steel, 6, 11));
    p.Box(x + 4, y + 3, w - 8, 19, 3, Paint::Flat(m.steel(11)));
    TextStyle style;
    style.scale = 2;
    style.fill = m.grey;
    style.top = 1;
    style.bottom = 0;
    DrawText(image, x + (w - TextWidth(label, 2)) / 2, y + 6, label, style);
    return x + w + 6;
}

} // namespace

Image HowToPlayPicture() {
    const Ramps& m = Materials();
    Image image(900, 400);
    Painter p(image);
    p.Box(0, 0, 900, 400, 24, Paint::Flat(m.steel(4)));
    p.Box(4, 4, 892, 392, 21, Paint::Flat(m.gold(5)));
    p.Box(8, 8, 884, 384, 18, Paint::Flat(m.night(1)));
    Gradient(image, 16, 16, 868, 368, m.indigo, 2.5, 0.5);

    DrawText(image, 36, 28, "HOW TO PLAY", Headline(4));
    // Controls on the left.
    DrawText(image, 40, 78, "CONTROLS", Label(2, m.ice, 7, 5));
    struct Row {
        std::vector<std::string> keys;
        const char* what;
    };
    const Row rows[] = {
        {{"<", "^", "~", ">"}, "MOVE"},
        {{"SPACE"}, "FIRE"},
        {{"Z"}, "SPECIAL ATTACK"},
        {{"X"}, "NEXT SPECIAL ATTACK"},
        {{"ENTER"}, "BRAKE (HARD MODE)"},
        {{"F4"}, "HARD MODE ON TITLE"},
        {{"DEL", "F1"}, "END RUN / STAFF ROLL"},
        {{"ESC"}, "QUIT"},
    };
    int y = 98;
    for (const Row& row : rows) {
        int x = 40;
        for (const std::string& key : row.keys)
            x = KeyCap(image, x, y, key);
        DrawText(image, 220, y + 7, row.what, Label(2));
        y += 35;
    }
    // Items on the right.
    DrawText(image, 480, 78, "ITEMS", Label(2, m.ice, 7, 5));
    const char* itemNames[6] = {"POWER UP", "SPEED UP",    "BARRIER",
                                "TP +1",    "DOUBLE SHOT", "1000 POINTS"};
    for (int kind = 0; kind < 6; ++kind) {
        const int ix = 480 + (kind % 2) * 205, iy = 100 + (kind / 2) * 42;
        PaintItem(image, ix, iy, kind, false);
        DrawText(image, ix + 40, iy + 9, itemNames[kind], Label(2));
    }
    DrawText(image, 480, 238, "SPECIAL ATTACKS: Z USES ONE TP", Label(2, m.ice, 7, 5));
    for (int kind = 0; kind < 6; ++kind)
        PaintWeaponIcon(image, 480 + kind * 67, 262, kind);
    DrawText(image, 480, 340, "X PICKS THE NEXT ONE.", Label(2));
    DrawText(image, 480, 362, "BEAT THE BOSS OF ALL 5 STAGES!", Label(2, m.gold, 9, 6));
    return image;
}

} // namespace assetgen
