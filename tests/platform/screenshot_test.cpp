// Screenshots: where they go (as xdg-user-dir finds the pictures folder), and that none
// overwrites a file. What they hold is compared with the real window by the end-to-end test.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/headless.h"
#include "platform/screenshot.h"
#include "support/temp_folder.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

class ScreenshotTest : public ::testing::Test {
  protected:
    void SetUp() override {
        headless::Reset();
        fs::create_directories(dir_ / "config");
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_PICTURES_DIR"})
            if (const char* value = std::getenv(name)) saved_.emplace_back(name, value);
        setenv("HOME", (dir_ / "home").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (dir_ / "config").c_str(), 1);
        unsetenv("XDG_PICTURES_DIR");
    }
    void TearDown() override {
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_PICTURES_DIR"})
            unsetenv(name);
        for (const auto& [name, value] : saved_)
            setenv(name.c_str(), value.c_str(), 1);
    }

    void WriteUserDirs(const std::string& text) {
        std::ofstream(dir_ / "config/user-dirs.dirs") << text;
    }

    tessary::testing::TempFolder folder_{"pelko-shots"};
    const fs::path dir_ = folder_.Path();
    std::vector<std::pair<std::string, std::string>> saved_;
};

TEST_F(ScreenshotTest, ThePicturesFolderIsFoundAsXdgUserDirFindsIt) {
    const std::string home = (dir_ / "home").string();
    EXPECT_EQ(ScreenshotFolder(), home + "/Pictures/Pelko"); // no user-dirs.dirs at all

    WriteUserDirs("# XDG_PICTURES_DIR=\"$HOME/Commented\"\n"
                  "XDG_MUSIC_DIR=\"$HOME/Musik\"\n"
                  "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n");
    EXPECT_EQ(ScreenshotFolder(), home + "/Bilder/Pelko");
    WriteUserDirs("XDG_PICTURES_DIR=\"$HOME/Old\"\nXDG_PICTURES_DIR=\"/srv/shots\"\n");
    EXPECT_EQ(ScreenshotFolder(), "/srv/shots/Pelko"); // the last line wins, as in a shell
    // Only "$HOME/..." and absolute paths may stand there; anything else is not a folder.
    WriteUserDirs("XDG_PICTURES_DIR=\"Pictures\"\nXDG_PICTURES_DIR=\"$HOMEWORK/x\"\n");
    EXPECT_EQ(ScreenshotFolder(), home + "/Pictures/Pelko");

    WriteUserDirs("XDG_PICTURES_DIR=\"$HOME/Bilder\"\n");
    setenv("XDG_PICTURES_DIR", "/media/shots", 1); // the environment comes first
    EXPECT_EQ(ScreenshotFolder(), "/media/shots/Pelko");
    setenv("XDG_PICTURES_DIR", "relative", 1); // ignored, as the base directory rules say
    EXPECT_EQ(ScreenshotFolder(), home + "/Bilder/Pelko");
}

TEST_F(ScreenshotTest, AShotNeverOverwritesAFileAndAFailureSaysWhy) {
    setenv("XDG_PICTURES_DIR", dir_.c_str(), 1);
    auto frame = Surface::Create(2, 2, 32);
    // Files of the user's under the first two names of this second.
    const std::string first = SaveScreenshot(*frame);
    ASSERT_FALSE(first.empty());
    const std::string stem = first.substr(0, first.size() - 4);
    for (const std::string& taken : {first, stem + "_2.png"})
        std::ofstream(taken, std::ios::trunc) << "mine";
    const std::string second = SaveScreenshot(*frame);
    ASSERT_FALSE(second.empty());
    EXPECT_NE(second, first);
    EXPECT_NE(second, stem + "_2.png");
    for (const std::string& taken : {first, stem + "_2.png"}) {
        std::ifstream in(taken);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "mine");
    }

    // A file where the Pelko folder should be: nothing is written, one line says why.
    fs::create_directories(dir_ / "blocked");
    std::ofstream(dir_ / "blocked/Pelko") << "not a folder";
    setenv("XDG_PICTURES_DIR", (dir_ / "blocked").c_str(), 1);
    EXPECT_EQ(SaveScreenshot(*frame), "");
    EXPECT_EQ(headless::DebugLines().back(), "Screenshot not saved in " +
                                                 (dir_ / "blocked/Pelko").string() +
                                                 ": Not a directory\n");
}

} // namespace
} // namespace platform
