// The error box and debug output, the stopwatches, Random and the sine table.
#include <string>

#include "platform/crt_random.h"
#include "platform/headless.h"
#include "platform/paths.h"
#include "runtime/input/input_state.h"
#include "runtime/input/keyboard.h"
#include "runtime/shell/diagnostics.h"
#include "support/runtime_fixture.h"

namespace tessary {
namespace {

namespace headless = platform::headless;
using DiagnosticsTest = testing::RuntimeTest;

// The multiplicative inverse of the generator's multiplier modulo 2^32 (Newton's iteration).
uint32_t InverseOfMultiplier() {
    uint32_t a = 214013u, x = a;
    for (int i = 0; i < 5; ++i)
        x *= 2u - a * x;
    return x;
}

// Seeds the generator so that its next value is 32767.
void SeedForTopValue() {
    uint32_t wanted = 0x7FFF0000u;
    platform::Srand((wanted - 2531011u) * InverseOfMultiplier());
}

TEST_F(DiagnosticsTest, RandomFollowsTheSeededGenerator) {
    platform::Srand(1);
    // n = 32766 makes the scaling r * 32767 / 32767, exposing the generator itself.
    for (int expected : {41, 18467, 6334, 26500, 19169, 15724, 11478})
        EXPECT_EQ(Random(32766), expected);
    platform::Srand(1);
    EXPECT_EQ(Random(359), 41 * 360 / 32767);
}

TEST_F(DiagnosticsTest, RandomGivesNPlusOneOnTheGeneratorsTopValue) {
    SeedForTopValue();
    EXPECT_EQ(Random(359), 360);
    SeedForTopValue();
    EXPECT_EQ(Random(0), 1);
    platform::Srand(1);
    EXPECT_EQ(Random(0), 0);
}

TEST_F(DiagnosticsTest, StopwatchesMeasureFromTheirStartAndIgnoreBadIndexes) {
    headless::SetTime(1000);
    StartStopwatches();
    headless::AdvanceTime(250);
    EXPECT_EQ(Stopwatch(0, 1), 250u);
    EXPECT_EQ(Stopwatch(1, 0), 0u);
    headless::AdvanceTime(10);
    EXPECT_EQ(Stopwatch(1, 1), 10u);
    EXPECT_EQ(Stopwatch(2, 1), 260u);
    EXPECT_EQ(Stopwatch(3, 0), 0u);
    EXPECT_EQ(Stopwatch(7, 1), 0u);
}

TEST_F(DiagnosticsTest, AStopwatchSurvivesTheClockWrapping) {
    headless::SetTime(0xFFFFFFF0u);
    Stopwatch(0, 0);
    headless::AdvanceTime(0x20);
    EXPECT_EQ(Stopwatch(0, 1), 0x20u);
}

TEST_F(DiagnosticsTest, ErrorBoxAndDebugOutputFormatAndCutAt255Characters) {
    DebugPrint("%d個のジョイスティックが使用可能です\n", 2);
    EXPECT_EQ(headless::DebugText(), "2個のジョイスティックが使用可能です\n");

    std::string longName(400, 'x');
    DebugPrint("BMP[%s]\n", longName.c_str());
    EXPECT_EQ(headless::DebugLines().back().size(), 255u);

    EXPECT_EQ(ShowErrorBox("%s", longName.c_str()), 1);
    ASSERT_EQ(headless::MessageBoxes().size(), 1u);
    EXPECT_EQ(headless::MessageBoxes()[0].text.size(), 255u);
    EXPECT_EQ(Runtime().errorBoxShown, 0);
}

// While the box is up the keyboard reads as released, so a key held to dismiss it does not also
// act in the game; once it is gone the key counts again.
TEST_F(DiagnosticsTest, KeysReadAsUpOnlyWhileTheErrorBoxIsShown) {
    headless::SetKeyDown(32, true);
    int shownFlag = -1, keyWhileShown = -1;
    headless::WhileMessageBoxShown([&] {
        shownFlag = Runtime().errorBoxShown;
        keyWhileShown = KeyState(32);
    });
    ShowErrorBox("表示テスト");
    EXPECT_EQ(shownFlag, 1);
    EXPECT_EQ(keyWhileShown, KEY_UP);
    EXPECT_EQ(Runtime().errorBoxShown, 0);
    EXPECT_EQ(KeyState(32), KEY_PRESSED);
}

TEST_F(DiagnosticsTest, SineTableTruncatesTowardZero) {
    BuildSineTable();
    EXPECT_EQ(SineTable[0], 0);
    EXPECT_EQ(SineTable[30], 179);
    EXPECT_EQ(SineTable[90], 360);
    EXPECT_EQ(SineTable[150], 179);
    EXPECT_EQ(SineTable[180], 0);
    EXPECT_EQ(SineTable[210], -180);
    EXPECT_EQ(SineTable[270], -360);
    EXPECT_EQ(SineTable[330], -180);
    EXPECT_EQ(SineTable[390], 180);
    EXPECT_EQ(SineTable[449], 359);
}

TEST_F(DiagnosticsTest, BaseDirectoryIsTheCurrentDirectory) {
    char buffer[kBaseDirectorySize];
    GetBaseDirectory(buffer);
    EXPECT_EQ(std::string(buffer), platform::GetCurrentDirectory());
}

} // namespace
} // namespace tessary
