// The single-instance rule: the stand-in for finding another instance's window by its class.
#pragma once

namespace platform {

// Takes the lock named after the window class and the user, held for the life of the process and
// released by the kernel when it ends. False when another running process holds it.
bool AcquireInstanceLock(const char* className);

} // namespace platform
