// The audio stream on SDL: one device in the mixer's own format, fed by SDL's audio thread.
#include <SDL.h>

#include <string>

#include "../common/audio_mixer.h"
#include "../common/backend.h"
#include "platform/message_box.h"

namespace platform::backend {
namespace {

// 512 frames at 44.1 kHz is 11.6 ms a buffer, well inside the 50 ms a game's sound may lag.
constexpr Uint16 kCallbackFrames = 512;

SDL_AudioDeviceID g_device = 0;

void FillStream(void* /*userdata*/, Uint8* stream, int len) {
    audio::TheMixer().Render(reinterpret_cast<float*>(stream),
                             len / static_cast<int>(sizeof(float) * kMixChannels));
}

bool OpenStream() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    SDL_AudioSpec want{};
    want.freq = kMixRate;
    want.format = AUDIO_F32SYS;
    want.channels = kMixChannels;
    want.samples = kCallbackFrames;
    want.callback = FillStream;
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts to whatever the device needs.
    g_device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (g_device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    SDL_PauseAudioDevice(g_device, 0);
    return true;
}

} // namespace

bool StartAudioOutput() {
    if (OpenStream()) return true;
    const std::string why = SDL_GetError();
    // The dummy driver keeps the stream's time, so music still ends and loops, in silence.
    SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
    const bool silent = OpenStream();
    const std::string line = "audio: no output device (" + why + "); " +
                             (silent ? "sound is silent\n" : "sound and music are off\n");
    OutputDebugString(line.c_str());
    return true; // the game goes on without sound
}

void StopAudioOutput() {
    if (g_device == 0) return;
    SDL_CloseAudioDevice(g_device);
    g_device = 0;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

// The programs keep no record of what they played.
void NoteWavePlayed(int, bool, int32_t) {}
void NoteMusicCommand(MusicCommand, const std::string&) {}

} // namespace platform::backend
