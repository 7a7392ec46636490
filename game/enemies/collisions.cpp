// What the player's shots do to the boss, the enemies and their shots: hit points traded, points
// scored, sounds, the kill count the item reads, and the boss's defeat.
#include "game/enemies/collisions.h"

#include <cstdint>

#include "game/enemies/boss.h"
#include "game/enemies/enemy_manager.h"
#include "game/flow/game_globals.h"
#include "game/player/message_queue.h"
#include "game/player/player.h"
#include "runtime/graphics/int_range.h"
#include "runtime/sound/music.h"
#include "runtime/sound/wave_bank.h"

namespace pelko {
namespace {

constexpr int kHitPoints = 3;            // every hit of a player shot
constexpr int kShotDestroyedPoints = 10; // and this more for an enemy or boss shot destroyed
constexpr uint16_t kBossBeatenWave = 2, kHitWave = 3, kKillWave = 4;

// Hit points from the stage file are unchecked, so their difference is kept inside an int.
int32_t Difference(int32_t a, int32_t b) {
    return tessary::SaturateToInt(static_cast<int64_t>(a) - b);
}

// Ordinary player shots cancel only these kinds; special shots cancel every kind.
bool CancelledByOrdinaryShot(int kind) {
    return kind == 7 || kind == 8 || kind == 10 || kind == 11;
}

void KillEnemy(Player& p, Enemy& enemy) {
    EnemyManager& m = TheEnemies();
    tessary::PlayWave(kKillWave, 0);
    p.scoreValue += enemy.scoreValue;
    enemy.Hide();
    tessary::PlayWave(kKillWave, 0);
    m.killCount += 1;
    m.lastKillX = static_cast<int32_t>(enemy.x);
    m.lastKillY = static_cast<int32_t>(enemy.y);
}

// Everything the boss leaves on screen goes, the music stops and the clear message starts.
void BeatBoss() {
    Boss& boss = TheBoss();
    for (GameObject& part : boss.parts)
        part.Hide();
    for (Shot& shot : boss.shots)
        shot.Hide();
    tessary::CloseMidi();
    tessary::PlayWave(kBossBeatenWave, 0);
    Globals().stageCleared = 1;
    boss.arrived = 0;
    TheMessages().PostPlain("STAGE CLEAR!!!      ");
    TheMessages().Step();
    for (uint8_t& flag : boss.attackFlags)
        flag = 0;
    PlayerAt(0).bossCharging = 0;
}

bool HitsBoss(const Shot& shot) {
    const Boss& boss = TheBoss();
    for (int i = kBossParts - 1; i >= 0; --i)
        if (boss.parts[i].HitTest(&shot) != 0) return true;
    return false;
}

} // namespace

void CollidePlayerShotsWithBoss() {
    Boss& boss = TheBoss();
    for (int pi = Globals().playerCount - 1; pi >= 0; --pi) {
        Player& p = PlayerAt(pi);
        for (int s = kPlayerShotSlots - 1; s >= 0; --s) {
            Shot& shot = p.shots[s];
            if (shot.active == 0 || !HitsBoss(shot)) continue;
            tessary::PlayWave(kHitWave, 0);
            boss.hp = Difference(boss.hp, shot.special != 0 ? 1 : shot.hp);
            p.scoreValue += kHitPoints;
            shot.Hide();
            if (boss.hp <= 0) BeatBoss();
        }
    }
}

void CollidePlayerShotsWithEnemies(int player) {
    Player& p = PlayerAt(player);
    EnemyManager& m = TheEnemies();
    for (int s = kPlayerShotSlots - 1; s >= 0; --s) {
        Shot& shot = p.shots[s];
        for (int e = kEnemyRingSize - 1; e >= 0; --e) {
            Enemy& enemy = m.enemies[e];
            if (shot.active == 0 || shot.HitTest(&enemy) == 0) continue;
            tessary::PlayWave(kHitWave, 0);
            p.scoreValue += kHitPoints;
            const int32_t h = shot.hp, eh = enemy.hp;
            shot.hp = Difference(h, eh);
            enemy.hp = Difference(eh, h);
            if (enemy.hp <= 0) KillEnemy(p, enemy);
            if (shot.hp <= 0) shot.Hide();
        }
    }
}

void CollidePlayerShotWithEnemyShots(int player, int slot) {
    Player& p = PlayerAt(player);
    Shot& shot = p.shots[slot];
    EnemyManager& m = TheEnemies();
    for (int es = kEnemyShotSlots - 1; es >= 0; --es) {
        for (int e = kEnemyRingSize - 1; e >= 0; --e) {
            // In hard mode only special shots cancel enemy shots.
            if (Globals().hardMode != 0 && shot.special == 0) return;
            if (shot.active == 0) continue;
            Shot& enemyShot = m.enemies[e].shots[es];
            if (shot.special == 0 && !CancelledByOrdinaryShot(enemyShot.kind)) continue;
            if (shot.HitTest(&enemyShot) == 0) continue;
            p.scoreValue += kHitPoints;
            shot.hp -= 1;
            if (shot.hp <= 0) {
                shot.Hide();
                shot.special = 0;
            }
            enemyShot.Hide();
            enemyShot.special = 0;
            p.scoreValue += kShotDestroyedPoints;
        }
    }
}

void CollidePlayerShotWithBossShots(int player, int slot) {
    Player& p = PlayerAt(player);
    Shot& shot = p.shots[slot];
    Boss& boss = TheBoss();
    for (int b = kBossShots - 1; b >= 0; --b) {
        if (Globals().hardMode != 0 && shot.active != 0 && shot.special == 0) return;
        Shot& bossShot = boss.shots[b];
        if (shot.active == 0 || bossShot.active == 0) continue;
        if (shot.special == 0 && !CancelledByOrdinaryShot(bossShot.kind)) continue;
        if (shot.HitTest(&bossShot) == 0) continue;
        p.scoreValue += kHitPoints;
        bossShot.hp = Difference(bossShot.hp, shot.hp);
        shot.Hide();
        shot.special = 0;
        if (bossShot.hp <= 0) {
            bossShot.Hide();
            p.scoreValue += kShotDestroyedPoints;
        }
    }
}

} // namespace pelko
