// The Windows virtual-key codes that the platform and the runtime name in their own code. Key
// codes stay Windows codes everywhere; the SDL backend maps them to scancodes in one table.
#pragma once

namespace platform {

inline constexpr int kVkLeftButton = 1, kVkRightButton = 2, kVkMiddleButton = 4;
inline constexpr int kVkTab = 9;
inline constexpr int kVkReturn = 13;
inline constexpr int kVkShift = 16, kVkControl = 17, kVkAlt = 18;
inline constexpr int kVkPause = 19;
inline constexpr int kVkEscape = 27;
inline constexpr int kVkSpace = 32;
inline constexpr int kVkLeft = 37, kVkUp = 38, kVkRight = 39, kVkDown = 40;
inline constexpr int kVkDelete = 46;
inline constexpr int kVkP = 80;
inline constexpr int kVkX = 88, kVkZ = 90;
inline constexpr int kVkF1 = 112;
inline constexpr int kVkF4 = 115;
inline constexpr int kVkF12 = 123;
inline constexpr int kVkLeftWindows = 91, kVkRightWindows = 92;
inline constexpr int kVkLeftShift = 160, kVkRightShift = 161, kVkLeftCtrl = 162, kVkRightCtrl = 163;
inline constexpr int kVkLeftAlt = 164, kVkRightAlt = 165;

} // namespace platform
