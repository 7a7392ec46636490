// A picture held as palette indices, and the shapes the art is painted with. Every shape is
// tested per pixel centre through an optional rotation, so a sprite can be tilted by painting it
// the same way under another angle.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "palette.h"

namespace assetgen {

class Image {
  public:
    Image() = default;
    Image(int width, int height, uint8_t fill = kKeyIndex);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    uint8_t At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    void Set(int x, int y, uint8_t index) {
        if (Contains(x, y)) pixels_[static_cast<size_t>(y) * width_ + x] = index;
    }
    const std::vector<uint8_t>& Pixels() const { return pixels_; }

    void Fill(uint8_t index);
    void FillRect(int x, int y, int w, int h, uint8_t index);
    // Copies `src` with its key pixels left out.
    void Paste(const Image& src, int x, int y);
    // Copies a rectangle of `src` whole, key pixels included.
    void CopyFrom(const Image& src, int srcX, int srcY, int w, int h, int x, int y);

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint8_t> pixels_;
};

// How a shape is coloured: flat, or shaded along a ramp as a lit sphere or cylinder.
struct Paint {
    enum class Kind { Flat, Sphere, Vertical, Horizontal };
    Kind kind = Kind::Flat;
    Ramp ramp{};
    int low = 0;  // ramp level in deepest shadow
    int high = 0; // ramp level in full light

    static Paint Flat(uint8_t index) { return {Kind::Flat, Ramp{index, 1}, 0, 0}; }
    static Paint Sphere(Ramp r, int low, int high) { return {Kind::Sphere, r, low, high}; }
    // Lit from above: the top of the shape takes `high`, the bottom `low`.
    static Paint Vertical(Ramp r, int low, int high) { return {Kind::Vertical, r, low, high}; }
    // Lit from the left.
    static Paint Horizontal(Ramp r, int low, int high) { return {Kind::Horizontal, r, low, high}; }
};

// Paints shapes into an image, optionally rotated by `degrees` (counter-clockwise on screen)
// about a pivot, and offset by (dx, dy).
class Painter {
  public:
    explicit Painter(Image& target) : target_(target) {}

    void Rotate(double degrees, double pivotX, double pivotY);
    void Offset(double dx, double dy) { dx_ = dx, dy_ = dy; }

    void Ellipse(double cx, double cy, double rx, double ry, const Paint& paint);
    // A ring between two ellipses of the same centre.
    void Ring(double cx, double cy, double r, double width, const Paint& paint);
    void Box(double x, double y, double w, double h, double radius, const Paint& paint);
    // A thick line with round ends.
    void Capsule(double x0, double y0, double x1, double y1, double radius, const Paint& paint);
    // A filled polygon (even-odd rule), points as x, y pairs.
    void Polygon(const std::vector<double>& xy, const Paint& paint);

  private:
    template <typename Inside> void Shade(const Paint& paint, Inside inside);
    void ToLocal(double px, double py, double& lx, double& ly) const;

    Image& target_;
    double cos_ = 1.0, sin_ = 0.0, pivotX_ = 0.0, pivotY_ = 0.0;
    double dx_ = 0.0, dy_ = 0.0;
};

// Draws a one-pixel outline in `ink` around every shape of the image: key pixels that touch a
// painted pixel on a side become ink.
void Outline(Image& image, uint8_t ink);

} // namespace assetgen
