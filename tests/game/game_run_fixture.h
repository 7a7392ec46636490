// A fresh start-up of the runtime and of the game's static objects, inside a game folder of the
// test's own (a temporary directory with an empty GameData) that is the current directory while
// the test runs.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "game/flow/game_globals.h"
#include "support/runtime_fixture.h"

namespace pelko::testing {

class GameRunTest : public tessary::testing::RuntimeTest {
  protected:
    void SetUp() override {
        RuntimeTest::SetUp();
        ResetGameStatics();
        CreatePlayersAndDecorations();
        previous_ = std::filesystem::current_path();
        std::string pattern =
            (std::filesystem::temp_directory_path() / "pelko-run-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        std::filesystem::create_directory(folder_ / "GameData");
        std::filesystem::current_path(folder_);
    }

    void TearDown() override {
        std::filesystem::current_path(previous_);
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
        RuntimeTest::TearDown();
    }

    const std::filesystem::path& Folder() const { return folder_; }

  private:
    std::filesystem::path previous_;
    std::filesystem::path folder_;
};

} // namespace pelko::testing
