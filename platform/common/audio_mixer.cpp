#include "audio_mixer.h"

#include <algorithm>
#include <cmath>

#include "music_handover.h"

namespace platform::audio {
namespace {

bool ValidSlot(int slot) {
    return slot >= 0 && slot < kAudioSlotCount;
}

// One source sample as a signed 16-bit value: 8-bit PCM is unsigned around 128.
int32_t SourceSample(const uint8_t* block, int channel, int bits) {
    if (bits == 8) return (static_cast<int32_t>(block[channel]) - 128) * 256;
    const uint8_t* p = block + channel * 2;
    return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8)));
}

} // namespace

std::vector<int16_t> ConvertToMixFormat(const PcmFormat& format, const uint8_t* data,
                                        size_t bytes) {
    std::vector<int16_t> out;
    if (!IsPlayablePcm(format) || data == nullptr) return out;
    const size_t sourceFrames = bytes / format.blockAlign;
    if (sourceFrames == 0) return out;
    const int right = format.channels == 2 ? 1 : 0;
    auto sample = [&](size_t frame, int channel) {
        return SourceSample(data + frame * format.blockAlign, channel, format.bitsPerSample);
    };
    if (format.samplesPerSec == static_cast<uint32_t>(kMixRate)) {
        out.resize(sourceFrames * 2);
        for (size_t i = 0; i < sourceFrames; ++i) {
            out[i * 2] = static_cast<int16_t>(sample(i, 0));
            out[i * 2 + 1] = static_cast<int16_t>(sample(i, right));
        }
        return out;
    }
    // Linear interpolation between neighbouring source frames; the step is exact in 64-bit
    // fixed point, so long sounds do not drift.
    const uint64_t outFrames =
        (static_cast<uint64_t>(sourceFrames) * kMixRate + format.samplesPerSec - 1) /
        format.samplesPerSec;
    out.resize(static_cast<size_t>(outFrames) * 2);
    for (uint64_t i = 0; i < outFrames; ++i) {
        const uint64_t scaled = i * format.samplesPerSec;
        const size_t a = static_cast<size_t>(scaled / kMixRate);
        const size_t b = std::min(a + 1, sourceFrames - 1);
        const double t = static_cast<double>(scaled % kMixRate) / kMixRate;
        for (int c = 0; c < 2; ++c) {
            const int channel = c == 0 ? 0 : right;
            const double v = sample(a, channel) + (sample(b, channel) - sample(a, channel)) * t;
            out[static_cast<size_t>(i) * 2 + static_cast<size_t>(c)] =
                static_cast<int16_t>(std::lround(v));
        }
    }
    return out;
}

AudioResult Mixer::Fill(int slot, std::vector<int16_t>& frames) {
    if (!ValidSlot(slot) || frames.empty()) return AudioResult::Failed;
    std::lock_guard lock(mutex_);
    Slot& s = slots_[static_cast<size_t>(slot)];
    if (s.lost) return AudioResult::Lost;
    s.frames.swap(frames); // the old sound leaves in frames and is freed by the caller
    s.position = 0;
    s.gain = 1.0f;
    s.filled = true;
    s.playing = false;
    s.looping = false;
    return AudioResult::Ok;
}

void Mixer::Release(int slot) {
    if (!ValidSlot(slot)) return;
    std::vector<int16_t> old;
    {
        std::lock_guard lock(mutex_);
        Slot& s = slots_[static_cast<size_t>(slot)];
        old.swap(s.frames);
        s.filled = s.playing = s.looping = false;
        s.position = 0;
        s.gain = 1.0f;
    }
}

void Mixer::Restore(int slot) {
    if (!ValidSlot(slot)) return;
    std::lock_guard lock(mutex_);
    slots_[static_cast<size_t>(slot)].lost = false;
}

void Mixer::Lose(int slot) {
    if (!ValidSlot(slot)) return;
    std::lock_guard lock(mutex_);
    Slot& s = slots_[static_cast<size_t>(slot)];
    s.lost = true;
    s.playing = false;
    // What the slot held is gone; it stays allocated until it is filled again or released.
    std::fill(s.frames.begin(), s.frames.end(), int16_t{0});
}

AudioResult Mixer::Play(int slot, bool loop) {
    if (!ValidSlot(slot)) return AudioResult::Failed;
    std::lock_guard lock(mutex_);
    Slot& s = slots_[static_cast<size_t>(slot)];
    if (!s.filled) return AudioResult::Failed;
    if (s.lost) return AudioResult::Lost;
    s.position = 0;
    s.looping = loop;
    s.playing = true;
    return AudioResult::Ok;
}

bool Mixer::SetVolume(int slot, int32_t hundredthsOfDecibel) {
    if (!ValidSlot(slot)) return false;
    const float gain = GainForVolume(hundredthsOfDecibel);
    std::lock_guard lock(mutex_);
    Slot& s = slots_[static_cast<size_t>(slot)];
    if (!s.filled) return false;
    s.gain = gain;
    return true;
}

bool Mixer::Filled(int slot) {
    if (!ValidSlot(slot)) return false;
    std::lock_guard lock(mutex_);
    return slots_[static_cast<size_t>(slot)].filled;
}

bool Mixer::Playing(int slot) {
    if (!ValidSlot(slot)) return false;
    std::lock_guard lock(mutex_);
    return slots_[static_cast<size_t>(slot)].playing;
}

void Mixer::MixSlot(Slot& s, float* out, int frames) {
    const size_t total = s.frames.size() / 2;
    const float scale = s.gain / 32768.0f;
    const int16_t* src = s.frames.data();
    int done = 0;
    while (done < frames && s.playing) {
        const size_t run = std::min(static_cast<size_t>(frames - done), total - s.position);
        const int16_t* from = src + s.position * 2;
        float* to = out + static_cast<size_t>(done) * 2;
        for (size_t i = 0; i < run * 2; ++i)
            to[i] += static_cast<float>(from[i]) * scale;
        done += static_cast<int>(run);
        s.position += run;
        if (s.position == total) {
            s.position = 0;
            s.playing = s.looping;
        }
    }
}

void Mixer::Render(float* out, int frames) {
    // The music meets the game thread in atomics of its own, outside the slots' lock.
    midi::TheMusicHandover().Render(out, frames);
    std::lock_guard lock(mutex_);
    for (Slot& s : slots_)
        if (s.playing) MixSlot(s, out, frames);
    limiter_.Apply(out, frames);
    for (size_t i = 0; i < static_cast<size_t>(frames) * 2; ++i)
        out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

void Mixer::Reset() {
    for (int i = 0; i < kAudioSlotCount; ++i) {
        Release(i);
        Restore(i);
    }
    std::lock_guard lock(mutex_);
    limiter_.Reset();
}

Mixer& TheMixer() {
    static Mixer* mixer = new Mixer;
    return *mixer;
}

} // namespace platform::audio
