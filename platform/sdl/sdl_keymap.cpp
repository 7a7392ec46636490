// Windows virtual-key codes to SDL scancodes and back. Virtual-key codes stay Windows codes
// everywhere in the game; this table is the only place that knows SDL's names for the keys.
#include <array>

#include "platform/keyboard.h"
#include "platform/virtual_keys.h"
#include "sdl_video.h"

namespace platform {
namespace {

struct KeyPair {
    int vk;
    SDL_Scancode scancode;
};

// Specific keys. The generic modifier codes (16, 17, 18) are handled apart: they are down when
// either side is down.
// clang-format off
constexpr KeyPair kKeys[] = {
    {8, SDL_SCANCODE_BACKSPACE}, {9, SDL_SCANCODE_TAB}, {12, SDL_SCANCODE_CLEAR},
    {13, SDL_SCANCODE_RETURN}, {19, SDL_SCANCODE_PAUSE}, {20, SDL_SCANCODE_CAPSLOCK},
    {27, SDL_SCANCODE_ESCAPE}, {32, SDL_SCANCODE_SPACE}, {33, SDL_SCANCODE_PAGEUP},
    {34, SDL_SCANCODE_PAGEDOWN}, {35, SDL_SCANCODE_END}, {36, SDL_SCANCODE_HOME},
    {37, SDL_SCANCODE_LEFT}, {38, SDL_SCANCODE_UP}, {39, SDL_SCANCODE_RIGHT},
    {40, SDL_SCANCODE_DOWN}, {44, SDL_SCANCODE_PRINTSCREEN}, {45, SDL_SCANCODE_INSERT},
    {46, SDL_SCANCODE_DELETE}, {48, SDL_SCANCODE_0}, {49, SDL_SCANCODE_1}, {50, SDL_SCANCODE_2},
    {51, SDL_SCANCODE_3}, {52, SDL_SCANCODE_4}, {53, SDL_SCANCODE_5}, {54, SDL_SCANCODE_6},
    {55, SDL_SCANCODE_7}, {56, SDL_SCANCODE_8}, {57, SDL_SCANCODE_9}, {65, SDL_SCANCODE_A},
    {66, SDL_SCANCODE_B}, {67, SDL_SCANCODE_C}, {68, SDL_SCANCODE_D}, {69, SDL_SCANCODE_E},
    {70, SDL_SCANCODE_F}, {71, SDL_SCANCODE_G}, {72, SDL_SCANCODE_H}, {73, SDL_SCANCODE_I},
    {74, SDL_SCANCODE_J}, {75, SDL_SCANCODE_K}, {76, SDL_SCANCODE_L}, {77, SDL_SCANCODE_M},
    {78, SDL_SCANCODE_N}, {79, SDL_SCANCODE_O}, {80, SDL_SCANCODE_P}, {81, SDL_SCANCODE_Q},
    {82, SDL_SCANCODE_R}, {83, SDL_SCANCODE_S}, {84, SDL_SCANCODE_T}, {85, SDL_SCANCODE_U},
    {86, SDL_SCANCODE_V}, {87, SDL_SCANCODE_W}, {88, SDL_SCANCODE_X}, {89, SDL_SCANCODE_Y},
    {90, SDL_SCANCODE_Z}, {91, SDL_SCANCODE_LGUI}, {92, SDL_SCANCODE_RGUI},
    {93, SDL_SCANCODE_APPLICATION}, {96, SDL_SCANCODE_KP_0}, {97, SDL_SCANCODE_KP_1},
    {98, SDL_SCANCODE_KP_2}, {99, SDL_SCANCODE_KP_3}, {100, SDL_SCANCODE_KP_4},
    {101, SDL_SCANCODE_KP_5}, {102, SDL_SCANCODE_KP_6}, {103, SDL_SCANCODE_KP_7},
    {104, SDL_SCANCODE_KP_8}, {105, SDL_SCANCODE_KP_9}, {106, SDL_SCANCODE_KP_MULTIPLY},
    {107, SDL_SCANCODE_KP_PLUS}, {109, SDL_SCANCODE_KP_MINUS}, {110, SDL_SCANCODE_KP_PERIOD},
    {111, SDL_SCANCODE_KP_DIVIDE}, {112, SDL_SCANCODE_F1}, {113, SDL_SCANCODE_F2},
    {114, SDL_SCANCODE_F3}, {115, SDL_SCANCODE_F4}, {116, SDL_SCANCODE_F5},
    {117, SDL_SCANCODE_F6}, {118, SDL_SCANCODE_F7}, {119, SDL_SCANCODE_F8},
    {120, SDL_SCANCODE_F9}, {121, SDL_SCANCODE_F10}, {122, SDL_SCANCODE_F11},
    {123, SDL_SCANCODE_F12}, {144, SDL_SCANCODE_NUMLOCKCLEAR}, {145, SDL_SCANCODE_SCROLLLOCK},
    {160, SDL_SCANCODE_LSHIFT}, {161, SDL_SCANCODE_RSHIFT}, {162, SDL_SCANCODE_LCTRL},
    {163, SDL_SCANCODE_RCTRL}, {164, SDL_SCANCODE_LALT}, {165, SDL_SCANCODE_RALT},
    {186, SDL_SCANCODE_SEMICOLON}, {187, SDL_SCANCODE_EQUALS}, {188, SDL_SCANCODE_COMMA},
    {189, SDL_SCANCODE_MINUS}, {190, SDL_SCANCODE_PERIOD}, {191, SDL_SCANCODE_SLASH},
    {192, SDL_SCANCODE_GRAVE}, {219, SDL_SCANCODE_LEFTBRACKET}, {220, SDL_SCANCODE_BACKSLASH},
    {221, SDL_SCANCODE_RIGHTBRACKET}, {222, SDL_SCANCODE_APOSTROPHE},
};
// clang-format on

const std::array<SDL_Scancode, 256>& ScancodeTable() {
    static const auto table = [] {
        std::array<SDL_Scancode, 256> t{};
        t.fill(SDL_SCANCODE_UNKNOWN);
        for (const auto& k : kKeys)
            t[static_cast<size_t>(k.vk)] = k.scancode;
        return t;
    }();
    return table;
}

bool ScancodeDown(const Uint8* state, SDL_Scancode code) {
    return code != SDL_SCANCODE_UNKNOWN && state[code] != 0;
}

} // namespace

namespace sdl {

int VirtualKeyForScancode(SDL_Scancode scancode) {
    switch (scancode) {
    case SDL_SCANCODE_LSHIFT:
    case SDL_SCANCODE_RSHIFT:
        return kVkShift;
    case SDL_SCANCODE_LCTRL:
    case SDL_SCANCODE_RCTRL:
        return kVkControl;
    case SDL_SCANCODE_LALT:
    case SDL_SCANCODE_RALT:
        return kVkAlt;
    case SDL_SCANCODE_KP_ENTER:
        return kVkReturn;
    default:
        break;
    }
    for (const auto& k : kKeys)
        if (k.scancode == scancode) return k.vk;
    return 0;
}

} // namespace sdl

bool IsKeyDown(int vk) {
    if (vk < 0 || vk > 255 || SDL_WasInit(SDL_INIT_VIDEO) == 0) return false;
    const Uint8* state = SDL_GetKeyboardState(nullptr);
    switch (vk) {
    case kVkShift:
        return state[SDL_SCANCODE_LSHIFT] || state[SDL_SCANCODE_RSHIFT];
    case kVkControl:
        return state[SDL_SCANCODE_LCTRL] || state[SDL_SCANCODE_RCTRL];
    case kVkAlt:
        return state[SDL_SCANCODE_LALT] || state[SDL_SCANCODE_RALT];
    case kVkReturn:
        return state[SDL_SCANCODE_RETURN] || state[SDL_SCANCODE_KP_ENTER];
    case kVkLeftButton:
        return (SDL_GetMouseState(nullptr, nullptr) & SDL_BUTTON(SDL_BUTTON_LEFT)) != 0;
    case kVkRightButton:
        return (SDL_GetMouseState(nullptr, nullptr) & SDL_BUTTON(SDL_BUTTON_RIGHT)) != 0;
    case kVkMiddleButton:
        return (SDL_GetMouseState(nullptr, nullptr) & SDL_BUTTON(SDL_BUTTON_MIDDLE)) != 0;
    default:
        return ScancodeDown(state, ScancodeTable()[static_cast<size_t>(vk)]);
    }
}

} // namespace platform
