// The sound device and the bank of 32 numbered wave slots. The game loads its effects once,
// sets their volumes from the settings, and plays them by number from anywhere.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

namespace tessary {

inline constexpr int kWaveSlotCount = 32;
inline constexpr size_t kWaveNameSize = 260; // 259 characters and the terminating zero

struct WaveBank {
    int device = 0;                                // 1 once CreateSoundDevice succeeded
    std::array<uint8_t, kWaveSlotCount> buffers{}; // 1 while the slot holds a sound
    std::array<std::array<char, kWaveNameSize>, kWaveSlotCount> names{}; // last path loaded

    WaveBank() = default;
    WaveBank(const WaveBank&) = default;
    WaveBank& operator=(const WaveBank&) = default;
    // At program exit every slot is released in order, then the device.
    ~WaveBank();
};

WaveBank& TheWaveBank();

// Opens the sound device for the main window. On failure the error box says why and start-up
// stops.
int CreateSoundDevice();

// Loads a PCM wave file into slot, releasing what the slot held first. Non-zero on success.
int LoadWave(uint16_t slot, const char* path);

// Volume 0..100 (above 100 is full, below 0 silent); 1 when the device took it.
int SetWaveVolume(uint16_t slot, int volume);

// Stops the slot, rewinds it and plays it; mode 1 loops. 1 when it started (or when a lost slot
// was reloaded instead), 0 for an empty or out-of-range slot.
int PlayWave(uint16_t slot, int mode);

// Forgets the slot's name, stops and releases its sound.
void ReleaseWave(uint16_t slot);

// The device's attenuation for a volume: -(100 - volume)^2 hundredths of a decibel, computed as
// 100^log10(100 - volume) truncated, so that volume 50 gives -2499.
int32_t WaveVolumeToAttenuation(int volume);

} // namespace tessary
