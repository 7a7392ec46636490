// The settings file "GameData\Game.ini", read once at start.
#pragma once

namespace pelko {

void ReadSettings();

} // namespace pelko
