// What the font service's files share. Internal to platform/.
#pragma once
#include <cstddef>
#include <memory>
#include <string>

#include "platform/fonts.h"

namespace platform {

// A font keeps at most this many glyphs; a text with more distinct characters starts afresh.
inline constexpr size_t kMaxCachedGlyphs = 4096;

std::shared_ptr<Font> MakeBuiltInFont(int cellHeight, int averageWidth);

// A FreeType font of the face (with the game's fallback faces), or null when fontconfig finds none
// of them or FreeType cannot start.
std::shared_ptr<Font> MakeSystemFont(const std::string& faceName, int cellHeight, int averageWidth);

} // namespace platform
