// The golden file's lines: written and read back alike, bad lines refused, and a difference named
// field by field.
#include <gtest/gtest.h>

#include <fstream>

#include "replay/golden_file.h"
#include "support/temp_folder.h"

namespace pelko::testing {
namespace {

ReplaySample Sample() {
    ReplaySample s;
    s.tick = 90;
    s.digest = 0x0123456789ABCDEFull;
    s.screen = "InGame";
    s.stage = 2;
    s.score = 1500;
    s.lives = -1;
    s.frame = 70;
    s.sections = {{"player 1", 1}, {"boss shots", 0xFFFFFFFFFFFFFFFFull}};
    return s;
}

TEST(GoldenFileTest, ALineReadsBackAsWritten) {
    const GoldenLine line = ToGoldenLine(Sample());
    const std::string text = FormatGoldenLine(line);
    EXPECT_EQ(text,
              "tick=90;screen=InGame;stage=2;frame=70;score=1500;lives=-1;hard=0;"
              "digest=0123456789abcdef;player 1=0000000000000001;boss shots=ffffffffffffffff");
    const std::optional<GoldenLine> back = ParseGoldenLine(text);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, line);
    EXPECT_EQ(DescribeDifference(line, *back), "");
}

TEST(GoldenFileTest, BadLinesAndFilesAreRefusedWithWhereTheyAre) {
    EXPECT_FALSE(ParseGoldenLine("").has_value());
    EXPECT_FALSE(ParseGoldenLine("tick=1;;score=2").has_value());
    EXPECT_FALSE(ParseGoldenLine("tick=1;=2").has_value());
    EXPECT_FALSE(ParseGoldenLine("score=2;tick=1").has_value()) << "the tick comes first";

    const tessary::testing::TempFolder folder("pelko-golden");
    const std::string path = (folder / "bad.golden").string();
    std::ofstream(path) << "# a note\ntick=30;digest=1\ngarbage\n";
    std::string error;
    EXPECT_FALSE(ReadGoldenFile(path, error).has_value());
    EXPECT_NE(error.find(":3:"), std::string::npos) << error;
    EXPECT_FALSE(ReadGoldenFile(path + ".missing", error).has_value());
    EXPECT_NE(error.find("cannot read"), std::string::npos);

    std::ofstream(path) << "# a note\ntick=30;digest=1\n\n# another\ntick=60;digest=2\n";
    const auto lines = ReadGoldenFile(path, error);
    ASSERT_TRUE(lines.has_value());
    ASSERT_EQ(lines->size(), 2u);
    EXPECT_EQ((*lines)[1][1].second, "2");
}

TEST(GoldenFileTest, ADifferenceNamesEveryFieldThatDiffersAndNoOther) {
    const GoldenLine recorded = ToGoldenLine(Sample());
    ReplaySample changed = Sample();
    changed.lives = 0;
    changed.sections[1].digest = 5;
    changed.sections.push_back({"item", 9});
    const std::string d = DescribeDifference(recorded, ToGoldenLine(changed));
    EXPECT_NE(d.find("lives: recorded -1, replayed 0"), std::string::npos) << d;
    EXPECT_NE(d.find("boss shots: recorded ffffffffffffffff, replayed 0000000000000005"),
              std::string::npos)
        << d;
    EXPECT_NE(d.find("item: not recorded, replayed"), std::string::npos) << d;
    EXPECT_EQ(d.find("score"), std::string::npos) << d;
    EXPECT_EQ(d.find("player 1"), std::string::npos) << d;
}

} // namespace
} // namespace pelko::testing
