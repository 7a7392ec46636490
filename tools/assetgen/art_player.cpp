// The player's penguin, its barrier and its shot.
#include <algorithm>
#include <cmath>

#include "art.h"

namespace assetgen {

void PaintPenguin(Image& image, double ox, double oy, const PenguinPose& pose) {
    const Ramps& m = Materials();
    const double s = pose.scale;
    auto X = [&](double v) { return ox + v * s; };
    auto Y = [&](double v) { return oy + v * s; };
    Painter p(image);
    p.Rotate(pose.tilt, X(16), Y(16));
    const Ramp body = pose.hurt ? m.red : m.navy;
    const Ramp belly = pose.hurt ? m.pink : m.grey;
    const int bellyLow = pose.hurt ? 5 : 9, bellyHigh = pose.hurt ? 9 : 13;

    // Jet flame out of the tail, its length flickering with the wing beat.
    const double flame = pose.wingUp ? 5.5 : 4.0;
    p.Ellipse(X(6 - flame / 2), Y(17), flame * s, 2.6 * s, Paint::Sphere(m.orange, 4, 9));
    p.Ellipse(X(6 - flame / 4), Y(17), flame * 0.5 * s, 1.3 * s, Paint::Flat(m.gold(9)));
    // Scarf tail fluttering behind the neck.
    // Diving, the tail streams back along the body rather than over the head.
    const double flutter = (pose.wingUp ? -1.5 : 1.0) + std::max(0.0, -pose.tilt) * 0.3;
    p.Polygon({X(15), Y(8.5), X(4), Y(6 + flutter), X(5), Y(10 + flutter), X(15), Y(12)},
              Paint::Vertical(m.red, 3, 8));
    // Body, belly and head are one egg shape.
    p.Ellipse(X(16), Y(16.5), 11.5 * s, 8.5 * s, Paint::Sphere(body, 1, 8));
    p.Ellipse(X(19), Y(19.5), 7.5 * s, 4.8 * s, Paint::Sphere(belly, bellyLow, bellyHigh));
    // Scarf around the neck.
    p.Capsule(X(17), Y(9), X(19), Y(14), 1.6 * s, Paint::Vertical(m.red, 4, 8));
    // Goggled eye looking ahead.
    p.Ellipse(X(23), Y(12), 3.2 * s, 3.0 * s, Paint::Flat(m.steel(3)));
    p.Ellipse(X(23), Y(12), 2.3 * s, 2.2 * s, Paint::Sphere(m.ice, 4, 7));
    if (pose.hurt) {
        p.Capsule(X(22), Y(11), X(24.2), Y(13), 0.55 * s, Paint::Flat(Ink()));
        p.Capsule(X(22), Y(13), X(24.2), Y(11), 0.55 * s, Paint::Flat(Ink()));
    } else {
        p.Ellipse(X(23.8), Y(12.2), 1.1 * s, 1.3 * s, Paint::Flat(Ink()));
        p.Ellipse(X(23.2), Y(11.3), 0.5 * s, 0.5 * s, Paint::Flat(White()));
    }
    // Beak pointing forward.
    p.Polygon({X(25.5), Y(13.5), X(31.2), Y(15.6), X(25.5), Y(17.6)},
              Paint::Sphere(m.orange, 4, 9));
    // Flipper, beating up and down.
    const double wingY = pose.wingUp ? 13.5 : 19.5;
    Painter wing(image);
    wing.Rotate(pose.tilt + (pose.wingUp ? 25 : -25), X(16), Y(16));
    wing.Ellipse(X(12), Y(wingY), 6.5 * s, 2.6 * s, Paint::Sphere(body, 0, 5));
}

namespace {

// The bubble of the barrier around a finished, outlined penguin cell.
void PaintBarrier(Image& cell, int frame) {
    const Ramps& m = Materials();
    Painter p(cell);
    p.Ring(16, 16, 15.8, 1.6, Paint::Sphere(m.ice, frame ? 3 : 2, 7));
    // Glints that travel round the bubble with the animation.
    const double a = frame ? 2.4 : 3.6;
    cell.Set(static_cast<int>(16 + 13 * std::cos(a)), static_cast<int>(16 - 13 * std::sin(a)),
             White());
    cell.Set(static_cast<int>(16 + 12 * std::cos(a + 0.25)),
             static_cast<int>(16 - 12 * std::sin(a + 0.25)), m.ice.Top());
}

// How the penguin of one direction sits in its cell. A climbing penguin is hit in the lower part
// of its cell and a diving one in the upper part, over a box taller than the level one, so those
// two are drawn a little larger and moved to where they can be hit.
struct CellPose {
    double tilt, scale, lift;
};

Image PenguinCell(const CellPose& at, int frame, bool barrier, bool hurt) {
    Image cell(32, 32);
    PenguinPose pose;
    pose.tilt = at.tilt;
    pose.scale = at.scale;
    pose.wingUp = frame == 0;
    pose.hurt = hurt;
    const double origin = 16 - 16 * at.scale; // the scaled penguin keeps the cell's centre
    PaintPenguin(cell, origin, origin - at.lift, pose);
    Outline(cell, Ink());
    if (barrier) PaintBarrier(cell, frame);
    return cell;
}

} // namespace

Image PlayerSheet() {
    Image sheet(64, 15 * 32);
    // Level, nose up, nose down; the groups of four rows add the barrier, the hit, or both.
    const CellPose poses[3] = {{0.0, 1.0, 0.0}, {24, 1.08, -4}, {-24, 1.08, 5}};
    for (int group = 0; group < 4; ++group) {
        const bool barrier = group == 1 || group == 3;
        const bool hurt = group >= 2;
        for (int dir = 0; dir < 3; ++dir)
            for (int frame = 0; frame < 2; ++frame)
                sheet.Paste(PenguinCell(poses[dir], frame, barrier, hurt), frame * 32,
                            (group * 4 + dir) * 32);
    }
    return sheet;
}

Image PlayerShotSheet() {
    const Ramps& m = Materials();
    Image cell(9, 9);
    Painter p(cell);
    p.Ellipse(4.5, 4.5, 3.5, 3.5, Paint::Sphere(m.orange, 3, 9));
    Outline(cell, m.red(0));
    cell.Set(3, 3, White());
    return cell;
}

} // namespace assetgen
