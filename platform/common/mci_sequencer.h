// The sequencer device behind MciSendString. Internal to platform/.
#pragma once

namespace platform::midi {

// Writes frames of the open piece's music to out (zeros when none sounds) and posts the notice
// of a piece that has just ended. Called by the mixer with its lock held.
void RenderSequencer(float* out, int frames);

// Closes any open piece without notices, as a fresh process has none.
void ResetSequencer();

// The current piece's position in MIDI ticks (0 when none is open), for tests.
int SequencerTick();

} // namespace platform::midi
