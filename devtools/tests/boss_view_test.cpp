// The pilot's reading of the boss against the real boss: a shot it takes for a harmless
// gathering one must never be a shot that can hurt, in the aimed fire or in any of the five
// attacks of either boss layout; the gathering shots in sight must be recognised, and the
// point they meet at found.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "autopilot/boss_view.h"
#include "support/boss_fixture.h"

namespace pelko::testing {
namespace {

class BossViewTest : public BossTest {};

TEST_F(BossViewTest, TellsGatheringShotsFromShotsThatHurt) {
    for (int stage : {1, 3}) // the block of four by two and the one of four columns
        for (int fps : {30, 60})
            for (int attack = 1; attack <= 5; ++attack) {
                StartBoss(stage, fps);
                Arrive();
                Frames(fps); // some aimed fire first
                B().StartAttack(attack);
                const float sf = Globals().speedFactor;
                int gatheringSeen = 0, gatheringInSight = 0, meetings = 0;
                for (int i = 0; i < 5 * fps; ++i) {
                    Frame();
                    const BossBlock block = SeeBossBlock(B());
                    const bool charging = PlayerAt(0).bossCharging != 0;
                    std::vector<const Shot*> gathering;
                    for (const Shot& s : B().shots) {
                        if (!s.active) continue;
                        // On screen and not yet over the boss, where the ship cannot be.
                        const bool overBoss = s.x > block.left - 40 && s.x < block.right + 40 &&
                                              s.y > block.top - 40 && s.y < block.bottom + 40;
                        const bool inSight =
                            s.x >= 0 && s.x <= 640 && s.y >= 64 && s.y <= 480 && !overBoss;
                        const bool seen = Gathering(s, sf, block);
                        // Taking a shot that hurts for a harmless one costs a hit.
                        ASSERT_TRUE(!seen || charging)
                            << "stage " << stage << " fps " << fps << " attack " << attack
                            << " frame " << i << " shot at " << s.x << "," << s.y;
                        if (charging && inSight) {
                            ++gatheringInSight;
                            gatheringSeen += seen;
                        }
                        if (seen) gathering.push_back(&s);
                    }
                    float x = 0, y = 0;
                    if (gathering.size() >= 16 && MeetingPoint(gathering, x, y)) {
                        ++meetings;
                        EXPECT_NEAR(x, B().centreX, 3) << "attack " << attack;
                        EXPECT_NEAR(y, B().centreY, 3) << "attack " << attack;
                    }
                }
                EXPECT_GT(gatheringInSight, 0);
                EXPECT_GE(gatheringSeen, gatheringInSight * 95 / 100)
                    << "stage " << stage << " fps " << fps << " attack " << attack;
                EXPECT_GT(meetings, fps / 2);
            }
}

} // namespace
} // namespace pelko::testing
