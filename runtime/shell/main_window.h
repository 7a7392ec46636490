// The one top-level window and its window procedure.
#pragma once
#include "platform/window.h"

namespace tessary {

inline constexpr const char* kWindowClassName = "Class Tessary";
inline constexpr const char* kWindowTitle = "Untitled";

struct WindowState {
    int mouseReferenceX = 0; // the first mouse position seen; 0 until then
    int mouseReferenceY = 0;
};
WindowState& TheWindowState();

// 1 on success; 0 when the program must end (another instance runs, or the window could not be
// made, after its error box).
int CreateMainWindow();

platform::LResult MainWndProc(uint32_t message, platform::WParam wParam, platform::LParam lParam);

// Marks the program as closing and sends WM_CLOSE; the window is destroyed before this returns.
platform::LResult RequestClose();

// Pauses or resumes frames and music on WM_SIZE and WM_ACTIVATE.
void OnActivate(uint32_t message, platform::WParam wParam);

} // namespace tessary
