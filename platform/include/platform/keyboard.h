// The physical key state by Windows virtual-key code: the stand-in for GetAsyncKeyState.
#pragma once

namespace platform {

// True when the key of virtual-key code vk (0..255) is down as of the last event pump.
bool IsKeyDown(int vk);

} // namespace platform
