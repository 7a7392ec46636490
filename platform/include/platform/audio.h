// The sound output: the stand-in for the sound device and its static buffers. One mixer of 32
// slots feeds one audio stream; the music sequencer (midi.h) renders into the same stream.
//
// Each slot is converted once, when it is filled, to the mixer's own format (stereo, 16 bits,
// kMixRate), so that playing is only a rewind and a flag. Volumes are hundredths of a decibel of
// attenuation, 0 (full) to -10000 (silent), applied as the gain 10^(value / 2000).
#pragma once
#include <cstddef>
#include <cstdint>

namespace platform {

inline constexpr int kAudioSlotCount = 32;
inline constexpr int kMixRate = 44100;
inline constexpr int kMixChannels = 2;
inline constexpr int32_t kAudioVolumeMin = -10000;

// The PCM layout of a slot's source data, as a wave file's format chunk gives it.
struct PcmFormat {
    uint16_t channels = 0;
    uint32_t samplesPerSec = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
};

enum class AudioResult {
    Ok,
    Failed,
    Lost, // the slot's memory was taken away; restore it, then fill it again
};

// Opens the output stream. Without a usable output device the stream runs silent (one debug
// line) and the call still succeeds; it fails only when the platform has no audio at all.
bool OpenAudioDevice();
void CloseAudioDevice();
bool AudioDeviceOpen();

// True for the formats a slot can take: 8- or 16-bit PCM, one or two channels, a sample rate of
// 1 to 384000 and a block alignment that matches.
bool IsPlayablePcm(const PcmFormat& format);

// Converts data (whole blocks of format) into the slot, replacing and stopping what it held. The
// slot starts stopped at full volume.
AudioResult FillAudioSlot(int slot, const PcmFormat& format, const uint8_t* data, size_t bytes);

// Stops and empties the slot.
void ReleaseAudioSlot(int slot);

// Gives a lost slot back, silent and empty of sound, so that it can be filled again.
void RestoreAudioSlot(int slot);

// Stops the slot, rewinds it and plays it once or looping. Failed for an empty slot.
AudioResult PlayAudioSlot(int slot, bool loop);

// Failed for an empty slot; the value is clamped to kAudioVolumeMin..0.
bool SetAudioSlotVolume(int slot, int32_t hundredthsOfDecibel);

bool AudioSlotFilled(int slot);
bool AudioSlotPlaying(int slot);

// The gain a volume gives: exactly 0 at kAudioVolumeMin and below, 1 at 0 and above.
float GainForVolume(int32_t hundredthsOfDecibel);

// The music's volume, on the slots' scale, applied to the synthesizer's output; full at start.
void SetMusicVolume(int32_t hundredthsOfDecibel);

} // namespace platform
