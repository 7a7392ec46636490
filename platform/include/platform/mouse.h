// The mouse cursor: the stand-ins for GetCursorPos, ShowCursor and ClipCursor.
#pragma once
#include "platform/window.h"

namespace platform {

// The cursor position in screen coordinates.
void GetCursorPos(int& x, int& y);

void ShowCursor(bool show);

// Confines the cursor to rect (screen coordinates), or frees it when rect is null.
void ClipCursor(const Rect* rect);

} // namespace platform
