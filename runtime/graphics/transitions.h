// Full-screen transitions, stepped once per frame by the screens: a dithered fade to or from a
// colour, and venetian blinds of a colour or of a picture.
#pragma once
#include <cstdint>

namespace tessary {

inline constexpr int kFadeVisible = 20; // the picture shows untouched
inline constexpr int kBlindsClosed = 16;

struct TransitionState {
    int fadeLevel = 0;    // 0 (covered) .. 20 (visible)
    int blindsHeight = 0; // 0 (open) .. 16 (closed)
};
TransitionState& TheTransitions();

// flag set: the picture is fully visible (level 20); else fully covered (level 0).
int SetFadeLevel(int flag);

// One frame of the fade: the level moves one step toward 20 (direction non-zero) or toward 0, then
// the covered share of the clip rectangle is painted in the colour as a fixed dither. 1 once the
// level is at either end (at 0 the whole screen is cleared to the colour), else 0.
int FadeStep(int direction, uint32_t color);

// flag set: open (height 0); else closed (height 16).
int SetBlinds(int flag);

// One frame of the blinds: the height moves one step toward open (direction non-zero) or closed,
// and 40 bands of that height, every 16 rows from y 480 up to -144, are painted in the colour, or
// with the same stripes of image slot `image` when it is not -1. 1 when the height was already at
// its end, else 0.
int BlindsStep(int direction, uint32_t color, int image);

} // namespace tessary
