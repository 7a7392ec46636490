#include "frame_pacing.h"

#include <algorithm>
#include <cmath>

#include "platform/clock.h"
#include "platform/present.h"
#include "runtime/graphics/display.h"
#include "runtime/shell/frame_loop.h"
#include "runtime/shell/runtime_state.h"

namespace tessary {
namespace {

// How far the refresh may lie from a whole multiple of the tick rate, as a share of the refresh:
// 60 fps (62.5 ticks a second at 16 ms) on 60 Hz is 4 % off, on 144 Hz 13 %.
constexpr double kTolerance = 0.05;

// Ticks are scheduled this much ahead of the reported refresh, so that a display a little faster
// than its rounded rate still makes every present wait.
constexpr double kLead = 0.002;

// The tick for the frame after next starts this far into the refresh before the frame's own.
constexpr double kStartIntoRefresh = 0.125;

// Beyond this a refresh rate is no display's: no pacing (and no overflow in the count).
constexpr double kMostRefreshesPerFrame = 1000.0;

} // namespace

int RefreshesPerFrame(double refreshHz, uint32_t framePeriodMs, bool waitsForVSync) {
    if (!waitsForVSync || !(refreshHz > 0.0) || framePeriodMs == 0) return 0;
    const double tickHz = 1000.0 / static_cast<double>(framePeriodMs);
    const double multiple = std::round(refreshHz / tickHz);
    if (multiple < 1.0 || multiple > kMostRefreshesPerFrame ||
        std::abs(refreshHz - multiple * tickHz) > kTolerance * refreshHz)
        return 0;
    return static_cast<int>(multiple);
}

bool DisplayPacer::Engaged() {
    const double hz = platform::DisplayRefreshHz();
    const int refreshes =
        RefreshesPerFrame(hz, Runtime().framePeriod, TheDisplay().PresentsWaitForVSync());
    if (refreshes != refreshes_) {
        platform::SetRefreshesPerFrame(refreshes);
        if (refreshes_ == 0) due_ = platform::TimeMicros(); // taken over: a tick at once
        refreshes_ = refreshes;
    }
    refreshUs_ = refreshes > 0 ? 1e6 / hz : 0.0;
    return refreshes > 0;
}

bool DisplayPacer::Turn() {
    const uint64_t now = platform::TimeMicros();
    if (now < due_) {
        platform::SleepMicros(due_ - now);
        return true;
    }
    if (RunTick() == 0) return false;
    const double after = static_cast<double>(platform::TimeMicros());
    const double n = refreshes_;
    const double onSchedule = static_cast<double>(due_) + n * refreshUs_ * (1.0 - kLead);
    const double afterTheRefresh = after + (n - 1.0 + kStartIntoRefresh) * refreshUs_;
    due_ = static_cast<uint64_t>(std::max(onSchedule, afterTheRefresh));
    return true;
}

void DisplayPacer::Restart() {
    due_ = platform::TimeMicros() + static_cast<uint64_t>(refreshes_ * refreshUs_);
}

} // namespace tessary
