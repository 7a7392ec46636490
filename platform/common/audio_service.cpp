// The sound output of audio.h over the shared mixer; the implementation only moves the mix to
// the host (SDL's audio callback, or the headless platform's render on demand).
#include <cmath>
#include <utility>

#include "audio_mixer.h"
#include "backend.h"
#include "music_handover.h"
#include "music_synth.h"
#include "platform/audio.h"

namespace platform {
namespace {

bool g_deviceOpen = false;

} // namespace

namespace detail {
void ResetAudioDevice() {
    g_deviceOpen = false;
}
} // namespace detail

bool OpenAudioDevice() {
    if (g_deviceOpen) return true;
    // Everything the audio callback uses is built here, before it first runs: built there, on
    // first use, it would be allocated on the audio thread.
    audio::TheMixer();
    midi::TheMusicHandover();
    midi::TheMusicSynth();
    g_deviceOpen = backend::StartAudioOutput();
    return g_deviceOpen;
}

void CloseAudioDevice() {
    if (!g_deviceOpen) return;
    backend::StopAudioOutput();
    g_deviceOpen = false;
}

bool AudioDeviceOpen() {
    return g_deviceOpen;
}

bool IsPlayablePcm(const PcmFormat& f) {
    if (f.channels != 1 && f.channels != 2) return false;
    if (f.bitsPerSample != 8 && f.bitsPerSample != 16) return false;
    if (f.samplesPerSec == 0 || f.samplesPerSec > 384000) return false;
    return f.blockAlign == f.channels * f.bitsPerSample / 8;
}

AudioResult FillAudioSlot(int slot, const PcmFormat& format, const uint8_t* data, size_t bytes) {
    if (slot < 0 || slot >= kAudioSlotCount) return AudioResult::Failed;
    std::vector<int16_t> frames = audio::ConvertToMixFormat(format, data, bytes);
    if (frames.empty()) return AudioResult::Failed;
    return audio::TheMixer().Fill(slot, std::move(frames));
}

void ReleaseAudioSlot(int slot) {
    audio::TheMixer().Release(slot);
}
void RestoreAudioSlot(int slot) {
    audio::TheMixer().Restore(slot);
}
AudioResult PlayAudioSlot(int slot, bool loop) {
    const AudioResult result = audio::TheMixer().Play(slot, loop);
    if (result == AudioResult::Ok)
        backend::NoteWavePlayed(slot, loop, audio::TheMixer().Volume(slot));
    return result;
}

bool SetAudioSlotVolume(int slot, int32_t hundredthsOfDecibel) {
    return audio::TheMixer().SetVolume(slot, hundredthsOfDecibel);
}

bool AudioSlotFilled(int slot) {
    return audio::TheMixer().Filled(slot);
}
bool AudioSlotPlaying(int slot) {
    return audio::TheMixer().Playing(slot);
}

void SetMusicVolume(int32_t hundredthsOfDecibel) {
    midi::TheMusicHandover().SetGain(GainForVolume(hundredthsOfDecibel));
}

float GainForVolume(int32_t v) {
    // The bottom of the scale is silence, not the -100 dB the formula would give.
    if (v <= kAudioVolumeMin) return 0.0f;
    if (v >= 0) return 1.0f;
    return static_cast<float>(std::pow(10.0, v / 2000.0));
}

} // namespace platform
