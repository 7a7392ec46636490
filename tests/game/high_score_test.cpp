// The high score file: its bytes, its text-mode line ends, damaged files and interrupted saves.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "game/flow/game_globals.h"
#include "game/player/high_score.h"
#include "platform/headless.h"
#include "support/as_player.h"
#include "support/game_fixture.h"

namespace pelko {
namespace {

namespace fs = std::filesystem;

class HighScoreTest : public testing::GameTest {
  protected:
    const fs::path file = fs::path("GameData") / "HighScore.dat";

    std::string FileBytes() const {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    void WriteFile(const std::string& bytes) const {
        std::ofstream(file, std::ios::binary) << bytes;
    }
    int Saved(int score) {
        Globals().highScore = score;
        SaveHighScore();
        Globals().highScore = -1;
        LoadHighScore();
        return Globals().highScore;
    }
};

TEST_F(HighScoreTest, TheScoreIsStoredAsItsComplementLowByteFirst) {
    EXPECT_EQ(Saved(10000), 10000);
    EXPECT_EQ(FileBytes(), std::string("\xEF\xD8\xFF\xFF", 4));
    EXPECT_EQ(Saved(0), 0);
    EXPECT_EQ(FileBytes(), std::string("\xFF\xFF\xFF\xFF", 4));
    EXPECT_EQ(Saved(123456789), 123456789);
    EXPECT_EQ(Saved(-5), -5);
}

TEST_F(HighScoreTest, ALineFeedByteIsWrittenAsCarriageReturnLineFeedAndReadBack) {
    EXPECT_EQ(Saved(245), 245);
    EXPECT_EQ(FileBytes(), std::string("\x0D\x0A\xFF\xFF\xFF", 5));

    // A file written elsewhere with the same translation reads the same.
    WriteFile(std::string("\xF5\x0D\x0A\xFF\xFF", 5)); // complement 0xFFFF0AF5
    LoadHighScore();
    EXPECT_EQ(Globals().highScore, 0x0000F50A);
}

TEST_F(HighScoreTest, AScoreWhoseComplementHoldsAnEndOfTextByteSurvives) {
    EXPECT_EQ(Saved(229), 229); // complement 1A FF FF FF
    EXPECT_EQ(FileBytes(), std::string("\x1A\xFF\xFF\xFF", 4));
    EXPECT_EQ(Saved(0xE5E5), 0xE5E5); // complement 1A 1A FF FF
}

TEST_F(HighScoreTest, AMissingOrShortFileGivesTheDefault) {
    Globals().highScore = 1;
    LoadHighScore();
    EXPECT_EQ(Globals().highScore, 10000);
    EXPECT_EQ(platform::headless::DebugText(), "") << "a missing file is not reported";

    WriteFile(std::string("\x01\x02\x03", 3));
    Globals().highScore = 1;
    LoadHighScore();
    EXPECT_EQ(Globals().highScore, 10000);
    EXPECT_NE(platform::headless::DebugText().find("HighScore.dat"), std::string::npos);

    WriteFile("");
    LoadHighScore();
    EXPECT_EQ(Globals().highScore, 10000);

    // Four bytes only once the line ends are undone: three bytes of score.
    WriteFile(std::string("\x0D\x0A\xFF\xFF", 4));
    LoadHighScore();
    EXPECT_EQ(Globals().highScore, 10000);
}

TEST_F(HighScoreTest, AFailedSaveLeavesTheOldFileWhole) {
    ASSERT_EQ(Saved(54321), 54321);
    const std::string before = FileBytes();

    // The new file cannot be made where it is written before it replaces the old one.
    fs::create_directories(fs::path("GameData") / "HighScore.dat.tmp" / "in-the-way");
    Globals().highScore = 99999;
    SaveHighScore();
    EXPECT_EQ(FileBytes(), before);
    LoadHighScore();
    EXPECT_EQ(Globals().highScore, 54321);
    fs::remove_all(fs::path("GameData") / "HighScore.dat.tmp");

    // A half-written new file left by an interrupted save neither disturbs the next load nor
    // the next save.
    std::ofstream(fs::path("GameData") / "HighScore.dat.tmp", std::ios::binary) << "\x01";
    LoadHighScore();
    EXPECT_EQ(Globals().highScore, 54321);
    EXPECT_EQ(Saved(777), 777);
    EXPECT_FALSE(fs::exists(fs::path("GameData") / "HighScore.dat.tmp"));
}

// A player's folder that takes no new file: the save says why it did not happen, and a file that
// is there and writable is written in place.
TEST_F(HighScoreTest, AnUnwritableFolderIsIgnored) {
    if (testing::RanAsPlayer()) return;
    fs::permissions("GameData", fs::perms::owner_read | fs::perms::owner_exec);
    Globals().highScore = 4242;
    SaveHighScore();
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(platform::headless::DebugText(),
              "GameData\\HighScore.dat cannot be saved: no new file can be made beside it "
              "(Permission denied); the best score 4242 is not saved.\n");
    LoadHighScore();
    EXPECT_EQ(Globals().highScore, 10000);

    fs::permissions("GameData", fs::perms::owner_all);
    ASSERT_EQ(Saved(777), 777);
    fs::permissions("GameData", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(Saved(54321), 54321);
    fs::permissions("GameData", fs::perms::owner_all);
}

// A file the player cannot write, or cannot even read, holds a score that no save may replace.
TEST_F(HighScoreTest, AFileThePlayerCannotReadOrWriteIsLeftAlone) {
    if (testing::RanAsPlayer()) return;
    ASSERT_EQ(Saved(54321), 54321);
    const std::string stored = FileBytes();
    fs::permissions(file, fs::perms::owner_read);
    LoadHighScore();
    EXPECT_EQ(Globals().highScore, 54321);
    Globals().highScore = 60000;
    SaveHighScore();
    EXPECT_EQ(FileBytes(), stored);
    EXPECT_NE(platform::headless::DebugText().find(
                  "GameData\\HighScore.dat cannot be written (Permission denied); the best score "
                  "60000 is not saved.\n"),
              std::string::npos);

    fs::permissions(file, fs::perms::none);
    LoadHighScore();
    EXPECT_EQ(Globals().highScore, 10000);
    EXPECT_NE(platform::headless::DebugText().find(
                  "GameData\\HighScore.dat cannot be opened (Permission denied); the high score is "
                  "10000 and the file is left alone.\n"),
              std::string::npos);
    // A file the player may write but not read: its score is unknown, so it is not saved over.
    fs::permissions(file, fs::perms::owner_write);
    LoadHighScore();
    EXPECT_EQ(Globals().highScore, 10000);
    Globals().highScore = 20000;
    SaveHighScore();
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(FileBytes(), stored);
}

// A link is followed: its target gets the score, and the link stays a link. A folder of another
// case takes a new file.
TEST_F(HighScoreTest, ALinkedFileAndAFolderOfAnotherCaseGetTheScore) {
    fs::create_directories("Saves");
    fs::create_symlink("../Saves/best.dat", file);
    EXPECT_EQ(Saved(31337), 31337);
    EXPECT_TRUE(fs::is_symlink(file));
    EXPECT_EQ(fs::file_size("Saves/best.dat"), 4u);

    fs::remove_all("GameData");
    fs::create_directories("gamedata");
    EXPECT_EQ(Saved(4242), 4242);
    EXPECT_TRUE(fs::exists("gamedata/HighScore.dat"));
}

// Only a score that beats the stored one is written when a run or the program ends otherwise
// than through the run's end.
TEST_F(HighScoreTest, OnlyABetterScoreIsSavedAtOtherEnds) {
    ASSERT_EQ(Saved(54321), 54321);
    fs::remove(file);
    SaveHighScoreIfBeaten();
    EXPECT_FALSE(fs::exists(file));
    Globals().highScore = 54322;
    SaveHighScoreIfBeaten();
    LoadHighScore();
    EXPECT_EQ(Globals().highScore, 54322);
}

} // namespace
} // namespace pelko
