// Message boxes: the stand-in for MessageBoxA. The debug output, which every program has, is
// declared beside it.
#pragma once
#include "platform/debug_output.h"

namespace platform {

inline constexpr unsigned MB_OK = 0x0000;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x0030;
inline constexpr unsigned MB_SYSTEMMODAL = 0x1000;
inline constexpr int IDOK = 1;

// Shows a modal box with an OK button; text and caption are UTF-8. Without a display the text goes
// to standard error and the call answers as if OK was pressed.
int MessageBox(const char* text, const char* caption, unsigned style);

} // namespace platform
