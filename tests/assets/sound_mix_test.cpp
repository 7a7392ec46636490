// The game's own sounds mixed through the real mixer at the default volume: each effect's level,
// the music under them, and the worst moment of play (a kill with the shot, the hit and the boss
// warning all at once over the boss music) staying under full scale, the limiter bending no more
// than a rare peak and the clamp never acting. The levels are printed for the record.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/headless.h"
#include "runtime/shell/main_window.h"
#include "runtime/sound/music.h"
#include "runtime/sound/wave_bank.h"
#include "support/asset_readers.h"
#include "support/sound_fixture.h"

namespace tessary {
namespace {

namespace headless = platform::headless;

constexpr int kRate = 44100;
constexpr int kFrameOfPlay = kRate / 30; // one frame of play at 30 frames a second

double Dbfs(double level) {
    return 20.0 * std::log10(std::max(level, 1e-9));
}

struct Level {
    double peak = 0, rms = 0;
};

Level Measure(const std::vector<float>& mix) {
    Level level;
    double energy = 0;
    for (float v : mix) {
        level.peak = std::max(level.peak, static_cast<double>(std::fabs(v)));
        energy += static_cast<double>(v) * v;
    }
    level.rms = mix.empty() ? 0 : std::sqrt(energy / mix.size());
    return level;
}

enum Slot : uint16_t { kShot = 0, kPi = 1, kBeat = 2, kWarn = 3, kBeaten = 4, kOneUp = 5 };

class SoundMixTest : public testing::SoundTest {
  protected:
    void SetUp() override {
        SoundTest::SetUp();
        ASSERT_EQ(CreateMainWindow(), 1);
        ASSERT_EQ(CreateSoundDevice(), 1);
        const char* names[] = {"Shot", "Pi", "Beat", "Warn", "Beaten", "1up"};
        for (uint16_t slot = 0; slot < 6; ++slot) {
            const std::string name = std::string(names[slot]) + ".wav";
            Copy(name);
            ASSERT_EQ(LoadWave(slot, ("GameData\\" + name).c_str()), 1) << name;
            ASSERT_EQ(SetWaveVolume(slot, 100), 1);
        }
        Copy("BGM2.mid");
    }

    void Copy(const std::string& name) {
        const auto bytes = asset_test::ReadFile(std::string(PELKO_DIST_DIR) + "/GameData/" + name);
        ASSERT_FALSE(bytes.empty()) << name;
        Put("GameData\\" + name, std::string(bytes.begin(), bytes.end()));
    }

    // Renders whole frames of play, calling `play` at the start of each with its number.
    template <typename Play> static std::vector<float> Frames(int count, Play play) {
        std::vector<float> mix;
        for (int frame = 0; frame < count; ++frame) {
            play(frame);
            const std::vector<float> part = Render(kFrameOfPlay);
            mix.insert(mix.end(), part.begin(), part.end());
        }
        return mix;
    }
};

TEST_F(SoundMixTest, EffectsSitOverTheMusicAndTheWorstMomentOfPlayStaysUnderFullScale) {
    // Each effect alone.
    const char* names[] = {"Shot", "Pi", "Beat", "Warn", "Beaten", "1up"};
    Level effects[6];
    for (uint16_t slot = 0; slot < 6; ++slot) {
        effects[slot] = Measure(Frames(60, [&](int frame) {
            if (frame == 0) PlayWave(slot, 0);
        }));
        std::printf("%-6s peak %6.1f dBFS\n", names[slot], Dbfs(effects[slot].peak));
    }
    // The shot as the player hears it, six times a second, against the music alone.
    const Level shooting = Measure(Frames(60, [](int frame) {
        if (frame % 5 == 0) PlayWave(kShot, 0);
    }));
    ASSERT_EQ(PlayMidi("GameData\\BGM2.mid", 1), 1);
    Frames(30, [](int) {}); // into the piece
    const Level music = Measure(Frames(300, [](int) {}));
    std::printf("shooting rms %.1f dBFS, BGM2 rms %.1f dBFS, peak %.1f dBFS\n", Dbfs(shooting.rms),
                Dbfs(music.rms), Dbfs(music.peak));

    // Effects keep headroom of their own: the shot, heard most often, is the quietest.
    for (int slot = 0; slot < 6; ++slot) {
        EXPECT_LE(Dbfs(effects[slot].peak), -4.5) << names[slot];
        EXPECT_GE(Dbfs(effects[slot].peak), -14.0) << names[slot];
        if (slot != kShot) {
            EXPECT_LT(effects[kShot].peak, effects[slot].peak) << names[slot];
        }
    }
    // The music sits under the shooting but is not drowned by it.
    EXPECT_LT(Dbfs(music.rms), Dbfs(shooting.rms) - 1.0);
    EXPECT_GT(Dbfs(music.rms), Dbfs(shooting.rms) - 12.0);

    // The boss arrives: its warning over the music while the player shoots six times a second,
    // hits and kills, every sound started on the same sample again and again.
    const std::vector<float> worst = Frames(600, [](int frame) {
        if (frame % 48 == 0) PlayWave(kWarn, 0);
        if (frame % 5 == 0) PlayWave(kShot, 0);
        if (frame % 10 == 0) {
            PlayWave(kPi, 0);
            PlayWave(kBeat, 0);
        }
    });
    const Level level = Measure(worst);
    auto share = [&](float above) {
        return static_cast<double>(std::count_if(worst.begin(), worst.end(),
                                                 [&](float v) { return std::fabs(v) >= above; })) /
               worst.size();
    };
    std::printf("worst case over BGM2: peak %.2f dBFS, rms %.1f dBFS, %.4f%% of samples over "
                "-1 dBFS\n",
                Dbfs(level.peak), Dbfs(level.rms), 100.0 * share(0.891f));
    // Under full scale with no sample held at it, so the clamp never acted; and the levels,
    // not the limiter, do the work: it bends only the rare coincidence of peaks.
    EXPECT_LT(level.peak, 1.0);
    EXPECT_EQ(share(1.0f), 0.0);
    EXPECT_LT(share(0.891f), 0.0025);
}

} // namespace
} // namespace tessary
