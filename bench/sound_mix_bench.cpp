// The cost of mixing: CPU time per second of audio for 32 looping slots, with and without a
// playing MIDI piece. One iteration renders one second in the audio callback's 512-frame buffers.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/audio.h"
#include "platform/headless.h"
#include "platform/midi.h"
#include "support/sound_files.h"

namespace {

using namespace pelko::testing;

constexpr int kBufferFrames = 512;

// One second of noise per slot, at 22050 Hz so that every slot also went through the resampler.
void FillAndLoopEverySlot() {
    std::vector<int16_t> noise(22050);
    uint32_t state = 1;
    for (int16_t& s : noise) {
        state = state * 214013u + 2531011u;
        s = static_cast<int16_t>((state >> 16) & 0x7FFF) / 8;
    }
    const std::string bytes = Pcm16(noise);
    const platform::PcmFormat format{1, 22050, 2, 16};
    for (int slot = 0; slot < platform::kAudioSlotCount; ++slot) {
        platform::FillAudioSlot(slot, format, reinterpret_cast<const uint8_t*>(bytes.data()),
                                bytes.size());
        platform::SetAudioSlotVolume(slot, -1200);
        platform::PlayAudioSlot(slot, true);
    }
}

// A busy five-minute piece: four instruments, a four-note chord and a bass note every beat.
std::string BusyPiece() {
    std::string e;
    const int programs[4] = {0, 48, 61, 33};
    for (int ch = 0; ch < 4; ++ch)
        e += VarLen(0) + static_cast<char>(0xC0 | ch) + static_cast<char>(programs[ch]);
    for (int beat = 0; beat < 600; ++beat) {
        const int root = 48 + (beat * 5) % 12;
        std::string on, off;
        for (int ch = 0; ch < 3; ++ch)
            for (int n : {0, 4, 7, 12}) {
                on += VarLen(0) + static_cast<char>(0x90 | ch) +
                      static_cast<char>(root + n + ch * 12) + '\x50';
                off += VarLen(0) + static_cast<char>(0x80 | ch) +
                       static_cast<char>(root + n + ch * 12) + '\x00';
            }
        on += VarLen(0) + std::string("\x93", 1) + static_cast<char>(root - 12) + '\x60';
        off += VarLen(0) + std::string("\x83", 1) + static_cast<char>(root - 12) + '\x00';
        e += on + VarLen(480) + off.substr(1); // the first delta of the note-offs is the beat
    }
    e += VarLen(0) + std::string("\xFF\x2F\x00", 3);
    return MidiFile({e});
}

void RenderOneSecond(benchmark::State& state) {
    std::vector<float> buffer(kBufferFrames * 2);
    for (auto _ : state) {
        for (int done = 0; done < platform::kMixRate; done += kBufferFrames)
            platform::headless::RenderAudio(buffer.data(), kBufferFrames);
        benchmark::DoNotOptimize(buffer.data());
    }
    state.counters["cpu_ms_per_audio_second"] =
        benchmark::Counter(static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_ThirtyTwoLoopingSlots(benchmark::State& state) {
    platform::headless::Reset();
    FillAndLoopEverySlot();
    RenderOneSecond(state);
}
BENCHMARK(BM_ThirtyTwoLoopingSlots)->Unit(benchmark::kMillisecond);

void BM_ThirtyTwoLoopingSlotsAndMusic(benchmark::State& state) {
    platform::headless::Reset();
    FillAndLoopEverySlot();
    WriteFile("/tmp/pelko_bench_busy.mid", BusyPiece());
    if (platform::MciSendString("open \"/tmp/pelko_bench_busy.mid\" type sequencer alias MIDI",
                                nullptr, 0, 0) != 0 ||
        platform::MciSendString("play MIDI from 0", nullptr, 0, 0) != 0) {
        state.SkipWithError("the MIDI piece did not open");
        return;
    }
    RenderOneSecond(state);
    platform::MciSendString("close MIDI", nullptr, 0, 0);
}
BENCHMARK(BM_ThirtyTwoLoopingSlotsAndMusic)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
