// The INI reader on what a user's settings file may hold.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/profile.h"

namespace platform {
namespace {

int Read(const std::string& text, const char* key, int def = -99,
         const char* section = "PelkoGame") {
    return ProfileIntFromText(text, section, key, def);
}

TEST(ProfileTest, SectionsAndKeysMatchWithoutCaseAndBlanksAreIgnored) {
    std::string text = "[pelkogame]\n  fps =  60  \nCOLOR=24\n[Other]\nWaveVolume=5\n";
    EXPECT_EQ(Read(text, "FPS"), 60);
    EXPECT_EQ(Read(text, "color"), 24);
    EXPECT_EQ(Read(text, "WaveVolume"), -99); // belongs to another section
    EXPECT_EQ(Read(text, "WaveVolume", -99, "OTHER"), 5);
}

TEST(ProfileTest, LeadingDigitsAndSignsAreReadAndAnythingElseGivesTheDefault) {
    std::string text = "[PelkoGame]\nColor=24Bit\nA=-15\nB=+7\nC=Bit24\nD=\nE=- 3\nF=0x10\n";
    EXPECT_EQ(Read(text, "Color"), 24);
    EXPECT_EQ(Read(text, "A"), -15);
    EXPECT_EQ(Read(text, "B"), 7);
    EXPECT_EQ(Read(text, "C"), -99);
    EXPECT_EQ(Read(text, "D"), -99);
    EXPECT_EQ(Read(text, "E"), -99);
    EXPECT_EQ(Read(text, "F"), 0);
}

TEST(ProfileTest, MissingSectionKeyOrFileGivesTheDefault) {
    EXPECT_EQ(Read("[Else]\nFPS=30\n", "FPS", 60), 60);
    EXPECT_EQ(Read("[PelkoGame]\nFPS=30\n", "Color", 24), 24);
    EXPECT_EQ(Read("", "FPS", 60), 60);
    EXPECT_EQ(GetPrivateProfileInt("PelkoGame", "FPS", 60, "GameData\\NoSuchFile.ini"), 60);
}

TEST(ProfileTest, LineEndsRepeatsAndLongLines) {
    EXPECT_EQ(Read("[PelkoGame]\r\nFPS=30\r\nColor=256\r\n", "FPS"), 30);
    EXPECT_EQ(Read("[PelkoGame]\r\nFPS=30\r\nColor=256", "Color"), 256);
    EXPECT_EQ(Read("[PelkoGame]\nFPS=30\nFPS=60\n", "FPS"), 30); // the first one wins
    std::string longLine = "[PelkoGame]\nJunk=" + std::string(100000, 'x') + "\nFPS=30\n";
    EXPECT_EQ(Read(longLine, "FPS"), 30);
    EXPECT_EQ(Read("[PelkoGame]\n; FPS=10\nFPS=30\n", "FPS"), 30);
}

TEST(ProfileTest, ReadsAFileThroughTheGamesBackslashPath) {
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / "pelko_profile_test";
    fs::create_directories(dir / "GameData");
    std::ofstream(dir / "GameData" / "Game.ini", std::ios::binary)
        << "[PelkoGame]\r\nFPS=30\r\nShowObjectFrame=1\t\t\r\n";
    std::string path = (dir / "gamedata").string() + "\\GAME.INI";
    EXPECT_EQ(GetPrivateProfileInt("PelkoGame", "FPS", 60, path.c_str()), 30);
    EXPECT_EQ(GetPrivateProfileInt("PelkoGame", "ShowObjectFrame", 0, path.c_str()), 1);
    fs::remove_all(dir);
}

} // namespace
} // namespace platform
