// The settings file "GameData\Game.ini", read once at start.
#pragma once

namespace pelko {

struct GameGlobals;

void ReadSettings();

// The frame rate and what follows from it, as the key FPS sets them: the frame period of the
// title, demo and play, the speed factor that keeps play at the same pace at either rate, and the
// stage reader's time divisor. fps must be 1..60.
void SetFrameRate(GameGlobals& g, int fps);

} // namespace pelko
