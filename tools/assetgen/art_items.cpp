// The six items and the six weapon icons of the HUD.
#include <cmath>

#include "art.h"
#include "letters.h"

namespace assetgen {
namespace {

constexpr double kPi = 3.14159265358979323846;

void Sparkle(Image& image, int x, int y) {
    const Ramps& m = Materials();
    image.Set(x, y, White());
    for (int d = 1; d <= 2; ++d) {
        const uint8_t c = d == 1 ? m.ice.Top() : m.ice(4);
        image.Set(x - d, y, c), image.Set(x + d, y, c), image.Set(x, y - d, c),
            image.Set(x, y + d, c);
    }
}

// A white letter with a dark outline, centred in the cell.
void Letters(Image& cell, const char* text, int centreY) {
    TextStyle style;
    style.scale = 2;
    style.fill = Materials().grey;
    style.top = 13;
    style.bottom = 10;
    style.outline = 1;
    style.outlineIndex = Ink();
    DrawTextCentred(cell, 16, centreY - 7, text, style);
}

void Bead(Painter& p, double x, double y) {
    const Ramps& m = Materials();
    p.Ellipse(x, y, 3.6, 3.6, Paint::Flat(m.red(0)));
    p.Ellipse(x, y, 2.8, 2.8, Paint::Sphere(m.orange, 3, 9));
}

} // namespace

void PaintItem(Image& image, int x, int y, int kind, bool glint) {
    const Ramps& m = Materials();
    Image cell(32, 32);
    Painter p(cell);
    const int lift = glint ? 1 : 0;
    switch (kind) {
    case 0: // power: a red orb marked P
        p.Ellipse(16, 16, 13, 13, Paint::Sphere(m.red, 2, 8 + lift));
        Letters(cell, "P", 16);
        break;
    case 1: // speed: a green orb marked S with speed lines
        p.Ellipse(16, 16, 13, 13, Paint::Sphere(m.green, 2, 8 + lift));
        Letters(cell, "S", 16);
        break;
    case 2: // barrier: a clear bubble marked B
        p.Ellipse(16, 16, 13, 13, Paint::Sphere(m.teal, 3, 8 + lift));
        p.Ring(16, 16, 13, 2.5, Paint::Sphere(m.ice, 3, 7));
        Letters(cell, "B", 16);
        break;
    case 3: // a special-attack charge: a purple gem marked TP
        p.Polygon({16, 2, 29, 10, 29, 22, 16, 30, 3, 22, 3, 10},
                  Paint::Sphere(m.purple, 2, 8 + lift));
        Letters(cell, "TP", 16);
        break;
    case 4: // double shot: two roe beads on an orange badge
        p.Box(3, 4, 26, 24, 7, Paint::Sphere(m.gold, 2, 7 + lift));
        Bead(p, 13, 11);
        Bead(p, 13, 21);
        p.Polygon({19, 8, 26, 11, 19, 14}, Paint::Flat(m.red(2)));
        p.Polygon({19, 18, 26, 21, 19, 24}, Paint::Flat(m.red(2)));
        break;
    default: // 1000 points: a gold coin
        p.Ellipse(16, 16, 13.5, 13.5, Paint::Sphere(m.gold, 1, 8 + lift));
        p.Ring(16, 16, 10.5, 1.2, Paint::Flat(m.gold(2)));
        p.Box(7, 12, 18, 9, 2, Paint::Flat(m.gold(1)));
        DrawTinyDigits(cell, 9, 14, "1000", White());
        break;
    }
    Outline(cell, Ink());
    if (glint) Sparkle(cell, 9, 8);
    image.Paste(cell, x, y);
}

Image ItemSheet() {
    Image sheet(64, 6 * 32);
    for (int kind = 0; kind < 6; ++kind)
        for (int frame = 0; frame < 2; ++frame)
            PaintItem(sheet, frame * 32, kind * 32, kind, frame == 1);
    return sheet;
}

void PaintWeaponIcon(Image& image, int x, int y, int kind) {
    const Ramps& m = Materials();
    Image cell(64, 64);
    Painter p(cell);
    p.Box(1, 1, 62, 62, 8, Paint::Vertical(m.steel, 3, 10));
    p.Box(5, 5, 54, 54, 5, Paint::Vertical(m.night, 1, 5));
    Painter shots(cell);
    auto bead = [&](double bx, double by) {
        shots.Ellipse(bx, by, 2.8, 2.8, Paint::Flat(m.red(1)));
        shots.Ellipse(bx, by, 2.0, 2.0, Paint::Sphere(m.orange, 4, 9));
    };
    // The player at the pattern's source: a little penguin with a white belly, outlined and then
    // ringed in pale ice so that it stands out on the dark panel.
    auto penguin = [&](double px, double py) {
        Image figure(24, 18);
        Painter f(figure);
        f.Ellipse(11, 9, 6.5, 5, Paint::Sphere(m.navy, 2, 7));
        f.Ellipse(12.5, 11, 4.2, 2.6, Paint::Flat(White()));
        f.Polygon({16.5, 7.6, 20.5, 9, 16.5, 10.4}, Paint::Flat(m.orange(7)));
        f.Ellipse(14, 6.8, 1.5, 1.5, Paint::Flat(White()));
        figure.Set(14, 6, Ink());
        Outline(figure, Ink());
        Outline(figure, m.ice(6));
        cell.Paste(figure, static_cast<int>(px) - 11, static_cast<int>(py) - 9);
    };
    const double cx = 32, cy = 32;
    switch (kind) {
    case 0: // radial burst
        for (int i = 0; i < 12; ++i)
            bead(cx + 19 * std::cos(i * kPi / 6), cy + 19 * std::sin(i * kPi / 6));
        penguin(cx, cy);
        break;
    case 1: // forward fan
        for (int ray = -2; ray <= 2; ++ray)
            for (int d = 1; d <= 3; ++d)
                bead(20 + (8 + d * 8) * std::cos(ray * 0.32),
                     cy + (8 + d * 8) * std::sin(ray * 0.32));
        penguin(13, cy);
        break;
    case 2: // two-speed burst
        for (int i = 0; i < 8; ++i) {
            bead(cx + 11 * std::cos(i * kPi / 4 + kPi / 8),
                 cy + 11 * std::sin(i * kPi / 4 + kPi / 8));
            bead(cx + 21 * std::cos(i * kPi / 4), cy + 21 * std::sin(i * kPi / 4));
        }
        break;
    case 3: // stream
        for (int row = 0; row < 4; ++row)
            for (int i = 0; i < 4; ++i)
                bead(26 + i * 8 + (row % 2) * 3, 20 + row * 8);
        penguin(13, cy);
        break;
    case 4: // arc in front
        for (int i = 0; i <= 8; ++i) {
            const double a = i * kPi / 8;
            bead(26 + 19 * std::sin(a), cy - 19 * std::cos(a));
        }
        penguin(22, cy);
        break;
    default: // orbit ring
        p.Ring(cx, cy, 18.5, 1, Paint::Flat(m.night(6)));
        for (int i = 0; i < 10; ++i)
            bead(cx + 18 * std::cos(i * kPi / 5), cy + 18 * std::sin(i * kPi / 5));
        penguin(cx, cy);
        break;
    }
    // The pattern's number in the corner.
    const char digit[2] = {static_cast<char>('1' + kind), 0};
    DrawTinyDigits(cell, 9, 51, digit, m.gold(8));
    image.Paste(cell, x, y);
}

Image WeaponIconSheet() {
    Image sheet(64, 6 * 64);
    for (int kind = 0; kind < 6; ++kind)
        PaintWeaponIcon(sheet, 0, kind * 64, kind);
    return sheet;
}

} // namespace assetgen
