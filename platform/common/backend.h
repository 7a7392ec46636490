// What each platform implementation (sdl, headless) supplies to the shared message queue.
// Internal to platform/.
#pragma once
#include "platform/window.h"

namespace platform::backend {

bool StartVideo();
bool CreateWindow(const char* title, int x, int y, int width, int height);
void DestroyWindow();
bool WindowExists();

// Turns every waiting host event into a queued message (PostMessage).
void PumpEvents();

// Blocks until the host has an event for PumpEvents.
void WaitEvent();

LResult DefWindowProc(uint32_t message, WParam wParam, LParam lParam);

// Whether text uses the installed faces (else the built-in bitmap font).
bool SystemFontsWanted();

} // namespace platform::backend
