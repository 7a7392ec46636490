// The player's shots against the boss, the enemies and their shots: points, sounds, kills and
// the boss's defeat. Called by the in-game frame after everything has moved.
#pragma once

namespace pelko {

void CollidePlayerShotsWithBoss();
void CollidePlayerShotsWithEnemies(int player);
void CollidePlayerShotWithEnemyShots(int player, int slot);
void CollidePlayerShotWithBossShots(int player, int slot);

} // namespace pelko
