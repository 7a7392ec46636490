// Until the MIDI player exists no piece can be open, so there is nothing to pause or close.
#include "music.h"

namespace tessary {

void PauseMusic() {}
void ResumeMusic() {}
void OnMusicNotify() {}
void CloseAllMusic() {}

} // namespace tessary
