#include "frame_loop.h"

#include "platform/clock.h"
#include "platform/virtual_keys.h"
#include "platform/window.h"
#include "runtime/graphics/display.h"
#include "runtime/input/joystick.h"
#include "runtime/input/keyboard.h"
#include "runtime/input/mouse.h"
#include "runtime/shell/diagnostics.h"
#include "runtime/shell/frame_hold.h"
#include "runtime/shell/frame_pacing.h"

namespace tessary {
namespace {

constexpr int kMaxFramePeriod = 500;

// In full screen the task switcher and the Windows keys would tear the game out of its screen;
// they are swallowed there and reach the desktop in a window.
bool SwallowedInFullScreen(const platform::Message& m) {
    if (m.message == platform::WM_SYSKEYDOWN &&
        (m.wParam == platform::kVkEscape || m.wParam == platform::kVkTab))
        return true;
    return m.wParam == platform::kVkLeftWindows || m.wParam == platform::kVkRightWindows;
}

// Step 1 and 2 of a tick: false when WM_QUIT arrived.
bool PumpMessages() {
    for (;;) {
        platform::Message m;
        while (platform::PeekMessage(m)) {
            if (m.message == platform::WM_QUIT) return false;
            if (TheDisplay().IsFullScreen() && SwallowedInFullScreen(m)) continue;
            platform::DispatchMessage(m);
        }
        if (Runtime().active != 0) return true;
        platform::WaitMessage();
    }
}

} // namespace

int SetFrameCallback(FrameCallback fn) {
    if (fn == nullptr) return 0;
    Runtime().frameCallback = fn;
    return 1;
}

void SetFramePeriod(int ms) {
    if (ms < 0) ms = 0;
    if (ms > kMaxFramePeriod) ms = kMaxFramePeriod;
    Runtime().framePeriod = static_cast<uint32_t>(ms);
}

int SetQuitKey(int vk) {
    if (vk < 0 || vk > 256) return 0;
    Runtime().quitKey = static_cast<uint16_t>(vk & 0xFFFF);
    return 1;
}

int RunTick() {
    BeginInputTick();
    if (!PumpMessages()) return 0;
    if (FramesPaused() != 0) {
        RunPausedTick();
        return 1;
    }
    RuntimeState& rt = Runtime();
    if (rt.joystickPolling != 0) PollJoysticks();
    if (rt.mousePolling != 0) PollMouse();
    if (rt.frameCallback != nullptr) rt.frameCallback();
    Display& display = TheDisplay();
    if (FramesPaused() != 0)
        ShowHoldSign(); // the frame paused the game: the picture before it goes under the sign
    else if (display.presentPaused == 0)
        display.Present();
    // The back buffer is restored with the primary: in a window it is a surface of its own, and
    // left lost nothing would be drawn again.
    const bool primaryLost = display.primary && display.primary->IsLost();
    const bool backLost = display.backBuffer && display.backBuffer->IsLost();
    if (primaryLost || backLost) {
        DebugPrint("Flont/Back Bufferを復元します。\n");
        if (primaryLost) display.primary->Restore();
        if (backLost) display.backBuffer->Restore();
    }
    return 1;
}

void RunFrameLoop() {
    uint32_t base = platform::TimeGetTime();
    DisplayPacer pacer;
    for (;;) {
        if (FramesPaused() != 0) {
            if (WaitWhilePaused() == 0) return;
            // The time spent paused is no backlog: the schedule starts afresh from the resume,
            // and the next frame comes one period later, like any other.
            base = platform::TimeGetTime();
            pacer.Restart();
            continue;
        }
        // Where the display paces the frames its refresh is the clock; when the timer takes over
        // again, its schedule starts from the last of those turns.
        if (pacer.Engaged()) {
            if (!pacer.Turn()) return;
            base = platform::TimeGetTime();
            continue;
        }
        // The difference is taken modulo 2^32, so the wrap of the millisecond counter is
        // harmless, and read as signed: a frame that raises the period moves base past now, and
        // that must mean "wait longer", not "four billion milliseconds late".
        int64_t elapsed = static_cast<int32_t>(platform::TimeGetTime() - base);
        int64_t period = Runtime().framePeriod;
        if (elapsed < period) {
            platform::Sleep(static_cast<uint32_t>(period - elapsed));
            continue;
        }
        if (RunTick() == 0) return;
        int64_t p = Runtime().framePeriod;
        if (elapsed < 4 * p)
            base += static_cast<uint32_t>(p);
        else
            base += static_cast<uint32_t>(elapsed - p);
    }
}

} // namespace tessary
