// Screenshots: the picture the player sees, saved as a PNG file in the user's pictures folder.
#pragma once
#include <string>

#include "platform/surface.h"

namespace platform {

// The folder screenshots go to: "Pelko" in the user's pictures folder, which is
// $XDG_PICTURES_DIR, else the XDG_PICTURES_DIR line of the user's user-dirs.dirs (as
// xdg-user-dir reads it), else ~/Pictures. Empty when no home folder can be found.
std::string ScreenshotFolder();

// Saves the frame as the present shows it (converted to 24-bit colour, through the palette at
// 8 bits) to "<folder>/Pelko_<local date and time>.png", with "_2", "_3", ... when that name is
// taken, and writes one debug line saying where, or why not. The path written, or empty.
std::string SaveScreenshot(const Surface& frame);

} // namespace platform
