// The bear enemies, their shots, the background waves and the two unseen props.
#include <cmath>

#include "art.h"

namespace assetgen {

void PaintBear(Image& image, double ox, double oy, double s, int frame) {
    const Ramps& m = Materials();
    auto X = [&](double v) { return ox + v * s; };
    auto Y = [&](double v) { return oy + v * s; };
    Painter p(image);
    // Propeller cap: a mast and blades that alternate between broadside and edge-on.
    p.Capsule(X(17), Y(6), X(17), Y(3), 0.9 * s, Paint::Flat(m.steel(4)));
    if (frame == 0) {
        p.Ellipse(X(17), Y(2.2), 9.5 * s, 1.5 * s, Paint::Vertical(m.steel, 5, 11));
    } else {
        p.Ellipse(X(17), Y(2.2), 3.0 * s, 1.5 * s, Paint::Vertical(m.steel, 5, 11));
        p.Ellipse(X(17), Y(2.2), 9.5 * s, 0.6 * s, Paint::Flat(m.ice(3)));
    }
    // Ears, then the round head with a cream muzzle pointing left at the player.
    p.Ellipse(X(8), Y(9.5), 4.5 * s, 4.5 * s, Paint::Sphere(m.brown, 1, 7));
    p.Ellipse(X(26), Y(9.5), 4.5 * s, 4.5 * s, Paint::Sphere(m.brown, 1, 7));
    p.Ellipse(X(8), Y(9.5), 2.2 * s, 2.2 * s, Paint::Flat(m.pink(5)));
    p.Ellipse(X(26), Y(9.5), 2.2 * s, 2.2 * s, Paint::Flat(m.pink(5)));
    p.Ellipse(X(17), Y(18.5), 12.5 * s, 11 * s, Paint::Sphere(m.brown, 1, 8));
    p.Ellipse(X(11.5), Y(22.5), 6.5 * s, 5.0 * s, Paint::Sphere(m.cream, 1, 7));
    p.Ellipse(X(7.5), Y(20.5), 2.6 * s, 2.0 * s, Paint::Sphere(m.grey, 0, 4));
    // Angry eyes under slanted brows; the pupils glance toward the player.
    for (double ex : {12.5, 21.0}) {
        p.Ellipse(X(ex), Y(15), 2.4 * s, 2.6 * s, Paint::Flat(White()));
        p.Ellipse(X(ex - 0.9), Y(15.4), 1.3 * s, 1.6 * s, Paint::Flat(Ink()));
    }
    p.Capsule(X(9.5), Y(11), X(14.5), Y(12.6), 0.9 * s, Paint::Flat(m.brown(0)));
    p.Capsule(X(18.5), Y(12.6), X(24), Y(11), 0.9 * s, Paint::Flat(m.brown(0)));
    // A frown.
    p.Capsule(X(9), Y(26), X(14), Y(25.2), 0.6 * s, Paint::Flat(m.brown(1)));
    // Paws holding a red bandana knot under the chin.
    p.Ellipse(X(22), Y(28.2), 4.5 * s, 2.2 * s, Paint::Vertical(m.red, 3, 8));
}

Image EnemySheet() {
    Image sheet(64, 32);
    for (int frame = 0; frame < 2; ++frame) {
        Image cell(32, 32);
        PaintBear(cell, -0.5, 0.5, 1.0, frame);
        Outline(cell, Ink());
        sheet.Paste(cell, frame * 32, 0);
    }
    return sheet;
}

namespace {

enum class ShotShape {
    Ball,
    Diamond,
    Square,
    DropDown,
    DropUp,
    CrescentUp,
    CrescentDown,
    Bar,
    Eye,
    Target,
    Hoop,
    Star,
    Wave
};

struct ShotLook {
    ShotShape shape;
    Ramp Ramps::*ramp;
};

// Kinds 0-2 fly straight, 3 sinks, 4 rises, 5 and 6 curve up and down, 7 keeps to the player's
// line, 8 homes, 9 is aimed, 10 drifts toward the player, 11 is aimed and homes, 12 swings.
// None takes the orange of the player's own shots.
const ShotLook kShotLooks[13] = {
    {ShotShape::Ball, &Ramps::pink},         {ShotShape::Diamond, &Ramps::cream},
    {ShotShape::Square, &Ramps::purple},     {ShotShape::DropDown, &Ramps::green},
    {ShotShape::DropUp, &Ramps::teal},       {ShotShape::CrescentUp, &Ramps::violet},
    {ShotShape::CrescentDown, &Ramps::pink}, {ShotShape::Bar, &Ramps::ice},
    {ShotShape::Eye, &Ramps::indigo},        {ShotShape::Target, &Ramps::violet},
    {ShotShape::Hoop, &Ramps::sky},          {ShotShape::Star, &Ramps::mint},
    {ShotShape::Wave, &Ramps::teal},
};

// Every shot is a bold shape filling most of its 9 x 10 cell, one pixel in from the edge so the
// dark outline closes all round it, lit bright toward a near-white core: the outline carries it
// against the play field, the core against the outline.
Image EnemyShotCell(const ShotLook& look) {
    const Ramp r = Materials().*look.ramp;
    Image cell(9, 10);
    Painter p(cell);
    const Paint body = Paint::Sphere(r, r.count * 2 / 5, r.count - 2);
    const Paint core = Paint::Flat(r.Top());
    switch (look.shape) {
    case ShotShape::Ball:
        p.Ellipse(4.5, 5, 3.6, 4.0, body);
        p.Ellipse(4.0, 4.5, 1.6, 1.7, core);
        break;
    case ShotShape::Diamond:
        p.Polygon({4.5, 0.8, 7.4, 2.8, 8.2, 5, 7.4, 7.2, 4.5, 9.2, 1.6, 7.2, 0.8, 5, 1.6, 2.8},
                  body);
        p.Polygon({4.5, 3, 6, 5, 4.5, 7, 3, 5}, core);
        break;
    case ShotShape::Square:
        p.Box(1, 1.5, 7, 7, 2.2, body);
        p.Box(3, 3.5, 3, 3, 0.3, core);
        break;
    case ShotShape::DropDown:
        p.Ellipse(4.5, 4, 3.6, 3.0, body);
        p.Polygon({1.0, 4.2, 8.0, 4.2, 4.5, 9.2}, body);
        p.Ellipse(4.0, 3.8, 1.5, 1.3, core);
        break;
    case ShotShape::DropUp:
        p.Ellipse(4.5, 6, 3.6, 3.0, body);
        p.Polygon({1.0, 5.8, 8.0, 5.8, 4.5, 0.8}, body);
        p.Ellipse(4.0, 6.2, 1.5, 1.3, core);
        break;
    case ShotShape::CrescentUp:
        p.Ellipse(4.5, 5, 3.6, 4.0, body);
        p.Ellipse(4.5, 8.3, 2.2, 2.0, Paint::Flat(kKeyIndex));
        p.Ellipse(4.5, 3.2, 1.8, 1.0, core);
        break;
    case ShotShape::CrescentDown:
        p.Ellipse(4.5, 5, 3.6, 4.0, body);
        p.Ellipse(4.5, 1.7, 2.2, 2.0, Paint::Flat(kKeyIndex));
        p.Ellipse(4.5, 6.8, 1.8, 1.0, core);
        break;
    case ShotShape::Bar:
        p.Capsule(3.4, 5, 5.6, 5, 2.6, body);
        p.Capsule(2.6, 4.6, 6.4, 4.6, 0.9, core);
        break;
    case ShotShape::Eye:
        p.Ellipse(4.5, 5, 3.6, 4.0, body);
        p.Ellipse(3.8, 5, 1.9, 2.2, Paint::Flat(White()));
        p.Ellipse(3.4, 5, 0.8, 1.1, Paint::Flat(Ink()));
        break;
    case ShotShape::Target:
        p.Ellipse(4.5, 5, 3.6, 4.0, body);
        p.Ellipse(4.5, 5, 2.4, 2.7, Paint::Flat(White()));
        p.Ellipse(4.5, 5, 1.2, 1.4, Paint::Flat(r(r.count / 2)));
        break;
    case ShotShape::Hoop:
        p.Ring(4.5, 5, 3.9, 2.0, body);
        p.Ring(4.5, 5, 2.9, 0.8, core);
        break;
    case ShotShape::Star:
        p.Polygon({4.5, 0.8, 5.8, 3.6, 8.2, 3.8, 6.4, 6.0, 7.2, 9.2,
                   4.5, 7.6, 1.8, 9.2, 2.6, 6.0, 0.8, 3.8, 3.2, 3.6},
                  body);
        p.Ellipse(4.5, 5.2, 1.3, 1.3, core);
        break;
    case ShotShape::Wave:
        p.Capsule(2.8, 2.8, 4.5, 5, 1.9, body);
        p.Capsule(4.5, 5, 6.2, 7.2, 1.9, body);
        p.Capsule(3.2, 3.6, 5.8, 6.4, 0.6, core);
        break;
    }
    Outline(cell, Ink());
    return cell;
}

} // namespace

Image EnemyShotSheet() {
    Image sheet(9, 13 * 10);
    for (int kind = 0; kind < 13; ++kind)
        sheet.Paste(EnemyShotCell(kShotLooks[kind]), 0, kind * 10);
    return sheet;
}

Image DecorationSheet() {
    // A column of bubbles drifting past behind the action: pale, soft and without an outline,
    // so it never reads as something to dodge.
    const Ramps& m = Materials();
    Image cell(31, 64);
    Painter p(cell);
    struct Bubble {
        double x, y, r;
    };
    const Bubble bubbles[] = {{16, 55, 7.5}, {9, 40, 5.0}, {21, 33, 4.0}, {13, 22, 3.5},
                              {22, 14, 3.0}, {11, 8, 2.4}, {24, 3.5, 2.0}};
    for (const Bubble& b : bubbles) {
        p.Ellipse(b.x, b.y, b.r, b.r, Paint::Sphere(m.sky, 7, 9));
        p.Ring(b.x, b.y, b.r, b.r > 3 ? 1.4 : 1.0, Paint::Sphere(m.ice, 3, 7));
        p.Ellipse(b.x - b.r * 0.4, b.y - b.r * 0.4, b.r * 0.28, b.r * 0.28, Paint::Flat(White()));
    }
    return cell;
}

Image WoodPicture() {
    const Ramps& m = Materials();
    Image cell(32, 16);
    Painter p(cell);
    p.Box(2, 3, 27, 10, 4, Paint::Vertical(m.wood, 1, 6));
    p.Ellipse(27, 8, 3.2, 5, Paint::Sphere(m.cream, 1, 5));
    p.Ring(27, 8, 2.2, 0.8, Paint::Flat(m.wood(2)));
    p.Capsule(6, 6, 20, 6, 0.5, Paint::Flat(m.wood(2)));
    p.Capsule(9, 10, 22, 10, 0.5, Paint::Flat(m.wood(2)));
    Outline(cell, Ink());
    return cell;
}

Image SpearPicture() {
    const Ramps& m = Materials();
    Image cell(48, 12);
    Painter p(cell);
    p.Capsule(2, 6, 36, 6, 1.3, Paint::Vertical(m.wood, 2, 7));
    p.Polygon({34, 2, 46, 6, 34, 10, 36, 6}, Paint::Vertical(m.steel, 4, 11));
    p.Box(30, 4, 3, 4, 0.5, Paint::Flat(m.red(5)));
    Outline(cell, Ink());
    return cell;
}

} // namespace assetgen
