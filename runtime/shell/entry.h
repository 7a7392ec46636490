// The program entry of the runtime: start-up in its fixed order, then the frame loop.
#pragma once
#include "runtime/shell/runtime_state.h"

namespace tessary {

// What the game hands the runtime: its start function, called once before the first tick, its
// in-game frame function, the default frame callback until the start function replaces it, and
// its end function, called once after the last tick however the program was closed (the quit
// key, the window's close, a signal to end, its display going away).
struct GameEntry {
    int (*gameStart)() = nullptr;
    FrameCallback inGameFrame = nullptr;
    void (*gameEnd)() = nullptr;
};

// The start-up step between device creation and the game's start function.
void StartRuntime(FrameCallback inGameFrame);

// Returns 0 in every case: a normal end, a refused second instance, a failed start-up.
int WinMain(const GameEntry& game);

} // namespace tessary
