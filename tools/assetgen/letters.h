// The game's own lettering: a 5 x 7 pixel alphabet (capitals, digits, punctuation and four
// arrows: '<' left, '>' right, '^' up, '~' down) drawn at any whole scale, with a shaded fill,
// an outline and a drop shadow; and a 3 x 5 set of digits for the tiniest labels.
#pragma once
#include <string_view>

#include "image.h"

namespace assetgen {

struct TextStyle {
    int scale = 1;
    Ramp fill{}; // shaded from `top` at the top of the letters to `bottom` at their foot
    int top = 0, bottom = 0;
    int outline = 0; // outline thickness in pixels, 0 for none
    uint8_t outlineIndex = 0;
    int shadow = 0; // drop shadow offset in pixels, 0 for none
    uint8_t shadowIndex = 0;
};

int TextWidth(std::string_view text, int scale);
inline int TextHeight(int scale) {
    return 7 * scale;
}

// Draws `text` with its top-left corner at (x, y); characters without a glyph leave a space.
void DrawText(Image& image, int x, int y, std::string_view text, const TextStyle& style);
void DrawTextCentred(Image& image, int centreX, int y, std::string_view text,
                     const TextStyle& style);

// How many characters without a glyph (other than spaces) have been drawn since the program
// started: they come out as gaps, so the generator's checks insist on none.
int MissingGlyphCount();

// Draws digits of the 3 x 5 set, one index, one-pixel spacing.
void DrawTinyDigits(Image& image, int x, int y, std::string_view digits, uint8_t index);
inline int TinyDigitsWidth(std::string_view digits) {
    return digits.empty() ? 0 : static_cast<int>(digits.size()) * 4 - 1;
}

} // namespace assetgen
