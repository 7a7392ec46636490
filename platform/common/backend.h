// What each platform implementation (sdl, headless) supplies to the shared message queue.
// Internal to platform/.
#pragma once
#include <cstdint>
#include <string>

#include "platform/window.h"

namespace platform::backend {

bool StartVideo();
bool CreateWindow(const char* title, int x, int y, int width, int height);
void DestroyWindow();
bool WindowExists();

// Turns every waiting host event into a queued message (PostMessage).
void PumpEvents();

// Blocks until the host has an event for PumpEvents.
void WaitEvent();

// Whether text uses the installed faces (else the built-in bitmap font).
bool SystemFontsWanted();

} // namespace platform::backend

namespace platform::backend {

// Starts the implementation's audio output, which pulls the mix from audio::TheMixer(). False
// only when the platform has no audio at all.
bool StartAudioOutput();
void StopAudioOutput();

// Called at every pump of the message queue: the output's own upkeep (a device that went away
// opened again, a device looked for again while the sound is silent). Never blocks.
void ServiceAudioOutput();

// What the game asked of the sound, as it took effect: a wave slot started, a music command the
// sequencer carried out. The headless platform keeps a record of them for tests; the SDL one
// keeps nothing.
enum class MusicCommand { Open, PlayFromStart, Resume, Stop, Close };
void NoteWavePlayed(int slot, bool loop, int32_t volume);
void NoteMusicCommand(MusicCommand command, const std::string& file);

} // namespace platform::backend
