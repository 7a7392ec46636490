// The player an enemy or a shot goes for: an index into the players table, drawn at random.
#pragma once

namespace tessary {
struct Sprite;
}

namespace pelko {

// Random(playerCount - 1). The generator's top value gives playerCount, which is still a player
// of the table while fewer than four play; with four it would be past the table's end, so the
// index is kept inside it.
int RandomPlayerIndex();

// The player at index, kept inside the table; none before the players exist.
const tessary::Sprite* TargetPlayer(int index);

} // namespace pelko
