// The mixer behind audio.h, shared by both implementations: 32 slots already in the mix format
// and the music renderer, summed into one interleaved stereo float stream. Internal to platform/.
//
// The audio thread renders the slots under the mixer's lock; the main thread takes the lock only
// to swap a slot's data or flip its play state, so the audio thread never waits longer than that.
// Nothing is allocated or freed while the lock is held by the renderer. The music takes no part
// in this lock: it is handed over without one (music_handover.h).
#pragma once
#include <array>
#include <cstdint>
#include <mutex>
#include <vector>

#include "mix_limiter.h"
#include "platform/audio.h"

namespace platform::audio {

// Source PCM as stereo 16-bit frames at kMixRate, resampled linearly when the rate differs.
// Empty when the format is not playable or the data holds no whole block.
std::vector<int16_t> ConvertToMixFormat(const PcmFormat& format, const uint8_t* data, size_t bytes);

struct Slot {
    std::vector<int16_t> frames; // interleaved stereo
    size_t position = 0;         // in frames
    float gain = 1.0f;
    bool filled = false;
    bool playing = false;
    bool looping = false;
    bool lost = false;
};

class Mixer {
  public:
    std::mutex& Lock() { return mutex_; }

    AudioResult Fill(int slot, std::vector<int16_t>& frames);
    void Release(int slot);
    void Restore(int slot);
    void Lose(int slot);
    AudioResult Play(int slot, bool loop);
    bool SetVolume(int slot, int32_t hundredthsOfDecibel);
    bool Filled(int slot);
    bool Playing(int slot);

    // Writes frames of the mix to out: the music, every playing slot added at its gain, then
    // the limiter, and a clamp to -1..1 behind it (interleaved stereo floats).
    void Render(float* out, int frames);

    // Empties every slot and gives lost slots back.
    void Reset();

  private:
    void MixSlot(Slot& slot, float* out, int frames);

    std::mutex mutex_;
    std::array<Slot, kAudioSlotCount> slots_{};
    MixLimiter limiter_;
};

// The one mixer of the process. Never destroyed, so that static objects of the runtime may still
// release their slots at exit.
Mixer& TheMixer();

} // namespace platform::audio
