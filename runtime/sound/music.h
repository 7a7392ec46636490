// Background music: standard MIDI files played by the sequencer through its string commands, one
// piece at a time under the alias MIDI. The game starts and closes pieces; the window code pauses,
// resumes and closes them and passes on the sequencer's completion notices.
#pragma once
#include <cstdint>

namespace tessary {

struct MusicState {
    int32_t open = 0;    // a piece is open under the alias MIDI
    int32_t loop = 0;    // the open piece restarts when it ends
    int32_t playing = 0; // the open piece is playing (not paused, not ended)
};

MusicState& TheMusic();

// Plays path (relative to the current directory, "GameData\BGM1.mid") from its start, closing the
// piece before it. 1 on success; a file that cannot be opened gives a debug line and 0.
int PlayMidi(const char* path, int loop);

// Stops and closes a playing piece; 1 when it acted.
int CloseMidi();

// The window was deactivated or minimised: stop where the piece stands. 1 when it paused one.
int PauseMusic();

// The window is back: continue from where the piece stopped. 1 when it resumed one.
int ResumeMusic();

// The sequencer reports that a piece played with notify has ended: loop it or close it.
void OnMusicNotify();

// The window is being destroyed: close whatever piece is open, paused or not.
void CloseAllMusic();

// The music's volume on the effects' 0..100 scale and by their curve (above 100 is full, below 0
// silent), for every piece from now on.
void SetMusicVolume(int volume);

} // namespace tessary
