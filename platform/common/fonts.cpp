// Font requests and their cache, and UTF-8 decoding.
#include <algorithm>
#include <map>
#include <tuple>

#include "backend.h"
#include "font_internal.h"

namespace platform {
namespace {

constexpr int kDefaultCellHeight = 16;
// A cell taller or a character wider than the screen shows nothing more; the bound keeps glyph
// bitmaps from growing without limit.
constexpr int kLargestSize = 512;
// A program asks for a handful of sizes; the bound only stops a runaway caller from growing the
// cache for ever.
constexpr size_t kMaxCachedFonts = 64;
// The largest cell height and character width whose printable ASCII is rasterised when the font
// opens: at most 95 masks of about 64 by 64 pixels, a few hundred kilobytes.
constexpr int kLargestPreparedSize = 64;

using FontKey = std::tuple<std::string, int, int, bool>;

std::map<FontKey, std::shared_ptr<Font>>& FontCache() {
    static std::map<FontKey, std::shared_ptr<Font>> cache;
    return cache;
}

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

void Bound(int& cellHeight, int& averageWidth) {
    if (cellHeight <= 0) cellHeight = kDefaultCellHeight;
    cellHeight = std::min(cellHeight, kLargestSize);
    averageWidth = std::clamp(averageWidth, 0, kLargestSize);
}

} // namespace

namespace detail {
void ResetFontCache() {
    FontCache().clear();
}
} // namespace detail

std::shared_ptr<Font> OpenFont(const std::string& faceName, int cellHeight, int averageWidth) {
    Bound(cellHeight, averageWidth);
    const bool system = backend::SystemFontsWanted();
    FontKey key{faceName, cellHeight, averageWidth, system};
    auto& cache = FontCache();
    auto found = cache.find(key);
    if (found != cache.end()) return found->second;
    std::shared_ptr<Font> font;
    if (system) font = MakeSystemFont(faceName, cellHeight, averageWidth);
    if (!font) font = MakeBuiltInFont(cellHeight, averageWidth);
    // Printable ASCII is rasterised now rather than on first use, so that a text whose characters
    // change as the game goes on (a score, a record) does not grow the heap hours into a session.
    // Not for a large font: a few hundred kilobytes of glyphs it may never draw.
    if (cellHeight <= kLargestPreparedSize && averageWidth <= kLargestPreparedSize)
        for (char32_t c = U' '; c <= U'~'; ++c)
            font->GlyphFor(c);
    if (cache.size() >= kMaxCachedFonts) cache.clear();
    cache.emplace(key, font);
    return font;
}

std::shared_ptr<Font> OpenBuiltInFont(int cellHeight, int averageWidth) {
    Bound(cellHeight, averageWidth);
    return MakeBuiltInFont(cellHeight, averageWidth);
}

int Utf8SequenceLength(const char* text, int length, int pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    int n = 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        n = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        n = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        n = 4;
    if (n == 1 || pos + n > length) return 1;
    for (int i = 1; i < n; ++i)
        if (!IsContinuation(static_cast<unsigned char>(text[pos + i]))) return 1;
    return n;
}

char32_t DecodeUtf8(const char* text, int length, int* pos) {
    const int start = *pos;
    const auto lead = static_cast<unsigned char>(text[start]);
    if (lead < 0x80) {
        *pos = start + 1;
        return lead;
    }
    const int n = Utf8SequenceLength(text, length, start);
    *pos = start + 1;
    if (n == 1) return U'\uFFFD';
    char32_t cp = lead & (0x7F >> n);
    for (int i = 1; i < n; ++i)
        cp = (cp << 6) | (static_cast<unsigned char>(text[start + i]) & 0x3F);
    // Overlong forms, surrogates and values past U+10FFFF are not characters.
    static constexpr char32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[n] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) return U'\uFFFD';
    *pos = start + n;
    return cp;
}

} // namespace platform
