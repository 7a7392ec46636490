// Where the debug output goes. Internal to platform/: the headless platform keeps the lines for
// its tests instead of writing them to standard error.
#pragma once

namespace platform::detail {

using DebugOutputSink = void (*)(const char* text);

// Every later OutputDebugString goes to sink (never null). Set before main, before any thread.
void RouteDebugOutput(DebugOutputSink sink);

} // namespace platform::detail
