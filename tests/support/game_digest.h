// A digest of the state of play: everything that decides what happens next (the clock, the run,
// the players and their shots, the enemies and their shots, the boss, the item, the messages),
// so that two runs that agree frame by frame on it have played the same game.
#pragma once
#include <cstdint>
#include <string>

namespace pelko::testing {

uint64_t GameStateDigest();

// The same fields as readable text, for the message of a failed comparison.
std::string DescribeGameState();

// A digest of the last presented picture.
uint64_t PresentedFrameDigest();

} // namespace pelko::testing
