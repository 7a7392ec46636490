// Text-mode files, the game's paths and the generator every platform shares.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/paths.h"
#include "platform/text_file.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

class FilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("pelko_files_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

TEST_F(FilesTest, LineFeedsAreWrittenAsCrLfAndReadBack) {
    std::string data = std::string("\x01\x02\x0A\x03\x0A", 5);
    std::string path = (dir_ / "HighScore.dat").string();
    ASSERT_TRUE(WriteTextModeFile(path, data));
    EXPECT_EQ(*ReadBinaryFile(path), std::string("\x01\x02\x0D\x0A\x03\x0D\x0A", 7));
    EXPECT_EQ(*ReadTextModeFile(path), data);
}

TEST_F(FilesTest, ReadingStopsAtControlZAndLoneCarriageReturnsStay) {
    EXPECT_EQ(FromTextMode(std::string("ab\x1A"
                                       "cd",
                                       5)),
              "ab");
    EXPECT_EQ(FromTextMode("a\rb\r\n"), "a\rb\n");
    EXPECT_EQ(FromTextMode("a\r"), "a\r");
    EXPECT_EQ(ToTextMode("\n\n"), "\r\n\r\n");
}

TEST_F(FilesTest, AFailedWriteKeepsTheOldFile) {
    std::string path = (dir_ / "keep.dat").string();
    ASSERT_TRUE(WriteTextModeFile(path, "old"));
    std::string unwritable = (dir_ / "missing_dir" / "x.dat").string();
    EXPECT_FALSE(WriteTextModeFile(unwritable, "new"));
    EXPECT_EQ(*ReadTextModeFile(path), "old");
    EXPECT_FALSE(ReadTextModeFile(unwritable).has_value());
}

TEST_F(FilesTest, GamePathsFindFilesWhateverTheirCase) {
    fs::create_directories(dir_ / "GameData" / "Fullcolor");
    std::ofstream(dir_ / "GameData" / "Fullcolor" / "GPelko.bmp") << "x";
    std::ofstream(dir_ / "ForBeginner.BMP") << "y";
    std::string base = dir_.string() + "\\";
    EXPECT_EQ(HostPath(base + "GameData\\Fullcolor\\GPelko.bmp"),
              (dir_ / "GameData/Fullcolor/GPelko.bmp").string());
    EXPECT_EQ(HostPath(base + "gamedata\\FULLCOLOR\\gpelko.BMP"),
              (dir_ / "GameData/Fullcolor/GPelko.bmp").string());
    EXPECT_EQ(HostPath(base + "forbeginner.bmp"), (dir_ / "ForBeginner.BMP").string());
    // A path that is not there either way comes back converted, for the caller's message.
    EXPECT_EQ(HostPath(base + "GameData\\None.bmp"), dir_.string() + "/GameData/None.bmp");
    EXPECT_EQ(HostPath(""), "");
}

} // namespace
} // namespace platform
