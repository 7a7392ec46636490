// Ending the program at once with an exit status: the stand-in for ExitProcess.
#pragma once

namespace platform {

// On the real platform this stops the sound and ends the process with exitCode, without
// returning. The headless platform records the status instead and returns, so that a test can see
// it; a caller therefore leaves its state safe before it calls.
void ExitProcess(int exitCode);

// The display can go away under a running program: its X server ends, a remote session drops.
// Nothing can be drawn or read from then on, and it is a normal end, not a crash: the platform
// runs this handler once, on the game's thread, then closes the sound, says so in one line and
// ends the process with status 0. The program's handler saves what must not be lost; null takes
// it away again.
void SetDisplayLostHandler(void (*handler)());

} // namespace platform
