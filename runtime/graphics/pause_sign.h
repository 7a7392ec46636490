// The picture of a held game: the last frame dimmed, and a sign across its middle, a heading and
// one line under it, white on a black band, in sizes that read at 640 x 480 and in colours every
// depth has.
#pragma once

namespace tessary {

// Draws over the back buffer; the game's font and centring are as they were afterwards.
// At 256 colours the dimming is a chequer of black, since palette indexes cannot be darkened.
void DrawPauseSign(const char* heading, const char* line);

} // namespace tessary
