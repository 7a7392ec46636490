// Text-mode files, reading and saving whatever the player's folder holds, and the game's paths.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/paths.h"
#include "platform/text_file.h"
#include "support/as_player.h"
#include "support/temp_folder.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

class FilesTest : public ::testing::Test {
  protected:
    std::string Path(const char* name) const { return (dir_ / name).string(); }
    static std::string Bytes(const std::string& path) {
        const FileContents file = ReadWholeFile(path, 1 << 20);
        return file.Read() ? file.bytes : "(not read: " + file.refusal + ")";
    }
    static void Write(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    tessary::testing::TempFolder folder_{"pelko-files"};
    const fs::path dir_ = folder_.Path();
};

constexpr size_t kLimit = 4096;

TEST_F(FilesTest, LineFeedsAreWrittenAsCrLfAndReadBack) {
    std::string data = std::string("\x01\x02\x0A\x03\x0A", 5);
    std::string path = (dir_ / "HighScore.dat").string();
    ASSERT_TRUE(WriteTextModeFile(path, data));
    EXPECT_EQ(Bytes(path), std::string("\x01\x02\x0D\x0A\x03\x0D\x0A", 7));
    EXPECT_EQ(FromTextMode(Bytes(path)), data);
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
    std::string why;
    EXPECT_FALSE(WriteTextModeFile(unwritable, "new", &why));
    EXPECT_EQ(why,
              "cannot be saved: no new file can be made beside it (No such file or directory)");
    EXPECT_EQ(Bytes(path), "old");
    EXPECT_TRUE(ReadWholeFile(unwritable, kLimit).missing);
}

// The limit holds however the size is reported. (A folder, a pipe, a device and a huge sparse
// file in place of each of the game's files are the whole-game tests'.)
TEST_F(FilesTest, NoMoreThanTheLimitIsRead) {
    const auto refusal = [](const std::string& path, size_t limit = kLimit) {
        const FileContents file = ReadWholeFile(path, limit);
        EXPECT_FALSE(file.missing) << path;
        EXPECT_TRUE(file.bytes.empty()) << path;
        return file.refusal;
    };
    Write(Path("limit"), std::string(kLimit + 1, 'x'));
    EXPECT_EQ(refusal(Path("limit")), "holds more than 4096 bytes");
    fs::resize_file(Path("limit"), kLimit);
    EXPECT_EQ(ReadWholeFile(Path("limit"), kLimit).bytes, std::string(kLimit, 'x'));

    // A file that reports no size and holds more than the limit.
    EXPECT_EQ(fs::file_size("/proc/self/status"), 0u);
    EXPECT_EQ(refusal("/proc/self/status", 64), "holds more than 64 bytes");
    EXPECT_NE(ReadWholeFile("/proc/self/status", kLimit).bytes.find("Name:"), std::string::npos);

    const FileContents missing = ReadWholeFile(Path("none"), kLimit);
    EXPECT_TRUE(missing.missing);
    EXPECT_EQ(missing.refusal, "");
}

// A file that reports more bytes than it gives, as one that shrinks while it is read does.
TEST_F(FilesTest, AFileShorterThanItsReportedSizeGivesWhatItHolds) {
    const char* path = "/sys/devices/system/cpu/online";
    std::error_code error;
    if (fs::file_size(path, error) != 4096u) GTEST_SKIP() << path << " does not report 4096 bytes";
    const FileContents file = ReadWholeFile(path, kLimit);
    ASSERT_TRUE(file.Read()) << file.refusal;
    EXPECT_GT(file.bytes.size(), 1u);
    EXPECT_LT(file.bytes.size(), 4096u);
    EXPECT_EQ(file.bytes.back(), '\n');
}

TEST_F(FilesTest, AFileThePlayerCannotReadIsRefusedNotMissing) {
    if (pelko::testing::RanAsPlayer()) return;
    Write(Path("locked"), "54321");
    fs::permissions(Path("locked"), fs::perms::none);
    const FileContents file = ReadWholeFile(Path("locked"), kLimit);
    EXPECT_FALSE(file.missing);
    EXPECT_EQ(file.refusal, "cannot be opened (Permission denied)");
}

TEST_F(FilesTest, ASaveFollowsLinksAndKeepsThePermissions) {
    fs::create_directory(dir_ / "real");
    Write(Path("real/score.dat"), "old");
    fs::permissions(Path("real/score.dat"),
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("real/score.dat", dir_ / "HighScore.dat");
    ASSERT_TRUE(SaveFile(Path("HighScore.dat"), "new"));
    EXPECT_TRUE(fs::is_symlink(dir_ / "HighScore.dat"));
    EXPECT_EQ(Bytes(Path("real/score.dat")), "new");
    EXPECT_EQ(fs::status(Path("real/score.dat")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    // A link to a file not yet there makes the file, not a plain file in place of the link.
    fs::create_symlink(dir_ / "real" / "later.dat", dir_ / "Game.ini");
    ASSERT_TRUE(SaveFile(Path("Game.ini"), "made"));
    EXPECT_TRUE(fs::is_symlink(dir_ / "Game.ini"));
    EXPECT_EQ(Bytes(Path("real/later.dat")), "made");

    fs::create_symlink("loop-b", dir_ / "loop-a");
    fs::create_symlink("loop-a", dir_ / "loop-b");
    std::string why;
    EXPECT_FALSE(SaveFile(Path("loop-a"), "x", &why));
    EXPECT_EQ(why, "is a loop of links");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "real"), fs::directory_iterator()), 2)
        << "nothing is left beside the files";
}

// A disk that fills up under the save, here a file size limit that the new file passes.
TEST_F(FilesTest, ASaveThatCannotBeWrittenWhollyLeavesTheOldFile) {
    Write(Path("HighScore.dat"), "old");
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 2;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string why;
    const bool saved_ = SaveFile(Path("HighScore.dat"), "0123456789", &why);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(saved_);
    EXPECT_EQ(why, "could not be written (File too large)");
    EXPECT_EQ(Bytes(Path("HighScore.dat")), "old");
    EXPECT_FALSE(fs::exists(Path("HighScore.dat.tmp")));
}

TEST_F(FilesTest, ReadOnlyFilesAndFoldersAsThePlayerMeetsThem) {
    if (pelko::testing::RanAsPlayer()) return;
    const auto readOnly = fs::perms::owner_read | fs::perms::owner_exec;
    std::string why;

    // A file made read-only is left alone, though its folder would take the new one.
    Write(Path("kept.dat"), "54321");
    fs::permissions(Path("kept.dat"), fs::perms::owner_read);
    EXPECT_FALSE(SaveFile(Path("kept.dat"), "1", &why));
    EXPECT_EQ(why, "cannot be written (Permission denied)");
    EXPECT_EQ(Bytes(Path("kept.dat")), "54321");

    // A folder that takes no new file: a writable file in it is written in place.
    fs::create_directory(dir_ / "locked");
    Write(Path("locked/HighScore.dat"), "old bytes");
    const auto inode = [](const std::string& p) {
        struct stat st {};
        return stat(p.c_str(), &st) == 0 ? st.st_ino : 0;
    };
    const ino_t before = inode(Path("locked/HighScore.dat"));
    Write(Path("locked/HighScore.dat.tmp"), "left by an interrupted save");
    fs::permissions(dir_ / "locked", readOnly);
    EXPECT_TRUE(SaveFile(Path("locked/HighScore.dat"), "new", &why)) << why;
    EXPECT_EQ(Bytes(Path("locked/HighScore.dat")), "new");
    EXPECT_EQ(inode(Path("locked/HighScore.dat")), before);

    // ... and without a file there is nowhere to save.
    EXPECT_FALSE(SaveFile(Path("locked/Game.ini"), "x", &why));
    EXPECT_EQ(why, "cannot be saved: no new file can be made beside it (Permission denied)");
    EXPECT_FALSE(fs::exists(Path("locked/Game.ini")));
    fs::permissions(dir_ / "locked", fs::perms::owner_all);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "locked"), fs::directory_iterator()), 2);
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
    // A new file goes into the folder its path matched.
    fs::create_directories(dir_ / "savedata");
    EXPECT_EQ(HostPath(base + "SaveData\\HighScore.dat"),
              (dir_ / "savedata/HighScore.dat").string());
    // A path that is not there either way comes back converted, for the caller's message.
    EXPECT_EQ(HostPath(base + "GameData\\None.bmp"), dir_.string() + "/GameData/None.bmp");
    EXPECT_EQ(HostPath(""), "");
}

} // namespace
} // namespace platform
