// Screenshots: where they go (as xdg-user-dir finds the pictures folder), what they hold (the
// frame in the colours the present shows, at every depth), and that none overwrites a file.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/headless.h"
#include "platform/screenshot.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

class ScreenshotTest : public ::testing::Test {
  protected:
    void SetUp() override {
        headless::Reset();
        dir_ = fs::temp_directory_path() /
               ("pelko_shots_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
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
        fs::remove_all(dir_);
    }

    void WriteUserDirs(const std::string& text) {
        std::ofstream(dir_ / "config/user-dirs.dirs") << text;
    }

    fs::path dir_;
    std::vector<std::pair<std::string, std::string>> saved_;
};

// The picture of a PNG file as 0x00RRGGBB pixels, through libpng's own reader.
std::optional<std::vector<uint32_t>> ReadPng(const std::string& path, int* width) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return std::nullopt;
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) return std::nullopt;
    *width = static_cast<int>(image.width);
    std::vector<uint32_t> pixels;
    for (size_t i = 0; i + 2 < rgb.size(); i += 3)
        pixels.push_back(uint32_t{rgb[i]} << 16 | uint32_t{rgb[i + 1]} << 8 | rgb[i + 2]);
    return pixels;
}

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

TEST_F(ScreenshotTest, TheSavedPictureShowsTheFramesColoursAtEveryDepth) {
    setenv("XDG_PICTURES_DIR", dir_.c_str(), 1);
    auto palette = std::make_shared<PaletteTable>();
    (*palette)[10] = {200, 100, 50};
    (*palette)[11] = {10, 20, 250};
    const uint32_t colors[] = {0x3264C8, 0xFA140A, 0xFFFFFF, 0x000000}; // 0x00BBGGRR
    for (int depth : {8, 16, 24, 32}) {
        auto frame = Surface::Create(4, 2, depth);
        if (depth == 8) frame->SetPalette(palette);
        for (int i = 0; i < 8; ++i)
            frame->WritePixel(i % 4, i / 4, frame->PixelFromColor(colors[i % 4]));
        const std::string path = SaveScreenshot(*frame);
        ASSERT_FALSE(path.empty()) << headless::DebugText();
        EXPECT_EQ(headless::DebugLines().back(), "Screenshot saved as " + path + "\n");
        int width = 0;
        const auto pixels = ReadPng(path, &width);
        ASSERT_TRUE(pixels) << path;
        ASSERT_EQ(width, 4);
        ASSERT_EQ(pixels->size(), 8u);
        for (int i = 0; i < 8; ++i) {
            const uint32_t shown = frame->ColorFromPixel(frame->ReadPixel(i % 4, i / 4));
            const uint32_t rgb = (shown & 0xFF) << 16 | (shown & 0xFF00) | (shown >> 16 & 0xFF);
            EXPECT_EQ((*pixels)[static_cast<size_t>(i)], rgb)
                << "depth " << depth << " pixel " << i;
        }
    }
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
