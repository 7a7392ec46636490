// Permission cases as a player meets them. Root passes every permission check, so under root the
// calling test runs again in a process of its own as an unprivileged user (nobody, through
// setpriv), and its result there is the result here; as any other user the test simply runs.
//
//     TEST_F(Suite, AReadOnlyFileIsLeftAlone) {
//         if (pelko::testing::RanAsPlayer()) return;
//         ... the case, as the player ...
//     }
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace pelko::testing {

// True when the test has been run again as the player (and checked there): the caller returns.
// False when the caller is the player already and goes on with the case.
inline bool RanAsPlayer() {
    if (geteuid() != 0) return false;
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string filter =
        std::string("--gtest_filter=") + test->test_suite_name() + "." + test->name();
    char self[4096] = {};
    if (readlink("/proc/self/exe", self, sizeof self - 1) <= 0) {
        ADD_FAILURE() << "this test program cannot find itself";
        return true;
    }
    int out[2];
    if (pipe(out) != 0) {
        ADD_FAILURE() << "no pipe for the player's run";
        return true;
    }
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], 1);
        dup2(out[1], 2);
        close(out[0]);
        close(out[1]);
        // The test's own folder belongs to root; the player starts where anyone may look.
        if (chdir("/") != 0) _exit(126);
        execlp("setpriv", "setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", self,
               filter.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    std::string output;
    char buffer[4096];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, static_cast<size_t>(n));
    close(out[0]);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the case failed as the player:\n"
                                                               << output;
    EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos)
        << "the player's run did not run the case:\n"
        << output;
    return true;
}

} // namespace pelko::testing
