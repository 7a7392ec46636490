// The runtime's two diagnostic channels, the stopwatches, the random-number helper and the base
// directory of the data paths.
#pragma once
#include <array>
#include <cstdint>

namespace tessary {

struct DiagnosticsState {
    std::array<uint32_t, 3> stopwatchStart{};
    int fpsCallCount = 0;
    float fpsRate = 0.0f;
};
DiagnosticsState& TheDiagnostics();

// Formats with printf rules into 255 characters at most and shows a system-modal box captioned
// "メッセージ"; returns the box's result. Keys read as up while it is shown.
int ShowErrorBox(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Formats with printf rules into 255 characters at most and writes the text to the debug output.
void DebugPrint(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Index 0..2. read 0 starts the stopwatch and gives 0; otherwise the milliseconds since its start.
// Index 3 or more gives 0 and does nothing.
uint32_t Stopwatch(int index, int read);
void StartStopwatches();

// 0..n, and n + 1 when the generator yields its top value 32767.
int Random(int n);

// Writes the current directory into buffer (256 bytes, always terminated).
void GetBaseDirectory(char* buffer);
inline constexpr int kBaseDirectorySize = 256;

} // namespace tessary
