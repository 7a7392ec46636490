// The game program: the runtime's entry with the game's start and in-game frame functions.
// Until the game's screens exist, the start function only sets the pace of an empty frame.
#include "runtime/shell/entry.h"
#include "runtime/shell/frame_loop.h"

namespace {

int EmptyFrame() {
    return 1;
}

int StartGame() {
    tessary::SetFramePeriod(16);
    tessary::SetFrameCallback(EmptyFrame);
    return 1;
}

} // namespace

int main() {
    return tessary::WinMain(tessary::GameEntry{StartGame, EmptyFrame});
}
