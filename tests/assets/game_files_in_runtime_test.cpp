// The generated game files through the runtime itself: every wave loads into the wave slot the
// game gives it and is heard, and every piece of music plays through the music layer, clean.
#include <algorithm>
#include <cmath>
#include <filesystem>

#include "platform/headless.h"
#include "runtime/shell/main_window.h"
#include "runtime/sound/music.h"
#include "runtime/sound/wave_bank.h"
#include "support/runtime_fixture.h"

namespace tessary {
namespace {

namespace headless = platform::headless;

// Runs in the game folder, as the game does, so the game's own relative paths are used.
class GameFilesTest : public testing::RuntimeTest {
protected:
    void SetUp() override {
        RuntimeTest::SetUp();
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(PELKO_DIST_DIR);
    }
    void TearDown() override { std::filesystem::current_path(previous_); }

    struct Levels {
        float peak = 0.0f;
        double rms = 0.0;
    };

    static Levels Render(double seconds) {
        Levels levels;
        double sum = 0.0;
        size_t count = 0;
        for (int left = static_cast<int>(seconds * 44100); left > 0; left -= 441) {
            for (float v : headless::RenderAudio(std::min(left, 441))) {
                levels.peak = std::max(levels.peak, std::fabs(v));
                sum += static_cast<double>(v) * v;
                ++count;
            }
        }
        levels.rms = count != 0 ? std::sqrt(sum / static_cast<double>(count)) : 0.0;
        return levels;
    }

private:
    std::filesystem::path previous_;
};

struct WaveSlot {
    uint16_t slot;
    const char* path;
};

TEST_F(GameFilesTest, EveryWaveLoadsIntoItsSlotAndIsHeardWithoutClipping) {
    ASSERT_EQ(CreateMainWindow(), 1);
    ASSERT_EQ(CreateSoundDevice(), 1);
    const WaveSlot waves[] = {{1, "GameData\\Shot.wav"}, {2, "GameData\\Beaten.wav"},
                              {4, "GameData\\Beat.wav"}, {3, "GameData\\Pi.wav"},
                              {5, "GameData\\1up.wav"},  {6, "GameData\\Warn.wav"}};
    for (const WaveSlot& w : waves) {
        SCOPED_TRACE(w.path);
        ASSERT_NE(LoadWave(w.slot, w.path), 0);
        EXPECT_EQ(TheWaveBank().buffers[w.slot], 1);
        ASSERT_EQ(SetWaveVolume(w.slot, 100), 1);
        ASSERT_EQ(PlayWave(w.slot, 0), 1);
        Levels levels = Render(0.25);
        EXPECT_GT(levels.peak, 0.1f);
        EXPECT_LT(levels.peak, 1.0f);
        Render(3.0); // let it end before the next one
    }
    EXPECT_EQ(headless::DebugText().find("失敗"), std::string::npos) << headless::DebugText();
}

TEST_F(GameFilesTest, EveryPieceOfMusicPlaysThroughTheMusicLayer) {
    ASSERT_EQ(CreateMainWindow(), 1);
    ASSERT_EQ(CreateSoundDevice(), 1);
    for (const char* piece : {"GameData\\LOGO.mid", "GameData\\BGM1.mid", "GameData\\BGM2.mid"}) {
        SCOPED_TRACE(piece);
        ASSERT_EQ(PlayMidi(piece, 1), 1) << headless::DebugText();
        EXPECT_EQ(TheMusic().playing, 1);
        Levels levels = Render(4.0);
        EXPECT_GT(levels.rms, 0.005);
        EXPECT_LT(levels.peak, 1.0f);
        EXPECT_GT(headless::MusicTick(), 0);
    }
    CloseAllMusic();
    EXPECT_EQ(TheMusic().open, 0);
}

} // namespace
} // namespace tessary
