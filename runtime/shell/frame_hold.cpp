#include "frame_hold.h"

#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/window.h"
#include "runtime/graphics/display.h"
#include "runtime/graphics/pause_sign.h"
#include "runtime/input/joystick.h"
#include "runtime/input/keyboard.h"
#include "runtime/shell/frame_loop.h"
#include "runtime/sound/music.h"

namespace tessary {
namespace {

void KeepFrameBeneath(HoldState& h) {
    Display& d = TheDisplay();
    if (!d.backBuffer) return;
    h.beneath = d.CreateOffscreen(d.backBuffer->Width(), d.backBuffer->Height(), 0);
    if (!h.beneath) return;
    platform::BltFast(*h.beneath, 0, 0, *d.backBuffer,
                      platform::Rect{0, 0, d.backBuffer->Width(), d.backBuffer->Height()}, false);
}

// The frame goes back as it was: a screen that draws nothing in its next frame (the start of the
// staff roll) shows it, and nothing of the sign is ever seen in play.
void PutFrameBack(HoldState& h) {
    Display& d = TheDisplay();
    if (h.beneath && d.backBuffer)
        platform::BltFast(*d.backBuffer, 0, 0, *h.beneath,
                          platform::Rect{0, 0, h.beneath->Width(), h.beneath->Height()}, false);
    h.beneath.reset();
}

void UpdateHold() {
    HoldState& h = TheHold();
    const bool hold = h.paused != 0 || Runtime().active == 0;
    if (hold && h.held == 0) {
        PauseMusic();
        platform::HoldAudioSlots(true);
    } else if (!hold && h.held != 0) {
        ResumeMusic();
        platform::HoldAudioSlots(false);
        PutFrameBack(h);
    }
    h.held = hold ? 1 : 0;
}

bool PausableScreenRuns() {
    const HoldState& h = TheHold();
    return h.pausableFrame != nullptr && Runtime().frameCallback == h.pausableFrame;
}

} // namespace

void SetPausableFrame(FrameCallback frame, FrameCallback whilePaused) {
    HoldState& h = TheHold();
    h.pausableFrame = frame;
    h.whilePaused = whilePaused;
}

void SetPauseSign(const char* heading, const char* pausedLine, const char* awayLine) {
    HoldState& h = TheHold();
    h.heading = heading;
    h.pausedLine = pausedLine;
    h.awayLine = awayLine;
}

int PauseFrames() {
    if (!PausableScreenRuns()) return 0;
    TheHold().paused = 1;
    UpdateHold();
    return 1;
}

void ResumeFrames() {
    TheHold().paused = 0;
    UpdateHold();
}

int FramesPaused() {
    return TheHold().paused;
}

void HoldForInactiveWindow() {
    if (PausableScreenRuns()) TheHold().paused = 1;
    UpdateHold();
    ShowHoldSign();
}

void ReleaseForActiveWindow() {
    UpdateHold();
}

void ShowHoldSign() {
    HoldState& h = TheHold();
    if (h.held == 0) return;
    if (!h.beneath) {
        KeepFrameBeneath(h);
        DrawPauseSign(h.heading, h.paused != 0 ? h.pausedLine : h.awayLine);
    }
    TheDisplay().Present();
}

void RunPausedTick() {
    if (Runtime().joystickPolling != 0) PollJoysticks();
    HoldState& h = TheHold();
    if (h.whilePaused != nullptr) h.whilePaused();
    ShowHoldSign();
}

// A key just pressed or let go is read again a period later, as the frames would read it:
// otherwise a press that follows its release, with no input between, would read as held.
int WaitWhilePaused() {
    while (FramesPaused() != 0) {
        if (InputChanging() != 0)
            platform::Sleep(Runtime().framePeriod);
        else
            platform::WaitMessage();
        if (RunTick() == 0) return 0;
    }
    return 1;
}

} // namespace tessary
