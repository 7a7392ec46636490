// Every runtime test starts from a fresh process: the headless platform and all runtime statics
// back to their state before the program entry, and a folder of the test's own as the current
// directory (the game's paths are relative to it), removed after the test.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "platform/headless.h"
#include "runtime/shell/runtime_state.h"
#include "support/temp_folder.h"

namespace tessary::testing {

class RuntimeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::headless::Reset();
        ResetRuntimeStatics();
        inFolder_.emplace(folder_.Path());
    }

    const std::filesystem::path& Folder() const { return folder_.Path(); }

  private:
    // Declared in this order so that the current directory is given back before the folder goes.
    TempFolder folder_{"pelko-test"};
    std::optional<InFolder> inFolder_;
};

} // namespace tessary::testing
