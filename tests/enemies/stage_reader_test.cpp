// The stage file's reader: tokens, comments, the end mark, the unit conversions, the ring of 32,
// the schedule one record ahead, and what happens to files that break the format.
#include <string>

#include "platform/message_box.h"
#include "support/enemy_fixture.h"

namespace pelko::testing {
namespace {

// One record's twelve tokens, one blank apart.
std::string Record(int time, int moveType, int kind, const char* x, const char* y, const char* vx,
                   const char* vy, const char* ax, const char* ay, int hp, int count,
                   int interval) {
    return std::to_string(time) + " " + std::to_string(moveType) + " " + std::to_string(kind) +
           " " + x + " " + y + " " + vx + " " + vy + " " + ax + " " + ay + " " +
           std::to_string(hp) + " " + std::to_string(count) + " " + std::to_string(interval) + "\n";
}

std::string Simple(int time, int count = 1, int interval = 0) {
    return Record(time, 0, 0, "700", "200", "-2.0", "0", "0", "0", 1, count, interval);
}

class StageReaderTest : public EnemyTest {
  protected:
    EnemyManager& manager() { return TheEnemies(); }
    // Spawns every frame from first to last.
    void RunFrames(uint32_t first, uint32_t last) {
        for (uint32_t f = first; f <= last; ++f)
            manager().Spawn(f);
    }
    int DebugLinesMentioning(const std::string& text) {
        int n = 0;
        for (const std::string& line : platform::headless::DebugLines())
            n += line.find(text) != std::string::npos;
        return n;
    }
};

TEST_F(StageReaderTest, CommentsOnlyPlaceNothing) {
    LoadAndReset("#one #two\n#three &\n");
    manager().Spawn(0);
    EXPECT_TRUE(ReachedEnd());
    RunFrames(1, 100);
    EXPECT_EQ(ShownEnemies(), 0);
    EXPECT_EQ(manager().ringNext, 0);
    for (const Enemy& e : manager().enemies)
        EXPECT_EQ(e.spawnFrame, -1);
    EXPECT_TRUE(platform::headless::DebugLines().empty());
}

TEST_F(StageReaderTest, WorkedExampleAtThirtyFps) {
    LoadAndReset(Record(600, 0, 0, "700", "100", "-2.0", "0", "0", "0", 1, 3, 60) + "&\n");
    manager().stageStartFrame = 40;
    manager().Spawn(40);
    EXPECT_EQ(manager().nextRecordTime, 300);
    EXPECT_EQ(manager().ringNext, 3);
    EXPECT_EQ(EnemyAt(0).spawnFrame, 340);
    EXPECT_EQ(EnemyAt(1).spawnFrame, 350);
    EXPECT_EQ(EnemyAt(2).spawnFrame, 360);
    EXPECT_EQ(EnemyAt(0).vx, -4.0f);
    EXPECT_EQ(EnemyAt(0).x, 700.0f);
    EXPECT_EQ(EnemyAt(0).y, 100.0f);
    RunFrames(41, 339);
    EXPECT_EQ(ShownEnemies(), 0);
    EXPECT_FALSE(ReachedEnd()); // the end mark waits for the record's time
    manager().Spawn(340);
    EXPECT_EQ(ShownEnemies(), 1);
    EXPECT_TRUE(ReachedEnd());
    RunFrames(341, 360);
    EXPECT_EQ(ShownEnemies(), 3);
}

TEST_F(StageReaderTest, UnitsAtSixtyAndThirtyFps) {
    const std::string stage =
        Record(600, 3, 4, "650.5", "100", "-2.0", "0.5", "0.5", "-1", 7, 2, 60) + "&\n";
    SetFps(60);
    LoadAndReset(stage);
    manager().Spawn(0);
    EXPECT_EQ(manager().nextRecordTime, 600);
    EXPECT_EQ(EnemyAt(0).spawnFrame, 600);
    EXPECT_EQ(EnemyAt(1).spawnFrame, 620);
    EXPECT_EQ(EnemyAt(0).vx, -2.0f);
    EXPECT_EQ(EnemyAt(0).vy, 0.5f);
    EXPECT_EQ(EnemyAt(0).ax, 0.125f);
    EXPECT_EQ(EnemyAt(0).ay, -0.25f);
    EXPECT_EQ(EnemyAt(0).x, 650.5f);
    EXPECT_EQ(EnemyAt(0).moveType, 3);
    EXPECT_EQ(EnemyAt(0).kind, 4);
    EXPECT_EQ(EnemyAt(0).hp, 7);
    EXPECT_EQ(EnemyAt(0).fireInterval, 30);
    EXPECT_EQ(EnemyAt(0).active, 0); // placed ahead of its time, hidden

    SetFps(30);
    LoadAndReset(stage);
    manager().Spawn(0);
    EXPECT_EQ(manager().nextRecordTime, 300);
    EXPECT_EQ(EnemyAt(1).spawnFrame, 310);
    EXPECT_EQ(EnemyAt(0).vx, -4.0f);
    EXPECT_EQ(EnemyAt(0).vy, 1.0f);
    EXPECT_EQ(EnemyAt(0).ax, 0.5f);
    EXPECT_EQ(EnemyAt(0).ay, -1.0f);
    EXPECT_EQ(EnemyAt(0).fireInterval, 15);
}

TEST_F(StageReaderTest, TimesAndIntervalsTruncateTowardZero) {
    SetFps(60);
    LoadAndReset(Simple(0, 3, 50) + Simple(-3) + "&\n");
    manager().Spawn(0);
    EXPECT_EQ(EnemyAt(0).spawnFrame, 0);
    EXPECT_EQ(EnemyAt(1).spawnFrame, 16); // 50 / 3
    EXPECT_EQ(EnemyAt(2).spawnFrame, 32);

    SetFps(30);
    LoadAndReset(Simple(601, 3, 50) + Simple(-3) + "&\n");
    manager().Spawn(0);
    EXPECT_EQ(manager().nextRecordTime, 300);
    EXPECT_EQ(EnemyAt(1).spawnFrame, 308); // (1 x 16) / 2
    EXPECT_EQ(EnemyAt(2).spawnFrame, 316);
    manager().Spawn(300);
    EXPECT_EQ(manager().nextRecordTime, -1); // -3 / 2 toward zero
}

TEST_F(StageReaderTest, CountZeroReadsTheRecordAndPlacesNothing) {
    LoadAndReset(Simple(600, 0) + Simple(700) + "&\n");
    manager().Spawn(0);
    EXPECT_EQ(manager().nextRecordTime, 300);
    EXPECT_EQ(manager().ringNext, 0);
    for (const Enemy& e : manager().enemies)
        EXPECT_EQ(e.spawnFrame, -1);
    RunFrames(1, 299);
    EXPECT_EQ(manager().ringNext, 0);
    manager().Spawn(300); // the next record follows on the time of the empty one
    EXPECT_EQ(manager().ringNext, 1);
    EXPECT_EQ(EnemyAt(0).spawnFrame, 350);
}

TEST_F(StageReaderTest, ARecordAlreadyDueShowsInTheFrameItIsRead) {
    LoadAndReset(Simple(600) + Simple(300) + "&\n");
    manager().Spawn(0);
    RunFrames(1, 299);
    EXPECT_EQ(manager().ringNext, 1);
    EXPECT_EQ(ShownEnemies(), 0);
    manager().Spawn(300);
    EXPECT_EQ(manager().ringNext, 2);
    EXPECT_EQ(EnemyAt(1).spawnFrame, 150);
    EXPECT_EQ(EnemyAt(1).active, 1); // late, so at once
    EXPECT_EQ(EnemyAt(0).active, 1);
}

TEST_F(StageReaderTest, OneRecordPerFrameAndEqualTimesInConsecutiveFrames) {
    LoadAndReset(Simple(0) + Simple(600, 2, 60) + Simple(600, 2, 60) + Simple(600) + "&\n");
    manager().Spawn(0);
    EXPECT_EQ(manager().ringNext, 1);
    EXPECT_EQ(EnemyAt(0).active, 1); // time 0: due in the frame it is read
    manager().Spawn(1);
    EXPECT_EQ(manager().ringNext, 3);
    RunFrames(2, 299);
    EXPECT_EQ(manager().ringNext, 3);
    manager().Spawn(300);
    EXPECT_EQ(manager().ringNext, 5);
    manager().Spawn(301);
    EXPECT_EQ(manager().ringNext, 6);
    // The records of equal time were read in consecutive frames but keep their own spawn frames.
    EXPECT_EQ(EnemyAt(1).spawnFrame, 300);
    EXPECT_EQ(EnemyAt(3).spawnFrame, 300);
    EXPECT_EQ(EnemyAt(4).spawnFrame, 310);
    EXPECT_EQ(EnemyAt(4).active, 0);
    RunFrames(302, 310);
    EXPECT_EQ(EnemyAt(4).active, 1);
}

TEST_F(StageReaderTest, ACountOfFortyWrapsTheRingKeepingTheEarliest) {
    SetFps(60);
    LoadAndReset(Simple(0) + Simple(100, 40, 3) + Simple(100) + "&\n");
    manager().Spawn(0);
    manager().Spawn(1);
    EXPECT_EQ(manager().ringNext, 41);
    // The record began at position 1; i = 0..31 are left, one frame apart.
    for (int i = 0; i < kEnemyRingSize; ++i)
        EXPECT_EQ(EnemyAt((1 + i) % kEnemyRingSize).spawnFrame, 100 + i) << i;
    manager().Spawn(100);
    EXPECT_EQ(manager().ringNext, 42);
    EXPECT_EQ(EnemyAt(41 % kEnemyRingSize).spawnFrame, 100); // reused without notice
}

TEST_F(StageReaderTest, AnEnemyWithoutHitPointsNeverShows) {
    LoadAndReset(Record(0, 0, 0, "700", "200", "-2", "0", "0", "0", 0, 1, 0) + "&\n");
    RunFrames(0, 10);
    EXPECT_EQ(EnemyAt(0).spawnFrame, 0);
    EXPECT_EQ(ShownEnemies(), 0);
}

TEST_F(StageReaderTest, ACommentOfTwoWordsTakesTheSecondAsATime) {
    LoadAndReset("#wave 2 " + Simple(600) + "&\n");
    manager().Spawn(0);
    // "2" began a record, so every field after it is one token early.
    EXPECT_EQ(manager().nextRecordTime, 1);
    EXPECT_EQ(EnemyAt(0).moveType, 600);
    EXPECT_EQ(EnemyAt(0).x, 0.0f);
    EXPECT_EQ(EnemyAt(0).y, 700.0f);
    EXPECT_EQ(EnemyAt(0).vx, 128.0f); // 200 x 2, clamped
    EXPECT_EQ(EnemyAt(0).hp, 0);
}

TEST_F(StageReaderTest, LongerBlankRunsLeaveTheReaderShort) {
    // Three blanks after the comment: the reader comes back two characters short and reads the
    // time "77" and then its own last digit "7" as the move type.
    LoadAndReset("#a   77 1 2 3 4 5 6 7 8 9 10 11 &\n");
    manager().Spawn(0);
    EXPECT_EQ(manager().nextRecordTime, 38);
    EXPECT_EQ(EnemyAt(0).moveType, 7);
    EXPECT_EQ(EnemyAt(0).kind, 1);
    EXPECT_EQ(EnemyAt(0).x, 2.0f);
    EXPECT_EQ(EnemyAt(0).hp, 8);
    EXPECT_EQ(manager().ringNext, 9);

    // A single run of two blanks only shifts the reader onto the blank after the next token.
    LoadAndReset("#b  " + Simple(600) + "&\n");
    manager().Spawn(0);
    EXPECT_EQ(manager().nextRecordTime, 300);
    EXPECT_EQ(manager().ringNext, 1);
    EXPECT_EQ(EnemyAt(0).vx, -4.0f);
}

TEST_F(StageReaderTest, TabsAndLineEndsSeparateTokens) {
    LoadAndReset("#c\t600\t0\t0\n700\n200\n-2.0 0 0 0 1 1 0\r\n&");
    manager().Spawn(0);
    EXPECT_EQ(manager().nextRecordTime, 300);
    EXPECT_EQ(EnemyAt(0).y, 200.0f);
    manager().Spawn(300);
    EXPECT_TRUE(ReachedEnd());
    EXPECT_TRUE(platform::headless::DebugLines().empty());
}

TEST_F(StageReaderTest, NumbersReadUpToTheFirstCharacterThatDoesNotFit) {
    LoadAndReset(Record(60, 0, 0, "1.5e2x", "+200.", "-.5", "2e", "1E-1", "0", 3, 1, 0) +
                 "12abc 0 0 7 8 0 0 0 0 1 1 0\n&\n");
    manager().Spawn(0);
    EXPECT_EQ(EnemyAt(0).x, 150.0f);
    EXPECT_EQ(EnemyAt(0).y, 200.0f);
    EXPECT_EQ(EnemyAt(0).vx, -1.0f);
    EXPECT_EQ(EnemyAt(0).vy, 4.0f);
    EXPECT_FLOAT_EQ(EnemyAt(0).ax, 0.1f);
    manager().Spawn(30);
    EXPECT_EQ(manager().nextRecordTime, 6);
    EXPECT_EQ(EnemyAt(1).x, 7.0f);
    EXPECT_TRUE(platform::headless::DebugLines().empty());
}

TEST_F(StageReaderTest, HugeValuesAreClampedBySprite) {
    LoadAndReset(Record(0, 0, 0, "1e300", "-5000", "1e40", "-1e40", "99", "0", 1, 1, 0) + "&\n");
    manager().Spawn(0);
    EXPECT_EQ(EnemyAt(0).x, 2048.0f);
    EXPECT_EQ(EnemyAt(0).y, -2048.0f);
    EXPECT_EQ(EnemyAt(0).vx, 128.0f);
    EXPECT_EQ(EnemyAt(0).vy, -128.0f);
    EXPECT_EQ(EnemyAt(0).ax, 32.0f);
}

class MalformedStageTest : public StageReaderTest {
  protected:
    // Loads text with one good record first, runs well past every time, and expects the reader
    // to have stopped at record 2 with one line naming the file.
    void ExpectStopsAtSecondRecord(const std::string& badTail) {
        const std::string path = WriteStage(Simple(0) + badTail);
        manager().LoadStage(path.c_str());
        manager().Reset();
        RunFrames(0, 2000);
        EXPECT_TRUE(ReachedEnd());
        EXPECT_EQ(manager().ringNext, 1) << "nothing of the bad record is placed";
        EXPECT_EQ(EnemyAt(1).spawnFrame, -1);
        ASSERT_EQ(platform::headless::DebugLines().size(), 1u);
        const std::string& line = platform::headless::DebugLines()[0];
        EXPECT_NE(line.find(path), std::string::npos) << line;
        EXPECT_NE(line.find("record 2"), std::string::npos) << line;
        EXPECT_EQ(line.back(), '\n');
        EXPECT_FALSE(platform::headless::ExitStatus().has_value());
    }
};

TEST_F(MalformedStageTest, AFieldThatDoesNotConvert) {
    ExpectStopsAtSecondRecord(Record(60, 0, 0, "abc", "200", "-2", "0", "0", "0", 1, 1, 0) +
                              Simple(90) + "&\n");
}

TEST_F(MalformedStageTest, ATimeThatDoesNotConvert) {
    ExpectStopsAtSecondRecord("wave " + Simple(90) + "&\n");
}

TEST_F(MalformedStageTest, NonDecimalFloatsDoNotConvert) {
    ExpectStopsAtSecondRecord(Record(60, 0, 0, "inf", "200", "-2", "0", "0", "0", 1, 1, 0) + "&\n");
}

TEST_F(MalformedStageTest, AnIntegerBeyondThirtyTwoBits) {
    ExpectStopsAtSecondRecord(Simple(60, 1, 0).replace(0, 2, "99999999999") + "&\n");
}

TEST_F(MalformedStageTest, TheEndMarkInsideARecord) {
    ExpectStopsAtSecondRecord("60 0 0 700 & 1 1 1 1 1 1 1\n");
}

TEST_F(MalformedStageTest, DataEndingInsideARecord) {
    ExpectStopsAtSecondRecord("60 0 0 700 200 -2");
}

TEST_F(MalformedStageTest, ATokenLongerThan255Characters) {
    ExpectStopsAtSecondRecord("#" + std::string(255, 'x') + " " + Simple(60) + "&\n");
}

TEST_F(StageReaderTest, ATokenOf255CharactersIsAllowed) {
    LoadAndReset(Simple(0) + "#" + std::string(254, 'x') + " " + Simple(60) + "&\n");
    RunFrames(0, 100);
    EXPECT_EQ(manager().ringNext, 2);
    EXPECT_TRUE(ReachedEnd());
    EXPECT_TRUE(platform::headless::DebugLines().empty());
}

TEST_F(StageReaderTest, AFileWithoutTheEndMarkStopsAtTheEndOfItsText) {
    for (const char* lineEnd : {"\n", "\r\n", ""}) {
        std::string text = Simple(0) + Simple(60) + Simple(120);
        std::string converted;
        for (char c : text)
            converted +=
                c == '\n' ? std::string(lineEnd) + (lineEnd[0] ? "" : " ") : std::string(1, c);
        SCOPED_TRACE(lineEnd[0] == '\r' ? "CR LF" : lineEnd[0] == '\n' ? "LF" : "blanks");
        ResetGameStatics();
        CreatePlayersAndDecorations();
        platform::headless::Reset();
        LoadAndReset(converted);
        RunFrames(0, 3000);
        EXPECT_EQ(manager().ringNext, 3);
        EXPECT_TRUE(ReachedEnd());
        EXPECT_TRUE(platform::headless::DebugLines().empty());
    }
}

TEST_F(StageReaderTest, CrLfLineEndsReadLikeLineFeeds) {
    LoadAndReset("#first\r\n" + Simple(600).replace(Simple(600).size() - 1, 1, "\r\n") + "&\r\n");
    manager().Spawn(0);
    EXPECT_EQ(manager().nextRecordTime, 300);
    manager().Spawn(300);
    EXPECT_TRUE(ReachedEnd());
    EXPECT_LT(manager().textEnd, manager().dataEnd); // three CRs folded away
}

TEST_F(StageReaderTest, AnEmptyFileSchedulesNothing) {
    LoadAndReset("");
    RunFrames(0, 10);
    EXPECT_TRUE(ReachedEnd());
    EXPECT_EQ(manager().ringNext, 0);
}

TEST_F(StageReaderTest, NothingIsReadBeforeAStageIsLoaded) {
    RunFrames(0, 10);
    EXPECT_EQ(manager().ringNext, 0);
    EXPECT_EQ(ShownEnemies(), 0);
}

TEST_F(StageReaderTest, LoadingReplacesThePreviousText) {
    LoadAndReset(Simple(0, 2) + "&\n");
    manager().Spawn(0);
    EXPECT_EQ(manager().ringNext, 2);
    LoadAndReset(Record(0, 5, 0, "700", "200", "-1", "0", "0", "0", 1, 1, 0) + "&\n");
    manager().Spawn(1);
    EXPECT_EQ(manager().ringNext, 1);
    EXPECT_EQ(EnemyAt(0).moveType, 5);
}

TEST_F(StageReaderTest, AMissingFileShowsTheErrorAndEndsTheProgram) {
    manager().LoadStage("GameData\\NoSuchStage.dat");
    ASSERT_EQ(platform::headless::MessageBoxes().size(), 1u);
    const auto& box = platform::headless::MessageBoxes()[0];
    EXPECT_EQ(box.text, "ERROR");
    EXPECT_EQ(box.caption, "StageData Error!");
    EXPECT_EQ(box.style, platform::MB_OK);
    EXPECT_EQ(platform::headless::ExitStatus(), -1);
    // The headless platform returns from the exit; what is left schedules nothing.
    RunFrames(0, 10);
    EXPECT_EQ(ShownEnemies(), 0);
    EXPECT_TRUE(ReachedEnd());
}

TEST_F(StageReaderTest, GamePathsUseBackslashes) {
    WriteStage(Simple(0) + "&\n", "GameData/Stage1.dat");
    manager().LoadStage("GameData\\Stage1.dat");
    manager().Reset();
    manager().Spawn(0);
    EXPECT_EQ(manager().ringNext, 1);
    EXPECT_TRUE(platform::headless::MessageBoxes().empty());
}

} // namespace
} // namespace pelko::testing
