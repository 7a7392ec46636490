// Virtual pads made with SDL's own virtual joystick API, for tests of the real platform: the pad
// tests attach them directly, and the end-to-end tests through pad_script_preload.cpp, preloaded
// into the real game.
#pragma once
#include <SDL.h>

namespace test_pads {

enum class Kind {
    // Named and numbered as an Xbox 360 pad on the xpad driver: SDL's mapping database knows it
    // and reads it as a game controller (A b0, B b1, X b2, Y b3, LB b4, RB b5, back b6, start b7,
    // d-pad on hat 0, triggers on axes 2 and 5).
    kXbox360,
    // A stick SDL knows nothing of: two axes, a hat and eight buttons, read raw.
    kUnknownStick,
};

inline constexpr Uint16 kXboxVendor = 0x045E;
inline constexpr Uint16 kXbox360Product = 0x028E;
inline constexpr Uint16 kUnknownVendor = 0x1209;
inline constexpr Uint16 kUnknownProduct = 0x7E57;

// Attaches a pad of this kind (triggers and sticks at rest) and opens it for setting its
// controls; nullptr when SDL refuses. vendor and product override the kind's own ids when not 0.
SDL_Joystick* Attach(Kind kind, Uint16 vendor = 0, Uint16 product = 0);

// Closes and detaches a pad made by Attach.
void Detach(SDL_Joystick* pad);

} // namespace test_pads
