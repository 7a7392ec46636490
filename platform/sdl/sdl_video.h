// The SDL objects behind the main window, for the other SDL services of platform/sdl.
#pragma once
#include <SDL.h>

namespace platform::sdl {

SDL_Window* MainWindow();

// Brings up SDL's video subsystem once (with the hints this game needs); false without a display.
bool EnsureVideo();

// Once video is up on X11: a display that goes away ends the game in order instead of through
// Xlib's exit() (x11_display_loss.cpp).
void WatchForLostDisplay();

// Puts the icon the program gave (SetAppIdentity) on the window, once it exists.
void SetWindowIcon(SDL_Window* window);

// Drops the present's renderer; called before the window goes.
void DestroyPresenter();

// Virtual-key code for a scancode as key messages carry it (generic Shift, Control, Alt), 0 if
// none.
int VirtualKeyForScancode(SDL_Scancode scancode);

} // namespace platform::sdl
