// The audio callback over a whole loop of each of the game's own pieces, rendered on a thread of
// its own as the sound device runs it, while the game thread starts the piece, looks at its
// messages and so loops it, and meanwhile plays, stops, re-volumes and reloads sound effects. The
// callback must take nothing from the heap, give nothing back and never call a lock that can wait.
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/audio.h"
#include "platform/headless.h"
#include "platform/window.h"
#include "runtime/shell/main_window.h"
#include "runtime/sound/music.h"
#include "runtime/sound/wave_bank.h"
#include "support/asset_readers.h"
#include "support/realtime_probe.h"
#include "support/runtime_fixture.h"

namespace tessary {
namespace {

namespace headless = platform::headless;

constexpr int kCallbackFrames = 512; // what the SDL device asks for
// A bound on the audio rendered before giving up on a piece that never loops, far past the
// length of any of them: ten minutes.
constexpr uint64_t kGiveUpFrames = uint64_t{platform::kMixRate} * 600;

// Renders the mix in callback-sized buffers until joined, counting every buffer with the probe.
// It renders only as far as the game thread allows, a few buffers past each look at the
// messages, as a sound device does in real time: however the two threads are scheduled, the
// game thread sees every end within a few buffers of it.
class AudioThread {
  public:
    static constexpr uint64_t kBuffersAhead = 8;

    AudioThread() : thread_([this] { Run(); }) {}
    ~AudioThread() { Join(); }

    realtime_probe::Counts Join() {
        stop_.store(true);
        if (thread_.joinable()) thread_.join();
        return counts_;
    }
    void AllowMore() { allowed_.store(callbacks_.load() + kBuffersAhead); }
    uint64_t Frames() const { return callbacks_.load() * kCallbackFrames; }
    uint64_t Callbacks() const { return callbacks_.load(); }

  private:
    void Run() {
        std::vector<float> buffer(kCallbackFrames * platform::kMixChannels);
        realtime_probe::Counts counts;
        while (!stop_.load()) {
            if (callbacks_.load() >= allowed_.load()) {
                std::this_thread::yield();
                continue;
            }
            realtime_probe::Arm();
            headless::RenderAudio(buffer.data(), kCallbackFrames);
            counts += realtime_probe::Disarm();
            callbacks_.fetch_add(1);
        }
        counts_ = counts;
    }

    std::atomic<bool> stop_{false};
    std::atomic<uint64_t> callbacks_{0};
    std::atomic<uint64_t> allowed_{kBuffersAhead};
    realtime_probe::Counts counts_;
    std::thread thread_; // last: starts once the rest is built
};

// Works the wave slots from the game thread as the game does between frames, one step at a time:
// a one-shot effect fired again each time it is heard to its end, another restarted while it
// plays and now and then given a new sound, a looping one re-volumed, stopped and loaded afresh.
class EffectsDriver {
  public:
    void Load() {
        ASSERT_EQ(LoadWave(kOneShot, "GameData\\Shot.wav"), 1);
        ASSERT_EQ(LoadWave(kRestarted, "GameData\\Beat.wav"), 1);
        ASSERT_EQ(LoadWave(kLooping, "GameData\\Warn.wav"), 1);
        ASSERT_EQ(PlayWave(kLooping, 1), 1);
    }

    void Step() {
        ++step_;
        if (!platform::AudioSlotPlaying(kOneShot)) {
            if (fired_) ++endsHeard_;
            fired_ = PlayWave(kOneShot, 0) == 1;
        }
        if (step_ % 3 == 0) PlayWave(kRestarted, 0);
        if (step_ % 7 == 0) {
            loads_ +=
                LoadWave(kRestarted, step_ % 2 == 0 ? "GameData\\1up.wav" : "GameData\\Beat.wav");
            PlayWave(kRestarted, 0);
        }
        SetWaveVolume(kLooping, static_cast<int>(step_ * 7 % 101));
        if (step_ % 5 == 0) ReleaseWave(kLooping); // stopped for a step
        if (step_ % 5 == 1) {
            loads_ +=
                LoadWave(kLooping, step_ % 2 == 0 ? "GameData\\Pi.wav" : "GameData\\Warn.wav");
            PlayWave(kLooping, 1);
        }
    }

    int EndsHeard() const { return endsHeard_; }
    int Loads() const { return loads_; }

  private:
    static constexpr uint16_t kOneShot = 0, kRestarted = 1, kLooping = 2;
    uint64_t step_ = 0;
    bool fired_ = false;
    int endsHeard_ = 0;
    int loads_ = 0;
};

// How long a pass of a piece lasts, by the tests' own reading of the file.
uint64_t PassFrames(const std::string& file) {
    const auto midi = asset_test::ParseMidi(asset_test::ReadFile(file));
    if (!midi || midi->division <= 0) return 0;
    uint32_t endTick = 0;
    for (const auto& track : midi->tracks)
        endTick = std::max(endTick, track.endTick);
    return uint64_t{endTick} * midi->microsPerQuarter / static_cast<uint64_t>(midi->division) *
           platform::kMixRate / 1000000;
}

class AudioCallbackTest : public testing::RuntimeTest,
                          public ::testing::WithParamInterface<const char*> {
  protected:
    void SetUp() override {
        RuntimeTest::SetUp();
        inDist_.emplace(PELKO_DIST_DIR);
        ASSERT_EQ(CreateMainWindow(), 1);
        ASSERT_EQ(CreateSoundDevice(), 1);
    }

    // Takes every queued message and dispatches it, as the frame loop does; counts the
    // successful end-of-piece notices.
    static int DispatchMessages() {
        int successes = 0;
        platform::Message m;
        while (platform::PeekMessage(m)) {
            if (m.message == platform::MM_MCINOTIFY && m.wParam == platform::MCI_NOTIFY_SUCCESSFUL)
                ++successes;
            platform::DispatchMessage(m);
        }
        return successes;
    }

  private:
    std::optional<testing::InFolder> inDist_;
};

TEST_P(AudioCallbackTest, AWholeLoopTakesNoMemoryAndNeverWaitsOnALock) {
    const std::string file = std::string("GameData/") + GetParam();
    const uint64_t passFrames = PassFrames(file);
    ASSERT_GT(passFrames, 0u) << file;

    EffectsDriver effects;
    ASSERT_NO_FATAL_FAILURE(effects.Load());
    AudioThread audio;
    const uint64_t framesBeforePlay = audio.Frames();
    ASSERT_EQ(PlayMidi((std::string("GameData\\") + GetParam()).c_str(), 1), 1);
    // The first pass ends, its notice starts the piece again, and the second pass gets a beat in.
    int successes = 0;
    uint64_t framesAtEnd = 0;
    uint64_t callbacksAtStep = 0;
    while (successes == 0 || headless::MusicTick() < 480) {
        audio.AllowMore();
        if (audio.Callbacks() != callbacksAtStep) { // a step for every new buffer or run of them
            callbacksAtStep = audio.Callbacks();
            effects.Step();
        }
        const int seen = DispatchMessages();
        if (seen > 0 && successes == 0) framesAtEnd = audio.Frames();
        successes += seen;
        ASSERT_LT(audio.Frames() - framesBeforePlay, kGiveUpFrames) << "the piece never looped";
        std::this_thread::yield();
    }
    const realtime_probe::Counts counts = audio.Join();

    std::printf("%s: %llu callbacks, %d effects heard to their end, %d waves loaded meanwhile; "
                "%llu allocations, %llu frees, %llu lock calls, %llu lock waits\n",
                GetParam(), static_cast<unsigned long long>(audio.Callbacks()), effects.EndsHeard(),
                effects.Loads(), static_cast<unsigned long long>(counts.allocations),
                static_cast<unsigned long long>(counts.frees),
                static_cast<unsigned long long>(counts.lockCalls),
                static_cast<unsigned long long>(counts.lockWaits));
    EXPECT_EQ(successes, 1); // one end, and one restart, for one whole pass
    EXPECT_GE(framesAtEnd - framesBeforePlay, passFrames) << "the pass ended early";
    // The callback played the effects while it was counted, not beside it.
    EXPECT_GT(effects.EndsHeard(), 0);
    EXPECT_GT(effects.Loads(), 0);
    EXPECT_EQ(counts.allocations, 0u);
    EXPECT_EQ(counts.frees, 0u);
    EXPECT_EQ(counts.lockCalls, 0u);
    EXPECT_EQ(counts.lockWaits, 0u);
}

// Zero counts above mean something only if the probe sees what it is there to see.
int* volatile g_escaped = nullptr; // keeps the allocation below from being optimised away

TEST(RealtimeProbe, CountsAnAllocationAFreeAndALockCall) {
    std::mutex mutex;
    realtime_probe::Arm();
    g_escaped = new int(7);
    delete g_escaped;
    { std::lock_guard lock(mutex); }
    const realtime_probe::Counts counts = realtime_probe::Disarm();
    EXPECT_EQ(counts.allocations, 1u);
    EXPECT_EQ(counts.frees, 1u);
    EXPECT_EQ(counts.lockCalls, 1u);
    EXPECT_EQ(counts.lockWaits, 0u);
}

INSTANTIATE_TEST_SUITE_P(GamePieces, AudioCallbackTest,
                         ::testing::Values("LOGO.mid", "BGM1.mid", "BGM2.mid"),
                         [](const auto& param) {
                             std::string name = param.param;
                             return name.substr(0, name.find('.'));
                         });

} // namespace
} // namespace tessary
