// The generated game files through the runtime itself: every wave loads into the wave slot the
// game gives it and is heard, and every piece of music plays through the music layer, clean.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>

#include "platform/headless.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "runtime/graphics/blitters.h"
#include "runtime/graphics/display.h"
#include "runtime/graphics/image_slots.h"
#include "runtime/graphics/primitives.h"
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
        inDist_.emplace(PELKO_DIST_DIR);
    }

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
    std::optional<testing::InFolder> inDist_;
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

struct PictureSlot {
    uint16_t slot;
    const char* name;
    int transparent;
};

// Width and height from a BMP file's header.
std::pair<int, int> BmpSize(const std::string& hostPath) {
    const platform::FileContents file = platform::ReadWholeFile(hostPath, size_t{64} << 20);
    const std::string* bytes = &file.bytes;
    if (!file.Read() || bytes->size() < 26) return {0, 0};
    auto at = [&](size_t i) {
        return static_cast<int32_t>(
            static_cast<uint8_t>((*bytes)[i]) | (static_cast<uint8_t>((*bytes)[i + 1]) << 8) |
            (static_cast<uint8_t>((*bytes)[i + 2]) << 16) |
            (static_cast<uint32_t>(static_cast<uint8_t>((*bytes)[i + 3])) << 24));
    };
    return {at(18), std::abs(at(22))};
}

class GamePicturesTest : public GameFilesTest, public ::testing::WithParamInterface<int> {
  protected:
    void TearDown() override { unsetenv("TESSARY_DESKTOP_DEPTH"); }
};

// Every picture in both folders loads into the slot the game gives it at every display depth, at
// its file's size, keyed by its top-left pixel, and a keyed sheet drawn over the play-field blue
// leaves the blue showing through its key colour and nowhere else.
TEST_P(GamePicturesTest, EveryPictureLoadsIntoItsSlotAndDrawsKeyed) {
    const int depth = GetParam();
    setenv("TESSARY_DESKTOP_DEPTH", std::to_string(depth).c_str(), 1);
    ASSERT_EQ(CreateMainWindow(), 1);
    ASSERT_EQ(TheDisplay().Open(), 1);
    ASSERT_EQ(CreateScratchImage(), 1);
    const PictureSlot pictures[] = {
        {1, "GPelko.bmp", 1},   {2, "Ikura.bmp", 1},        {3, "Kuma.bmp", 1},
        {4, "Nami.bmp", 1},     {5, "Boss.bmp", 1},         {6, "Boss2.bmp", 1},
        {7, "Item.bmp", 1},     {8, "Wood.bmp", 1},         {9, "Spear.bmp", 1},
        {10, "WStatus.bmp", 1}, {11, "StartScreen.bmp", 0}, {12, "TamaSho.bmp", 1},
        {13, "UxLOGO.bmp", 0}};
    for (const char* folder : {"256", "Fullcolor"}) {
        for (const PictureSlot& p : pictures) {
            const std::string path = std::string("GameData\\") + folder + "\\" + p.name;
            SCOPED_TRACE(path);
            ASSERT_EQ(LoadBmpImage(p.slot, path.c_str(), p.transparent), 1);
            const ImageSlot& slot = *ImageSlotAt(p.slot);
            auto [w, h] = BmpSize(platform::HostPath(path));
            EXPECT_EQ(slot.width, w);
            EXPECT_EQ(slot.height, h);
            EXPECT_EQ(slot.colorKey, slot.surface->ReadPixel(0, 0));
            if (p.transparent == 0) continue;

            const uint32_t blue = TheDisplay().ColorToPixel(*TheDisplay().backBuffer, 0x00FF7F00);
            ClearScreen(0x00FF7F00);
            const int dw = std::min(w, 640), dh = std::min(h, 480);
            ASSERT_EQ(DrawImage(0, 0, p.slot, 0, 0, dw, dh), 1);
            int keyed = 0, mismatched = 0;
            for (int y = 0; y < dh; ++y)
                for (int x = 0; x < dw; ++x) {
                    const uint32_t src = slot.surface->ReadPixel(x, y);
                    const uint32_t shown = TheDisplay().backBuffer->ReadPixel(x, y);
                    const bool isKey = src == slot.colorKey;
                    keyed += isKey;
                    mismatched += isKey ? shown != blue : shown != src;
                }
            EXPECT_GT(keyed, 0);
            EXPECT_EQ(mismatched, 0);
        }
    }
    ASSERT_EQ(LoadBmpImage(14, "ForBeginner.BMP", 1), 1);
    EXPECT_GE(ImageSlotAt(14)->width, 881);
    EXPECT_GE(ImageSlotAt(14)->height, 400);
    EXPECT_EQ(headless::DebugText().find("BMP["), std::string::npos) << headless::DebugText();
}

INSTANTIATE_TEST_SUITE_P(AllDepths, GamePicturesTest, ::testing::Values(8, 16, 24, 32));

// At 256 colours the palette comes from the game's 8-bit pictures, and every colour the game
// fills the screen or writes with by value must be in it: the play field cleared to its blue
// shows that blue on the screen, not the nearest shade of some ramp.
TEST_F(GameFilesTest, AtEightBitsEveryColourTheGameDrawsByValueIsPresentedExactly) {
    setenv("TESSARY_DESKTOP_DEPTH", "8", 1);
    ASSERT_EQ(CreateMainWindow(), 1);
    ASSERT_EQ(TheDisplay().Open(), 1);
    unsetenv("TESSARY_DESKTOP_DEPTH");
    ASSERT_EQ(TheDisplay().depth, 8);
    ASSERT_EQ(LoadBmpImage(1, "GameData\\256\\GPelko.bmp", 1), 1);
    struct Drawn {
        uint32_t gdi;   // 0x00BBGGRR, as the game passes it
        uint32_t shown; // 0x00RRGGBB, as the present shows it
        const char* use;
    };
    const Drawn colours[] = {{0x00FF7F00, 0x007FFF, "play field and staff-roll headings"},
                             {0x0000D7FF, 0xFFD700, "message frame"},
                             {0x00FF0000, 0x0000FF, "staff-roll names, boss health"},
                             {0x000000FF, 0xFF0000, "messages, health lost, hit boxes"},
                             {0x00FFFFFF, 0xFFFFFF, "HUD and title text, logo screen"},
                             {0x00000000, 0x000000, "HUD band, screens"}};
    for (const Drawn& c : colours) {
        SCOPED_TRACE(c.use);
        ASSERT_EQ(ClearScreen(c.gdi), 1);
        ASSERT_EQ(TheDisplay().Present(), 1);
        const std::vector<uint32_t>& frame = headless::PresentedFrame();
        ASSERT_FALSE(frame.empty());
        EXPECT_EQ(frame[0], c.shown) << std::hex << "got 0x" << frame[0];
        EXPECT_EQ(frame[frame.size() - 1], c.shown);
    }
}

} // namespace
} // namespace tessary
