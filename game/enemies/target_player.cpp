#include "game/enemies/target_player.h"

#include <algorithm>

#include "game/flow/game_globals.h"
#include "game/player/player.h"
#include "runtime/shell/diagnostics.h"

namespace pelko {

int RandomPlayerIndex() {
    const int index = tessary::Random(Globals().playerCount - 1);
    return std::clamp(index, 0, kMaxPlayers - 1);
}

const tessary::Sprite* TargetPlayer(int index) {
    return Globals().players[std::clamp(index, 0, kMaxPlayers - 1)];
}

} // namespace pelko
