// The two bosses. Each is painted whole, as the player sees it assembled, and then cut into the
// eight 64 x 64 parts of its layout, so the parts always meet seamlessly.
#include <cmath>

#include "art.h"

namespace assetgen {
namespace {

// The bear airship of layout A (256 x 128): a steel hull with the bear's head at its bow,
// facing left, fins at the stern and a propeller that spins between the two frames.
Image AirshipBear(int frame) {
    const Ramps& m = Materials();
    Image whole(256, 128);
    Painter p(whole);
    // Stern fins behind the hull.
    p.Polygon({196, 44, 226, 4, 250, 4, 236, 50}, Paint::Vertical(m.red, 2, 8));
    p.Polygon({196, 98, 226, 124, 250, 124, 236, 92}, Paint::Vertical(m.red, 2, 7));
    // Propeller at the stern: broadside in one frame, edge-on with a blur in the other.
    p.Capsule(236, 71, 247, 71, 3, Paint::Vertical(m.steel, 3, 9));
    if (frame == 0) {
        p.Ellipse(249, 71, 4, 26, Paint::Sphere(m.steel, 3, 10));
    } else {
        p.Ellipse(249, 71, 3, 10, Paint::Sphere(m.steel, 3, 10));
        p.Ellipse(249, 71, 2, 25, Paint::Flat(m.ice(2)));
    }
    // Hull with a red band and a row of portholes whose lights alternate.
    p.Ellipse(144, 71, 100, 42, Paint::Sphere(m.steel, 1, 10));
    p.Box(70, 64, 160, 12, 4, Paint::Vertical(m.red, 3, 8));
    for (int i = 0; i < 6; ++i) {
        const double x = 104 + i * 22;
        const bool lit = (i + frame) % 2 == 0;
        p.Ellipse(x, 50, 5.5, 5.5, Paint::Flat(m.steel(2)));
        p.Ellipse(x, 50, 4, 4, Paint::Sphere(lit ? m.gold : m.sea, lit ? 5 : 3, lit ? 9 : 8));
    }
    for (int i = 0; i < 9; ++i)
        p.Ellipse(92 + i * 17, 90, 1.4, 1.4, Paint::Flat(m.steel(9)));
    // Keel lights blinking in turn.
    for (int i = 0; i < 4; ++i) {
        const bool lit = (i + frame) % 2 == 1;
        p.Ellipse(150 + i * 22, 104, 3, 3,
                  Paint::Sphere(lit ? m.lime : m.steel, lit ? 4 : 2, lit ? 7 : 5));
    }
    // Cannon under the keel, pointing at the player, its muzzle glowing when charged.
    p.Capsule(92, 108, 130, 108, 6, Paint::Vertical(m.steel, 2, 9));
    p.Capsule(80, 108, 92, 108, 4, Paint::Vertical(m.steel, 1, 7));
    p.Ellipse(79, 108, 2.5, 3, Paint::Flat(frame == 0 ? m.orange(8) : m.red(2)));
    // The bear's head at the bow.
    p.Ellipse(26, 20, 15, 15, Paint::Sphere(m.brown, 1, 7));
    p.Ellipse(84, 16, 14, 14, Paint::Sphere(m.brown, 1, 7));
    p.Ellipse(26, 20, 7, 7, Paint::Flat(m.pink(4)));
    p.Ellipse(84, 16, 6.5, 6.5, Paint::Flat(m.pink(4)));
    p.Ellipse(56, 62, 50, 44, Paint::Sphere(m.brown, 1, 8));
    // A riveted steel helmet plate over the brow.
    p.Box(22, 24, 66, 12, 5, Paint::Vertical(m.steel, 3, 11));
    for (int i = 0; i < 5; ++i)
        p.Ellipse(30 + i * 13, 30, 1.3, 1.3, Paint::Flat(m.steel(1)));
    // Eyes glowing in turn.
    const int glow = frame == 0 ? 0 : 2;
    for (double ex : {36.0, 66.0}) {
        p.Ellipse(ex, 50, 8, 6, Paint::Flat(m.brown(0)));
        p.Ellipse(ex, 50, 6, 4.5, Paint::Flat(m.red(3 + glow)));
        p.Ellipse(ex, 50, 4, 3, Paint::Sphere(m.gold, 5 + glow, 9));
        p.Ellipse(ex - 2, 49, 1.6, 1.6, Paint::Flat(White()));
    }
    // Muzzle, nose and a mouth full of teeth that snaps open and shut.
    p.Ellipse(32, 78, 24, 17, Paint::Sphere(m.cream, 1, 7));
    p.Ellipse(16, 70, 8, 6, Paint::Sphere(m.grey, 0, 4));
    const double jaw = frame == 0 ? 9 : 13;
    p.Box(14, 86, 34, jaw, 4, Paint::Flat(m.red(0)));
    for (int i = 0; i < 4; ++i)
        p.Polygon({16.0 + i * 8, 86, 22.0 + i * 8, 86, 19.0 + i * 8, 91}, Paint::Flat(White()));
    // A great paw reaching for the player, claws out.
    p.Ellipse(26, 110, 22, 14, Paint::Sphere(m.brown, 1, 7));
    for (int i = 0; i < 3; ++i) {
        const double cy = 102 + i * 8;
        p.Polygon({8, cy - 2.5, 8, cy + 2.5, 0.5, cy + 0.5}, Paint::Flat(m.cream(7)));
    }
    p.Ellipse(30, 106, 5, 4, Paint::Flat(m.pink(4)));
    Outline(whole, Ink());
    return whole;
}

// The crab machine of layout B (254 x 128): a huge claw in front, eyes on stalks, a domed shell
// and walking legs that step between the frames.
Image CrabMachine(int frame) {
    const Ramps& m = Materials();
    Image whole(254, 128);
    Painter p(whole);
    // Back cannon, then the domed shell with a row of spikes along its crest.
    p.Capsule(204, 58, 238, 44, 5, Paint::Vertical(m.steel, 2, 10));
    p.Ellipse(238, 44, 4, 6, Paint::Flat(frame == 0 ? m.steel(1) : m.orange(7)));
    for (int i = 0; i < 5; ++i) {
        const double x = 112 + i * 24;
        p.Polygon({x - 7, 56, x, 41, x + 7, 56}, Paint::Horizontal(m.steel, 3, 10));
    }
    p.Ellipse(158, 80, 86, 32, Paint::Sphere(m.red, 1, 8));
    p.Ellipse(162, 74, 66, 18, Paint::Sphere(m.red, 3, 9));
    p.Box(96, 96, 124, 6, 3, Paint::Vertical(m.steel, 2, 8));
    for (int i = 0; i < 6; ++i)
        p.Ellipse(104 + i * 22, 99, 1.6, 1.6, Paint::Flat(m.steel(11)));
    // Walking legs under the shell, stepping in turn.
    for (int i = 0; i < 4; ++i) {
        const double hx = 118 + i * 30;
        const double step = ((i + frame) % 2 == 0) ? -4 : 4;
        p.Capsule(hx, 100, hx + 12 + step, 110, 3.6, Paint::Vertical(m.rust, 2, 7));
        p.Capsule(hx + 12 + step, 110, hx + 6 + step, 121, 3, Paint::Vertical(m.rust, 1, 6));
    }
    // Eyes on stalks, glancing about.
    for (double sx : {112.0, 146.0}) {
        p.Capsule(sx, 58, sx - 2, 46, 2.6, Paint::Horizontal(m.rust, 2, 7));
        p.Ellipse(sx - 2, 44, 7, 7, Paint::Sphere(m.grey, 8, 13));
        const double look = frame == 0 ? -2.5 : 0.5;
        p.Ellipse(sx - 2 + look, 45, 3, 3.6, Paint::Flat(Ink()));
        p.Ellipse(sx - 3 + look, 43.5, 1.0, 1.0, Paint::Flat(White()));
    }
    // The arm and the great claw, its fingers opening toward the player in the second frame.
    p.Capsule(98, 86, 66, 80, 8, Paint::Vertical(m.red, 2, 8));
    // The claw: a great round pincer with a wedge of a mouth that gapes wider in frame 1.
    p.Ellipse(52, 72, 22, 28, Paint::Sphere(m.red, 1, 9));
    const double gape = frame == 0 ? 9.0 : 16.0;
    p.Polygon({56, 73, 26, 73 - gape, 26, 73 + gape}, Paint::Flat(kKeyIndex));
    p.Polygon({34, 73 - gape * 0.75, 40, 73 - gape * 0.55, 36, 73 - gape * 0.35},
              Paint::Flat(m.cream(6)));
    p.Polygon({42, 73 - gape * 0.45, 47, 73 - gape * 0.3, 44, 73 - gape * 0.1},
              Paint::Flat(m.cream(6)));
    p.Polygon({36, 73 + gape * 0.7, 41, 73 + gape * 0.5, 37, 73 + gape * 0.35},
              Paint::Flat(m.cream(6)));
    p.Capsule(60, 52, 70, 64, 1.2, Paint::Flat(m.red(9)));
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
