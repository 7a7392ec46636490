// The built-in bitmap font: 5 x 7 dot glyphs scaled to the requested cell, with hard edges. It is
// what text falls back to when no face is installed, and what the headless platform uses so that
// test runs draw the same pixels on every machine.
#include <algorithm>
#include <unordered_map>

#include "builtin_font_glyphs.h"
#include "font_internal.h"

namespace platform {
namespace {

class BuiltInFont final : public Font {
  public:
    BuiltInFont(int cellHeight, int averageWidth)
        : cellHeight_(cellHeight),
          advance_(averageWidth > 0 ? averageWidth : std::max(1, cellHeight / 2)) {}

    int CellHeight() const override { return cellHeight_; }
    std::string FaceName() const override { return "built-in"; }

    const Glyph& GlyphFor(char32_t codepoint) override {
        return glyphs_.Get(codepoint, [this](char32_t c) { return Rasterise(c); });
    }

  private:
    bool DotSet(char32_t codepoint, int dotX, int dotY) const {
        if (dotX >= builtin_font::kDotsWide || dotY >= builtin_font::kDotsHigh) return false;
        if (codepoint >= builtin_font::kFirstCode &&
            codepoint < builtin_font::kFirstCode + builtin_font::kGlyphCount) {
            const char* rows = builtin_font::kGlyphRows[codepoint - builtin_font::kFirstCode];
            return rows[dotY * (builtin_font::kDotsWide + 1) + dotX] == '#';
        }
        // Anything outside printable ASCII shows as a hollow box.
        return dotX == 0 || dotY == 0 || dotX == builtin_font::kDotsWide - 1 ||
               dotY == builtin_font::kDotsHigh - 1;
    }

    // The 6 x 8 grid is stretched over the advance and the cell height, nearest dot; each pixel
    // samples the dot under its centre.
    Glyph Rasterise(char32_t codepoint) const {
        Glyph g;
        g.advance = advance_;
        if (codepoint == U' ' || codepoint == U'\t') return g;
        g.width = advance_;
        g.height = cellHeight_;
        g.coverage.assign(static_cast<size_t>(g.width) * static_cast<size_t>(g.height), 0);
        for (int y = 0; y < g.height; ++y) {
            int dotY = (2 * y + 1) * builtin_font::kGridHigh / (2 * g.height);
            for (int x = 0; x < g.width; ++x) {
                int dotX = (2 * x + 1) * builtin_font::kGridWide / (2 * g.width);
                if (DotSet(codepoint, dotX, dotY))
                    g.coverage[static_cast<size_t>(y * g.width + x)] = 255;
            }
        }
        return g;
    }

    int cellHeight_;
    int advance_;
    GlyphCache glyphs_;
};

} // namespace

std::shared_ptr<Font> MakeBuiltInFont(int cellHeight, int averageWidth) {
    return std::make_shared<BuiltInFont>(cellHeight, averageWidth);
}

} // namespace platform
