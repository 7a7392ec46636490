// Drawing one frame of play: the decorations, the player and its shots, the enemies, the boss,
// the item and the weapon icon, then the HUD band.
#pragma once

namespace pelko {

class Game;

void DrawPlayField(Game& game);
void DrawHud(Game& game);

} // namespace pelko
