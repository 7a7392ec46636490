// Text on the back buffer: one current font (face, cell height, average width, colour), an
// optional horizontal centring, and printf-style printing on an opaque black cell background.
// Text is UTF-8.
#pragma once
#include <array>
#include <cstdint>

#include "platform/surface.h"

namespace tessary {

inline constexpr int kFontFaceSize = 32;     // 31 characters and the terminating zero
inline constexpr int kPrintBufferSize = 512; // a formatted text keeps at most 511 bytes
// Glyph edges are drawn in this many steps above none: enough for smooth edges, few enough that
// the colour of each step is converted once per text (at 8 bits that is a palette search).
inline constexpr int kCoverageSteps = 32;

struct TextState {
    int fontHeight = 0;
    int fontWidth = 0;
    uint32_t textColor = 0; // 0x00BBGGRR
    std::array<char, kFontFaceSize> fontFace{};
    int centered = 0;
    // Nothing changes these; the cell background stays opaque black.
    int backgroundMode = 0;
    uint32_t backgroundColor = 0;
};
TextState& TheTextState();

// The pixel value of each coverage step of the last text colour drawn, the colour faded toward
// the black cell; kept from text to text, since at 8 bits every step is a search of the palette.
struct TextColorSteps {
    std::array<uint32_t, kCoverageSteps + 1> pixels{};
    uint32_t color = 0;
    int depth = 0; // of the surface they were worked out for; 0 before the first text
    platform::PaletteTable palette{};
};
TextColorSteps& TheTextColorSteps();

// Sets the font of later texts: average character width, cell height, colour 0x00BBGGRR and face
// (cut to 31 bytes, never inside a character). Returns 1.
int SetTextFont(int width, int height, uint32_t color, const char* face);

// 1: every text is placed horizontally centred on the 640-pixel screen. Returns 1.
int SetTextCentered(int flag);

// Draws the formatted text with its first cell's top-left corner at (x, y); line feeds start
// new lines at the same x. With centring on, x is replaced by (640 - the width of the whole text
// measured as one line) / 2. The clip rectangle applies. 0 when the back buffer cannot be drawn on.
int PrintText(int x, int y, const char* format, ...) __attribute__((format(printf, 3, 4)));

// The width in pixels of text in the current font, measured as one line (a line feed counts as
// a space).
int MeasureText(const char* text);

} // namespace tessary
