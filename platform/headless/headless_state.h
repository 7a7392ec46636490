// The one state record of the headless platform. Internal to platform/headless.
#pragma once
#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/headless.h"
#include "platform/window.h"

namespace platform::headless {

struct State {
    uint64_t clockUs = 0; // the virtual clock; TimeGetTime is its milliseconds, wrapping
    uint64_t slept = 0;
    std::array<bool, 256> keys{};
    std::multimap<uint32_t, Message> scheduled;
    bool joystickDriver = false;
    bool joysticksPlugged = false; // the count changed since the last JoyUpdateDevices
    int joystickCount = 0;
    std::array<JoyPosition, kMaxJoysticks> joysticks{};
    std::array<bool, kMaxJoysticks> joystickReadable{};
    int cursorX = 0, cursorY = 0;
    bool cursorShown = true;
    bool cursorClipped = false;
    bool otherInstance = false;
    bool videoAvailable = true;
    bool windowCreatable = true;
    bool audioAvailable = true;
    bool windowExists = false;
    bool fullScreen = false;
    bool systemFonts = false;
    int windowX = 0, windowY = 0, clientWidth = 0, clientHeight = 0;
    std::vector<uint32_t> presented;
    int presentedWidth = 0;
    uint64_t presentCount = 0;
    bool lastPresentVSync = false;
    PictureScaling scaling = PictureScaling::kSharp;
    int refreshesPerFrame = 0;
    double refreshHz = 0.0;
    bool refreshReported = true;
    std::vector<PresentRecord> presentLog;
    std::vector<MessageBoxRecord> boxes;
    std::function<void()> whileBoxShown;
    std::vector<std::string> debugLines;
    std::vector<SoundCall> soundCalls;
    std::optional<int> exitStatus;
};

State& TheState();

// The 32-bit millisecond counter of the virtual clock.
inline uint32_t NowMs(const State& s) {
    return static_cast<uint32_t>(s.clockUs / 1000);
}

} // namespace platform::headless
