// Pausing a run: P, Pause, or a pad's Start or Back pause play, and so does the window losing the
// focus; while paused, P, Pause, Start or south go on, Delete, F1 or Back end the run, and Esc
// quits as it always does.
#pragma once

namespace pelko {

// Makes play the screen that pauses, with its sign. Called once at start.
void SetUpPause();

// Read first in every frame of play: true when this frame pauses instead of running.
bool PauseAsked();

// Runs in place of the frames of play while they are paused, whenever input arrives.
int PausedFrame();

} // namespace pelko
