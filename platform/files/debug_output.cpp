#include <cstdio>

#include "debug_output_route.h"
#include "platform/debug_output.h"

namespace platform {
namespace {

void WriteToStandardError(const char* text) {
    std::fputs(text, stderr);
    std::fflush(stderr);
}

// Constant-initialised, so a line written by any static object's constructor has somewhere to go.
constinit detail::DebugOutputSink g_sink = WriteToStandardError;

} // namespace

void OutputDebugString(const char* text) {
    g_sink(text != nullptr ? text : "");
}

namespace detail {

void RouteDebugOutput(DebugOutputSink sink) {
    g_sink = sink;
}

} // namespace detail
} // namespace platform
