// A listening program for the real (SDL) platform, not shipped: it writes two wave effects and a
// MIDI tune into a scratch folder, then runs the runtime's entry with a small "game" that plays
// the tune and fires the effects for five seconds and closes. Run with SDL's disk audio driver, it
// leaves a recording to measure; run with a sound card, it can be listened to.
//
//   sound_listen [both|effects|music] [folder]
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/shell/entry.h"
#include "runtime/shell/frame_loop.h"
#include "runtime/shell/main_window.h"
#include "runtime/sound/music.h"
#include "runtime/sound/wave_bank.h"
#include "support/sound_files.h"

namespace {

using namespace pelko::testing;

constexpr int kFramePeriodMs = 20;
constexpr int kRunFrames = 5000 / kFramePeriodMs;

bool g_effects = true;
bool g_music = true;
int g_frame = 0;

// A 0.3 s bell at 880 Hz, 16-bit mono at 22050 Hz, fading out.
std::string Bell() {
    std::vector<int16_t> s(22050 * 3 / 10);
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / 22050;
        const double fade = 1.0 - static_cast<double>(i) / s.size();
        s[i] = static_cast<int16_t>(16000 * fade * std::sin(2 * M_PI * 880 * t));
    }
    return MakeWav(WavFormat{1, 1, 22050, 16}, Pcm16(s));
}

// A 0.2 s burst of noise, 8-bit stereo at 11025 Hz, dying away.
std::string Burst() {
    std::string data;
    uint32_t state = 7;
    const int frames = 11025 / 5;
    for (int i = 0; i < frames * 2; ++i) {
        state = state * 214013u + 2531011u;
        const double fade = 1.0 - static_cast<double>(i / 2) / frames;
        const int v = static_cast<int>((((state >> 16) & 0xFF) - 128) * 0.6 * fade);
        data += static_cast<char>(128 + v);
    }
    return MakeWav(WavFormat{1, 2, 11025, 8}, data);
}

// Recording into SDL's disk driver, says how far the recording had got when the program began to
// close: what follows is shut-down, however long that takes on a busy machine.
void ReportRecordingLength() {
    const char* file = std::getenv("SDL_DISKAUDIOFILE");
    if (file == nullptr) return;
    std::error_code error;
    const auto bytes = std::filesystem::file_size(file, error);
    if (!error)
        std::printf("recorded %llu bytes when closing\n", static_cast<unsigned long long>(bytes));
    std::fflush(stdout);
}

int ListenFrame() {
    ++g_frame;
    if (g_effects && g_frame % 25 == 1) tessary::PlayWave(0, 0);
    if (g_effects && g_frame % 40 == 20) tessary::PlayWave(1, 0);
    if (g_frame >= kRunFrames) {
        ReportRecordingLength();
        tessary::RequestClose();
    }
    return 1;
}

int StartListening() {
    tessary::SetFramePeriod(kFramePeriodMs);
    tessary::SetFrameCallback(ListenFrame);
    tessary::LoadWave(0, "GameData\\bell.wav");
    tessary::LoadWave(1, "GameData\\burst.wav");
    tessary::SetWaveVolume(0, 90);
    tessary::SetWaveVolume(1, 70);
    if (g_music) tessary::PlayMidi("GameData\\tune.mid", 1);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "both";
    g_effects = mode != "music";
    g_music = mode != "effects";
    const std::filesystem::path folder =
        argc > 2
            ? std::filesystem::path(argv[2])
            : std::filesystem::temp_directory_path() / ("pelko_listen_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder / "GameData");
    std::filesystem::current_path(folder);
    WriteFile("GameData/bell.wav", Bell());
    WriteFile("GameData/burst.wav", Burst());
    WriteFile("GameData/tune.mid", MakeTune(8, 0, 110));
    return tessary::WinMain(tessary::GameEntry{StartListening, ListenFrame});
}
