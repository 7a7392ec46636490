// The game's paths ("GameData\Stage1.dat") as host paths, and the current directory.
#pragma once
#include <string>

namespace platform {

// Backslashes become slashes. When the exact path does not exist, each component is looked up
// without regard to case, so data copied from a case-insensitive file system still loads. Where a
// component exists neither way, the folders found before it are kept and the rest comes back as
// given, so a new file is made in the folder the game's path names ("gamedata/HighScore.dat").
std::string HostPath(const std::string& gamePath);

// The current directory, as GetCurrentDirectoryA gives it.
std::string GetCurrentDirectory();

} // namespace platform
