#include "game/flow/pause.h"

#include <string>

#include "game/flow/game_keys.h"
#include "game/flow/game_start.h"
#include "game/player/stage_progress.h"
#include "platform/key_names.h"
#include "runtime/input/joystick.h"
#include "runtime/input/keyboard.h"
#include "runtime/shell/frame_hold.h"

namespace pelko {
namespace {

constexpr const char* kHeading = "PAUSE";
constexpr const char* kAwayKeys = "The game goes on when its window is active again";
// The line as it reads with the default keys; longer names close up the gaps so that the line
// keeps within the screen.
constexpr size_t kDefaultLineLength = 75;

bool Pressed(int state) {
    return state == tessary::KEY_PRESSED;
}

// "P, Pause or Start": the action's keys and the pad's button.
std::string KeysAndButton(Action a, const char* button) {
    const PlayerKeys& keys = Globals().keys;
    std::string text = platform::KeyName(keys.Key(a));
    if (const int second = keys.SecondKey(a); second != 0)
        text += std::string(", ") + platform::KeyName(second);
    return text + " or " + button;
}

std::string PausedKeysLine() {
    const std::string goOn = KeysAndButton(Action::Pause, "Start") + ": go on";
    const std::string endRun = KeysAndButton(Action::EndRun, "Back") + ": end the run";
    std::string line = goOn + "     " + endRun + "     Esc: quit";
    if (line.size() > kDefaultLineLength) line = goOn + "   " + endRun + "   Esc: quit";
    return line;
}

// Each key and button is read once each time, whatever the others read, so that each keeps its
// own press and release.
bool KeysPressed(Action a) {
    const PlayerKeys& keys = Globals().keys;
    const bool first = Pressed(tessary::KeyState(keys.Key(a)));
    const int second = keys.SecondKey(a);
    return (second != 0 && Pressed(tessary::KeyState(second))) || first;
}

bool PadPressed(uint32_t button) {
    return Pressed(tessary::JoyState(0, button));
}

} // namespace

void SetUpPause() {
    tessary::SetPausableFrame(InGameFrame, PausedFrame);
    Globals().pausedKeysLine = PausedKeysLine();
    tessary::SetPauseSign(kHeading, Globals().pausedKeysLine.c_str(), kAwayKeys);
}

// Back pauses too, so that ending a run from the pad takes two presses, never one slip.
bool PauseAsked() {
    const bool key = KeysPressed(Action::Pause);
    const bool start = PadPressed(kPadStart);
    const bool back = PadPressed(kPadBack);
    return (key || start || back) && tessary::PauseFrames() == 1;
}

int PausedFrame() {
    const bool key = KeysPressed(Action::Pause);
    const bool pad = PadPressed(kPadStart);
    const bool south = PadPressed(kPadSouth);
    const bool endRun = KeysPressed(Action::EndRun);
    const bool back = PadPressed(kPadBack);
    if (endRun || back) {
        EndRun();
        tessary::ResumeFrames();
    } else if (key || pad || south) {
        tessary::ResumeFrames();
    }
    return 1;
}

} // namespace pelko
