// The sound through SDL's real audio drivers when the output goes away, is missing, or complains.
//
// SDL's disk driver writes the mix into a named pipe that the test reads, as a sound card takes
// it. Closing the reading end makes the driver's next write fail, and SDL then reports the device
// removed (SDL_AUDIODEVICEREMOVED) as it does for an unplugged headset. Opening a pipe for writing
// waits for a reader, so the device opened again hangs until the test plugs a reader back in,
// like an output that is slow to come: the game thread must go on meanwhile.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "common/mci_sequencer.h"
#include "platform/audio.h"
#include "platform/midi.h"
#include "platform/window.h"
#include "support/sound_files.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr int kTicksPerSecond = 960; // MakeTune: 120 beats a minute, 480 ticks a beat
constexpr size_t kSamplesPerSecond = 44100 * 2;
constexpr auto kGiveUp = 60s; // only a test that fails waits this long

// Reads a pipe as a sound card would take the stream: opening waits for the writer, reading goes
// on until the test unplugs it.
class PipeReader {
  public:
    explicit PipeReader(const std::string& path) : thread_([this, path] { Read(path); }) {}
    ~PipeReader() { Unplug(); }

    void Unplug() {
        unplug_.store(true);
        if (thread_.joinable()) thread_.join();
    }
    size_t Samples() {
        std::lock_guard lock(mutex_);
        return samples_.size();
    }
    float Peak() {
        std::lock_guard lock(mutex_);
        float peak = 0.0f;
        for (float v : samples_)
            peak = std::max(peak, std::fabs(v));
        return peak;
    }

  private:
    void Read(const std::string& path) {
        const int fd = open(path.c_str(), O_RDONLY);
        if (fd < 0) return;
        std::vector<float> buffer(4096);
        while (!unplug_.load()) {
            const ssize_t got = read(fd, buffer.data(), buffer.size() * sizeof(float));
            if (got <= 0) break;
            std::lock_guard lock(mutex_);
            samples_.insert(samples_.end(), buffer.begin(),
                            buffer.begin() + got / static_cast<ssize_t>(sizeof(float)));
        }
        close(fd);
    }

    std::atomic<bool> unplug_{false};
    std::mutex mutex_;
    std::vector<float> samples_;
    std::thread thread_;
};

// Standard error into a file for the length of a test: the platform's debug lines go there, and
// so would any library's.
class CapturedStderr {
  public:
    explicit CapturedStderr(const fs::path& file) : file_(file) {
        std::fflush(stderr);
        saved_ = dup(2);
        const int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(fd, 2);
        close(fd);
    }
    ~CapturedStderr() {
        std::fflush(stderr);
        dup2(saved_, 2);
        close(saved_);
    }
    std::string Text() const {
        std::ifstream in(file_);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    bool Says(const std::string& words) const { return Text().find(words) != std::string::npos; }

  private:
    fs::path file_;
    int saved_ = -1;
};

class AudioDeviceChangeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        signal(SIGPIPE, SIG_IGN); // a write into an unplugged pipe fails instead
        stderr_ = std::make_unique<CapturedStderr>(dir_ / "stderr.txt");
    }
    void TearDown() override {
        platform::MciSendString("close MIDI", nullptr, 0, 0);
        platform::CloseAudioDevice();
        stderr_.reset();
        if (HasFailure()) std::printf("debug output:\n%s\n", Log().c_str());
    }

    // One pump of the message queue, as each frame does.
    static void Frame() {
        platform::Message m;
        while (platform::PeekMessage(m)) {
        }
        std::this_thread::sleep_for(5ms);
    }
    // Runs frames until done() holds; false after kGiveUp.
    static bool FramesUntil(const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + kGiveUp;
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            Frame();
        }
        return true;
    }

    void PlayTune(int beats) {
        const std::string path = (dir_ / "tune.mid").string();
        pelko::testing::WriteFile(path, pelko::testing::MakeTune(beats));
        const std::string open = "open \"" + path + "\" type sequencer alias MIDI";
        ASSERT_EQ(platform::MciSendString(open.c_str(), nullptr, 0, 0), 0u);
        ASSERT_EQ(platform::MciSendString("play MIDI from 0", nullptr, 0, 0), 0u);
    }

    std::string Log() const { return stderr_ ? stderr_->Text() : std::string(); }
    bool LogSays(const std::string& words) const { return stderr_->Says(words); }

    tessary::testing::TempFolder folder_{"pelko-device"};
    const fs::path dir_ = folder_.Path();
    std::unique_ptr<CapturedStderr> stderr_;
};

TEST_F(AudioDeviceChangeTest, ARemovedDeviceIsOpenedAgainAndTheMusicGoesOnFromWhereItWas) {
    const std::string pipe = (dir_ / "card").string();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", pipe.c_str(), 1);

    auto card = std::make_unique<PipeReader>(pipe);
    ASSERT_TRUE(platform::OpenAudioDevice());
    PlayTune(40); // 20 seconds
    ASSERT_TRUE(FramesUntil([&] { return card->Samples() >= 2 * kSamplesPerSecond; }));
    const int beforeRemoval = platform::midi::SequencerTick();
    EXPECT_GT(beforeRemoval, kTicksPerSecond);

    // The device opened again waits for a reader. Frames go on meanwhile; a game thread that
    // waited for the device would hang until the watchdog plugs a card back in.
    std::atomic<bool> framesWentOn{false}, rescued{false};
    std::thread watchdog([&] {
        const auto deadline = std::chrono::steady_clock::now() + 20s;
        while (!framesWentOn.load() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(10ms);
        if (framesWentOn.load()) return;
        rescued.store(true);
        PipeReader rescue(pipe); // plugged in until the frames are done
        while (!framesWentOn.load())
            std::this_thread::sleep_for(10ms);
    });
    card->Unplug();
    const bool noticed = FramesUntil([&] { return LogSays("output device was removed"); });
    for (int frame = 0; frame < 40; ++frame)
        Frame();
    framesWentOn.store(true);
    watchdog.join();
    ASSERT_TRUE(noticed);
    ASSERT_FALSE(rescued.load()) << "the frames waited for the device to open";
    const int whileAway = platform::midi::SequencerTick();
    EXPECT_GE(whileAway, beforeRemoval); // not started again from the beginning

    card = std::make_unique<PipeReader>(pipe);
    ASSERT_TRUE(FramesUntil([&] {
        return card->Samples() >= kSamplesPerSecond && LogSays("sound goes on through disk");
    }));
    EXPECT_GT(card->Peak(), 0.01f) << "the music is heard again";
    EXPECT_GT(platform::midi::SequencerTick(), whileAway + kTicksPerSecond / 2)
        << "the music goes on from where it was";
}

TEST_F(AudioDeviceChangeTest, WithoutADeviceAtTheStartTheSoundIsSilentAndADeviceIsLookedForAgain) {
    const fs::path card = dir_ / "plugged-in-later" / "card.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", card.c_str(), 1);

    ASSERT_TRUE(platform::OpenAudioDevice());
    PlayTune(40);
    ASSERT_TRUE(FramesUntil([&] { return LogSays("no output device"); }));
    EXPECT_FALSE(LogSays("sound goes on"));
    // The silent stand-in still keeps the music's time.
    ASSERT_TRUE(FramesUntil([&] { return platform::midi::SequencerTick() > kTicksPerSecond / 4; }));

    fs::create_directories(card.parent_path());
    ASSERT_TRUE(FramesUntil([&] {
        std::error_code error;
        return LogSays("sound goes on through disk") && fs::file_size(card, error) > 44100 * 8;
    }));
}

// SDL falls back to raw ALSA when no sound server answers; ALSA's complaints about a missing
// card stay off standard error, and the one line that says the sound is silent gives the reason.
TEST_F(AudioDeviceChangeTest, AlsaWithoutACardLeavesOneLineOfOurOwn) {
    const fs::path config = dir_ / "asound.conf"; // names no devices at all
    pelko::testing::WriteFile(config.string(), "# no cards here\n");
    setenv("SDL_AUDIODRIVER", "alsa", 1);
    setenv("ALSA_CONFIG_PATH", config.c_str(), 1);

    ASSERT_TRUE(platform::OpenAudioDevice());
    ASSERT_TRUE(FramesUntil([&] { return LogSays("no output device"); }));
    platform::CloseAudioDevice();
    unsetenv("ALSA_CONFIG_PATH");
    const std::string log = Log();
    EXPECT_EQ(log.find("ALSA lib"), std::string::npos) << log;
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
    EXPECT_NE(log.find("Unknown PCM default"), std::string::npos) << "ALSA's reason is given";
}

} // namespace
