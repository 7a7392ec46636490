// The one palette every picture of the game is drawn in. Entries 0..9 and 246..255 are the
// system's twenty static colours; entries 10..245 are the art's colours, laid out as ramps of one
// material each, from its darkest shade to its lightest, and the few colours drawn by value.
#pragma once
#include <array>
#include <cstdint>

namespace assetgen {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

using Palette = std::array<Rgb, 256>;

// A run of palette entries shading one material; level 0 is the darkest.
struct Ramp {
    uint8_t first = 0;
    uint8_t count = 1;
    // Levels outside the ramp are clamped to its ends, so shading maths may overshoot safely.
    uint8_t operator()(int level) const {
        if (level < 0) level = 0;
        if (level >= count) level = count - 1;
        return static_cast<uint8_t>(first + level);
    }
    uint8_t Top() const { return static_cast<uint8_t>(first + count - 1); }
};

// The art's materials. Each is a ramp of the shared palette.
struct Ramps {
    Ramp grey, navy, orange, red, brown, gold, green, teal, sky, purple, pink, steel, sea, lime,
        cream, sunset, indigo, rust, ice, wood, mint, violet, rose, night;
};

// Colours the game draws by value rather than from a picture: the play-field blue of every
// frame of play and of the staff roll's headings, and the gold of the message frame. Black,
// white, red and blue, the other colours it draws by value, are static colours.
inline constexpr Rgb kDrawnColours[] = {{0, 127, 255}, {255, 215, 0}};

const Palette& SharedPalette();
const Ramps& Materials();

inline constexpr int kFirstArtEntry = 10;
inline constexpr int kLastArtEntry = 245;
// Transparent sheets use the static magenta as their top-left pixel; the art never uses it.
inline constexpr uint8_t kKeyIndex = 253;

// The outline of every sprite: the darkest grey, a blue-black that stands out on the play field.
inline uint8_t Ink() {
    return Materials().grey(0);
}
// Pure white from the art's own entries, so the art never leans on the static colours.
inline uint8_t White() {
    return Materials().grey.Top();
}

} // namespace assetgen
