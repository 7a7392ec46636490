#include "letters.h"

#include <algorithm>
#include <array>
#include <vector>

namespace assetgen {
namespace {

struct Glyph {
    char ch;
    std::array<const char*, 7> rows;
};

// '#' is ink; rows run from the top.
const std::vector<Glyph>& Glyphs() {
    static const std::vector<Glyph> glyphs = {
        {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
        {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
        {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
        {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
        {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
        {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
        {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"}},
        {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
        {'I', {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
        {'J', {"..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."}},
        {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
        {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
        {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
        {'N', {"#...#", "#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#"}},
        {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
        {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
        {'Q', {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"}},
        {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
        {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
        {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
        {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
        {'V', {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
        {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."}},
        {'X', {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}},
        {'Y', {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}},
        {'Z', {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"}},
        {'0', {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}},
        {'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
        {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
        {'3', {"#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."}},
        {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
        {'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
        {'6', {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."}},
        {'7', {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
        {'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
        {'9', {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."}},
        {'!', {"..#..", "..#..", "..#..", "..#..", "..#..", ".....", "..#.."}},
        {'?', {".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."}},
        {'.', {".....", ".....", ".....", ".....", ".....", ".##..", ".##.."}},
        {',', {".....", ".....", ".....", ".....", ".##..", "..#..", ".#..."}},
        {':', {".....", ".##..", ".##..", ".....", ".##..", ".##..", "....."}},
        {'-', {".....", ".....", ".....", "#####", ".....", ".....", "....."}},
        {'+', {".....", "..#..", "..#..", "#####", "..#..", "..#..", "....."}},
        {'=', {".....", ".....", "#####", ".....", "#####", ".....", "....."}},
        {'/', {"....#", "....#", "...#.", "..#..", ".#...", "#....", "#...."}},
        {'(', {"...#.", "..#..", ".#...", ".#...", ".#...", "..#..", "...#."}},
        {')', {".#...", "..#..", "...#.", "...#.", "...#.", "..#..", ".#..."}},
        {'\'', {"..#..", "..#..", ".#...", ".....", ".....", ".....", "....."}},
        {'<', {".....", "..#..", ".#...", "#####", ".#...", "..#..", "....."}},
        {'>', {".....", "..#..", "...#.", "#####", "...#.", "..#..", "....."}},
        {'^', {"..#..", ".###.", "#.#.#", "..#..", "..#..", "..#..", "..#.."}},
        {'~', {"..#..", "..#..", "..#..", "..#..", "#.#.#", ".###.", "..#.."}},
    };
    return glyphs;
}

const Glyph* Find(char ch) {
    for (const Glyph& g : Glyphs())
        if (g.ch == ch) return &g;
    return nullptr;
}

constexpr int kAdvance = 6; // five columns and one of space

int missingGlyphs = 0;

// The letters as a coverage mask with room for outline and shadow around them.
struct Mask {
    int width = 0, height = 0, margin = 0;
    std::vector<uint8_t> on;
    bool At(int x, int y) const {
        return x >= 0 && y >= 0 && x < width && y < height &&
               on[static_cast<size_t>(y) * width + x];
    }
};

Mask BuildMask(std::string_view text, int scale, int margin) {
    Mask mask;
    mask.margin = margin;
    mask.width = TextWidth(text, scale) + 2 * margin;
    mask.height = TextHeight(scale) + 2 * margin;
    mask.on.assign(static_cast<size_t>(mask.width) * mask.height, 0);
    int penX = margin;
    for (char ch : text) {
        const Glyph* g = Find(ch);
        if (!g && ch != ' ') ++missingGlyphs;
        if (g) {
            for (int row = 0; row < 7; ++row)
                for (int col = 0; col < 5; ++col)
                    if (g->rows[row][col] == '#')
                        for (int sy = 0; sy < scale; ++sy)
                            for (int sx = 0; sx < scale; ++sx)
                                mask.on[static_cast<size_t>(margin + row * scale + sy) *
                                            mask.width +
                                        penX + col * scale + sx] = 1;
        }
        penX += kAdvance * scale;
    }
    return mask;
}

bool NearMask(const Mask& mask, int x, int y, int radius) {
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (dx * dx + dy * dy <= radius * radius + radius && mask.At(x + dx, y + dy))
                return true;
    return false;
}

} // namespace

int MissingGlyphCount() {
    return missingGlyphs;
}

int TextWidth(std::string_view text, int scale) {
    if (text.empty()) return 0;
    return (static_cast<int>(text.size()) * kAdvance - 1) * scale;
}

void DrawText(Image& image, int x, int y, std::string_view text, const TextStyle& style) {
    const int margin = style.outline + style.shadow;
    const Mask mask = BuildMask(text, style.scale, margin);
    const int ox = x - margin, oy = y - margin;
    const int capHeight = TextHeight(style.scale);
    if (style.shadow > 0) {
        for (int my = 0; my < mask.height; ++my)
            for (int mx = 0; mx < mask.width; ++mx)
                if (NearMask(mask, mx - style.shadow, my - style.shadow, style.outline))
                    image.Set(ox + mx, oy + my, style.shadowIndex);
    }
    for (int my = 0; my < mask.height; ++my) {
        for (int mx = 0; mx < mask.width; ++mx) {
            if (mask.At(mx, my)) {
                const int row = my - margin;
                const int level =
                    style.top + (style.bottom - style.top) * row / std::max(1, capHeight - 1);
                image.Set(ox + mx, oy + my, style.fill(level));
            } else if (style.outline > 0 && NearMask(mask, mx, my, style.outline)) {
                image.Set(ox + mx, oy + my, style.outlineIndex);
            }
        }
    }
}

void DrawTextCentred(Image& image, int centreX, int y, std::string_view text,
                     const TextStyle& style) {
    DrawText(image, centreX - TextWidth(text, style.scale) / 2, y, text, style);
}

void DrawTinyDigits(Image& image, int x, int y, std::string_view digits, uint8_t index) {
    static const std::array<std::array<const char*, 5>, 10> kDigits = {{
        {"###", "#.#", "#.#", "#.#", "###"},
        {".#.", "##.", ".#.", ".#.", "###"},
        {"###", "..#", "###", "#..", "###"},
        {"###", "..#", "###", "..#", "###"},
        {"#.#", "#.#", "###", "..#", "..#"},
        {"###", "#..", "###", "..#", "###"},
        {"###", "#..", "###", "#.#", "###"},
        {"###", "..#", ".#.", ".#.", ".#."},
        {"###", "#.#", "###", "#.#", "###"},
        {"###", "#.#", "###", "..#", "###"},
    }};
    for (char ch : digits) {
        if (ch >= '0' && ch <= '9') {
            const auto& rows = kDigits[ch - '0'];
            for (int row = 0; row < 5; ++row)
                for (int col = 0; col < 3; ++col)
                    if (rows[row][col] == '#') image.Set(x + col, y + row, index);
        }
        x += 4;
    }
}

} // namespace assetgen
