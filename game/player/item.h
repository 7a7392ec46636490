// The one item of play: it appears where an enemy was killed, drifts, and powers up the player
// who collects it.
#pragma once

namespace pelko {

void UpdateItem(int player);

} // namespace pelko
