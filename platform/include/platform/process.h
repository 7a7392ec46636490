// Ending the program at once with an exit status: the stand-in for ExitProcess.
#pragma once

namespace platform {

// On the real platform this stops the sound and ends the process with exitCode, without
// returning. The headless platform records the status instead and returns, so that a test can see
// it; a caller therefore leaves its state safe before it calls.
void ExitProcess(int exitCode);

} // namespace platform
