#include "pad_rules.h"

#include <algorithm>
#include <cstdlib>

namespace platform::pads {
namespace {

// tan(22.5 degrees) in thousandths: where a straight direction meets a diagonal one.
constexpr int64_t kTanEighthTurnHalf = 414;

uint32_t AsRead(int v) {
    return static_cast<uint32_t>(std::clamp(v, -32768, 32767) + 32768);
}

// One "0xAAAA/0xBBBB" entry; text moves past it. False when it is not one.
bool ParseEntry(const char*& text, UsbId& out) {
    char* end = nullptr;
    const unsigned long vendor = std::strtoul(text, &end, 16);
    if (end == text || *end != '/' || vendor > 0xFFFF) return false;
    const char* second = end + 1;
    const unsigned long product = std::strtoul(second, &end, 16);
    if (end == second || product > 0xFFFF) return false;
    text = end;
    out = UsbId{static_cast<uint16_t>(vendor), static_cast<uint16_t>(product)};
    return true;
}

bool Contains(const std::vector<UsbId>& list, UsbId id) {
    return std::find(list.begin(), list.end(), id) != list.end();
}

} // namespace

void StickToPosition(int x, int y, uint32_t& outX, uint32_t& outY) {
    const int64_t squared = int64_t{x} * x + int64_t{y} * y;
    if (squared < int64_t{kDeadZoneRadius} * kDeadZoneRadius) {
        outX = kCalibratedCentre;
        outY = kCalibratedCentre;
        return;
    }
    // The ship steers in eight directions: a push within 22.5 degrees of an axis goes straight
    // along it, so the sideways wobble of a stick pushed up does not turn it diagonal.
    const int64_t ax = std::abs(int64_t{x}), ay = std::abs(int64_t{y});
    outX = ax * 1000 < ay * kTanEighthTurnHalf ? kCalibratedCentre : AsRead(x);
    outY = ay * 1000 < ax * kTanEighthTurnHalf ? kCalibratedCentre : AsRead(y);
}

std::vector<UsbId> ParseDeviceList(const char* text) {
    std::vector<UsbId> list;
    if (text == nullptr) return list;
    while (*text != '\0') {
        UsbId id;
        if (ParseEntry(text, id)) list.push_back(id);
        while (*text != '\0' && *text != ',')
            ++text;
        if (*text == ',') ++text;
    }
    return list;
}

bool HiddenByHints(UsbId id, const char* ignore, const char* ignoreExcept) {
    const std::vector<UsbId> only = ParseDeviceList(ignoreExcept);
    if (!only.empty() && !Contains(only, id)) return true;
    return Contains(ParseDeviceList(ignore), id);
}

bool SamePhysicalPad(const PadIdentity& a, const PadIdentity& b) {
    return !a.serial.empty() && a.usb == b.usb && a.serial == b.serial;
}

} // namespace platform::pads
