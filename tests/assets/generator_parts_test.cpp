// The generator's building blocks where a slip would not show in a picture or a level check:
// chord and note texts, long MIDI delta times, and letters the alphabet lacks.
#include <gtest/gtest.h>

#include "assetgen/arranger.h"
#include "assetgen/asset_set.h"
#include "assetgen/letters.h"
#include "assetgen/midi_writer.h"
#include "support/asset_readers.h"

namespace {

using assetgen::kBeat;

TEST(AssetGeneratorParts, ChordNamesGiveRootAndQuality) {
    const auto fSharpMinor = assetgen::ParseChord("F#m");
    EXPECT_EQ(fSharpMinor.root, 6);
    EXPECT_EQ(fSharpMinor.intervals, (std::vector<int>{0, 3, 7}));
    const auto bFlatSeven = assetgen::ParseChord("Bb7");
    EXPECT_EQ(bFlatSeven.root, 10);
    EXPECT_EQ(bFlatSeven.intervals, (std::vector<int>{0, 4, 7, 10}));
    const auto split = assetgen::ParseBarChords("G,A");
    ASSERT_EQ(split.size(), 2u);
    EXPECT_EQ(split[0].root, 7);
    EXPECT_EQ(split[1].root, 9);
}

TEST(AssetGeneratorParts, NoteTextKeepsPitchesAndDottedLengths) {
    assetgen::MidiSong song(120, 4);
    const int part = song.AddPart("Test", 0, 0, 100, 64);
    // A dotted quarter, an eighth, a rest of a half: one bar.
    EXPECT_EQ(assetgen::WriteMelody(song, part, 0, "C#5q. Bb3e rh", 90), 4 * kBeat);
    const auto midi = asset_test::ParseMidi(song.Encode(4 * kBeat));
    ASSERT_TRUE(midi.has_value());
    const auto& notes = midi->tracks[1].notes;
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].key, 73); // C#5
    EXPECT_EQ(notes[0].start, 0u);
    EXPECT_EQ(notes[1].key, 58); // Bb3
    EXPECT_EQ(notes[1].start, kBeat + kBeat / 2);
}

TEST(AssetGeneratorParts, LongDeltaTimesSurviveTheVariableLengthEncoding) {
    assetgen::MidiSong song(120, 4);
    const int part = song.AddPart("Test", 0, 0, 100, 64);
    // Gaps that need one, two, three and four bytes of delta time.
    const uint32_t starts[] = {0x7F, 0x80 + 0x7F, 0x4000 + 0x100, 0x400000 + 0x300};
    for (uint32_t start : starts)
        song.Note(part, start, 1, 60, 100);
    const auto midi = asset_test::ParseMidi(song.Encode(0x500000));
    ASSERT_TRUE(midi.has_value());
    ASSERT_EQ(midi->tracks[1].notes.size(), 4u);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(midi->tracks[1].notes[i].start, starts[i]);
    EXPECT_EQ(midi->tracks[1].endTick, 0x500000u);
}

TEST(AssetGeneratorParts, EveryLetterOnThePicturesHasAGlyph) {
    assetgen::GenerateAllAssets();
    EXPECT_EQ(assetgen::MissingGlyphCount(), 0);
    assetgen::Image scratch(64, 16);
    assetgen::DrawText(scratch, 0, 0, "a", assetgen::TextStyle{});
    EXPECT_EQ(assetgen::MissingGlyphCount(), 1) << "lower case has no glyphs and must be counted";
}

} // namespace
