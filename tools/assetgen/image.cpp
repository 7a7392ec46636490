#include "image.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

Image::Image(int width, int height, uint8_t fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

void Image::Fill(uint8_t index) {
    std::fill(pixels_.begin(), pixels_.end(), index);
}

void Image::FillRect(int x, int y, int w, int h, uint8_t index) {
    for (int yy = y; yy < y + h; ++yy)
        for (int xx = x; xx < x + w; ++xx)
            Set(xx, yy, index);
}

void Image::Paste(const Image& src, int x, int y) {
    for (int sy = 0; sy < src.Height(); ++sy)
        for (int sx = 0; sx < src.Width(); ++sx)
            if (src.At(sx, sy) != kKeyIndex) Set(x + sx, y + sy, src.At(sx, sy));
}

void Image::CopyFrom(const Image& src, int srcX, int srcY, int w, int h, int x, int y) {
    for (int yy = 0; yy < h; ++yy)
        for (int xx = 0; xx < w; ++xx)
            if (src.Contains(srcX + xx, srcY + yy))
                Set(x + xx, y + yy, src.At(srcX + xx, srcY + yy));
}

void Painter::Rotate(double degrees, double pivotX, double pivotY) {
    const double radians = degrees * 3.14159265358979323846 / 180.0;
    cos_ = std::cos(radians);
    sin_ = std::sin(radians);
    pivotX_ = pivotX;
    pivotY_ = pivotY;
}

void Painter::ToLocal(double px, double py, double& lx, double& ly) const {
    // Screen y grows downward, so a counter-clockwise turn on screen negates the usual sine.
    const double x = px - dx_ - pivotX_;
    const double y = py - dy_ - pivotY_;
    lx = pivotX_ + x * cos_ - y * sin_;
    ly = pivotY_ + x * sin_ + y * cos_;
}

namespace {

// The light comes from the upper left and a little toward the viewer.
constexpr double kLightX = -0.55, kLightY = -0.62, kLightZ = 0.56;

int LevelFor(const Paint& paint, double brightness) {
    brightness = std::clamp(brightness, 0.0, 1.0);
    return paint.low + static_cast<int>(std::floor((paint.high - paint.low + 0.999) * brightness));
}

} // namespace

// `inside(lx, ly, nx, ny)` reports whether a local point is inside and, for shading, where it
// lies in the shape: nx and ny run from -1 at the left/top edge to +1 at the right/bottom.
template <typename Inside> void Painter::Shade(const Paint& paint, Inside inside) {
    for (int y = 0; y < target_.Height(); ++y) {
        for (int x = 0; x < target_.Width(); ++x) {
            double lx, ly, nx = 0.0, ny = 0.0;
            ToLocal(x + 0.5, y + 0.5, lx, ly);
            if (!inside(lx, ly, nx, ny)) continue;
            double brightness = 1.0;
            switch (paint.kind) {
            case Paint::Kind::Flat:
                target_.Set(x, y, paint.ramp(0));
                continue;
            case Paint::Kind::Sphere: {
                const double d2 = std::min(1.0, nx * nx + ny * ny);
                const double nz = std::sqrt(1.0 - d2);
                const double lit = nx * kLightX + ny * kLightY + nz * kLightZ;
                brightness = 0.5 + 0.5 * lit;
                break;
            }
            case Paint::Kind::Vertical:
                brightness = 0.5 - 0.5 * ny;
                break;
            case Paint::Kind::Horizontal:
                brightness = 0.5 - 0.5 * nx;
                break;
            }
            target_.Set(x, y, paint.ramp(LevelFor(paint, brightness)));
        }
    }
}

void Painter::Ellipse(double cx, double cy, double rx, double ry, const Paint& paint) {
    Shade(paint, [&](double lx, double ly, double& nx, double& ny) {
        nx = (lx - cx) / rx;
        ny = (ly - cy) / ry;
        return nx * nx + ny * ny <= 1.0;
    });
}

void Painter::Ring(double cx, double cy, double r, double width, const Paint& paint) {
    Shade(paint, [&](double lx, double ly, double& nx, double& ny) {
        const double d = std::hypot(lx - cx, ly - cy);
        nx = (lx - cx) / r;
        ny = (ly - cy) / r;
        return d <= r && d >= r - width;
    });
}

void Painter::Box(double x, double y, double w, double h, double radius, const Paint& paint) {
    Shade(paint, [&](double lx, double ly, double& nx, double& ny) {
        if (lx < x || ly < y || lx > x + w || ly > y + h) return false;
        nx = (lx - x) / w * 2.0 - 1.0;
        ny = (ly - y) / h * 2.0 - 1.0;
        // Round corners: outside the radius from the nearest corner centre is left out.
        const double cx = std::clamp(lx, x + radius, x + w - radius);
        const double cy = std::clamp(ly, y + radius, y + h - radius);
        return std::hypot(lx - cx, ly - cy) <= radius + 1e-9;
    });
}

void Painter::Capsule(double x0, double y0, double x1, double y1, double radius,
                      const Paint& paint) {
    const double vx = x1 - x0, vy = y1 - y0;
    const double len2 = std::max(1e-9, vx * vx + vy * vy);
    Shade(paint, [&](double lx, double ly, double& nx, double& ny) {
        const double t = std::clamp(((lx - x0) * vx + (ly - y0) * vy) / len2, 0.0, 1.0);
        const double px = lx - (x0 + t * vx), py = ly - (y0 + t * vy);
        nx = px / radius;
        ny = py / radius;
        return px * px + py * py <= radius * radius;
    });
}

void Painter::Polygon(const std::vector<double>& xy, const Paint& paint) {
    double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
    for (size_t i = 0; i + 1 < xy.size(); i += 2) {
        minX = std::min(minX, xy[i]), maxX = std::max(maxX, xy[i]);
        minY = std::min(minY, xy[i + 1]), maxY = std::max(maxY, xy[i + 1]);
    }
    Shade(paint, [&](double lx, double ly, double& nx, double& ny) {
        bool in = false;
        const size_t n = xy.size() / 2;
        for (size_t i = 0, j = n - 1; i < n; j = i++) {
            const double xi = xy[2 * i], yi = xy[2 * i + 1], xj = xy[2 * j], yj = xy[2 * j + 1];
            if ((yi > ly) != (yj > ly) && lx < (xj - xi) * (ly - yi) / (yj - yi) + xi) in = !in;
        }
        nx = (lx - minX) / std::max(1e-9, maxX - minX) * 2.0 - 1.0;
        ny = (ly - minY) / std::max(1e-9, maxY - minY) * 2.0 - 1.0;
        return in;
    });
}

void Outline(Image& image, uint8_t ink) {
    const Image before = image;
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            if (before.At(x, y) != kKeyIndex) continue;
            const bool touches = (x > 0 && before.At(x - 1, y) != kKeyIndex) ||
                                 (y > 0 && before.At(x, y - 1) != kKeyIndex) ||
                                 (x + 1 < image.Width() && before.At(x + 1, y) != kKeyIndex) ||
                                 (y + 1 < image.Height() && before.At(x, y + 1) != kKeyIndex);
            if (touches) image.Set(x, y, ink);
        }
    }
}

} // namespace assetgen
