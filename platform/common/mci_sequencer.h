// The sequencer device behind MciSendString. Internal to platform/.
#pragma once

namespace platform::midi {

// Posts the successful notice of a piece that has played to its end, when one was asked for,
// and frees the pieces the audio thread has let go of. The message queue calls it each time it
// is looked at, on the game thread.
void PostEndOfPieceNotice();

// Closes any open piece without notices, as a fresh process has none. Only with no audio thread
// rendering.
void ResetSequencer();

// The current piece's position in MIDI ticks (0 when none is open), for tests.
int SequencerTick();

} // namespace platform::midi
