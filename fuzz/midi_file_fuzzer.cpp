// Any bytes through the MIDI file reader: it must never read outside them, and a piece it
// accepts must be playable as it stands: events in order, none after the end, and a tempo map
// that turns frames back into ticks within the piece.
#include <cstdlib>

#include "common/midi_file_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    platform::midi::MidiPiece piece;
    if (platform::midi::ReadMidiFile(data, size, piece) != nullptr) {
        if (!piece.events.empty()) std::abort();
        return 0;
    }
    uint64_t last = 0;
    for (const auto& e : piece.events) {
        if (e.frame < last || e.frame > piece.endFrame) std::abort();
        if (e.sysexLength > 0 && uint64_t{e.sysexOffset} + e.sysexLength > piece.sysex.size())
            std::abort();
        last = e.frame;
    }
    if (piece.tempo.empty() || piece.tempo[0].tick != 0) std::abort();
    if (piece.TickAt(piece.endFrame + 1000) > piece.endTick) std::abort();
    return 0;
}
