// The rules for reading pads that need nothing of SDL: the dead zone of a stick at rest, and which
// devices count as pads of their own.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace platform::pads {

// A quarter of the stick's travel from the centre, as the pad makers advise for a stick at rest:
// real sticks rest anywhere within a few percent of the centre, worn ones further out.
inline constexpr int kDeadZoneRadius = 8192;

// The centre a calibrated driver reports on each axis.
inline constexpr uint32_t kCalibratedCentre = 32767;

// A stick as SDL reads it (-32768..32767 on each axis, down and right positive) in the joystick
// range 0..65535: inside the round dead zone both axes read the calibrated centre, outside it the
// position is reported as read, except that a push within 22.5 degrees of one axis reads the
// centre on the other (the eight directions split the circle evenly).
void StickToPosition(int x, int y, uint32_t& outX, uint32_t& outY);

struct UsbId {
    uint16_t vendor = 0;
    uint16_t product = 0;
    bool operator==(const UsbId&) const = default;
};

// A device list as SDL's ignore hints write it, "0xAAAA/0xBBBB,0xCCCC/0xDDDD"; malformed entries
// are skipped.
std::vector<UsbId> ParseDeviceList(const char* text);

// Whether a device is hidden by SDL_GAMECONTROLLER_IGNORE_DEVICES (listed there) or by
// SDL_GAMECONTROLLER_IGNORE_DEVICES_EXCEPT (a list that does not name it). Steam sets these for a
// game it starts, to hide the real pads behind its own virtual gamepads.
bool HiddenByHints(UsbId id, const char* ignore, const char* ignoreExcept);

struct PadIdentity {
    UsbId usb;
    std::string serial;
};

// One physical pad seen twice (over USB and Bluetooth at once, or through two drivers) reports the
// same vendor, product and serial. Pads without a serial cannot be told from a second pad of the
// same make, so they are never merged.
bool SamePhysicalPad(const PadIdentity& a, const PadIdentity& b);

} // namespace platform::pads
