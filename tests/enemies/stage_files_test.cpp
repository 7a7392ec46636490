// The five shipped stage files, read with the game's own reader and flown through a whole stage
// with the player parked at its start position: every record is accepted, every enemy is
// scheduled to show before the boss warning, no enemy is replaced while still in play, and the
// stages get harder.
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <vector>

#include "support/enemy_fixture.h"

namespace pelko::testing {
namespace {

const std::filesystem::path kSources = PELKO_STAGE_SOURCE_DIR;
const std::filesystem::path kDist = PELKO_DIST_DIR;

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string StagePath(int stage) {
    return (kSources / ("Stage" + std::to_string(stage) + ".dat")).string();
}

struct StageFigures {
    int recordsRead = 0;
    int enemies = 0;
    long totalHp = 0;
    int maxTime = 0; // in 1/60 s
    int peakInPlay = 0;
    int replacedInPlay = 0;
    int firstReplacingRecord = 0; // record numbers, from 1
    int firstReplacedRecord = 0;
    int shotsFired = 0;
    int scheduleEndFrame = -1;
    int lastSpawnFrame = -1; // the latest frame an enemy of the stage is scheduled to show in
    std::set<int> moveTypes, shotKinds;
};

bool InPlay(const Enemy& e) {
    return e.active != 0 && e.x > -32.0f && e.x < 640.0f && e.y > 32.0f && e.y < 480.0f;
}

void MoveLikeDrawing(tessary::Sprite& s) {
    if (!s.active) return;
    s.SetPosition(s.x + s.vx, s.y + s.vy);
    s.SetVelocityX(s.vx + s.ax);
    s.SetVelocityY(s.vy + s.ay);
}

class StageFileTest : public EnemyTest {
  protected:
    // One minute of the stage at fps, frame by frame as the in-game frame orders it.
    StageFigures Fly(int stage, int fps, bool hard) {
        SetFps(fps);
        Globals().hardMode = hard ? 1 : 0;
        PlayerAt(0).SetPosition(64.0f, 200.0f);
        EnemyManager& m = TheEnemies();
        m.stageStartFrame = 0;
        m.LoadStage(StagePath(stage).c_str());
        for (int i = kEnemyRingSize - 1; i >= 0; --i)
            m.enemies[i].Init();
        m.Reset();
        StageFigures f;
        int placedBy[kEnemyRingSize] = {};
        const int frames = fps * 60;
        for (int frame = 0; frame <= frames; ++frame) {
            TheGame().frameCounter = static_cast<uint32_t>(frame);
            int fired[kEnemyRingSize][2];
            for (int i = 0; i < kEnemyRingSize; ++i)
                for (int s = 0; s < 2; ++s)
                    fired[i][s] = m.enemies[i].shots[s].lastFireFrame;
            m.Update();
            for (int i = 0; i < kEnemyRingSize; ++i)
                for (int s = 0; s < 2; ++s)
                    f.shotsFired += m.enemies[i].shots[s].lastFireFrame != fired[i][s];

            bool inPlay[kEnemyRingSize];
            for (int i = 0; i < kEnemyRingSize; ++i)
                inPlay[i] = InPlay(m.enemies[i]);
            const int ringBefore = m.ringNext;
            const bool wasReading = m.readPos != m.dataEnd;
            m.Spawn(static_cast<uint32_t>(frame));
            if (wasReading && m.readPos == m.dataEnd) f.scheduleEndFrame = frame;
            if (m.ringNext != ringBefore || m.recordsBegun != f.recordsRead) {
                const int placed = m.ringNext - ringBefore;
                f.recordsRead = m.recordsBegun;
                f.maxTime = std::max(f.maxTime, m.nextRecordTime * Globals().frameMultiplier);
                for (int k = 0; k < std::min(placed, kEnemyRingSize); ++k) {
                    const int p = (ringBefore + k) % kEnemyRingSize;
                    const Enemy& e = m.enemies[p];
                    if (inPlay[p] && f.replacedInPlay++ == 0) {
                        f.firstReplacingRecord = f.recordsRead;
                        f.firstReplacedRecord = placedBy[p];
                    }
                    placedBy[p] = f.recordsRead;
                    f.moveTypes.insert(e.moveType);
                    f.shotKinds.insert(e.kind);
                    f.totalHp += e.hp;
                    f.lastSpawnFrame = std::max(f.lastSpawnFrame, e.spawnFrame);
                }
                f.enemies += placed;
            }
            int shown = 0;
            for (Enemy& e : m.enemies) {
                shown += InPlay(e);
                MoveLikeDrawing(e);
                for (Shot& s : e.shots)
                    MoveLikeDrawing(s);
            }
            f.peakInPlay = std::max(f.peakInPlay, shown);
        }
        return f;
    }
};

TEST_F(StageFileTest, EveryFileKeepsToTheFormat) {
    for (int stage = 1; stage <= 5; ++stage) {
        SCOPED_TRACE("Stage" + std::to_string(stage));
        const std::string text = ReadAll(StagePath(stage));
        ASSERT_FALSE(text.empty());
        EXPECT_FALSE(std::isspace(static_cast<unsigned char>(text[0])));
        for (size_t i = 1; i < text.size(); ++i)
            ASSERT_FALSE(std::isspace(static_cast<unsigned char>(text[i])) &&
                         std::isspace(static_cast<unsigned char>(text[i - 1])))
                << "two blanks in a row at byte " << i;
        EXPECT_EQ(text.find('\r'), std::string::npos);
        // The end mark is the last token.
        std::istringstream tokens(text);
        std::string token, last;
        int recordTokens = 0;
        while (tokens >> token) {
            last = token;
            if (token[0] != '#' && token[0] != '&') ++recordTokens;
        }
        EXPECT_EQ(last, "&");
        EXPECT_EQ(recordTokens % 12, 0);
    }
}

TEST_F(StageFileTest, TheReaderAcceptsEveryRecordAndFinishesBeforeTheBoss) {
    std::set<int> moveTypes, shotKinds;
    std::vector<StageFigures> figures;
    for (int stage = 1; stage <= 5; ++stage) {
        SCOPED_TRACE("Stage" + std::to_string(stage));
        platform::headless::Reset();
        std::istringstream tokens(ReadAll(StagePath(stage)));
        std::string token;
        int recordTokens = 0;
        while (tokens >> token)
            recordTokens += token[0] != '#' && token[0] != '&';

        const StageFigures f = Fly(stage, 60, false);
        EXPECT_TRUE(platform::headless::DebugLines().empty()) << platform::headless::DebugText();
        EXPECT_EQ(f.recordsRead, recordTokens / 12);
        EXPECT_GE(f.scheduleEndFrame, 0) << "the end mark was never reached";
        EXPECT_LE(f.maxTime, 3600);
        // The warning comes in the frame after a minute; an enemy due then would never fly.
        EXPECT_LT(f.lastSpawnFrame, 60 * 60) << "an enemy is due after the boss warning";
        EXPECT_EQ(f.replacedInPlay, 0)
            << "record " << f.firstReplacingRecord << " replaces enemies of record "
            << f.firstReplacedRecord << " still in play";
        for (int kind : f.shotKinds) {
            EXPECT_GE(kind, 0);
            EXPECT_LE(kind, 12) << "the shot sheet has rows 0 to 12 only";
        }
        moveTypes.insert(f.moveTypes.begin(), f.moveTypes.end());
        shotKinds.insert(f.shotKinds.begin(), f.shotKinds.end());
        figures.push_back(f);
        const StageFigures hard = Fly(stage, 60, true);
        const StageFigures at30 = Fly(stage, 30, false);
        EXPECT_EQ(at30.replacedInPlay, 0) << "at 30 fps";
        EXPECT_EQ(at30.recordsRead, f.recordsRead);
        EXPECT_LT(at30.lastSpawnFrame, 30 * 60) << "at 30 fps an enemy is due after the warning";
        std::printf("Stage%d: %d records, %d enemies, %ld hp, last record %d, peak %d in play, "
                    "%d shots (hard %d, at 30 fps %d)\n",
                    stage, f.recordsRead, f.enemies, f.totalHp, f.maxTime, f.peakInPlay,
                    f.shotsFired, hard.shotsFired, at30.shotsFired);
    }
    for (int type = 0; type <= 10; ++type)
        EXPECT_TRUE(moveTypes.count(type)) << "move type " << type << " is never used";
    for (int kind = 0; kind <= 12; ++kind)
        EXPECT_TRUE(shotKinds.count(kind)) << "shot kind " << kind << " is never used";
    // Rising difficulty: every stage brings more enemies with more hit points in all.
    for (size_t i = 1; i < figures.size(); ++i) {
        EXPECT_GT(figures[i].enemies, figures[i - 1].enemies) << "stage " << i + 1;
        EXPECT_GT(figures[i].totalHp, figures[i - 1].totalHp) << "stage " << i + 1;
    }
}

TEST(StageFilesInGameFolder, TheBuildCopiesEveryStage) {
    for (int stage = 1; stage <= 5; ++stage) {
        const std::string name = "Stage" + std::to_string(stage) + ".dat";
        EXPECT_EQ(ReadAll(kDist / "GameData" / name), ReadAll(kSources / name)) << name;
    }
}

} // namespace
} // namespace pelko::testing
