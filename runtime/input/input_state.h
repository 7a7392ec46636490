// Edge-detecting input: the key table, the joystick table and the mouse position.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

namespace tessary {

// States of a key, a joystick direction or a joystick button.
inline constexpr uint8_t KEY_UP = 0;       // up, and up at the previous update
inline constexpr uint8_t KEY_RELEASED = 1; // up now, down at the previous update
inline constexpr uint8_t KEY_PRESSED = 2;  // down now, up at the previous update
inline constexpr uint8_t KEY_HELD = 3;     // down now, and the previous state was not up

inline constexpr uint32_t JOY_UP = 0x80000001;
inline constexpr uint32_t JOY_DOWN = 0x80000002;
inline constexpr uint32_t JOY_LEFT = 0x80000003;
inline constexpr uint32_t JOY_RIGHT = 0x80000004;

inline constexpr int kJoystickSlots = 8;

struct JoystickRecord {
    int32_t present = 0;
    std::array<uint8_t, 4> directions{}; // up, down, left, right
    std::array<uint8_t, 8> buttons{};    // buttons 1..8
};

struct InputState {
    std::array<uint8_t, 256> keys{};
    // Keys that went down since this tick's messages began, read as down once even when up again.
    std::array<uint8_t, 256> tapped{};
    // A key or button read in this tick is just pressed or just released.
    int changing = 0;
    std::array<JoystickRecord, kJoystickSlots> joysticks{};
    int joystickCount = 0;
    int mouseX = 0;
    int mouseY = 0;
};
InputState& TheInput();

// The update rule of every state: a press directly after a release (state 1) gives 3, not 2.
constexpr uint8_t NextInputState(uint8_t state, bool down) {
    if (down) return state == KEY_UP ? KEY_PRESSED : KEY_HELD;
    return (state == KEY_PRESSED || state == KEY_HELD) ? KEY_RELEASED : KEY_UP;
}

// Updates a state and notes whether it is in passing (just pressed or just released): such a
// state must be read again soon, or a press that comes later still reads as held.
inline uint8_t UpdateInputState(InputState& in, uint8_t& state, bool down) {
    state = NextInputState(state, down);
    if (state == KEY_PRESSED || state == KEY_RELEASED) in.changing = 1;
    return state;
}

} // namespace tessary
