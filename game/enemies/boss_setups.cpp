// The five bosses: which sheet each shows, how its eight parts are laid out and where each part
// can be hit, its shot spread, speed, hit points and movement script.
#include <cstring>

#include "game/enemies/boss.h"
#include "game/flow/game_globals.h"

namespace pelko {
namespace {

constexpr int kPartSize = 64;
constexpr int kPartColumns = 2; // two animation columns per part

struct PartPlace {
    int dx, dy;                   // offset from part 0
    int left, right, top, bottom; // hit-box insets of the part's row
};

// Layout A: a block of 4 x 2 parts, 256 x 128 pixels, ordered along the top row first.
constexpr PartPlace kLayoutA[kBossParts] = {
    {0, 0, 0, 0, 0, 0},    {64, 0, 30, 0, 0, 0},  {128, 0, 30, 0, 0, 0}, {192, 0, 30, 0, 0, 45},
    {0, 64, 0, 40, 30, 0}, {64, 64, 0, 20, 0, 0}, {128, 64, 8, 0, 0, 0}, {192, 64, 8, 0, 0, 0},
};

// Layout B: four columns of two parts, the last column at 190 so the block is 254 pixels wide.
constexpr PartPlace kLayoutB[kBossParts] = {
    {0, 0, 30, 0, 20, 0},  {0, 64, 30, 0, 20, 6}, {64, 0, 0, 0, 36, 0},  {64, 64, 2, 0, 0, 6},
    {128, 0, 0, 0, 40, 0}, {128, 64, 0, 0, 0, 6}, {190, 0, 0, 0, 40, 0}, {190, 64, 0, 0, 0, 6},
};

struct BossKind {
    int sheet;
    const PartPlace* layout;
    int startY; // the boss waits just right of the screen at (640, startY)
    int spreadWidth, spreadHeight;
    int moveSpeed;
    int hpPerPlayer;
    const char* script;
};

constexpr int kScreenRight = 640;
constexpr int kSheetA = 5; // "Boss.bmp"
constexpr int kSheetB = 6; // "Boss2.bmp"
constexpr int kAimedShots = 20;

void SetUp(Boss& boss, const BossKind& kind) {
    const int ticksPerFrame = Globals().fps / 2;
    for (int i = 0; i < kBossParts; ++i) {
        GameObject& part = boss.parts[i];
        const PartPlace& place = kind.layout[i];
        part.SetFrames(kind.sheet, kPartColumns, kPartSize, kPartSize);
        part.SetRow(i);
        part.SetTicksPerFrame(ticksPerFrame);
        part.SetPosition(static_cast<float>(place.dx), static_cast<float>(place.dy));
        part.SetHitBox(i, place.left, place.right, place.top, place.bottom);
    }
    boss.spreadWidth = kind.spreadWidth;
    boss.spreadHeight = kind.spreadHeight;
    boss.moveSpeed = kind.moveSpeed;
    boss.normalShotCount = kAimedShots;
    boss.hp = kind.hpPerPlayer * Globals().playerCount;
    std::strncpy(boss.script, kind.script, kBossScriptSize - 1);
    boss.script[kBossScriptSize - 1] = '\0';

    const float dx = static_cast<float>(kScreenRight) - boss.parts[0].x;
    const float dy = static_cast<float>(kind.startY) - boss.parts[0].y;
    for (GameObject& part : boss.parts)
        part.SetPosition(part.x + dx, part.y + dy);
}

} // namespace

void SetUpBoss1(Boss& boss) {
    SetUp(boss, {kSheetA, kLayoutA, 100, 128, 256, 1, 288, "s5c1r2d2l2u2i1m1z1q1w1e0"});
}

void SetUpBoss2(Boss& boss) {
    SetUp(boss, {kSheetA, kLayoutA, 100, 128, 256, 1, 384, "s5l5r8w2i1m1z1q1l3s4w3e0"});
}

void SetUpBoss3(Boss& boss) {
    SetUp(boss, {kSheetB, kLayoutB, 200, 256, 128, 2, 288, "s1u1c4r2w3l2d1e0"});
}

void SetUpBoss4(Boss& boss) {
    SetUp(boss, {kSheetA, kLayoutA, 100, 128, 256, 1, 288, "s3l5w2r7c1z1q1i1m1w3l2e0"});
}

void SetUpBoss5(Boss& boss) {
    SetUp(boss, {kSheetB, kLayoutB, 200, 256, 128, 2, 288, "s1l2c1r2w4l2c1u2d4u2w3r4l2w1e0"});
}

} // namespace pelko
