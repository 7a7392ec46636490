// The orderly end when the display goes away, written once for both implementations.
#include <utility>

#include "backend.h"
#include "platform/message_box.h"
#include "platform/process.h"

namespace platform {
namespace {

void (*g_onDisplayLost)() = nullptr;

} // namespace

void SetDisplayLostHandler(void (*handler)()) {
    g_onDisplayLost = handler;
}

namespace backend {

void EndForLostDisplay() {
    // Taken before it runs: a second loss reported while it runs does not run it again.
    if (void (*handler)() = std::exchange(g_onDisplayLost, nullptr)) handler();
    StopAudioOutput();
    OutputDebugString("The display went away; the game ends.\n");
}

} // namespace backend
} // namespace platform
