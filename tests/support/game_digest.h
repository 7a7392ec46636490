// A digest of the state of play: everything that decides what happens next (the clock, the run,
// the players and their shots, the enemies and their shots, the boss, the item, the messages),
// so that two runs that agree frame by frame on it have played the same game.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace pelko::testing {

uint64_t GameStateDigest();

// The same fields as readable text, for the message of a failed comparison.
std::string DescribeGameState();

// The digest's parts one by one (the run, each player, its shots, the enemies, their shots, the
// boss, its shots, ...), so that a replay that parts from its recording can say what differs.
struct StateSection {
    const char* name;
    uint64_t digest;
};
std::vector<StateSection> GameStateSections();

// The running screen's name ("Title", "InGame", ...).
const char* ScreenName();

// A digest of the last presented picture.
uint64_t PresentedFrameDigest();

} // namespace pelko::testing
