// The boss's life in a stage: reset at the stage start, shown when the boss phase begins, then
// each frame an attack step or its aimed fire, the steering of its shots and a script step.
#include "game/enemies/boss.h"

#include <cmath>

#include "game/enemies/angle_table.h"
#include "game/enemies/target_player.h"
#include "game/flow/game_globals.h"
#include "game/player/player.h"
#include "runtime/input/keyboard.h"
#include "runtime/shell/diagnostics.h"

namespace pelko {
namespace {

constexpr int kShotSheet = 12; // "TamaSho.bmp": one column of 9 x 10 shots, a row per kind
constexpr int kShotWidth = 9;
constexpr int kShotHeight = 10;
constexpr int kDefaultFireInterval = 10;
constexpr uint32_t kHitBoxColour = 255; // red

// Play-field bounds for shots; the band above y 64 is the HUD.
constexpr float kFieldLeft = 0.0f;
constexpr float kFieldRight = 640.0f;
constexpr float kFieldTop = 64.0f;
constexpr float kFieldBottom = 480.0f;

bool OutsideField(const Shot& shot) {
    return shot.x < kFieldLeft || shot.x > kFieldRight || shot.y < kFieldTop ||
           shot.y > kFieldBottom;
}

// Later stages mix the kinds, so more of the boss's shots steer.
int AimedShotKind() {
    switch (Globals().stageNumber) {
    case 2:
        return tessary::Random(6);
    case 3:
        return tessary::Random(7);
    case 4:
        return tessary::Random(9);
    default:
        return Globals().stageNumber >= 5 ? tessary::Random(11) : 9;
    }
}

// The attack keys '1' to '5' start the same attacks as the script.
constexpr int kFirstAttackKey = '1';
constexpr int kAttackCount = 5;

} // namespace

void Boss::SetPartsVelocity(float newVx, float newVy) {
    for (int i = kBossParts - 1; i >= 0; --i) {
        parts[i].SetVelocityX(newVx);
        parts[i].SetVelocityY(newVy);
    }
}

void Boss::MovePartsBy(float dx, float dy) {
    for (int i = kBossParts - 1; i >= 0; --i)
        parts[i].SetPosition(parts[i].x + dx, parts[i].y + dy);
}

// Every part moves by the same velocity, but each part's position rounds on its own, so the parts
// would creep apart by fractions of a pixel and the picture show one-pixel seams; placing them
// from part 0 keeps the block whole.
void Boss::PlaceParts(float newX0, float newY0) {
    float dx[kBossParts], dy[kBossParts];
    for (int i = kBossParts - 1; i >= 0; --i) {
        dx[i] = std::round(parts[i].x - parts[0].x);
        dy[i] = std::round(parts[i].y - parts[0].y);
    }
    for (int i = kBossParts - 1; i >= 0; --i)
        parts[i].SetPosition(newX0 + dx[i], newY0 + dy[i]);
}

void Boss::ClearAttackFlags() {
    for (uint8_t& flag : attackFlags)
        flag = 0;
}

bool Boss::AnyAttackFlag() const {
    for (uint8_t flag : attackFlags)
        if (flag) return true;
    return false;
}

void Boss::SetFirstPlayerCharging(uint8_t charging) {
    if (Player* first = Globals().players[0]) first->bossCharging = charging;
}

void Boss::Reset() {
    for (int i = kBossParts - 1; i >= 0; --i) {
        parts[i].SetTicksPerFrame(Globals().fps / 2);
        parts[i].Hide();
    }
    ClearAttackFlags();
    if (setupFunction) setupFunction(*this);
    SetPartsVelocity(0.0f, 0.0f);
    arrived = 0;
    maxHp = hp;
    SetFirstPlayerCharging(0);
    waitFrames = 0;
    scriptPos = 0;
    for (int i = kBossShots - 1; i >= 0; --i) {
        shots[i].SetFrames(kShotSheet, 1, kShotWidth, kShotHeight);
        shots[i].Hide();
        shots[i].lastFireFrame = 0;
    }
    bossFireInterval = kDefaultFireInterval;
    bossLastFire = 0;
}

void Boss::ShowParts() {
    for (int i = kBossParts - 1; i >= 0; --i)
        parts[i].Show();
}

void Boss::Update() {
    if (Globals().stageCleared) return;
    int keyAttack = 0;
    for (int n = 1; n <= kAttackCount; ++n) {
        if (tessary::KeyState(kFirstAttackKey + n - 1) == tessary::KEY_PRESSED) {
            keyAttack = n;
            break;
        }
    }
    if (keyAttack) {
        StartAttack(keyAttack);
    } else if (AnyAttackFlag()) {
        AttackStep();
    } else {
        AimedFire();
    }
    for (int i = kBossShots - 1; i >= 0; --i)
        shots[i].Steer();
    RunScript();
}

void Boss::AimedFire() {
    const int x0 = X0();
    const int y0 = Y0();
    for (int i = kBossShots - 1; i >= 0; --i) {
        if (!OutsideField(shots[i])) continue;
        shots[i].Hide();
        const int parkY = y0 + tessary::Random(spreadHeight);
        shots[i].SetPosition(static_cast<float>(x0 + spreadWidth / 2), static_cast<float>(parkY));
    }

    const int now = static_cast<int32_t>(TheGame().frameCounter);
    if (normalShotCount <= 0 || now < bossLastFire + bossFireInterval) return;
    const int usable = normalShotCount < kBossShots ? normalShotCount : kBossShots;
    Shot* shot = nullptr;
    for (int i = usable - 1; i >= 0 && !shot; --i)
        if (!shots[i].active) shot = &shots[i];
    if (!shot) return;

    const float speedFactor = Globals().speedFactor;
    shot->special = 0;
    shot->targetPlayer = RandomPlayerIndex();
    shot->aimAngle = shot->heading = 0;
    const int launchX = x0 + tessary::Random(spreadWidth / 2);
    const int launchY = y0 + tessary::Random(spreadHeight);
    shot->SetPosition(static_cast<float>(launchX), static_cast<float>(launchY));
    shot->Show();
    shot->SetVelocityX(-4 * speedFactor);
    shot->SetVelocityY(0.0f);
    shot->hp = 1;
    shot->kind = AimedShotKind();
    if (shot->kind == 9 || shot->kind == 11) {
        shot->Aim(TargetPlayer(shot->targetPlayer));
        const AngleTable& angles = TheAngles();
        shot->SetVelocityX(static_cast<float>(angles.Cos(shot->aimAngle) * speedFactor * 4));
        shot->SetVelocityY(static_cast<float>(angles.Sin(shot->aimAngle) * speedFactor * 4));
    }
    shot->KeepLaunchAngle();
    bossLastFire = now;
}

void Boss::Draw() {
    for (int i = kBossParts - 1; i >= 0; --i)
        parts[i].Draw();
    for (int i = kBossShots - 1; i >= 0; --i)
        shots[i].Draw();
}

void Boss::DrawHitBoxes() {
    for (int i = kBossParts - 1; i >= 0; --i)
        parts[i].DrawHitBox(kHitBoxColour);
}

int Boss::HitsSprite(const tessary::Sprite* sprite) const {
    for (int i = kBossParts - 1; i >= 0; --i)
        if (parts[i].HitTest(sprite)) return 1;
    return 0;
}

} // namespace pelko
