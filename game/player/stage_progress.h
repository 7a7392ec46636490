// The course of a run: its start, the boss warning a minute into each stage, the clear with its
// time bonus, the next stage or the ending, and the end of the run.
#pragma once

namespace pelko {

void StartRun();
// Pads come and go during a run: a run that began without one takes up a pad plugged in later as
// the run start would have. A pad pulled out leaves the keyboard; it is read again when it comes
// back.
void TakeUpPluggedPads();
void CheckBossWarning();
void StepStageProgress();
void EndRun();

} // namespace pelko
