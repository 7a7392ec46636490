#include "joystick.h"

#include "platform/joystick.h"
#include "runtime/shell/diagnostics.h"
#include "runtime/shell/runtime_state.h"

namespace tessary {
namespace {

// The dead zone is 28672..32768, not centred on 32768, as the original driver reported it.
constexpr uint32_t kLowThreshold = 0x7000;
constexpr uint32_t kHighThreshold = 0x8000;

void UpdateJoystick(InputState& in, JoystickRecord& joy, const platform::JoyPosition& p) {
    const bool down[4] = {p.y<kLowThreshold, p.y> kHighThreshold,
                          p.x<kLowThreshold, p.x> kHighThreshold};
    for (size_t d = 0; d < 4; ++d)
        UpdateInputState(in, joy.directions[d], down[d]);
    for (size_t k = 0; k < 8; ++k)
        UpdateInputState(in, joy.buttons[k], ((p.buttons >> k) & 1u) != 0);
}

// Counts the joysticks from identifier 0 without gaps; the records after the last one found are
// not present and read as up.
int CountJoysticks(InputState& in) {
    int count = 0;
    for (; count < kJoystickSlots; ++count) {
        platform::JoyPosition p;
        if (!platform::JoyGetDevCaps(count) || !platform::JoyGetPosEx(count, p)) break;
        in.joysticks[static_cast<size_t>(count)].present = 1;
    }
    for (int i = count; i < kJoystickSlots; ++i) {
        JoystickRecord& joy = in.joysticks[static_cast<size_t>(i)];
        joy.present = 0;
        joy.directions.fill(KEY_UP);
        joy.buttons.fill(KEY_UP);
    }
    return count;
}

// Pads plugged in or pulled out since the last tick are counted again, as at start, and the count
// is said again when it changed.
void RecountWhenPlugged(InputState& in) {
    if (platform::JoyGetNumDevs() == 0 || !platform::JoyUpdateDevices()) return;
    const int count = CountJoysticks(in);
    if (count == in.joystickCount) return;
    in.joystickCount = count;
    DebugPrint("%d個のジョイスティックが使用可能です\n", count);
}

} // namespace

void InitJoysticks() {
    InputState& in = TheInput();
    if (platform::JoyGetNumDevs() == 0) return;
    platform::JoyUpdateDevices();
    in.joystickCount = CountJoysticks(in);
    DebugPrint("%d個のジョイスティックが使用可能です\n", in.joystickCount);
}

int EnableJoystick(int on) {
    InputState& in = TheInput();
    Runtime().joystickPolling = on != 0 ? 1 : 0;
    if (on == 0) {
        for (auto& joy : in.joysticks) {
            if (joy.present == 0) continue;
            joy.directions.fill(KEY_UP);
            joy.buttons.fill(KEY_UP);
        }
    }
    return in.joystickCount;
}

int JoystickCount() {
    return TheInput().joystickCount;
}

void PollJoysticks() {
    InputState& in = TheInput();
    RecountWhenPlugged(in);
    for (int i = 0; i < in.joystickCount; ++i) {
        JoystickRecord& joy = in.joysticks[static_cast<size_t>(i)];
        if (joy.present == 0) break;
        // A joystick that cannot be read counts as centred with no button down.
        platform::JoyPosition p;
        if (!platform::JoyGetPosEx(i, p)) p = platform::JoyPosition{};
        UpdateJoystick(in, joy, p);
    }
}

int JoyState(int index, uint32_t what) {
    const InputState& in = TheInput();
    if (index < 0 || index >= in.joystickCount) return 0;
    const JoystickRecord& joy = in.joysticks[static_cast<size_t>(index)];
    if (joy.present == 0) return 0;
    if (what >= JOY_UP && what <= JOY_RIGHT) return joy.directions[what - JOY_UP];
    for (size_t k = 0; k < 8; ++k)
        if (what == (1u << k)) return joy.buttons[k];
    return 0;
}

} // namespace tessary
