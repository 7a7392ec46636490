// Software surfaces: the stand-in for DirectDraw surfaces. Pixels live in memory at 8 bits
// (palette index), 16 (RGB 565), 24 (packed blue, green, red) or 32 (X8R8G8B8). Blits, fills and
// locks report a "lost" surface the way the original device did; nothing loses a surface in normal
// play, but a test can raise the flag to exercise the reload paths.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/window.h"

namespace platform {

struct PaletteColor {
    uint8_t red = 0, green = 0, blue = 0;
    bool operator==(const PaletteColor&) const = default;
};
using PaletteTable = std::array<PaletteColor, 256>;

// The 20 static colours of the system palette, entries 0..9 and 246..255.
PaletteColor StaticPaletteColor(int index);
bool IsStaticPaletteEntry(int index);

// The index of the palette entry nearest to a colour (squared distance; the lowest index wins a
// tie), as GDI maps colours onto an 8-bit surface.
uint8_t NearestPaletteIndex(const PaletteTable& palette, uint8_t red, uint8_t green, uint8_t blue);

enum class BlitResult { Ok, Lost, Failed };

class Surface {
  public:
    // Null for a depth other than 8, 16, 24 or 32, or a side below 1 or above kMaxSide.
    static std::unique_ptr<Surface> Create(int width, int height, int depth);
    static constexpr int kMaxSide = 16384;

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Depth() const { return depth_; }
    int BytesPerPixel() const { return depth_ / 8; }
    int Pitch() const { return pitch_; }

    // The pixel memory and its pitch in bytes; null while the surface is lost.
    uint8_t* Lock(int* pitch);
    const uint8_t* Lock(int* pitch) const;
    void Unlock() const {}

    bool IsLost() const { return lost_; }
    void SetLostForTest(bool lost) { lost_ = lost; }
    // Brings a lost surface back; its contents are undefined afterwards (cleared to 0).
    bool Restore();

    void SetColorKey(uint32_t key) { colorKey_ = key, hasColorKey_ = true; }
    void ClearColorKey() { hasColorKey_ = false; }
    bool HasColorKey() const { return hasColorKey_; }
    uint32_t ColorKey() const { return colorKey_; }

    // The palette an 8-bit surface's indexes refer to; shared with the display.
    void SetPalette(std::shared_ptr<const PaletteTable> palette) { palette_ = std::move(palette); }
    const PaletteTable* Palette() const { return palette_.get(); }

    // The value GDI would write for the colour 0x00BBGGRR on this surface: 565 at 16 bits, packed
    // at 24 and 32, the nearest palette entry at 8 (index 0 without a palette).
    uint32_t PixelFromColor(uint32_t colorRef) const;
    // The colour 0x00BBGGRR a pixel value shows.
    uint32_t ColorFromPixel(uint32_t pixel) const;

    uint32_t ReadPixel(int x, int y) const;
    void WritePixel(int x, int y, uint32_t pixel);

  private:
    Surface(int width, int height, int depth);

    int width_, height_, depth_, pitch_;
    std::vector<uint8_t> pixels_;
    bool lost_ = false;
    bool hasColorKey_ = false;
    uint32_t colorKey_ = 0;
    std::shared_ptr<const PaletteTable> palette_;
};

// Copies srcRect of src to (x, y) of dst unscaled; with useSourceKey, source pixels equal to the
// source's colour key are left out. Both surfaces must have the same depth; the rectangles must lie
// inside their surfaces (callers clip). Lost when either surface is lost. A copy within one
// surface may overlap, keyed or not: every source pixel is read before anything overwrites it.
BlitResult BltFast(Surface& dst, int x, int y, const Surface& src, const Rect& srcRect,
                   bool useSourceKey);

// Copies srcRect of src stretched onto dstRect of dst (nearest neighbour), keyed likewise. Within
// one surface the two rectangles must not overlap: such a stretch is refused (Failed).
BlitResult BltStretch(Surface& dst, const Rect& dstRect, const Surface& src, const Rect& srcRect,
                      bool useSourceKey);

// Fills rect of dst with a pixel value.
BlitResult FillRect(Surface& dst, const Rect& rect, uint32_t pixel);

} // namespace platform
