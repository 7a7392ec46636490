// ALSA's own complaints, kept off standard error. Internal to platform/sdl.
#pragma once
#include <string>

namespace platform::sdl {

// From now on ALSA's error messages are no longer printed; the first one since the last
// TakeAlsaComplaint is kept, to say why a device could not be opened.
void QuietAlsaMessages();

// The first message ALSA gave since the last call, empty when it gave none; and forgets it.
std::string TakeAlsaComplaint();

} // namespace platform::sdl
