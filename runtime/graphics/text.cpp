#include "text.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/fonts.h"
#include "runtime/graphics/display.h"
#include "runtime/graphics/pixel_access.h"

namespace tessary {
namespace {

std::shared_ptr<platform::Font> CurrentFont() {
    const TextState& t = TheTextState();
    return platform::OpenFont(t.fontFace.data(), t.fontHeight, t.fontWidth);
}

// Cuts text to at most limit bytes without leaving part of a UTF-8 character at the end: the
// sequences are judged against the text as it was before cutting (full bytes after the end).
void CutAtCharacter(char* text, int fullLength, int limit) {
    int pos = 0;
    while (pos < fullLength) {
        int n = platform::Utf8SequenceLength(text, fullLength, pos);
        if (pos + n > limit) break;
        pos += n;
    }
    text[pos] = '\0';
}

// One line laid out: where each glyph's mask lands relative to the line's cell, and the box
// around all of it.
struct LineLayout {
    std::vector<char32_t> codepoints;
    std::vector<int> pens;
    int extent = 0; // the cell's width: the sum of the advances
    int minX = 0, maxX = 0, minY = 0, maxY = 0;
};

void LayOutLine(platform::Font& font, const char* text, int length, LineLayout* line) {
    line->codepoints.clear();
    line->pens.clear();
    line->minX = 0;
    line->minY = 0;
    line->maxY = font.CellHeight();
    int pen = 0, right = 0;
    for (int pos = 0; pos < length;) {
        char32_t cp = platform::DecodeUtf8(text, length, &pos);
        if (cp == U'\r') continue; // CR LF is one line break
        const platform::Glyph& g = font.GlyphFor(cp);
        if (g.width > 0 && g.height > 0) {
            line->codepoints.push_back(cp);
            line->pens.push_back(pen);
            line->minX = std::min(line->minX, pen + g.left);
            right = std::max(right, pen + g.left + g.width);
            line->minY = std::min(line->minY, g.top);
            line->maxY = std::max(line->maxY, g.top + g.height);
        }
        pen += g.advance;
    }
    line->extent = pen;
    line->maxX = std::max(pen, right);
}

using CoverageTable = std::array<uint32_t, kCoverageSteps + 1>;

// The pixel value of each coverage step for the colour on this surface, worked out again only
// when the colour, the depth or the palette has changed since the last text.
const CoverageTable& CoveragePixels(const platform::Surface& s, uint32_t color) {
    TextColorSteps& steps = TheTextColorSteps();
    const platform::PaletteTable* palette = s.Palette();
    if (steps.depth == s.Depth() && steps.color == color &&
        (palette == nullptr || *palette == steps.palette))
        return steps.pixels;
    for (int step = 0; step <= kCoverageSteps; ++step) {
        uint32_t r = (color & 0xFF) * step / kCoverageSteps;
        uint32_t g = ((color >> 8) & 0xFF) * step / kCoverageSteps;
        uint32_t b = ((color >> 16) & 0xFF) * step / kCoverageSteps;
        steps.pixels[static_cast<size_t>(step)] = s.PixelFromColor(r | (g << 8) | (b << 16));
    }
    steps.color = color;
    steps.depth = s.Depth();
    if (palette != nullptr) steps.palette = *palette;
    return steps.pixels;
}

// Composes the visible part of one line into a coverage buffer (overlapping glyph edges keep the
// stronger coverage), then writes it: the whole cell opaque, pixels outside the cell only where a
// glyph reaches. Only what the clip lets through is composed, so a huge font costs no more memory
// than the screen.
template <int Bytes>
void WriteLine(platform::Font& font, const LineLayout& line, int x, int y,
               const CoverageTable& pixels, uint8_t* memory, int pitch, const platform::Rect& clip,
               std::vector<uint8_t>& coverage) {
    const int left = x + line.minX, top = y + line.minY;
    const int boxW = line.maxX - line.minX, boxH = line.maxY - line.minY;
    const int colFrom = std::max(0, clip.left - left), colTo = std::min(boxW, clip.right - left);
    const int rowFrom = std::max(0, clip.top - top), rowTo = std::min(boxH, clip.bottom - top);
    const int visW = colTo - colFrom, visH = rowTo - rowFrom;
    if (visW <= 0 || visH <= 0) return;
    coverage.assign(static_cast<size_t>(visW) * static_cast<size_t>(visH), 0);
    for (size_t i = 0; i < line.codepoints.size(); ++i) {
        const platform::Glyph& g = font.GlyphFor(line.codepoints[i]);
        // The glyph's corner relative to the visible window.
        const int ox = line.pens[i] + g.left - line.minX - colFrom;
        const int oy = g.top - line.minY - rowFrom;
        const int gxFrom = std::max(0, -ox), gxTo = std::min(g.width, visW - ox);
        const int gyFrom = std::max(0, -oy), gyTo = std::min(g.height, visH - oy);
        if (gxFrom >= gxTo) continue;
        // Rows are addressed from their first visible column: a glyph that starts left of the
        // window (ox < 0) would otherwise point before the buffer.
        for (int gy = gyFrom; gy < gyTo; ++gy) {
            uint8_t* dst = &coverage[static_cast<size_t>((oy + gy) * visW + ox + gxFrom)];
            const uint8_t* src = &g.coverage[static_cast<size_t>(gy * g.width + gxFrom)];
            for (int gx = 0; gx < gxTo - gxFrom; ++gx)
                dst[gx] = std::max(dst[gx], src[gx]);
        }
    }
    for (int vy = 0; vy < visH; ++vy) {
        const int cellY = vy + rowFrom + line.minY;
        const bool rowInCell = cellY >= 0 && cellY < font.CellHeight();
        const uint8_t* cov = &coverage[static_cast<size_t>(vy * visW)];
        uint8_t* row = memory + static_cast<ptrdiff_t>(top + rowFrom + vy) * pitch +
                       static_cast<ptrdiff_t>(left + colFrom) * Bytes;
        for (int vx = 0; vx < visW; ++vx) {
            const int cellX = vx + colFrom + line.minX;
            if (cov[vx] == 0 && !(rowInCell && cellX >= 0 && cellX < line.extent)) continue;
            const int step = (cov[vx] * kCoverageSteps + 127) / 255;
            StorePixel<Bytes>(row + static_cast<ptrdiff_t>(vx) * Bytes,
                              pixels[static_cast<size_t>(step)]);
        }
    }
}

void DrawLines(const DrawingContext& dc, platform::Font& font, const char* text, int x, int y) {
    platform::Surface& s = *dc.surface;
    const platform::Rect clip =
        CutToSurface(s, dc.clip.left, dc.clip.top, dc.clip.right, dc.clip.bottom);
    if (IsEmpty(clip)) return;
    int pitch = 0;
    uint8_t* memory = s.Lock(&pitch);
    if (memory == nullptr) return;
    const CoverageTable& pixels = CoveragePixels(s, TheTextState().textColor);
    // One layout and one coverage buffer serve every line of the text.
    LineLayout line;
    std::vector<uint8_t> coverage;
    const char* start = text;
    for (int lineTop = y;; lineTop += font.CellHeight()) {
        const char* end = std::strchr(start, '\n');
        const int length =
            end ? static_cast<int>(end - start) : static_cast<int>(std::strlen(start));
        LayOutLine(font, start, length, &line);
        switch (s.BytesPerPixel()) {
        case 1:
            WriteLine<1>(font, line, x, lineTop, pixels, memory, pitch, clip, coverage);
            break;
        case 2:
            WriteLine<2>(font, line, x, lineTop, pixels, memory, pitch, clip, coverage);
            break;
        case 3:
            WriteLine<3>(font, line, x, lineTop, pixels, memory, pitch, clip, coverage);
            break;
        default:
            WriteLine<4>(font, line, x, lineTop, pixels, memory, pitch, clip, coverage);
            break;
        }
        if (end == nullptr) break;
        start = end + 1;
    }
    s.Unlock();
}

int MeasureWith(platform::Font& font, const char* text) {
    const int length = static_cast<int>(std::strlen(text));
    int width = 0;
    for (int pos = 0; pos < length;) {
        char32_t cp = platform::DecodeUtf8(text, length, &pos);
        if (cp == U'\n') cp = U' ';
        if (cp == U'\r') continue;
        width += font.GlyphFor(cp).advance;
    }
    return width;
}

} // namespace

int SetTextFont(int width, int height, uint32_t color, const char* face) {
    TextState& t = TheTextState();
    t.fontWidth = width;
    t.fontHeight = height;
    t.textColor = color;
    std::string name = face != nullptr ? face : "";
    CutAtCharacter(name.data(), static_cast<int>(name.size()), kFontFaceSize - 1);
    std::snprintf(t.fontFace.data(), t.fontFace.size(), "%s", name.c_str());
    CurrentFont(); // finds the face now, at start-up or a screen change, rather than mid-frame
    return 1;
}

int SetTextCentered(int flag) {
    TheTextState().centered = flag;
    return 1;
}

int MeasureText(const char* text) {
    auto font = CurrentFont();
    return MeasureWith(*font, text);
}

int PrintText(int x, int y, const char* format, ...) {
    Display& d = TheDisplay();
    const DrawingContext dc = d.GetBackDC();
    if (dc.surface == nullptr) return 0;
    // Formatted with three bytes to spare, so that a character crossing the 511-byte limit is
    // seen whole and left out whole.
    char text[kPrintBufferSize + 3];
    va_list args;
    va_start(args, format);
    const int wanted = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (wanted < 0) {
        d.ReleaseBackDC(dc);
        return 0;
    }
    if (wanted >= kPrintBufferSize)
        CutAtCharacter(text, std::min(wanted, static_cast<int>(sizeof text) - 1),
                       kPrintBufferSize - 1);
    auto font = CurrentFont();
    if (TheTextState().centered != 0) x = (kDisplayWidth - MeasureWith(*font, text)) / 2;
    DrawLines(dc, *font, text, x, y);
    d.ReleaseBackDC(dc);
    return 1;
}

} // namespace tessary
