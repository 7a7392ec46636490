// What a player makes of the boss on screen: the block its parts cover, which of its shots are
// only flying in to gather before an attack (they cannot hurt), and the point they gather at,
// where the attack will start.
#pragma once
#include <vector>

namespace pelko {
class Boss;
class Shot;
} // namespace pelko

namespace pelko::testing {

// The block the boss's parts' hit boxes cover; left is far off when no part shows.
struct BossBlock {
    float left = 1e9f, top = 1e9f, right = -1e9f, bottom = -1e9f;
    bool shown() const { return left < 1e8f; }
};
BossBlock SeeBossBlock(const Boss& boss);

// Gathering shots come from far off, faster than any shot of an attack, straight at the boss;
// speedFactor is the pixels a frame of one pixel per 1/30 s.
bool Gathering(const Shot& s, float speedFactor, const BossBlock& block);

// The point the lines of flight of the gathering shots meet at (least squares); false when
// they do not pin one down.
bool MeetingPoint(const std::vector<const Shot*>& shots, float& x, float& y);

} // namespace pelko::testing
