// Pausing a run: the pause key (P, and Pause with it while P is the pause key), or a pad's Start
// or Back pause play, and so does the window losing the focus; while paused, the pause key, Start
// or south go on, the end-the-run key (Delete, and F1 with it) or Back end the run, and Esc quits
// as it always does.
#pragma once

namespace pelko {

// Makes play the screen that pauses, with its sign naming the player's keys. Called once at
// start, after the settings are read.
void SetUpPause();

// Read first in every frame of play: true when this frame pauses instead of running.
bool PauseAsked();

// Runs in place of the frames of play while they are paused, whenever input arrives.
int PausedFrame();

} // namespace pelko
