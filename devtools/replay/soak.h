// The soak: the title, the demo and run after run (the autopilot playing) for the given minutes of
// game time, printing the heap and resident memory at the start, over the first and the last ten
// minutes, and at the end. 0 when the heap did not grow from the first ten minutes to the last and
// stayed under its budget.
//
// A font is opened, and its glyphs beyond printable ASCII rasterised, on first use and kept, so
// the first time through each stage and the staff roll leaves the heap a little higher for good.
// The hour is therefore counted from the end of a warm-up that has shown every screen once, the
// staff roll included (at most `warmUpMinutes` of game time; 0 for none); the warm-up's own peak
// is printed too.
#pragma once

namespace pelko::testing {

int RunSoak(double minutes, double warmUpMinutes);

} // namespace pelko::testing
