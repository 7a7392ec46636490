#include "desktop_art.h"

#include "assetgen/art.h"
#include "png_writer.h"

namespace desktop_art {
namespace {

using assetgen::Image;
using assetgen::Paint;
using assetgen::Painter;

// A rounded tile shaded like the sky over the sea, with a dark rim so it reads on any panel.
void PaintTile(Image& image) {
    const assetgen::Ramps& m = assetgen::Materials();
    const double s = image.Width();
    Painter p(image);
    p.Box(0, 0, s, s, s * 0.2, Paint::Flat(assetgen::Ink()));
    const double rim = s >= 32 ? s / 32.0 : 1.0;
    p.Box(rim, rim, s - 2 * rim, s - 2 * rim, s * 0.18, Paint::Vertical(m.sky, 3, 9));
}

} // namespace

Image GameIcon(int size) {
    Image icon(size, size);
    PaintTile(icon);
    assetgen::PenguinPose pose;
    // The penguin's cell is 32 units wide; it fills 85 % of the tile, centred.
    pose.scale = size / 32.0 * 0.85;
    pose.tilt = 10;
    pose.wingUp = true;
    assetgen::PaintPenguin(icon, size * 0.06, size * 0.08, pose);
    if (size >= 24) assetgen::Outline(icon, assetgen::Ink());
    return icon;
}

Image SettingsIcon(int size) {
    const assetgen::Ramps& m = assetgen::Materials();
    Image icon(size, size);
    PaintTile(icon);
    assetgen::PenguinPose pose;
    pose.scale = size / 32.0 * 0.6;
    assetgen::PaintPenguin(icon, size * 0.38, size * 0.02, pose);
    Painter p(icon);
    const double s = size / 32.0;
    const double knobs[3] = {10, 20, 14};
    for (int i = 0; i < 3; ++i) {
        const double y = (17 + i * 5.0) * s;
        p.Capsule(5 * s, y, 27 * s, y, 1.1 * s, Paint::Flat(assetgen::Ink()));
        p.Ellipse(knobs[i] * s, y, 2.4 * s, 2.4 * s, Paint::Sphere(m.gold, 3, 9));
    }
    if (size >= 24) assetgen::Outline(icon, assetgen::Ink());
    return icon;
}

std::vector<uint8_t> ToPng(const Image& image) {
    const assetgen::Palette& palette = assetgen::SharedPalette();
    std::vector<Rgba> pixels;
    pixels.reserve(image.Pixels().size());
    for (uint8_t index : image.Pixels()) {
        if (index == assetgen::kKeyIndex) {
            pixels.push_back({0, 0, 0, 0});
        } else {
            const assetgen::Rgb c = palette[index];
            pixels.push_back({c.r, c.g, c.b, 255});
        }
    }
    return EncodePng(image.Width(), image.Height(), pixels);
}

} // namespace desktop_art
