#pragma once

namespace tessary {

void EnableMouse(int on);

// Samples the cursor into the mouse position: client coordinates in a window, screen coordinates
// in full screen, clamped to the display.
void PollMouse();

int MouseX();
int MouseY();

void ShowMouseCursor(int show);

// Confines the cursor to the window's client rectangle, or frees it when on is 0.
void ClipMouseCursor(int on);

} // namespace tessary
