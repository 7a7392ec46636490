// Window message codes and the message record that travels through the queue. The codes are the
// Windows values, so the window procedure reads as its table does.
#pragma once
#include <cstdint>

namespace platform {

using WParam = uintptr_t;
using LParam = intptr_t;
using LResult = intptr_t;

struct Message {
    uint32_t message = 0;
    WParam wParam = 0;
    LParam lParam = 0;
};

inline constexpr uint32_t WM_NULL = 0x0000;
inline constexpr uint32_t WM_DESTROY = 0x0002;
inline constexpr uint32_t WM_MOVE = 0x0003;
inline constexpr uint32_t WM_SIZE = 0x0005;
inline constexpr uint32_t WM_ACTIVATE = 0x0006;
inline constexpr uint32_t WM_PAINT = 0x000F;
inline constexpr uint32_t WM_CLOSE = 0x0010;
inline constexpr uint32_t WM_QUIT = 0x0012;
inline constexpr uint32_t WM_NCLBUTTONDOWN = 0x00A1;
inline constexpr uint32_t WM_NCLBUTTONUP = 0x00A2;
inline constexpr uint32_t WM_KEYDOWN = 0x0100;
inline constexpr uint32_t WM_KEYUP = 0x0101;
// Bit 30 of a key message's lParam: the key was already down (a repeat).
inline constexpr uintptr_t kKeyRepeatFlag = 0x40000000;
// Bits 16 to 23: the key's scan code, and bit 24 the extended-key flag, as the host gives them;
// they tell the left Shift, Ctrl or Alt key from the right one, which share one virtual key.
inline constexpr uintptr_t kExtendedKeyFlag = 0x01000000;
inline constexpr int kScanLeftShift = 0x2A, kScanRightShift = 0x36, kScanCtrl = 0x1D,
                     kScanAlt = 0x38;
inline constexpr LParam KeyLParam(int scanCode, bool extended) {
    return static_cast<LParam>((static_cast<uintptr_t>(scanCode & 0xFF) << 16) |
                               (extended ? kExtendedKeyFlag : 0));
}
inline constexpr uint32_t WM_CHAR = 0x0102;
inline constexpr uint32_t WM_SYSKEYDOWN = 0x0104;
inline constexpr uint32_t WM_SYSKEYUP = 0x0105;
inline constexpr uint32_t WM_COMMAND = 0x0111;
inline constexpr uint32_t WM_SYSCOMMAND = 0x0112;
inline constexpr uint32_t WM_MOUSEMOVE = 0x0200;
inline constexpr uint32_t WM_ENTERMENULOOP = 0x0211;
inline constexpr uint32_t WM_EXITMENULOOP = 0x0212;
inline constexpr uint32_t WM_EXITSIZEMOVE = 0x0232;
inline constexpr uint32_t WM_QUERYNEWPALETTE = 0x030F;
inline constexpr uint32_t MM_MCINOTIFY = 0x03B9;

inline constexpr WParam SIZE_RESTORED = 0;
inline constexpr WParam SIZE_MINIMIZED = 1;
inline constexpr WParam SIZE_MAXIMIZED = 2;
inline constexpr WParam WA_INACTIVE = 0;
inline constexpr WParam WA_ACTIVE = 1;
inline constexpr WParam WA_CLICKACTIVE = 2;
inline constexpr WParam SC_CLOSE = 0xF060;
inline constexpr WParam SC_SCREENSAVE = 0xF140;
inline constexpr WParam MCI_NOTIFY_SUCCESSFUL = 1;
inline constexpr WParam MCI_NOTIFY_SUPERSEDED = 2;
inline constexpr WParam MCI_NOTIFY_ABORTED = 4;

inline constexpr LParam MakeLParam(int low, int high) {
    return static_cast<LParam>((static_cast<uint32_t>(high & 0xFFFF) << 16) |
                               static_cast<uint32_t>(low & 0xFFFF));
}
inline constexpr int LowWord(uintptr_t v) {
    return static_cast<int>(v & 0xFFFF);
}
inline constexpr int HighWord(uintptr_t v) {
    return static_cast<int>((v >> 16) & 0xFFFF);
}

} // namespace platform
