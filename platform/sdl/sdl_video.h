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

// The window was uncovered: the next present shows all of it again, bars included.
void NoteWindowExposed();

// The window's place and size as it is made, for a picture of the given size
// (window_placement.cpp); the sizes it is given by hand are noted as they change, and saved for
// the next run as the window goes.
SDL_Rect FirstWindowPlace(int pictureWidth, int pictureHeight);
void NoteWindowSize(SDL_Window* window);
void SaveWindowPlacement(SDL_Window* window);

// Virtual-key code for a scancode as key messages carry it (generic Shift, Control, Alt), 0 if
// none.
int VirtualKeyForScancode(SDL_Scancode scancode);

} // namespace platform::sdl
