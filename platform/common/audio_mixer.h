// The mixer behind audio.h, shared by both implementations: 32 slots already in the mix format
// and the music renderer, summed into one interleaved stereo float stream. Internal to platform/.
//
// The game thread (one thread: every call but Render) owns the slots: their sounds, whether they
// are filled, lost, playing. The audio thread plays from voices of its own. The two meet only in
// atomics, so neither ever waits for the other: per slot, one word with the game thread's latest
// say (which sound, which play of it, looping or not, at what volume) and the sound it names; and
// the audio thread's word of which play ran to its end. The audio thread takes each slot's word
// up at the start of a buffer, so several commands between two buffers come out as they would
// have one after the other.
//
// A sound the game thread replaces may still be read by a buffer being rendered; it is freed by
// the game thread once that buffer is done. The audio thread allocates and frees nothing. The
// music is handed over the same way, on its own (music_handover.h).
#pragma once
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "mix_limiter.h"
#include "platform/audio.h"

namespace platform::audio {

// Source PCM as stereo 16-bit frames at kMixRate, resampled linearly when the rate differs.
// Empty when the format is not playable or the data holds no whole block.
std::vector<int16_t> ConvertToMixFormat(const PcmFormat& format, const uint8_t* data, size_t bytes);

// A slot's sound as the audio thread reads it: never changed once handed over.
struct SlotSound {
    uint16_t id = 0;             // names this sound in the slot's command word; never 0
    std::vector<int16_t> frames; // interleaved stereo
};

class Mixer {
  public:
    // Game thread.
    AudioResult Fill(int slot, std::vector<int16_t> frames);
    void Release(int slot);
    void Restore(int slot);
    void Lose(int slot);
    AudioResult Play(int slot, bool loop);
    bool SetVolume(int slot, int32_t hundredthsOfDecibel);
    bool Filled(int slot) const;
    bool Playing(int slot) const;
    // Hundredths of a decibel; 0 for a slot out of range.
    int32_t Volume(int slot) const;
    // While held, no slot is mixed and none moves on.
    void Hold(bool held) { held_.store(held); }

    // Audio thread. Writes frames of the mix to out: the music, every playing slot added at its
    // gain, then the limiter, and a clamp to -1..1 behind it (interleaved stereo floats).
    void Render(float* out, int frames);

    // Game thread, with no render running: empties every slot and gives lost slots back.
    void Reset();

  private:
    // The game thread's own view of a slot.
    struct Slot {
        std::unique_ptr<SlotSound> sound;
        uint32_t play = 0;  // a new number at every play and every new sound
        int32_t volume = 0; // hundredths of a decibel, kAudioVolumeMin..0
        bool playing = false;
        bool looping = false;
        bool lost = false;
    };
    // What the two threads share of a slot. The sound is stored before the word naming it.
    struct Channel {
        std::atomic<const SlotSound*> sound{nullptr};
        std::atomic<uint64_t> command{0};
        std::atomic<uint32_t> ended{0}; // the number of the last play that ran to its end
    };
    // The audio thread's own: what a slot is playing, how far and how loud.
    struct Voice {
        const int16_t* frames = nullptr;
        size_t total = 0;    // in frames
        size_t position = 0; // in frames
        float gain = 1.0f;
        int32_t volume = 0;
        uint32_t play = 0; // the play and the sound taken up
        uint16_t soundId = 0;
        bool playing = false;
        bool looping = false;
    };
    // A replaced sound, freed once the render counter has moved past the value it had then.
    struct Retired {
        uint64_t renders;
        std::unique_ptr<SlotSound> sound;
    };

    void Publish(int slot);
    void Replace(int slot, std::unique_ptr<SlotSound> sound);
    void FreeRetired();
    std::unique_ptr<SlotSound> NewSound(std::vector<int16_t> frames);

    void TakeUpCommands();
    void MixSlot(Voice& voice, float* out, int frames);

    std::array<Slot, kAudioSlotCount> slots_{};
    std::vector<Retired> retired_;
    uint16_t lastSoundId_ = 0;

    std::array<Channel, kAudioSlotCount> channels_{};
    // Raised by the audio thread as a render of the slots begins and as it ends: odd while one
    // runs, so that the game thread knows when a sound it let go of can no longer be read.
    std::atomic<uint64_t> renders_{0};
    std::atomic<bool> held_{false};

    std::array<Voice, kAudioSlotCount> voices_{};
    MixLimiter limiter_; // audio thread only
};

// The one mixer of the process. Never destroyed, so that static objects of the runtime may still
// release their slots at exit.
Mixer& TheMixer();

} // namespace platform::audio
