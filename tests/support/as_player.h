// Permission cases as a player meets them. Under root, which passes every permission check, the
// calling test runs again in a process of its own as the unprivileged user nobody, and its result
// there is the result here; as any other user the test simply runs.
//
//     TEST_F(Suite, AReadOnlyFileIsLeftAlone) {
//         if (pelko::testing::RanAsPlayer()) return;
//         ... the case, as the player ...
//     }
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <unistd.h>

#include "support/player_process.h"

namespace pelko::testing {

// True when the test has been run again as the player (and checked there): the caller returns.
// False when the caller is the player already and goes on with the case.
inline bool RanAsPlayer() {
    if (geteuid() != 0) return false;
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string output;
    const int status = RunThisProgramAsPlayer(
        {std::string("--gtest_filter=") + test->test_suite_name() + "." + test->name()}, output);
    EXPECT_EQ(status, 0) << "the case failed as the player:\n" << output;
    EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos)
        << "the player's run did not run the case:\n"
        << output;
    return true;
}

} // namespace pelko::testing
