// Holding the game: while the game pauses its frames, and while the window is inactive, no frame
// runs, the music and the sound effects stand still, and the last frame stays on screen dimmed
// under a sign. While paused, the game's paused callback runs instead of frames whenever input
// arrives; the frame loop then waits for input rather than for the clock, and starts its schedule
// afresh when frames resume, so that the time spent paused is no backlog to catch up.
#pragma once
#include <memory>

#include "platform/surface.h"
#include "runtime/shell/runtime_state.h"

namespace tessary {

struct HoldState {
    FrameCallback pausableFrame = nullptr; // the one screen that can pause
    FrameCallback whilePaused = nullptr;   // runs whenever input arrives while paused
    const char* heading = "";
    const char* pausedLine = ""; // under the heading while paused
    const char* awayLine = "";   // while the window is inactive on a screen that cannot pause
    int paused = 0;
    int held = 0;                               // music and sounds stand still, the sign is up
    std::unique_ptr<platform::Surface> beneath; // the frame as it was before the sign
};
HoldState& TheHold();

// The screen that can pause, and pauses by itself when the window loses the focus, and the
// callback that runs in its place while it is paused. whilePaused reads the input and calls
// ResumeFrames (it may switch the screen first).
void SetPausableFrame(FrameCallback frame, FrameCallback whilePaused);

// The texts of the sign, kept as pointers: they must live as long as the program.
void SetPauseSign(const char* heading, const char* pausedLine, const char* awayLine);

// Pauses frames from the next tick on, while the pausable screen runs; 1 when paused. The frame
// that pauses draws nothing more: its picture is the one shown under the sign.
int PauseFrames();

// Frames go on from the next tick, the picture under the sign comes back undimmed.
void ResumeFrames();

int FramesPaused();

// The window procedure's side: the window went inactive or minimised (the pausable screen
// pauses), or it is back.
void HoldForInactiveWindow();
void ReleaseForActiveWindow();

// Shows the sign over the last frame (once per hold) and presents it.
void ShowHoldSign();

// One tick while paused: the joysticks are polled, the paused callback runs, the sign is
// presented again (a window mode change may have cleared it).
void RunPausedTick();

// The frame loop's wait while paused: one tick each time input arrives (and one more a period
// after a key or button changed), until frames resume. 0 when the queue delivered WM_QUIT.
int WaitWhilePaused();

} // namespace tessary
