// Any bytes through the check that guards the MIDI file player: it must never read outside them.
#include "common/midi_file_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    platform::midi::CheckMidiFile(data, size);
    return 0;
}
