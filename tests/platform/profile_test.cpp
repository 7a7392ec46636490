// The INI reader on what a user's settings file may hold.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "platform/profile.h"
#include "support/temp_folder.h"

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

// As the host's profile reader: a pair of quotes around a value is dropped, and a value that is
// there but has no leading digits reads 0; only an empty one gives the default.
TEST(ProfileTest, QuotesAreDroppedAndAValueWithoutDigitsReadsZero) {
    std::string text = "[PelkoGame]\nColor=24Bit\nA=-15\nB=+7\nC=Bit24\nD=\nE=- 3\nF=0x10\n"
                       "FPS=\"60\"\nG='30'\nH=\" 45 \"\nI=\"\"\nJ=\"12\nK=\"7'\nWaveVolume=loud\n";
    EXPECT_EQ(Read(text, "Color"), 24);
    EXPECT_EQ(Read(text, "A"), -15);
    EXPECT_EQ(Read(text, "B"), 7);
    EXPECT_EQ(Read(text, "C"), 0);
    EXPECT_EQ(Read(text, "D"), -99);
    EXPECT_EQ(Read(text, "E"), 0);
    EXPECT_EQ(Read(text, "F"), 0);
    EXPECT_EQ(Read(text, "FPS"), 60);
    EXPECT_EQ(Read(text, "G"), 30);
    EXPECT_EQ(Read(text, "H"), 45);
    EXPECT_EQ(Read(text, "I"), -99);
    EXPECT_EQ(Read(text, "J"), 0); // no closing quote: the quote is a character of the value
    EXPECT_EQ(Read(text, "K"), 0);
    EXPECT_EQ(Read(text, "WaveVolume"), 0);
}

TEST(ProfileTest, MissingSectionKeyOrFileGivesTheDefault) {
    EXPECT_EQ(Read("[Else]\nFPS=30\n", "FPS", 60), 60);
    EXPECT_EQ(Read("[PelkoGame]\nFPS=30\n", "Color", 24), 24);
    EXPECT_EQ(Read("", "FPS", 60), 60);
    EXPECT_EQ(GetPrivateProfileInt("PelkoGame", "FPS", 60, "GameData\\NoSuchFile.ini"), 60);
}

// Old Mac files end their lines with a carriage return alone; a file may mix all three ends.
TEST(ProfileTest, ACarriageReturnAloneEndsALineToo) {
    const std::string mac = "[Other]\rFPS=1\r[PelkoGame]\rFPS=60\r;Color=8\rShowFPS=1";
    EXPECT_EQ(Read(mac, "FPS"), 60);
    EXPECT_EQ(Read(mac, "ShowFPS"), 1);
    EXPECT_EQ(Read(mac, "Color"), -99); // a comment line
    EXPECT_EQ(Read("[PelkoGame]\r\nFPS=6\rColor=8\r\r\nWaveVolume=40\n", "Color"), 8);
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
    const tessary::testing::TempFolder dir("pelko-profile");
    fs::create_directories(dir / "GameData");
    std::ofstream(dir / "GameData" / "Game.ini", std::ios::binary)
        << "[PelkoGame]\r\nFPS=30\r\nShowObjectFrame=1\t\t\r\n";
    std::string path = (dir / "gamedata").string() + "\\GAME.INI";
    EXPECT_EQ(GetPrivateProfileInt("PelkoGame", "FPS", 60, path.c_str()), 30);
    EXPECT_EQ(GetPrivateProfileInt("PelkoGame", "ShowObjectFrame", 0, path.c_str()), 1);
}

// Notepad's "Unicode" (UTF-16 little endian with its byte-order mark), "Unicode big endian" and
// UTF-8 with a mark, each written by iconv from the same text.
TEST(ProfileTest, FilesSavedAsUnicodeReadAsTheyDo) {
    namespace fs = std::filesystem;
    const tessary::testing::TempFolder dir("pelko-profile");
    const std::string text =
        "[PelkoGame]\r\n; 設定 \xF0\x9F\x8E\xAE\r\nFPS=60\r\nColor=\"256\"\r\n";
    std::ofstream(dir / "plain.txt", std::ios::binary) << text;
    std::ofstream(dir / "marked.txt", std::ios::binary) << "\xEF\xBB\xBF" << text;
    // iconv marks UTF-16 itself; the other two carry the mark of their input.
    for (const char* encoding : {"UTF-16", "UTF-16BE", "UTF-8"}) {
        const std::string in =
            (dir / (encoding == std::string("UTF-16") ? "plain.txt" : "marked.txt")).string();
        const std::string out = (dir / (std::string(encoding) + ".ini")).string();
        const std::string command =
            std::string("iconv -f UTF-8 -t ") + encoding + " " + in + " > " + out;
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        EXPECT_EQ(ReadWholeFile(out, 4096).bytes.substr(0, 2),
                  encoding == std::string("UTF-8")    ? "\xEF\xBB"
                  : encoding == std::string("UTF-16") ? "\xFF\xFE"
                                                      : "\xFE\xFF");
        EXPECT_EQ(GetPrivateProfileInt("PelkoGame", "FPS", 30, out.c_str()), 60) << encoding;
        EXPECT_EQ(GetPrivateProfileInt("PelkoGame", "Color", 1, out.c_str()), 256) << encoding;
    }
    // The comment's characters survive the decoding, a pair of surrogates among them.
    const FileContents le = ReadProfileFile((dir / "UTF-16.ini").string().c_str());
    EXPECT_EQ(le.bytes.substr(0, 28), "[PelkoGame]\r\n; 設定 \xF0\x9F\x8E\xAE\r\n");
}

} // namespace
} // namespace platform
