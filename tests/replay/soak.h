// The soak: the title, the demo and run after run (the autopilot playing) for the given minutes of
// game time, printing the heap and resident memory at the start, over the first and the last ten
// minutes, and at the end. 0 when the heap did not grow from the first ten minutes to the last and
// stayed under its budget.
#pragma once

namespace pelko::testing {

int RunSoak(double minutes);

} // namespace pelko::testing
