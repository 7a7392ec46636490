// A pilot that plays the real game by looking at the screen: it reads where the enemies, their
// shots, the item and the boss are drawn (their sprites' positions, velocities and hit boxes) and
// sets the keys of the coming frame. It steers clear of what is coming, lines the ship up with the
// nearest target, fires all the time, collects items and spends special attacks when cornered or
// against the boss. It never reads the stage schedule or the random generator, and never presses
// the keys that start the boss's attacks by hand.
#pragma once
#include <cstdint>

#include "support/replay_driver.h"

namespace pelko::testing {

class Autopilot : public InputSource {
  public:
    // Sets the keys for the coming tick; ticks count from 1, the first after Boot().
    void BeforeTick(GameHarness& game, uint64_t tick) override;

    int SpecialsUsed() const { return specialsUsed_; }
    // Whether the pilot has ever held this virtual key down.
    bool EverPressed(int vk) const { return vk >= 0 && vk < 256 && everPressed_[vk]; }

  private:
    void Press(GameHarness& game, int vk, bool down);
    void ChooseSpecial(GameHarness& game, int wanted);

    bool keys_[256] = {};
    bool everPressed_[256] = {};
    int specialCooldown_ = 0;
    int xPause_ = 0;
    int specialsUsed_ = 0;
};

} // namespace pelko::testing
