#include "diagnostics.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/clock.h"
#include "platform/crt_random.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "runtime/graphics/text.h"
#include "runtime/shell/runtime_state.h"

namespace tessary {
namespace {

constexpr size_t kFormatBufferSize = 256;
constexpr int kStopwatchCount = 3;
constexpr int kFpsStopwatch = 2;
constexpr int kFpsCallsPerMeasurement = 5;

} // namespace

int ShowErrorBox(const char* format, ...) {
    char text[kFormatBufferSize];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    Runtime().errorBoxShown = 1;
    int result = platform::MessageBox(text, "メッセージ",
                                      platform::MB_ICONEXCLAMATION | platform::MB_SYSTEMMODAL);
    Runtime().errorBoxShown = 0;
    return result;
}

void DebugPrint(const char* format, ...) {
    char text[kFormatBufferSize];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    platform::OutputDebugString(text);
}

uint32_t Stopwatch(int index, int read) {
    if (index < 0 || index >= kStopwatchCount) return 0;
    uint32_t& start = TheDiagnostics().stopwatchStart[static_cast<size_t>(index)];
    if (read == 0) {
        start = platform::TimeGetTime();
        return 0;
    }
    return platform::TimeGetTime() - start;
}

void StartStopwatches() {
    for (int i = 0; i < kStopwatchCount; ++i)
        Stopwatch(i, 0);
}

float DrawFps(int x, int y) {
    DiagnosticsState& d = TheDiagnostics();
    if (d.fpsCallCount >= kFpsCallsPerMeasurement - 1) {
        d.fpsCallCount = 0;
        uint32_t elapsed = Stopwatch(kFpsStopwatch, 1);
        if (elapsed == 0) elapsed = 1;
        d.fpsRate = static_cast<float>(kFpsCallsPerMeasurement * 1000.0 / elapsed);
        Stopwatch(kFpsStopwatch, 0);
    } else {
        ++d.fpsCallCount;
    }
    const int centred = TheTextState().centered;
    SetTextCentered(0);
    PrintText(x, y, "%.1f", static_cast<double>(d.fpsRate));
    SetTextCentered(centred);
    return d.fpsRate;
}

int Random(int n) {
    // The divisor is 32767, not 32768: the generator's top value yields n + 1.
    int r = platform::Rand();
    int64_t product = static_cast<int64_t>(r) * (static_cast<int64_t>(n) + 1);
    return static_cast<int>(static_cast<int32_t>(product) / 32767);
}

void GetBaseDirectory(char* buffer) {
    std::string dir = platform::GetCurrentDirectory();
    std::snprintf(buffer, kBaseDirectorySize, "%s", dir.c_str());
}

} // namespace tessary
