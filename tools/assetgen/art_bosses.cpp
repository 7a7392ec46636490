// The two bosses. Each is painted whole, as the player sees it assembled, and then cut into the
// eight 64 x 64 parts of its layout, so the parts always meet seamlessly.
#include <cmath>

#include "art.h"

namespace assetgen {
namespace {

// Every part of a boss is hit only inside its box, so each is painted as a block that fills its
// box: one pixel in from each side, so that the outline lies on the box's edge and not past it.
struct Area {
    double x0, y0, x1, y1;
};

void Block(Painter& p, Area a, double radius, const Paint& paint) {
    p.Box(a.x0 + 1, a.y0 + 1, a.x1 - a.x0 - 2, a.y1 - a.y0 - 2, radius, paint);
}

// A porthole whose light alternates with the frame.
void Porthole(Painter& p, double x, double y, double r, bool lit) {
    const Ramps& m = Materials();
    p.Ellipse(x, y, r + 1.5, r + 1.5, Paint::Flat(m.steel(2)));
    p.Ellipse(x, y, r, r, Paint::Sphere(lit ? m.gold : m.sea, lit ? 5 : 3, lit ? 9 : 8));
}

// The bear airship of layout A (256 x 128), facing left: the bear's head at the bow, a paw
// hanging on its chain below it, two gun towers over a keel of three gondolas coupled by girders,
// a gas cell flown over the stern and a ducted propeller that spins between the two frames.
Image AirshipBear(int frame) {
    const Ramps& m = Materials();
    Image whole(256, 128);
    Painter p(whole);
    // Girders coupling the gondolas, behind them.
    p.Box(100, 90, 40, 7, 1, Paint::Vertical(m.steel, 1, 6));
    p.Box(186, 90, 18, 7, 1, Paint::Vertical(m.steel, 1, 6));

    // The bear's head: ears, a broad skull under a riveted helmet, glowing eyes and a snapping jaw.
    for (double ex : {13.0, 51.0}) {
        p.Ellipse(ex, 12, 11, 11, Paint::Sphere(m.brown, 1, 7));
        p.Ellipse(ex, 12, 5, 5, Paint::Flat(m.pink(4)));
    }
    p.Box(1, 7, 62, 56, 14, Paint::Sphere(m.brown, 1, 8));
    p.Box(7, 14, 50, 10, 4, Paint::Vertical(m.steel, 3, 11));
    for (int i = 0; i < 5; ++i)
        p.Ellipse(13 + i * 9.5, 19, 1.3, 1.3, Paint::Flat(m.steel(1)));
    const int glow = frame == 0 ? 0 : 2;
    for (double ex : {20.0, 44.0}) {
        p.Ellipse(ex, 31, 7, 5, Paint::Flat(m.brown(0)));
        p.Ellipse(ex, 31, 5.5, 4, Paint::Flat(m.red(3 + glow)));
        p.Ellipse(ex, 31, 3.5, 2.6, Paint::Sphere(m.gold, 5 + glow, 9));
        p.Ellipse(ex - 1.5, 30, 1.3, 1.3, Paint::Flat(White()));
    }
    p.Ellipse(32, 49, 19, 12.5, Paint::Sphere(m.cream, 1, 7));
    p.Ellipse(32, 41, 6, 4.2, Paint::Sphere(m.grey, 0, 4));
    const double jaw = frame == 0 ? 6 : 9;
    p.Box(20, 50, 24, jaw, 3, Paint::Flat(m.red(0)));
    for (int i = 0; i < 4; ++i)
        p.Polygon({21.0 + i * 6, 50, 26.0 + i * 6, 50, 23.5 + i * 6, 54}, Paint::Flat(White()));

    // Two gun towers: armoured drums with a lamp on top and ports down their fronts.
    for (int t = 0; t < 2; ++t) {
        const double x0 = t == 0 ? 94 : 158;
        Block(p, {x0, 0, x0 + 34, 64}, 7, Paint::Horizontal(m.steel, 2, 10));
        p.Box(x0 + 1, 18, 32, 6, 0, Paint::Vertical(m.red, 3, 8));
        p.Box(x0 + 1, 58, 32, 4, 0, Paint::Vertical(m.red, 2, 6));
        const bool lit = (t + frame) % 2 == 0;
        p.Ellipse(x0 + 17, 8, 6, 4,
                  Paint::Sphere(lit ? m.lime : m.steel, lit ? 3 : 2, lit ? 7 : 5));
        Porthole(p, x0 + 17, 34, 4, (t + frame) % 2 == 1);
        Porthole(p, x0 + 17, 48, 4, (t + frame) % 2 == 0);
        // A gun port on the tower's face, flashing as it fires.
        p.Box(x0 + 3, 29, 6, 14, 2, Paint::Flat(m.steel(1)));
        p.Ellipse(x0 + 6, 36, 2, 4, Paint::Flat(frame == t ? m.orange(8) : m.red(2)));
    }

    // The gas cell over the stern, striped.
    Block(p, {222, 0, 256, 19}, 8, Paint::Sphere(m.red, 1, 8));
    for (int i = 0; i < 3; ++i)
        p.Box(228 + i * 8 + frame * 3, 2, 2, 15, 1, Paint::Flat(m.cream(5)));

    // The paw at the end of its chain, claws out toward the player.
    Block(p, {0, 94, 24, 128}, 8, Paint::Sphere(m.brown, 1, 7));
    p.Ellipse(14, 112, 5, 6, Paint::Flat(m.pink(4)));
    // The claws flex between the frames.
    const double reach = frame == 0 ? 1.5 : 3.0;
    for (int i = 0; i < 3; ++i) {
        const double cy = 101 + i * 10;
        p.Polygon({7, cy - 3, 7, cy + 3, reach, cy + 0.5 + frame}, Paint::Flat(m.cream(7)));
    }

    // The three gondolas of the keel.
    Block(p, {64, 64, 108, 128}, 8, Paint::Vertical(m.steel, 2, 10));
    Block(p, {136, 64, 192, 128}, 8, Paint::Vertical(m.steel, 2, 10));
    Block(p, {200, 64, 242, 128}, 8, Paint::Vertical(m.steel, 2, 10));
    for (double x0 : {65.0, 137.0, 201.0}) {
        const double w = x0 == 65 ? 42 : (x0 == 137 ? 54 : 41);
        p.Box(x0, 86, w, 9, 0, Paint::Vertical(m.red, 3, 8));
        for (int i = 0; i < 9; ++i)
            if (x0 + 4 + i * 6 < x0 + w - 2)
                p.Ellipse(x0 + 4 + i * 6, 90.5, 1.2, 1.2, Paint::Flat(m.red(9)));
    }
    for (int i = 0; i < 2; ++i)
        Porthole(p, 77 + i * 19, 76, 4, (i + frame) % 2 == 0);
    for (int i = 0; i < 3; ++i)
        Porthole(p, 148 + i * 16, 76, 4, (i + frame) % 2 == 1);
    Porthole(p, 216, 76, 4, frame == 0);
    // The bow cannon under the front gondola, its muzzle glowing when charged.
    p.Capsule(72, 112, 102, 112, 6, Paint::Vertical(m.steel, 1, 8));
    p.Ellipse(70, 112, 3, 4, Paint::Flat(frame == 0 ? m.orange(8) : m.red(2)));
    // Keel lights blinking in turn.
    for (int i = 0; i < 4; ++i) {
        const bool lit = (i + frame) % 2 == 1;
        p.Ellipse(146 + i * 12, 112, 3, 3,
                  Paint::Sphere(lit ? m.lime : m.steel, lit ? 4 : 2, lit ? 7 : 5));
    }
    // Stern fins and the ducted propeller: the duct stays, the blades turn inside it.
    p.Polygon({204, 66, 226, 66, 236, 80, 204, 80}, Paint::Vertical(m.red, 2, 8));
    p.Polygon({204, 126, 226, 126, 236, 112, 204, 112}, Paint::Vertical(m.red, 2, 7));
    p.Box(242, 65, 13, 62, 5, Paint::Horizontal(m.steel, 3, 10));
    p.Box(245, 69, 7, 54, 3, Paint::Flat(m.night(1)));
    if (frame == 0) {
        p.Ellipse(248.5, 96, 3, 26, Paint::Sphere(m.steel, 4, 11));
    } else {
        p.Box(245, 80, 7, 32, 3, Paint::Flat(m.ice(1)));
        p.Ellipse(248.5, 96, 3, 8, Paint::Sphere(m.steel, 4, 11));
    }
    Outline(whole, Ink());
    // Cables drawn over the outline, a line each: the gas cell's tether and the paw's chain.
    for (int y = 19; y < 64; ++y)
        whole.Set(239, y, Ink());
    for (int y = 63; y < 95; ++y) {
        whole.Set(11, y, Ink());
        whole.Set(12, y, y % 4 < 2 ? Ink() : m.steel(6));
    }
    return whole;
}

// The crab machine of layout B (254 x 128), facing left: a great pincer whose two jaws gape at
// the player, a broad armoured carapace with its eyes set in the brow, a gun on its back and a
// row of walking legs that step between the frames.
Image CrabMachine(int frame) {
    const Ramps& m = Materials();
    Image whole(254, 128);
    Painter p(whole);
    // The body under the shell, dark, with the domed carapace over it; then the raised brow and
    // the two jaws of the pincer reaching forward.
    Block(p, {66, 40, 254, 122}, 10, Paint::Vertical(m.night, 1, 4));
    p.Box(67, 41, 186, 62, 10, Paint::Sphere(m.red, 1, 8));
    p.Ellipse(168, 62, 80, 20, Paint::Sphere(m.red, 4, 9));
    for (double x : {128.0, 168.0, 208.0})
        p.Capsule(x + 4, 62, x - 4, 94, 1.0, Paint::Flat(m.red(1)));
    Block(p, {64, 36, 128, 70}, 6, Paint::Vertical(m.red, 3, 9));
    Block(p, {30, 20, 68, 64}, 8, Paint::Sphere(m.red, 1, 9));
    Block(p, {30, 84, 68, 122}, 8, Paint::Sphere(m.red, 1, 8));
    // Each jaw darkens toward the mouth, is serrated along it and ends in a hooked tip.
    p.Box(31, 52, 36, 11, 3, Paint::Vertical(m.red, 1, 4));
    p.Box(31, 85, 36, 11, 3, Paint::Vertical(m.red, 4, 1));
    const double bite = frame == 0 ? 0.0 : 2.0;
    for (int i = 0; i < 4; ++i) {
        const double x = 38 + i * 7;
        p.Polygon({x, 63, x + 6, 63, x + 3, 56 + bite}, Paint::Flat(m.cream(6)));
        p.Polygon({x + 2, 85, x + 8, 85, x + 5, 92 - bite}, Paint::Flat(m.cream(6)));
    }
    p.Polygon({31, 40, 38, 44, 38, 63, 31, 63}, Paint::Vertical(m.cream, 3, 7));
    p.Polygon({31, 85, 38, 85, 38, 104, 31, 108}, Paint::Vertical(m.cream, 6, 2));
    p.Capsule(42, 27, 60, 25, 1.5, Paint::Flat(m.red(9)));
    p.Capsule(42, 114, 60, 116, 1.2, Paint::Flat(m.red(6)));
    // Armoured cuffs where the jaws meet the body.
    p.Box(58, 22, 8, 41, 2, Paint::Horizontal(m.steel, 3, 10));
    p.Box(58, 85, 8, 36, 2, Paint::Horizontal(m.steel, 3, 10));
    // The throat between the jaws: a cannon mouth that glows when it fires.
    p.Box(67, 71, 16, 26, 4, Paint::Flat(m.night(1)));
    p.Ellipse(75, 84, 5, 8, Paint::Flat(frame == 0 ? m.orange(8) : m.red(3)));
    // Eyes set in the brow under a scowl, glaring about.
    for (double ex : {88.0, 112.0}) {
        p.Ellipse(ex, 54, 8.5, 7.5, Paint::Flat(m.red(0)));
        p.Ellipse(ex, 54, 6.5, 5.5, Paint::Sphere(m.gold, 5, 9));
        const double look = frame == 0 ? -2.0 : 1.0;
        p.Box(ex - 1 + look, 49.5, 2.4, 9, 1, Paint::Flat(Ink()));
        p.Ellipse(ex - 3, 52, 1.1, 1.1, Paint::Flat(White()));
        p.Polygon({ex - 9, 43, ex + 9, 47, ex + 9, 49, ex - 9, 46}, Paint::Flat(m.red(0)));
    }
    // A crest of spikes along the shell's rim, and the belly band.
    for (int i = 0; i < 8; ++i) {
        const double x = 138 + i * 14;
        p.Polygon({x - 5, 52, x, 43, x + 5, 52}, Paint::Horizontal(m.steel, 3, 11));
    }
    p.Box(80, 96, 172, 6, 3, Paint::Vertical(m.steel, 2, 8));
    for (int i = 0; i < 8; ++i)
        p.Ellipse(88 + i * 21, 99, 1.5, 1.5, Paint::Flat(m.steel(11)));
    // The gun on its back, facing forward, flashing at the muzzle.
    p.Box(204, 47, 40, 13, 5, Paint::Vertical(m.steel, 2, 10));
    p.Capsule(150, 57, 206, 57, 2.6, Paint::Vertical(m.steel, 2, 9));
    p.Ellipse(149, 57, 2.5, 3, Paint::Flat(frame == 0 ? m.steel(1) : m.orange(8)));
    p.Ellipse(224, 53, 3.5, 3.5, Paint::Sphere(frame == 0 ? m.lime : m.sea, 3, 7));
    // Jointed walking legs along the bottom, stepping in turn.
    for (int i = 0; i < 6; ++i) {
        const double hx = 94 + i * 26;
        const double step = ((i + frame) % 2 == 0) ? -3 : 3;
        p.Capsule(hx, 103, hx + 10 + step, 109, 4, Paint::Vertical(m.rust, 2, 7));
        p.Ellipse(hx + 10 + step, 109, 2.5, 2.5, Paint::Sphere(m.steel, 3, 10));
        p.Polygon({hx + 7 + step, 110, hx + 14 + step, 110, hx + 6 + step, 120.5},
                  Paint::Vertical(m.rust, 6, 1));
    }
    Outline(whole, Ink());
    return whole;
}

Image CutParts(Image (*paint)(int), const PartOffset (&layout)[8]) {
    Image sheet(128, 8 * 64);
    for (int frame = 0; frame < 2; ++frame) {
        const Image whole = paint(frame);
        for (int part = 0; part < 8; ++part)
            sheet.CopyFrom(whole, layout[part].x, layout[part].y, 64, 64, frame * 64, part * 64);
    }
    return sheet;
}

} // namespace

Image BossSheetA() {
    return CutParts(AirshipBear, kLayoutA);
}
Image BossSheetB() {
    return CutParts(CrabMachine, kLayoutB);
}

} // namespace assetgen
