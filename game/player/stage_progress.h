// The course of a run: its start, the boss warning a minute into each stage, the clear with its
// time bonus, the next stage or the ending, and the end of the run.
#pragma once

namespace pelko {

void StartRun();
void CheckBossWarning();
void StepStageProgress();
void EndRun();

} // namespace pelko
