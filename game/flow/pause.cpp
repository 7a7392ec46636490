#include "game/flow/pause.h"

#include "game/flow/game_keys.h"
#include "game/flow/game_start.h"
#include "game/player/stage_progress.h"
#include "runtime/input/joystick.h"
#include "runtime/input/keyboard.h"
#include "runtime/shell/frame_hold.h"

namespace pelko {
namespace {

constexpr const char* kHeading = "PAUSE";
constexpr const char* kPausedKeys =
    "P, Pause or Start: go on     Delete, F1 or Back: end the run     Esc: quit";
constexpr const char* kAwayKeys = "The game goes on when its window is active again";

bool Pressed(int state) {
    return state == tessary::KEY_PRESSED;
}

// Every key and button is read once each time, whatever the others read, so that each keeps its
// own press and release.
bool PauseKeyPressed() {
    bool pressed = false;
    for (int vk : kPauseKeys)
        pressed = Pressed(tessary::KeyState(vk)) || pressed;
    return pressed;
}

bool PadPressed(uint32_t button) {
    return Pressed(tessary::JoyState(0, button));
}

} // namespace

void SetUpPause() {
    tessary::SetPausableFrame(InGameFrame, PausedFrame);
    tessary::SetPauseSign(kHeading, kPausedKeys, kAwayKeys);
}

// Back pauses too, so that ending a run from the pad takes two presses, never one slip.
bool PauseAsked() {
    const bool key = PauseKeyPressed();
    const bool start = PadPressed(kPadStart);
    const bool back = PadPressed(kPadBack);
    return (key || start || back) && tessary::PauseFrames() == 1;
}

int PausedFrame() {
    const bool key = PauseKeyPressed();
    const bool pad = PadPressed(kPadStart);
    const bool south = PadPressed(kPadSouth);
    const bool del = Pressed(tessary::KeyState(kVkDelete));
    const bool f1 = Pressed(tessary::KeyState(kVkF1));
    const bool back = PadPressed(kPadBack);
    if (del || f1 || back) {
        EndRun();
        tessary::ResumeFrames();
    } else if (key || pad || south) {
        tessary::ResumeFrames();
    }
    return 1;
}

} // namespace pelko
