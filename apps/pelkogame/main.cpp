// The game program: the runtime's entry with the game's start function, its frame of play and
// its end.
#include "game/flow/game_start.h"
#include "runtime/shell/entry.h"

int main() {
    return tessary::WinMain(
        tessary::GameEntry{pelko::GameStart, pelko::InGameFrame, pelko::GameEnd});
}
