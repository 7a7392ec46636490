// Sound tests: a fresh runtime in a folder of the test's own, with an empty GameData to put the
// sound files into.
#pragma once
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
        std::filesystem::create_directory(Folder() / "GameData");
    }

    // Writes bytes to a game path such as "GameData\se.wav".
    void Put(const std::string& gamePath, const std::string& bytes) {
        std::string host = gamePath;
        for (char& c : host)
            if (c == '\\') c = '/';
        pelko::testing::WriteFile(host, bytes);
    }

    static std::vector<float> Render(int frames) { return platform::headless::RenderAudio(frames); }
};

} // namespace tessary::testing
