// The editor's icon: the settings icon of its menu entry (a penguin over three sliders), painted
// by tools/desktop_art, at every size its windows ask for.
#pragma once
#include <QIcon>

namespace editor {

// The desktop entry's id (its file name without ".desktop"): the windows' Wayland app id and
// X11 class, so that the desktop matches them to the menu entry.
inline constexpr char kDesktopFileName[] = "org.pelko.PelkoSettings";

QIcon ApplicationIcon();

} // namespace editor
