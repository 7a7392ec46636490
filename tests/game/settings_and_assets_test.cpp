// The settings file as the game reads it at start, and the pictures, sounds and run state that
// the start loads and resets.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>

#include "game/flow/game_globals.h"
#include "game/flow/game_start.h"
#include "game/player/stage_progress.h"
#include "platform/headless.h"
#include "platform/messages.h"
#include "platform/virtual_keys.h"
#include "runtime/graphics/display.h"
#include "runtime/graphics/image_slots.h"
#include "runtime/shell/main_window.h"
#include "runtime/sound/wave_bank.h"
#include "support/play_fixture.h"

namespace pelko::testing {
namespace {

namespace headless = platform::headless;

class SettingsTest : public PlayTest {
  protected:
    void BootWith(const std::string& ini) {
        GameFolder folder;
        folder.settings = ini;
        StartGame(std::move(folder));
    }
    int FpsDebugLines() {
        int n = 0;
        for (const std::string& line : headless::DebugLines())
            if (line.find("FPS=") != std::string::npos) ++n;
        return n;
    }
};

TEST_F(SettingsTest, WithoutAFileEveryKeyTakesItsDefault) {
    StartGame();
    const GameGlobals& g = Globals();
    EXPECT_EQ(g.fps, 30);
    EXPECT_EQ(g.framePeriodMs, 33);
    EXPECT_EQ(g.speedFactor, 1.0f);
    EXPECT_EQ(g.frameMultiplier, 2);
    EXPECT_EQ(TheGame().showFps, 0);
    EXPECT_EQ(g.showObjectFrame, 0);
    EXPECT_EQ(g.maxTp, 3);
    EXPECT_EQ(g.maxPower, 10);
    EXPECT_EQ(g.maxSpeed, 10);
    EXPECT_EQ(tessary::TheDisplay().waitVSync, 1);
    EXPECT_EQ(tessary::TheImageSlots().useVRAM, 1);
    EXPECT_EQ(g.use256Color, 0);
    EXPECT_EQ(g.fullScreen, 0);
    EXPECT_FALSE(tessary::TheDisplay().IsFullScreen());
    EXPECT_EQ(TheGame().waveVolume, 100);
    EXPECT_EQ(tessary::TheDisplayGlobals().useFlip, 0);
    EXPECT_EQ(FpsDebugLines(), 0);
}

// The exact text the settings editor writes with its start values, CR LF line ends included.
TEST_F(SettingsTest, TheEditorsDefaultFileReadsAsSixtyFramesWithoutVSync) {
    BootWith("[PelkoGame]\r\nFPS=60\r\nColor=24Bit\r\nShowFPS=0\r\nShowObjectFrame=0\t\t\r\n"
             "UseVRAM=1\r\nUseVSync=0\r\nFullScreen=0\r\nUseFlip=0\r\nWaveVolume=80");
    const GameGlobals& g = Globals();
    EXPECT_EQ(g.fps, 60);
    EXPECT_EQ(g.framePeriodMs, 16);
    EXPECT_EQ(g.speedFactor, 0.5f);
    EXPECT_EQ(g.frameMultiplier, 1);
    EXPECT_EQ(g.use256Color, 0);
    EXPECT_EQ(tessary::TheDisplay().waitVSync, 0);
    EXPECT_EQ(tessary::TheImageSlots().useVRAM, 1);
    EXPECT_FALSE(tessary::TheDisplay().IsFullScreen());
    EXPECT_EQ(TheGame().waveVolume, 80);
    EXPECT_EQ(g.maxTp, 3);
    EXPECT_EQ(g.maxPower, 10);
    EXPECT_EQ(g.maxSpeed, 10);
}

TEST_F(SettingsTest, ColorEightOrTwoFiftySixChoosesTheTwoFiftySixColourPictures) {
    for (const char* value : {"256", "8"}) {
        BootWith(std::string("[PelkoGame]\nColor=") + value + "\n");
        EXPECT_EQ(Globals().use256Color, 1) << value;
        for (int slot = 1; slot <= 13; ++slot) {
            const std::string file = tessary::ImageSlotAt(slot)->fileName.data();
            EXPECT_EQ(file.rfind("GameData\\256\\", 0), 0u) << value << " slot " << slot << file;
            EXPECT_NE(tessary::ImageSurface(slot), nullptr) << slot;
        }
        EXPECT_STREQ(tessary::ImageSlotAt(14)->fileName.data(), "ForBeginner.BMP");
    }
    for (const char* value : {"24Bit", "16", "1"}) {
        BootWith(std::string("[PelkoGame]\nColor=") + value + "\n");
        EXPECT_EQ(Globals().use256Color, 0) << value;
        EXPECT_STREQ(tessary::ImageSlotAt(3)->fileName.data(), "GameData\\Fullcolor\\Kuma.bmp");
        EXPECT_STREQ(tessary::ImageSlotAt(11)->fileName.data(),
                     "GameData\\Fullcolor\\StartScreen.bmp");
    }
}

TEST_F(SettingsTest, FlagsAreOnOnlyForExactlyOne) {
    BootWith("[PelkoGame]\nShowFPS=2\nUseVSync=2\nUseVRAM=2\nFullScreen=2\nUseFlip=2\n");
    EXPECT_EQ(TheGame().showFps, 0);
    EXPECT_EQ(tessary::TheDisplay().waitVSync, 0);
    EXPECT_EQ(tessary::TheImageSlots().useVRAM, 0);
    EXPECT_EQ(Globals().fullScreen, 0);
    EXPECT_EQ(tessary::TheDisplayGlobals().useFlip, 0);

    BootWith("[PelkoGame]\nShowFPS=1\nUseFlip=1\nShowObjectFrame=7\nMaxTP=9\nMaxPower=-2\n");
    EXPECT_EQ(TheGame().showFps, 1);
    EXPECT_EQ(tessary::TheDisplayGlobals().useFlip, 1);
    EXPECT_EQ(Globals().showObjectFrame, 7); // kept as read; only 1 draws the outlines
    EXPECT_EQ(Globals().maxTp, 9);
    EXPECT_EQ(Globals().maxPower, -2);
}

// The picture's scaling is this game's own setting, in [Pelko] below the game's section; values
// other than 0 and 1 read as sharp scaling, and the key in the game's section is not read.
TEST_F(SettingsTest, ScalingIsReadFromThePelkoSectionAndHandedToThePresent) {
    const struct {
        const char* ini;
        platform::PictureScaling scaling;
    } rows[] = {
        {"[PelkoGame]\nFPS=60\n[Pelko]\nScaling=1\n", platform::PictureScaling::kWholeMultiples},
        {"[PelkoGame]\nFPS=60\n[Pelko]\nScaling=2\n", platform::PictureScaling::kSharp},
        {"[PelkoGame]\nScaling=1\n", platform::PictureScaling::kSharp},
    };
    for (const auto& row : rows) {
        BootWith(row.ini);
        EXPECT_EQ(headless::PresentScaling(), row.scaling) << row.ini;
        EXPECT_EQ(tessary::TheDisplayGlobals().scaling,
                  row.scaling == platform::PictureScaling::kWholeMultiples ? 1 : 0);
    }
}

TEST_F(SettingsTest, FullScreenOneSwitchesTheDisplayAtOnce) {
    BootWith("[PelkoGame]\nFullScreen=1\n");
    EXPECT_EQ(Globals().fullScreen, 1);
    EXPECT_TRUE(tessary::TheDisplay().IsFullScreen());
    EXPECT_TRUE(headless::IsFullScreen());
    ASSERT_NE(tessary::TheDisplay().backBuffer, nullptr);
}

TEST_F(SettingsTest, RatesOutsideOneToSixtyFallBackToThirtyWithOneLine) {
    for (const char* value : {"0", "75", "-30"}) {
        BootWith(std::string("[PelkoGame]\nFPS=") + value + "\n");
        EXPECT_EQ(Globals().fps, 30) << value;
        EXPECT_EQ(Globals().framePeriodMs, 33);
        EXPECT_EQ(Globals().frameMultiplier, 2);
        EXPECT_EQ(Globals().speedFactor, 1.0f);
        EXPECT_EQ(FpsDebugLines(), 1) << value;
    }
    BootWith("[PelkoGame]\nFPS=1\n"); // the slowest rate still allowed
    EXPECT_EQ(Globals().fps, 1);
    EXPECT_EQ(Globals().framePeriodMs, 1000);
    EXPECT_EQ(Globals().frameMultiplier, 60);
    EXPECT_EQ(Globals().speedFactor, 30.0f);
    EXPECT_EQ(FpsDebugLines(), 0);
}

TEST_F(SettingsTest, AWaveVolumeIsKeptAsASixteenBitValue) {
    BootWith("[PelkoGame]\nWaveVolume=65586\n"); // 65536 + 50
    EXPECT_EQ(TheGame().waveVolume, 50);
}

// The logo's music, heard for three seconds after a start with each volume. The synthesizer's
// chorus keeps its own phase from one start to the next, so a level varies by a few percent.
TEST_F(SettingsTest, MusicVolumeTurnsTheMusicDownByTheEffectsCurveAndZeroIsSilent) {
    auto rms = [this](const char* ini) { // 0 only for exact silence
        GameFolder folder;
        folder.settings = ini;
        folder.music = true;
        StartGame(std::move(folder));
        double sum = 0.0;
        for (int buffer = 0; buffer < 300; ++buffer)
            for (float v : headless::RenderAudio(441))
                sum += static_cast<double>(v) * v;
        return std::sqrt(sum / (300 * 441 * 2));
    };
    const double full = rms("[PelkoGame]\nWaveVolume=100\n[Pelko]\n"); // missing: 100
    ASSERT_GT(full, 0.01) << "the logo's music is not heard";
    // 50 is 25 dB down, as for the effects: the gain 10^(-2499 / 2000) = 0.0563.
    EXPECT_NEAR(rms("[Pelko]\nMusicVolume=50\n") / full, 0.0563, 0.0056);
    EXPECT_EQ(rms("[Pelko]\nMusicVolume=0\n"), 0.0);
}

TEST_F(PlayTest, TheStartLoadsEverySoundAndResetsTheRunState) {
    StartGame();
    for (int slot : {1, 2, 3, 4, 5, 6})
        EXPECT_EQ(tessary::TheWaveBank().buffers[slot], 1) << slot;
    EXPECT_STREQ(tessary::TheWaveBank().names[4].data(), "GameData\\Beat.wav");
    EXPECT_STREQ(tessary::TheWaveBank().names[3].data(), "GameData\\Pi.wav");
    EXPECT_EQ(Globals().playerCount, 1);
    EXPECT_EQ(Globals().hardMode, 0);
    EXPECT_EQ(Globals().bossPhase, 0);
    EXPECT_EQ(Globals().stageCleared, 0);
    EXPECT_EQ(Globals().highScore, 10000); // no high score file
    for (int i = 0; i < kMaxPlayers; ++i)
        EXPECT_NE(Globals().players[i], nullptr);
    for (int i = 0; i < kDecorations; ++i)
        EXPECT_NE(Globals().decorations[i], nullptr);
}

TEST_F(PlayTest, TheStoredHighScoreIsReadAtStart) {
    GameFolder folder;
    folder.storedHighScore = ~uint32_t{54321};
    StartGame(std::move(folder));
    EXPECT_EQ(Globals().highScore, 54321);
}

// What may sit in a player's folder in place of a game file: each reads as a missing file with
// one line saying what it is (a stage file as its error box), the game starts, and the run's end
// leaves the best-score file be. A folder once aborted the start, a pipe held it, a link to
// /dev/zero or a huge file ate the memory.
TEST_F(PlayTest, WhatIsNoFileInPlaceOfAGameFileReadsAsAMissingOne) {
    namespace fs = std::filesystem;
    struct Case {
        const char* says;
        void (*make)(const fs::path&);
    };
    const Case cases[] = {
        {"is a folder", [](const fs::path& p) { fs::create_directories(p / "in-it"); }},
        {"is a pipe, not a file", [](const fs::path& p) { ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); }},
        {"is a device, not a file", [](const fs::path& p) { fs::create_symlink("/dev/zero", p); }},
        {"holds more than",
         [](const fs::path& p) {
             std::ofstream{p};
             fs::resize_file(p, uintmax_t{1} << 30);
         }},
    };
    // Each file and the start of the line that names it.
    const std::pair<const char*, const char*> files[] = {
        {"Game.ini", "GameData\\Game.ini "},
        {"HighScore.dat", "GameData\\HighScore.dat "},
        {"Fullcolor/GPelko.bmp", "BMP[GameData\\Fullcolor\\GPelko.bmp]: the file "},
        {"Shot.wav", "WAVE[GameData\\Shot.wav]: the file "},
        {"LOGO.mid", "\\GameData\\LOGO.mid "}, // the music names the whole path
        {"Stage1.dat", "Stage file GameData\\Stage1.dat "},
    };
    for (const Case& c : cases) {
        game.reset();
        game = std::make_unique<GameHarness>(GameFolder{});
        const fs::path data = game->Folder() / "GameData";
        for (const auto& [name, line] : files) {
            fs::remove(data / name);
            c.make(data / name);
        }
        ASSERT_TRUE(game->Boot()) << c.says;
        EXPECT_EQ(Globals().fps, 30) << c.says;
        EXPECT_EQ(Globals().highScore, 10000) << c.says;
        const auto before = fs::symlink_status(data / "HighScore.dat").type();
        game->StartPlay();
        EXPECT_EQ(headless::ExitStatus(), -1) << "a stage file that is none ends the program";
        const std::string log = headless::DebugText();
        for (const auto& [name, line] : files)
            EXPECT_NE(log.find(line + std::string(c.says)), std::string::npos) << name << log;
        Globals().highScore = 20000;
        EndRun();
        EXPECT_EQ(fs::symlink_status(data / "HighScore.dat").type(), before) << c.says;
    }
}

// A new best reaches the file when the program ends, here by Esc in play, and an end with
// nothing new writes nothing.
TEST_F(PlayTest, ANewBestIsSavedWhenTheProgramEnds) {
    GameFolder folder;
    folder.storedHighScore = 0; // the complement of -1: any run beats it
    StartGame(std::move(folder));
    game->StartPlay();
    game->Ticks(2);
    ASSERT_EQ(Globals().highScore, 0);
    platform::PostMessage(platform::WM_KEYDOWN, platform::kVkEscape, 0);
    game->Tick();
    ASSERT_FALSE(platform::WindowExists()) << "Esc ended the program";
    GameEnd(); // as the program entry does after its last tick
    EXPECT_EQ(game->ReadFile("GameData\\HighScore.dat"), std::string("\xFF\xFF\xFF\xFF", 4));

    std::filesystem::remove(game->Folder() / "GameData" / "HighScore.dat");
    GameEnd();
    EXPECT_FALSE(game->ReadFile("GameData\\HighScore.dat").has_value());
}

TEST_F(PlayTest, MissingPicturesAreReportedAndTheGameStillStarts) {
    GameFolder folder;
    folder.pictures = false;
    StartGame(std::move(folder));
    for (int slot = 1; slot <= 14; ++slot)
        EXPECT_EQ(tessary::ImageSurface(slot), nullptr) << slot;
    const std::string log = headless::DebugText();
    EXPECT_NE(log.find("GPelko.bmp"), std::string::npos);
    EXPECT_NE(log.find("UxLOGO.bmp"), std::string::npos);
    // The error words are printed into the top-left corner of the picture.
    platform::Surface& back = *tessary::TheDisplay().backBuffer;
    int lit = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 120; ++x)
            lit += back.ReadPixel(x, y) != 0 ? 1 : 0;
    EXPECT_GT(lit, 20);
    game->Ticks(5); // the logo screen runs on without its picture
}

} // namespace
} // namespace pelko::testing
