// What the font service's files share. Internal to platform/.
#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/fonts.h"

namespace platform {

// The glyphs a font has rasterised, so that a frame's texts do not rasterise them again. It keeps
// at most kMaxCachedGlyphs; a text with more distinct characters starts it afresh.
class GlyphCache {
  public:
    static constexpr size_t kMaxCachedGlyphs = 4096;

    template <typename Rasterise> const Glyph& Get(char32_t codepoint, Rasterise&& rasterise) {
        auto found = glyphs_.find(codepoint);
        if (found != glyphs_.end()) return found->second;
        if (glyphs_.size() >= kMaxCachedGlyphs) glyphs_.clear();
        return glyphs_.emplace(codepoint, rasterise(codepoint)).first->second;
    }

  private:
    std::unordered_map<char32_t, Glyph> glyphs_;
};

std::shared_ptr<Font> MakeBuiltInFont(int cellHeight, int averageWidth);

// A FreeType font of the face (with the game's fallback faces), or null when fontconfig finds none
// of them or FreeType cannot start.
std::shared_ptr<Font> MakeSystemFont(const std::string& faceName, int cellHeight, int averageWidth);

} // namespace platform
