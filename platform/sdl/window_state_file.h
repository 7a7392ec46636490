// The game window as the player left it, kept between runs in
// $XDG_STATE_HOME/pelko/window.ini (by default ~/.local/state/pelko/window.ini): the size of the
// window as last sized by hand (not maximised, not full screen), whether it was maximised and
// whether the game ended in full screen. Not in Game.ini: that file is the player's settings,
// written by the settings editor; this one the game keeps for itself.
#pragma once
#include <optional>

namespace platform::sdl {

struct SavedWindow {
    int width = 0, height = 0; // client area, in the window system's units
    bool maximized = false;
    bool fullScreen = false;
};

// The saved window; nothing when there is no file, or one that does not read as a window (one
// line on the debug output says so).
std::optional<SavedWindow> ReadSavedWindow();

// Saves it; a failure is one line on the debug output.
void SaveWindow(const SavedWindow& window);

} // namespace platform::sdl
