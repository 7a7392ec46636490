// Fonts: the stand-in for GDI's fonts. A font is asked for like CreateFont does it, by face name,
// cell height and average character width; its glyphs come as 8-bit coverage masks that the
// runtime composes into its surfaces. Faces are found through fontconfig and drawn by FreeType,
// with fixed fallbacks for the faces the game names; a built-in bitmap font keeps text readable on
// a machine with no fonts at all.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// One rasterised glyph, placed relative to the pen: the mask's top-left corner is `left` pixels
// right of the pen and `top` pixels below the top of the text cell (either may be negative).
struct Glyph {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int advance = 0;               // pen movement in pixels
    std::vector<uint8_t> coverage; // width x height, row by row, 0 (none) to 255 (full)
};

class Font {
  public:
    virtual ~Font() = default;
    // The height of one line of text in pixels.
    virtual int CellHeight() const = 0;
    // The glyph of a Unicode code point, rasterised on first use and kept. A code point that no
    // face has shows as a hollow box. The reference stays valid until the next GlyphFor call.
    virtual const Glyph& GlyphFor(char32_t codepoint) = 0;
    // The face that serves the font ("built-in" for the bitmap font), for debug output.
    virtual std::string FaceName() const = 0;
};

// The font of faceName with the given cell height (the height of a line, like a positive CreateFont
// height; 0 or less gives 16) and average character width (0 or less keeps the face's own
// proportions), both at most 512. Glyphs are stretched to the width. The same request gives the
// same font object, so its glyph cache serves every frame; a font up to 64 pixels tall and wide
// has printable ASCII rasterised as it opens, so that changing digits do not grow the heap later.
// Never null.
std::shared_ptr<Font> OpenFont(const std::string& faceName, int cellHeight, int averageWidth);

// The built-in bitmap font at a size, whatever faces are installed.
std::shared_ptr<Font> OpenBuiltInFont(int cellHeight, int averageWidth);

// Decodes the UTF-8 sequence at text[*pos] (of length bytes), moves *pos past it and returns its
// code point; a malformed or cut sequence gives U+FFFD and moves by one byte.
char32_t DecodeUtf8(const char* text, int length, int* pos);

// The length in bytes (1 to 4) of the whole UTF-8 character at text[pos], or 1 where the bytes do
// not form one within length.
int Utf8SequenceLength(const char* text, int length, int pos);

} // namespace platform
