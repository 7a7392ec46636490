#include "platform/key_names.h"

#include <cctype>

namespace platform {
namespace {

struct NamedKey {
    int vk;
    const char* name;
};

// Every key the SDL keymap reads, named as the key at that place on a US keyboard.
// clang-format off
constexpr NamedKey kNames[] = {
    {8, "Backspace"}, {9, "Tab"}, {12, "Clear"}, {13, "Return"}, {16, "Shift"}, {17, "Ctrl"},
    {18, "Alt"}, {19, "Pause"}, {20, "Caps Lock"}, {27, "Esc"}, {32, "Space"}, {33, "Page Up"},
    {34, "Page Down"}, {35, "End"}, {36, "Home"}, {37, "Left"}, {38, "Up"}, {39, "Right"},
    {40, "Down"}, {44, "Print Screen"}, {45, "Insert"}, {46, "Delete"},
    {48, "0"}, {49, "1"}, {50, "2"}, {51, "3"}, {52, "4"}, {53, "5"}, {54, "6"}, {55, "7"},
    {56, "8"}, {57, "9"},
    {65, "A"}, {66, "B"}, {67, "C"}, {68, "D"}, {69, "E"}, {70, "F"}, {71, "G"}, {72, "H"},
    {73, "I"}, {74, "J"}, {75, "K"}, {76, "L"}, {77, "M"}, {78, "N"}, {79, "O"}, {80, "P"},
    {81, "Q"}, {82, "R"}, {83, "S"}, {84, "T"}, {85, "U"}, {86, "V"}, {87, "W"}, {88, "X"},
    {89, "Y"}, {90, "Z"},
    {91, "Left Windows"}, {92, "Right Windows"}, {93, "Menu"},
    {96, "Keypad 0"}, {97, "Keypad 1"}, {98, "Keypad 2"}, {99, "Keypad 3"}, {100, "Keypad 4"},
    {101, "Keypad 5"}, {102, "Keypad 6"}, {103, "Keypad 7"}, {104, "Keypad 8"},
    {105, "Keypad 9"}, {106, "Keypad *"}, {107, "Keypad +"}, {109, "Keypad -"},
    {110, "Keypad ."}, {111, "Keypad /"},
    {112, "F1"}, {113, "F2"}, {114, "F3"}, {115, "F4"}, {116, "F5"}, {117, "F6"}, {118, "F7"},
    {119, "F8"}, {120, "F9"}, {121, "F10"}, {122, "F11"}, {123, "F12"},
    {144, "Num Lock"}, {145, "Scroll Lock"},
    {160, "Left Shift"}, {161, "Right Shift"}, {162, "Left Ctrl"}, {163, "Right Ctrl"},
    {164, "Left Alt"}, {165, "Right Alt"},
    {186, ";"}, {187, "="}, {188, ","}, {189, "-"}, {190, "."}, {191, "/"}, {192, "`"},
    {219, "["}, {220, "\\"}, {221, "]"}, {222, "'"},
};

// Other names for the same keys, read but never written.
constexpr NamedKey kOtherNames[] = {
    {13, "Enter"}, {27, "Escape"}, {17, "Control"}, {162, "Left Control"},
    {163, "Right Control"}, {46, "Del"},
};
// clang-format on

// Equal with case and blanks left out on both sides.
bool SameName(std::string_view written, const char* name) {
    size_t i = 0;
    for (char c : written) {
        if (c == ' ' || c == '\t') continue;
        while (name[i] == ' ')
            ++i;
        if (name[i] == '\0' || std::tolower(static_cast<unsigned char>(c)) !=
                                   std::tolower(static_cast<unsigned char>(name[i])))
            return false;
        ++i;
    }
    while (name[i] == ' ')
        ++i;
    return name[i] == '\0';
}

} // namespace

const char* KeyName(int vk) {
    for (const NamedKey& k : kNames)
        if (k.vk == vk) return k.name;
    return nullptr;
}

int KeyFromName(std::string_view name) {
    // A name of blanks only would match nothing anyway; no key is named by nothing.
    if (name.find_first_not_of(" \t") == std::string_view::npos) return 0;
    for (const NamedKey& k : kNames)
        if (SameName(name, k.name)) return k.vk;
    for (const NamedKey& k : kOtherNames)
        if (SameName(name, k.name)) return k.vk;
    return 0;
}

} // namespace platform
