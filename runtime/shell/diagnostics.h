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

// Measures the frame rate over every 5 calls (5000 / the milliseconds stopwatch 2 counted since
// the last measurement) and prints the last rate with "%.1f" at (x, y) in the current font, never
// centred. "0.0" until the fifth call. Five calls within one millisecond count as 1 ms, so the
// highest rate shown is 5000.0 rather than an infinity. Returns the rate shown.
float DrawFps(int x, int y);

// 0..n, and n + 1 when the generator yields its top value 32767.
int Random(int n);

// Writes the current directory into buffer (256 bytes, always terminated).
void GetBaseDirectory(char* buffer);
inline constexpr int kBaseDirectorySize = 256;

} // namespace tessary
