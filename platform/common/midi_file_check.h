// A check of a standard MIDI file's structure before the player gets it, so that a corrupt piece
// fails to open instead of ending at once, again and again. Internal to platform/.
#pragma once
#include <cstddef>
#include <cstdint>

namespace platform::midi {

inline constexpr int kMaxMidiTracks = 128; // what the file player can hold

// Nothing when the header and every track parse to their ends; otherwise why not.
const char* CheckMidiFile(const uint8_t* data, size_t size);

} // namespace platform::midi
