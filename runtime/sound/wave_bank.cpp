#include "wave_bank.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/audio.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "runtime/shell/diagnostics.h"
#include "runtime/shell/runtime_state.h"
#include "runtime/sound/wave_file.h"

namespace tessary {
namespace {

// Effects are loaded whole; anything longer than this is not a sound effect but a mistake, and
// converting it would take hundreds of megabytes.
constexpr uintmax_t kMaxWaveFileBytes = 64u << 20;
constexpr double kMaxWaveSeconds = 300.0;

bool SlotInRange(uint16_t slot) {
    return slot < kWaveSlotCount;
}

platform::PcmFormat PcmOf(const WaveFormat& f) {
    return platform::PcmFormat{f.channels, f.samplesPerSec, f.blockAlign, f.bitsPerSample};
}

// Checks what the format chunk and the data promise before anything is converted.
bool CheckPlayable(const char* path, const WaveFormat& f, size_t dataSize) {
    const platform::PcmFormat pcm = PcmOf(f);
    if (!platform::IsPlayablePcm(pcm)) {
        DebugPrint("WAVE[%s]: unsupported PCM layout (%u channels, %u bits, %u Hz, block %u)\n",
                   path, f.channels, f.bitsPerSample, f.samplesPerSec, f.blockAlign);
        return false;
    }
    const size_t frames = dataSize / f.blockAlign;
    if (frames == 0) {
        DebugPrint("WAVE[%s]: no sound data\n", path);
        return false;
    }
    if (static_cast<double>(frames) / f.samplesPerSec > kMaxWaveSeconds) {
        DebugPrint("WAVE[%s]: longer than %.0f seconds\n", path, kMaxWaveSeconds);
        return false;
    }
    return true;
}

// Fills the slot; a slot whose memory was taken away is restored and filled once more.
bool FillSlot(uint16_t slot, const WaveFormat& f, const uint8_t* data, size_t size) {
    platform::AudioResult r = platform::FillAudioSlot(slot, PcmOf(f), data, size);
    if (r == platform::AudioResult::Lost) {
        platform::RestoreAudioSlot(slot);
        r = platform::FillAudioSlot(slot, PcmOf(f), data, size);
    }
    return r == platform::AudioResult::Ok;
}

} // namespace

WaveBank::~WaveBank() {
    if (device == 0) return;
    for (uint16_t slot = 0; slot < kWaveSlotCount; ++slot) {
        names[slot][0] = '\0';
        if (buffers[slot] != 0) platform::ReleaseAudioSlot(slot);
        buffers[slot] = 0;
    }
    platform::CloseAudioDevice();
    device = 0;
}

int CreateSoundDevice() {
    WaveBank& bank = TheWaveBank();
    if (!platform::OpenAudioDevice()) {
        ShowErrorBox("DirectSoundの構築に失敗しました。");
        return 0;
    }
    // The device plays for the main window; without one it has nothing to cooperate with.
    if (Runtime().mainWindow == 0) {
        platform::CloseAudioDevice();
        ShowErrorBox("DirectSoundの協調レベル設定が拒否されました。");
        return 0;
    }
    bank.device = 1;
    return 1;
}

void ReleaseWave(uint16_t slot) {
    if (!SlotInRange(slot)) return;
    WaveBank& bank = TheWaveBank();
    bank.names[slot][0] = '\0';
    platform::ReleaseAudioSlot(slot);
    bank.buffers[slot] = 0;
}

int LoadWave(uint16_t slot, const char* path) {
    ReleaseWave(slot);
    if (path == nullptr) return 0;
    if (!SlotInRange(slot)) {
        DebugPrint("WAVE[%s]: slot %u is out of range (0 to 31)\n", path, slot);
        return 0;
    }
    WaveBank& bank = TheWaveBank();
    if (std::strlen(path) >= kWaveNameSize) {
        DebugPrint("WAVE[%s]: the path is longer than %zu characters\n", path, kWaveNameSize - 1);
        return 0;
    }
    std::snprintf(bank.names[slot].data(), kWaveNameSize, "%s", path);

    const platform::FileContents file =
        platform::ReadWholeFile(platform::HostPath(path), kMaxWaveFileBytes);
    if (!file.Read()) {
        DebugPrint("WAVE[%s]のオープンに失敗しました。\n", path);
        if (!file.missing) DebugPrint("WAVE[%s]: the file %s\n", path, file.refusal.c_str());
        return 0;
    }
    const auto* bytes = reinterpret_cast<const uint8_t*>(file.bytes.data());
    const WaveParse wave = ParseWave(bytes, file.bytes.size());
    if (wave.status == WaveParseStatus::NotPcm) {
        DebugPrint("WAVE[%s]はPCMフォーマットではありません。\n", path);
        return 0;
    }
    if (wave.status != WaveParseStatus::Ok) {
        DebugPrint("WAVE[%s]: %s\n", path, WaveParseReason(wave.status));
        return 0;
    }
    if (!CheckPlayable(path, wave.format, wave.dataSize)) return 0;
    if (!FillSlot(slot, wave.format, bytes + wave.dataOffset, wave.dataSize)) {
        DebugPrint("WAVE[%s]: the sound device refused the sound\n", path);
        return 0;
    }
    bank.buffers[slot] = 1;
    return 1;
}

int32_t WaveVolumeToAttenuation(int volume) {
    if (volume > 100) return 0;
    if (volume < 0) return platform::kAudioVolumeMin;
    // Not (100 - volume)^2 in integers: the floating-point route is one short for some volumes.
    return -static_cast<int32_t>(std::pow(100.0, std::log10(100.0 - volume)));
}

int SetWaveVolume(uint16_t slot, int volume) {
    if (!SlotInRange(slot) || TheWaveBank().buffers[slot] == 0) return 0;
    return platform::SetAudioSlotVolume(slot, WaveVolumeToAttenuation(volume)) ? 1 : 0;
}

int PlayWave(uint16_t slot, int mode) {
    WaveBank& bank = TheWaveBank();
    if (!SlotInRange(slot) || bank.buffers[slot] == 0) return 0;
    const platform::AudioResult r = platform::PlayAudioSlot(slot, mode == 1);
    if (r != platform::AudioResult::Lost) return r == platform::AudioResult::Ok ? 1 : 0;

    // The sound is not played on this call; the reload makes the next call play it.
    platform::RestoreAudioSlot(slot);
    std::array<char, kWaveNameSize> name = bank.names[slot];
    if (LoadWave(slot, name.data()) != 0)
        DebugPrint("WAVE[%s]をリロードしました\n", name.data());
    else
        DebugPrint("WAVE[%s]のリロードに失敗しました\n", name.data());
    return 1;
}

} // namespace tessary
