// Virtual pads made with SDL's own virtual joystick API, for tests of the real platform: the test
// program attaches them directly, and the game takes them from a script named by
// TESSARY_TEST_PAD_SCRIPT (set only by the end-to-end tests; a player never has it).
#pragma once
#include <SDL.h>

namespace platform::sdl::test_pads {

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

// Applies the lines of TESSARY_TEST_PAD_SCRIPT added since the last call; nothing when it is not
// set. Lines: "attach xbox360|unknown", "detach N", "axis N AXIS VALUE", "button N BUTTON 0|1",
// "hat N HAT VALUE", where N counts the pads the script attached, from 0.
void ApplyScript();

// Whether a script is read (its new lines are applied first): a game that waits for input then
// applies it as it waits, so that a scripted press wakes it.
bool Scripted();

} // namespace platform::sdl::test_pads
