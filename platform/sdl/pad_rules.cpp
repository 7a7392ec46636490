#include "pad_rules.h"

#include <algorithm>
#include <cstdlib>

namespace platform::pads {

void StickToPosition(int x, int y, uint32_t& outX, uint32_t& outY) {
    const int64_t squared = int64_t{x} * x + int64_t{y} * y;
    if (squared < int64_t{kDeadZoneRadius} * kDeadZoneRadius) {
        outX = kCalibratedCentre;
        outY = kCalibratedCentre;
        return;
    }
    outX = static_cast<uint32_t>(std::clamp(x, -32768, 32767) + 32768);
    outY = static_cast<uint32_t>(std::clamp(y, -32768, 32767) + 32768);
}

namespace {

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
