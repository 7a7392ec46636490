// The boss at the end of every stage: eight 64 x 64 parts that move as one block, slide in from
// the right edge, follow the stage's movement script and fire aimed shots and five attacks.
#pragma once
#include <cstdint>

#include "game/enemies/game_object.h"

namespace pelko {

class Boss;
using BossSetup = void (*)(Boss& boss);

inline constexpr int kBossShots = 128;
inline constexpr int kBossParts = 8;
inline constexpr int kBossScriptSize = 100;
inline constexpr int kBossAttackFlags = 10;

// The attack phase each flag names.
enum BossAttackFlag { kWave = 0, kWall = 1, kGather = 2, kFan = 3, kSweep = 4, kSpray = 5 };

class Boss {
  public:
    Boss() = default;
    virtual ~Boss() = default;

    uint8_t circleMode = 0;
    Shot shots[kBossShots];
    int32_t maxHp = 0;
    int32_t moveSpeed = 0;
    char script[kBossScriptSize] = {};
    GameObject parts[kBossParts];
    int32_t normalShotCount = 0;
    int32_t hp = 0;
    int32_t bossLastFire = 0;
    int32_t bossFireInterval = 0;
    int32_t waitFrames = 0;
    int32_t scriptPos = 0;
    int32_t centreY = 0, centreX = 0;
    BossSetup setupFunction = nullptr;
    int32_t spreadHeight = 0, spreadWidth = 0;
    uint8_t arrived = 0;
    uint8_t firstFrame = 0;
    uint8_t attackFlags[kBossAttackFlags] = {};

    void SetSetup(BossSetup setup) { setupFunction = setup; }
    void Reset();
    void ShowParts();
    void Update();
    void AimedFire();
    void RunScript();
    void Draw();
    void DrawHitBoxes();
    int HitsSprite(const tessary::Sprite* sprite) const;

    void StartAttack(int n);
    void Charge();
    void AttackStep();

    // The phases of the attacks, run by AttackStep.
    void AttackWave();
    void AttackWall();
    void Gather(int n);
    void AttackFan();
    void AttackSweep();
    void AttackSpray();

    // Part 0's position truncated toward zero: where the block stands in whole pixels.
    int X0() const { return static_cast<int>(parts[0].x); }
    int Y0() const { return static_cast<int>(parts[0].y); }

  private:
    void SetPartsVelocity(float vx, float vy);
    void MovePartsBy(float dx, float dy);
    // Part 0 to (newX0, newY0) and every other part to its whole offset from it.
    void PlaceParts(float newX0, float newY0);
    void ClearAttackFlags();
    bool AnyAttackFlag() const;
    // Shots of an attack do not hurt the first player while the charge converges.
    static void SetFirstPlayerCharging(uint8_t charging);
    // Reads the step at scriptPos and begins it.
    void BeginScriptStep();
};

// The set-ups of the five stages, in stage order.
void SetUpBoss1(Boss& boss);
void SetUpBoss2(Boss& boss);
void SetUpBoss3(Boss& boss);
void SetUpBoss4(Boss& boss);
void SetUpBoss5(Boss& boss);

} // namespace pelko
