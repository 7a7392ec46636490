// The main window and its message queue: the stand-ins for window creation, the message pump
// (PeekMessage, WaitMessage, DispatchMessage), SendMessage, PostMessage and the system metrics.
//
// Messages from the host (close, focus, minimise, keys, mouse, exposure) are turned into the
// Windows messages of messages.h by the backend and queued in arrival order. SendMessage calls the
// window procedure at once, PostMessage queues.
#pragma once
#include "platform/messages.h"

namespace platform {

using WindowProc = LResult (*)(uint32_t message, WParam wParam, LParam lParam);

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// Registers the window procedure of the one window class. False when the backend cannot start
// (no video on the host).
bool RegisterWindowClass(const char* className, WindowProc proc);

// Creates the main window, visible, with the given title and outer position and client size.
bool CreateMainWindow(const char* title, int x, int y, int width, int height);

bool WindowExists();

// Destroys the main window: sends WM_DESTROY to the window procedure first, as the host would.
void DestroyWindow();

// The primary screen's size in pixels (GetSystemMetrics SM_CXSCREEN / SM_CYSCREEN).
int ScreenWidth();
int ScreenHeight();

// The client area in client coordinates, and a client point converted to screen coordinates.
Rect GetClientRect();
void ClientToScreen(int& x, int& y);
void ScreenToClient(int& x, int& y);

// Takes the next message, pumping the host's events first. False when the queue is empty.
bool PeekMessage(Message& out);

// Blocks until the host has an event or a message is queued.
void WaitMessage();

void PostMessage(uint32_t message, WParam wParam, LParam lParam);
LResult SendMessage(uint32_t message, WParam wParam, LParam lParam);
void PostQuitMessage(int exitCode);

// Runs the registered window procedure for a taken message.
LResult DispatchMessage(const Message& message);

// What the host does with a message the window procedure does not handle.
LResult DefWindowProc(uint32_t message, WParam wParam, LParam lParam);

// Full-screen switching of the real window (desktop-sized, aspect kept, no mode change).
bool SetWindowFullScreen(bool fullScreen);

// Windowed style (title bar, not topmost, resizable) with a client area for a picture of the
// given size, centred on the screen. On a real desktop the client area is the size the player
// last gave the window, brought inside the work area, or at the first start the largest whole
// multiple of the picture that fits the work area with the window's frame; leaving full screen
// gives the window back the size it had. The headless window takes the picture's size.
void FitWindowToClient(int clientWidth, int clientHeight);

// Whether the player left the game in full screen the last time it ran, so that this start goes
// full screen as well. Always false on the headless platform.
bool WindowRestoresFullScreen();

} // namespace platform

namespace platform {

// The desktop's colour depth in bits per pixel: 32 on Linux, or what TESSARY_DESKTOP_DEPTH says
// (8, 16, 24 or 32), the stand-in for running the game on a desktop set to another depth.
int DesktopDepth();

} // namespace platform
