// Which key a key press in the dialog was, as the virtual-key code the game reads it by.
#pragma once

class QKeyEvent;

namespace editor {

// Whether the window system's own key codes are the Linux input codes plus 8, as on X11 and
// Wayland: they tell a key by its place on the keyboard, as the game reads keys.
bool KeyCodesTellThePlace();

// The key's virtual-key code: by its place when byPlace and the event carries a key code, so
// that what is pressed here is what the game reads whatever the layout; else by the key Qt
// names. 0 for a key the game does not read.
int VirtualKeyOf(const QKeyEvent& event, bool byPlace);

} // namespace editor
