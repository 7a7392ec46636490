#include "editor/key_capture.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace editor {
namespace {

struct CodePair {
    unsigned code;
    int vk;
};

// Linux input codes (linux/input-event-codes.h) of the keys the game reads, each with the
// virtual-key code of the key in that place on a US keyboard, as the game's keymap has them.
// clang-format off
constexpr CodePair kInputCodes[] = {
    {1, 27}, {2, '1'}, {3, '2'}, {4, '3'}, {5, '4'}, {6, '5'}, {7, '6'}, {8, '7'}, {9, '8'},
    {10, '9'}, {11, '0'}, {12, 189}, {13, 187}, {14, 8}, {15, 9},
    {16, 'Q'}, {17, 'W'}, {18, 'E'}, {19, 'R'}, {20, 'T'}, {21, 'Y'}, {22, 'U'}, {23, 'I'},
    {24, 'O'}, {25, 'P'}, {26, 219}, {27, 221}, {28, 13}, {29, 162},
    {30, 'A'}, {31, 'S'}, {32, 'D'}, {33, 'F'}, {34, 'G'}, {35, 'H'}, {36, 'J'}, {37, 'K'},
    {38, 'L'}, {39, 186}, {40, 222}, {41, 192}, {42, 160}, {43, 220},
    {44, 'Z'}, {45, 'X'}, {46, 'C'}, {47, 'V'}, {48, 'B'}, {49, 'N'}, {50, 'M'}, {51, 188},
    {52, 190}, {53, 191}, {54, 161}, {55, 106}, {56, 164}, {57, 32}, {58, 20},
    {59, 112}, {60, 113}, {61, 114}, {62, 115}, {63, 116}, {64, 117}, {65, 118}, {66, 119},
    {67, 120}, {68, 121}, {69, 144}, {70, 145},
    {71, 103}, {72, 104}, {73, 105}, {74, 109}, {75, 100}, {76, 101}, {77, 102}, {78, 107},
    {79, 97}, {80, 98}, {81, 99}, {82, 96}, {83, 110}, {87, 122}, {88, 123},
    {96, 13}, {97, 163}, {98, 111}, {99, 44}, {100, 165}, {102, 36}, {103, 38}, {104, 33},
    {105, 37}, {106, 39}, {107, 35}, {108, 40}, {109, 34}, {110, 45}, {111, 46}, {119, 19},
    {125, 91}, {126, 92}, {127, 93},
};

// Qt's keys that are not letters or digits; where Qt and the virtual keys share a code (A to Z,
// 0 to 9, Space) the key is its own code.
constexpr CodePair kQtKeys[] = {
    {Qt::Key_Escape, 27}, {Qt::Key_Tab, 9}, {Qt::Key_Backtab, 9}, {Qt::Key_Backspace, 8},
    {Qt::Key_Return, 13}, {Qt::Key_Enter, 13}, {Qt::Key_Insert, 45}, {Qt::Key_Delete, 46},
    {Qt::Key_Pause, 19}, {Qt::Key_Print, 44}, {Qt::Key_Clear, 12}, {Qt::Key_Home, 36},
    {Qt::Key_End, 35}, {Qt::Key_Left, 37}, {Qt::Key_Up, 38}, {Qt::Key_Right, 39},
    {Qt::Key_Down, 40}, {Qt::Key_PageUp, 33}, {Qt::Key_PageDown, 34}, {Qt::Key_Shift, 16},
    {Qt::Key_Control, 17}, {Qt::Key_Alt, 18}, {Qt::Key_AltGr, 165}, {Qt::Key_Super_L, 91},
    {Qt::Key_Super_R, 92}, {Qt::Key_Menu, 93}, {Qt::Key_CapsLock, 20}, {Qt::Key_NumLock, 144},
    {Qt::Key_ScrollLock, 145}, {Qt::Key_Semicolon, 186}, {Qt::Key_Equal, 187},
    {Qt::Key_Comma, 188}, {Qt::Key_Minus, 189}, {Qt::Key_Period, 190}, {Qt::Key_Slash, 191},
    {Qt::Key_QuoteLeft, 192}, {Qt::Key_BracketLeft, 219}, {Qt::Key_Backslash, 220},
    {Qt::Key_BracketRight, 221}, {Qt::Key_Apostrophe, 222},
};

// The keypad's keys, told apart by Qt's keypad modifier.
constexpr CodePair kQtKeypadKeys[] = {
    {Qt::Key_Asterisk, 106}, {Qt::Key_Plus, 107}, {Qt::Key_Minus, 109},
    {Qt::Key_Period, 110}, {Qt::Key_Slash, 111}, {Qt::Key_Enter, 13},
};
// clang-format on

// The window system's key codes are the input codes shifted by 8.
constexpr unsigned kKeyCodeOffset = 8;

template <size_t N> int Find(const CodePair (&table)[N], unsigned code) {
    for (const CodePair& p : table)
        if (p.code == code) return p.vk;
    return 0;
}

int ByQtKey(const QKeyEvent& event) {
    const int key = event.key();
    const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return keypad ? 96 + (key - Qt::Key_0) : key;
    if (keypad)
        if (const int vk = Find(kQtKeypadKeys, static_cast<unsigned>(key)); vk != 0) return vk;
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || key == Qt::Key_Space) return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return 112 + (key - Qt::Key_F1);
    return Find(kQtKeys, static_cast<unsigned>(key));
}

} // namespace

bool KeyCodesTellThePlace() {
    const QString system = QGuiApplication::platformName();
    return system == QLatin1String("xcb") || system == QLatin1String("wayland");
}

int VirtualKeyOf(const QKeyEvent& event, bool byPlace) {
    const quint32 code = event.nativeScanCode();
    if (byPlace && code > kKeyCodeOffset) return Find(kInputCodes, code - kKeyCodeOffset);
    return ByQtKey(event);
}

} // namespace editor
