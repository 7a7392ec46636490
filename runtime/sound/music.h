// Music through the MCI sequencer. The window code pauses, resumes and closes it.
#pragma once

namespace tessary {

void PauseMusic();
void ResumeMusic();
void OnMusicNotify();
void CloseAllMusic();

} // namespace tessary
