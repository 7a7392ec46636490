// Sound tests run in a fresh directory of their own (the game's paths are relative to the current
// directory), on a fresh runtime with the sound device open.
#pragma once
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/headless.h"
#include "support/runtime_fixture.h"
#include "support/sound_files.h"

namespace tessary::testing {

class SoundTest : public RuntimeTest {
  protected:
    void SetUp() override {
        RuntimeTest::SetUp();
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = std::filesystem::temp_directory_path() /
               ("pelko_sound_" + std::to_string(getpid()) + "_" + info->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_ / "GameData");
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_);
    }

    void TearDown() override {
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(dir_);
    }

    // Writes bytes to a game path such as "GameData\se.wav".
    void Put(const std::string& gamePath, const std::string& bytes) {
        std::string host = gamePath;
        for (char& c : host)
            if (c == '\\') c = '/';
        pelko::testing::WriteFile(host, bytes);
    }

    std::string Dir() const { return dir_.string(); }

    static std::vector<float> Render(int frames) { return platform::headless::RenderAudio(frames); }

  private:
    std::filesystem::path dir_;
    std::filesystem::path previous_;
};

} // namespace tessary::testing
