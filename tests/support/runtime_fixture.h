// Every runtime test starts from a fresh process: the headless platform and all runtime statics
// back to their state before the program entry.
#pragma once
#include <gtest/gtest.h>

#include "platform/headless.h"
#include "runtime/shell/runtime_state.h"

namespace tessary::testing {

class RuntimeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::headless::Reset();
        ResetRuntimeStatics();
    }
};

} // namespace tessary::testing
