#include "audio_mixer.h"

#include <algorithm>
#include <cmath>
#include <utility>

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

// A slot's command word, all of the game thread's say in one atomic: the play's number, the
// sound's id, the volume above kAudioVolumeMin, looping and playing.
constexpr uint64_t kPlayingBit = 1, kLoopingBit = 2;
static_assert(-kAudioVolumeMin < (1 << 14));

uint64_t CommandWord(uint32_t play, uint16_t soundId, int32_t volume, bool playing, bool looping) {
    return (static_cast<uint64_t>(play) << 32) | (static_cast<uint64_t>(soundId) << 16) |
           (static_cast<uint64_t>(volume - kAudioVolumeMin) << 2) | (looping ? kLoopingBit : 0) |
           (playing ? kPlayingBit : 0);
}
uint32_t PlayOf(uint64_t command) {
    return static_cast<uint32_t>(command >> 32);
}
uint16_t SoundIdOf(uint64_t command) {
    return static_cast<uint16_t>(command >> 16);
}
int32_t VolumeOf(uint64_t command) {
    return static_cast<int32_t>((command >> 2) & 0x3FFF) + kAudioVolumeMin;
}

static_assert(std::atomic<uint64_t>::is_always_lock_free);
static_assert(std::atomic<const SlotSound*>::is_always_lock_free);

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

std::unique_ptr<SlotSound> Mixer::NewSound(std::vector<int16_t> frames) {
    if (++lastSoundId_ == 0) lastSoundId_ = 1;
    auto sound = std::make_unique<SlotSound>();
    sound->id = lastSoundId_;
    sound->frames = std::move(frames);
    return sound;
}

void Mixer::Publish(int slot) {
    const Slot& s = slots_[static_cast<size_t>(slot)];
    const uint16_t id = s.sound != nullptr ? s.sound->id : 0;
    channels_[static_cast<size_t>(slot)].command.store(
        CommandWord(s.play, id, s.volume, s.playing, s.looping));
}

// The new sound is stored before the word that names it, and the old one is let go of only
// after: a render that began before the word may still read it, one that begins after cannot.
void Mixer::Replace(int slot, std::unique_ptr<SlotSound> sound) {
    FreeRetired();
    Slot& s = slots_[static_cast<size_t>(slot)];
    std::unique_ptr<SlotSound> old = std::move(s.sound);
    s.sound = std::move(sound);
    channels_[static_cast<size_t>(slot)].sound.store(s.sound.get());
    ++s.play; // so that the word differs even when a 16-bit sound id comes round again
    Publish(slot);
    if (old == nullptr) return;
    const uint64_t renders = renders_.load();
    if (renders % 2 != 0) retired_.push_back({renders, std::move(old)});
    // Otherwise no render runs, and the next one will see the word: old is freed here.
}

void Mixer::FreeRetired() {
    if (retired_.empty()) return;
    const uint64_t renders = renders_.load();
    std::erase_if(retired_, [renders](const Retired& r) { return r.renders != renders; });
}

AudioResult Mixer::Fill(int slot, std::vector<int16_t> frames) {
    if (!ValidSlot(slot) || frames.empty()) return AudioResult::Failed;
    Slot& s = slots_[static_cast<size_t>(slot)];
    if (s.lost) return AudioResult::Lost;
    s.playing = s.looping = false;
    s.volume = 0;
    Replace(slot, NewSound(std::move(frames)));
    return AudioResult::Ok;
}

void Mixer::Release(int slot) {
    if (!ValidSlot(slot)) return;
    Slot& s = slots_[static_cast<size_t>(slot)];
    s.playing = s.looping = false;
    s.volume = 0;
    Replace(slot, nullptr);
}

void Mixer::Restore(int slot) {
    if (!ValidSlot(slot)) return;
    slots_[static_cast<size_t>(slot)].lost = false;
}

void Mixer::Lose(int slot) {
    if (!ValidSlot(slot)) return;
    Slot& s = slots_[static_cast<size_t>(slot)];
    s.lost = true;
    s.playing = false;
    // What the slot held is gone: it stays filled, with silence, until it is filled again or
    // released.
    std::unique_ptr<SlotSound> silence;
    if (s.sound != nullptr) silence = NewSound(std::vector<int16_t>(s.sound->frames.size(), 0));
    Replace(slot, std::move(silence));
}

AudioResult Mixer::Play(int slot, bool loop) {
    if (!ValidSlot(slot)) return AudioResult::Failed;
    Slot& s = slots_[static_cast<size_t>(slot)];
    if (s.sound == nullptr) return AudioResult::Failed;
    if (s.lost) return AudioResult::Lost;
    FreeRetired();
    ++s.play; // a new number: the audio thread starts the sound again from its beginning
    s.looping = loop;
    s.playing = true;
    Publish(slot);
    return AudioResult::Ok;
}

int32_t Mixer::Volume(int slot) const {
    return ValidSlot(slot) ? slots_[static_cast<size_t>(slot)].volume : 0;
}

bool Mixer::SetVolume(int slot, int32_t hundredthsOfDecibel) {
    if (!ValidSlot(slot)) return false;
    Slot& s = slots_[static_cast<size_t>(slot)];
    if (s.sound == nullptr) return false;
    s.volume = std::clamp(hundredthsOfDecibel, kAudioVolumeMin, int32_t{0});
    Publish(slot);
    return true;
}

bool Mixer::Filled(int slot) const {
    return ValidSlot(slot) && slots_[static_cast<size_t>(slot)].sound != nullptr;
}

bool Mixer::Playing(int slot) const {
    if (!ValidSlot(slot)) return false;
    const Slot& s = slots_[static_cast<size_t>(slot)];
    return s.playing && channels_[static_cast<size_t>(slot)].ended.load() != s.play;
}

// A word naming another sound than the one stored beside it was read while the game thread was
// replacing that sound, which stops the slot: the voice falls silent now and takes up whatever
// the slot holds by the next buffer.
void Mixer::TakeUpCommands() {
    for (size_t i = 0; i < voices_.size(); ++i) {
        Channel& c = channels_[i];
        Voice& v = voices_[i];
        const uint64_t command = c.command.load();
        if (VolumeOf(command) != v.volume) {
            v.volume = VolumeOf(command);
            v.gain = GainForVolume(v.volume);
        }
        if (PlayOf(command) == v.play && SoundIdOf(command) == v.soundId) continue;
        v.playing = false;
        v.frames = nullptr;
        if ((command & kPlayingBit) != 0) {
            const SlotSound* sound = c.sound.load();
            if (sound == nullptr || sound->id != SoundIdOf(command)) continue;
            v.frames = sound->frames.data();
            v.total = sound->frames.size() / 2;
            v.position = 0;
            v.looping = (command & kLoopingBit) != 0;
            v.playing = true;
        }
        v.play = PlayOf(command);
        v.soundId = SoundIdOf(command);
    }
}

void Mixer::MixSlot(Voice& s, float* out, int frames) {
    const size_t total = s.total;
    const float scale = s.gain / 32768.0f;
    const int16_t* src = s.frames;
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
    if (!s.playing) channels_[static_cast<size_t>(&s - voices_.data())].ended.store(s.play);
}

void Mixer::Render(float* out, int frames) {
    // The music meets the game thread in atomics of its own.
    midi::TheMusicHandover().Render(out, frames);
    renders_.fetch_add(1);
    TakeUpCommands();
    const bool held = held_.load();
    for (Voice& s : voices_)
        if (s.playing && !held) MixSlot(s, out, frames);
    limiter_.Apply(out, frames);
    renders_.fetch_add(1);
    for (size_t i = 0; i < static_cast<size_t>(frames) * 2; ++i)
        out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

void Mixer::Reset() {
    for (int i = 0; i < kAudioSlotCount; ++i) {
        Release(i);
        Restore(i);
    }
    limiter_.Reset();
    FreeRetired();
    held_.store(false);
}

Mixer& TheMixer() {
    static Mixer* mixer = new Mixer;
    return *mixer;
}

} // namespace platform::audio
