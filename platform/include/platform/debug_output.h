// Debug output: the stand-in for OutputDebugStringA.
#pragma once

namespace platform {

// Sends text, unchanged, to the debug output (standard error on Linux; the headless platform
// keeps it for the test to read).
void OutputDebugString(const char* text);

} // namespace platform
