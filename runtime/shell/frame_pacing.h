// Frames paced to the display. Where presents wait for the vertical blank and the display's
// refresh is a whole multiple of the tick rate (within 5 %), each frame is shown for the same
// number of refreshes and the ticks follow the display instead of the millisecond timer: 60 fps on
// a 60 Hz display runs at 60.0 ticks a second. The game counts its time in frames, so no rule of
// play changes; only the wall-clock length of a second of play does, by under 5 %.
#pragma once
#include <cstdint>

namespace tessary {

// How many refreshes each frame is shown for when the display paces the loop: the whole multiple
// n of the tick rate (1000 / framePeriodMs per second) that lies within 5 % of the refresh. 0 when
// the millisecond timer paces it: presents that do not wait for the blank, no refresh known, a
// period of 0 (ticks back to back), or no multiple close enough (60 fps on 144 Hz).
int RefreshesPerFrame(double refreshHz, uint32_t framePeriodMs, bool waitsForVSync);

// The display-paced schedule, in microseconds. A tick is due n refreshes after the one before it,
// a hair early (0.2 %), so that where the present waits for the display, the display is the clock
// even when it runs a little faster than its reported rate. A present that returned at a refresh
// puts the next tick an eighth of a refresh after the refresh before the one its frame is meant
// for: the frame is never shown early, and a tick that ran long (or waited, minimised) is not
// followed by a burst of ticks, which the display could not show anyway.
class DisplayPacer {
  public:
    // Applies the rule for this turn of the loop (the period and the settings may have changed);
    // false when the millisecond timer paces the loop now.
    bool Engaged();
    // One turn while engaged: sleeps until the tick is due, or runs it. False on WM_QUIT.
    bool Turn();
    // After a pause: the next tick comes a frame's refreshes from now, not at once.
    void Restart();

  private:
    int refreshes_ = 0;
    double refreshUs_ = 0.0;
    uint64_t due_ = 0;
};

} // namespace tessary
