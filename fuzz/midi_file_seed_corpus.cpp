// Writes the MIDI fuzzer's seed corpus into the folder given: small valid files with what the
// reader has to time and order (tempo changes in a conductor track, several tracks, running
// status, system exclusive), for the fuzzer to mutate.
#include <string>

#include "support/sound_files.h"

int main(int argc, char** argv) {
    using namespace pelko::testing;
    if (argc < 2) return 2;
    const std::string dir = argv[1];
    const std::string end("\xFF\x2F\x00", 3);
    WriteFile(dir + "/tune.mid", MakeTune(4, 5, 90));
    const std::string conductor = VarLen(0) + std::string("\xFF\x51\x03\x07\xA1\x20", 6) +
                                  VarLen(960) + std::string("\xFF\x51\x03\x0F\x42\x40", 6) +
                                  VarLen(0) + end;
    const std::string part = VarLen(0) + std::string("\xF0\x05\x7E\x7F\x09\x01\xF7", 7) +
                             VarLen(0) + "\x91\x40\x50" + VarLen(480) + std::string("\x40\x00", 2) +
                             VarLen(0) + std::string("\xE1\x00\x40", 3) + VarLen(480) + end;
    WriteFile(dir + "/two_tracks.mid", MidiFile({conductor, part}));
    return 0;
}
