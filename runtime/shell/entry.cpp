#include "entry.h"

#include "platform/process.h"
#include "platform/virtual_keys.h"
#include "runtime/graphics/display.h"
#include "runtime/graphics/image_slots.h"
#include "runtime/graphics/primitives.h"
#include "runtime/graphics/text.h"
#include "runtime/graphics/transitions.h"
#include "runtime/input/joystick.h"
#include "runtime/shell/diagnostics.h"
#include "runtime/shell/frame_loop.h"
#include "runtime/shell/main_window.h"
#include "runtime/sound/wave_bank.h"

namespace tessary {
namespace {

constexpr int kStartFramePeriod = 50;

// The game's end function while the game runs.
void (*g_gameEnd)() = nullptr;

// The display went away: no tick will come again, so the game ends here as after the last one.
void EndWithoutDisplay() {
    if (g_gameEnd != nullptr) g_gameEnd();
}

} // namespace

void StartRuntime(FrameCallback inGameFrame) {
    CreateScratchImage(); // a failure is only noted on the debug output
    InitJoysticks();
    StartStopwatches();
    SetFramePeriod(kStartFramePeriod);
    SetQuitKey(platform::kVkEscape);
    ClearScreen(0);
    SetTextFont(8, 16, 0xFFFFFF, "標準ゴシック");
    SetFadeLevel(1);
    SetFrameCallback(inGameFrame);
    Runtime().active = 1;
}

int WinMain(const GameEntry& game) {
    RuntimeState& rt = Runtime();
    rt = RuntimeState{};
    rt.instance = 1;
    BuildSineTable();
    if (CreateMainWindow() == 0) return 0;
    if (TheDisplay().Open() == 0) return 0;
    if (CreateSoundDevice() == 0) return 0;
    StartRuntime(game.inGameFrame);
    if (game.gameStart != nullptr) game.gameStart();
    g_gameEnd = game.gameEnd;
    platform::SetDisplayLostHandler(EndWithoutDisplay);
    RunFrameLoop();
    // From here the game's end runs below, once; after it the game's objects may be gone.
    platform::SetDisplayLostHandler(nullptr);
    if (game.gameEnd != nullptr) game.gameEnd();
    return 0;
}

} // namespace tessary
