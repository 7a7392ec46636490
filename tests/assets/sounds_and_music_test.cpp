// The generated waves and MIDI pieces, read back: formats, levels, lengths, and a loop that
// closes on a bar line.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

#include "support/asset_readers.h"

namespace asset_test {
namespace {

const std::string kGameData = std::string(PELKO_DIST_DIR) + "/GameData/";

TEST(GeneratedSounds, WavesArePcmMonoShortCleanAndDistinct) {
    std::set<std::vector<int16_t>> seen;
    for (const char* name : {"Shot", "Beaten", "Beat", "Pi", "1up", "Warn"}) {
        SCOPED_TRACE(name);
        const auto wav = ParseWav(ReadFile(kGameData + name + ".wav"));
        ASSERT_TRUE(wav.has_value());
        EXPECT_EQ(wav->channels, 1);
        EXPECT_EQ(wav->bits, 16);
        EXPECT_GE(wav->sampleRate, 11025);
        const double seconds = static_cast<double>(wav->samples.size()) / wav->sampleRate;
        EXPECT_GT(seconds, 0.04);
        EXPECT_LT(seconds, 3.0);
        int peak = 0;
        double energy = 0;
        for (int16_t s : wav->samples) {
            peak = std::max(peak, std::abs(static_cast<int>(s)));
            energy += static_cast<double>(s) * s;
        }
        // Loud enough to be heard, with headroom so the mixer's sums of several effects stay clean
        // (no effect above about -6 dBFS; the mix itself is measured with the mixer).
        EXPECT_LT(peak, 16500);
        EXPECT_GT(peak, 8000);
        EXPECT_GT(std::sqrt(energy / wav->samples.size()), 2000.0);
        // No click at either end.
        EXPECT_LT(std::abs(wav->samples.front()), 600);
        EXPECT_LT(std::abs(wav->samples.back()), 600);
        EXPECT_TRUE(seen.insert(wav->samples).second) << "same sound as another effect";
    }
}

struct PieceSpec {
    const char* name;
    double minSeconds, maxSeconds;
};

double Seconds(const Midi& midi, uint32_t ticks) {
    return static_cast<double>(ticks) / midi.division * midi.microsPerQuarter / 1e6;
}

TEST(GeneratedMusic, PiecesAreWholeArrangementsThatLoopOnABarLine) {
    const PieceSpec pieces[] = {{"LOGO", 3.0, 15.0}, {"BGM1", 60.0, 180.0}, {"BGM2", 20.0, 180.0}};
    for (const PieceSpec& piece : pieces) {
        SCOPED_TRACE(piece.name);
        const auto midi = ParseMidi(ReadFile(kGameData + piece.name + ".mid"));
        ASSERT_TRUE(midi.has_value()) << "not a well-formed standard MIDI file";
        EXPECT_EQ(midi->format, 1);
        EXPECT_GT(midi->division, 0);
        EXPECT_EQ(midi->danglingNotes, 0);
        ASSERT_GE(midi->tracks.size(), 4u);
        const uint32_t end = midi->tracks.front().endTick;
        std::set<int> melodicChannels;
        int drumNotes = 0, programs = 0;
        std::vector<std::pair<uint32_t, uint32_t>> sounding;
        for (const MidiTrack& track : midi->tracks) {
            EXPECT_TRUE(track.ended);
            EXPECT_EQ(track.endTick, end) << "tracks end apart, the loop would stumble";
            programs += static_cast<int>(track.programs.size());
            for (const MidiNote& note : track.notes) {
                EXPECT_LE(note.end, end);
                sounding.push_back({note.start, note.end});
                if (note.channel == 9) {
                    ++drumNotes;
                } else {
                    melodicChannels.insert(note.channel);
                }
            }
        }
        EXPECT_EQ(end % (4 * midi->division), 0u) << "the loop does not close on a bar line";
        EXPECT_GE(melodicChannels.size(), 3u) << "melody, harmony and bass";
        EXPECT_GT(drumNotes, 0);
        EXPECT_GE(programs, static_cast<int>(melodicChannels.size()));
        const double seconds = Seconds(*midi, end);
        EXPECT_GE(seconds, piece.minSeconds);
        EXPECT_LE(seconds, piece.maxSeconds);
        // No long silence inside the piece.
        std::sort(sounding.begin(), sounding.end());
        uint32_t reached = 0;
        for (const auto& [start, stop] : sounding) {
            if (start > reached) {
                EXPECT_LT(Seconds(*midi, start - reached), 1.5) << "gap at tick " << reached;
            }
            reached = std::max(reached, stop);
        }
    }
}

} // namespace
} // namespace asset_test
