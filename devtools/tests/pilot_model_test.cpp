// The pilot's reckoning against the real game: its model of the ship must move exactly as the
// ship does for every kind of key, in both movement modes and against the walls, and its forecast
// of every kind of shot must stay on the shot, also for shots that steer after the ship.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "autopilot/ship_model.h"
#include "autopilot/threat_forecast.h"
#include "game/flow/game_keys.h"
#include "support/play_fixture.h"

namespace pelko::testing {
namespace {

class PilotModelTest : public PlayTest {
  protected:
    void StartRun(int fps, bool hard) {
        StartRunAt(fps);
        Globals().hardMode = hard ? 1 : 0;
        // Out of harm's way: nothing on the field can take a life during the test.
        P().barrier = 1;
        P().barrierStart = 1 << 30;
    }
    void SetKeys(const ShipKeys& k) {
        game->Key(kVkLeft, k.h < 0);
        game->Key(kVkRight, k.h > 0);
        game->Key(kVkUp, k.v < 0);
        game->Key(kVkDown, k.v > 0);
        game->Key(kVkReturn, k.brake);
    }
    ShipRules Rules() const {
        const GameGlobals& g = Globals();
        return {g.hardMode != 0, g.speedFactor, PlayerAt(0).speed};
    }
};

// Keys held for a number of frames: across the field, into the left wall and the top-left
// corner, diagonals, braking, and letting go.
const std::vector<std::pair<ShipKeys, int>> kCourse = {
    {{1, 0, false}, 12}, {{-1, -1, false}, 40}, {{-1, 0, false}, 30}, {{0, -1, false}, 50},
    {{0, 0, true}, 10},  {{1, 1, false}, 25},   {{0, 0, false}, 20},  {{1, -1, true}, 8},
    {{0, 1, false}, 90}, {{1, 0, false}, 140},  {{-1, 1, false}, 6},  {{0, 0, true}, 30},
};

TEST_F(PilotModelTest, ShipModelMovesAsTheShipDoes) {
    for (int fps : {30, 60})
        for (bool hard : {false, true}) {
            StartRun(fps, hard);
            P().SetPosition(60, 120);
            ShipState model{P().x, P().y, P().vx, P().vy};
            int frame = 0;
            for (const auto& [keys, frames] : kCourse)
                for (int i = 0; i < frames * fps / 30; ++i, ++frame) {
                    SetKeys(keys);
                    StepShip(model, keys, Rules());
                    game->Tick();
                    ASSERT_NEAR(model.x, P().x, 1e-3)
                        << fps << " fps hard " << hard << " frame " << frame;
                    ASSERT_NEAR(model.y, P().y, 1e-3)
                        << fps << " fps hard " << hard << " frame " << frame;
                    ASSERT_NEAR(model.vx, P().vx, 1e-4) << frame;
                    ASSERT_NEAR(model.vy, P().vy, 1e-4) << frame;
                    // The hit box of the picture the keys choose.
                    const ShipBox box = ShipBoxFor(keys.v);
                    const tessary::Sprite::Box real = P().HitBox();
                    const int x = static_cast<int>(P().x), y = static_cast<int>(P().y);
                    if ((P().row & 12) == 0) {
                        ASSERT_EQ(real.left - x, box.left);
                        ASSERT_EQ(real.bottom - y, box.bottom);
                    }
                }
            // The course reaches both walls it is meant to test.
            EXPECT_GT(frame, 400);
        }
}

struct ShotCase {
    int kind;
    float vx, vy; // pixels per 1/30 s
};

TEST_F(PilotModelTest, ForecastStaysOnEveryKindOfShot) {
    const std::vector<ShotCase> cases = {
        {0, -4, 0},       {1, -6, 1},  {3, -4, 0},         {4, -4, 0},   {5, -4, 0},
        {6, -4, -1},      {7, -4, 0},  {7, 3, 2},          {8, -3, 0},   {8, 0, 3},
        {9, -2.8f, 2.8f}, {10, -1, 0}, {11, -2.1f, -2.1f}, {12, -3, 16}, {12, -3, -16},
    };
    for (int fps : {30, 60})
        for (const ShotCase& c : cases) {
            StartRun(fps, false);
            const float sf = Globals().speedFactor;
            P().SetPosition(120, 200);
            Shot& shot = PlaceEnemyShot(0, 0, 520, 260, c.kind);
            shot.SetVelocityX(c.vx * sf);
            shot.SetVelocityY(c.vy * sf);
            shot.levelY = 260;
            // The shot shows its kind once it has been steered.
            game->Tick();
            ASSERT_EQ(shot.row, c.kind);
            Threat t = ShotThreat(shot, 260);
            // The ship flies a slow zigzag the steered shots have to follow.
            int flown = 0;
            for (int i = 0; i < 2 * fps; ++i) {
                const ShipKeys keys{0, (i / (fps / 2)) % 2 == 0 ? 1 : -1, false};
                SetKeys(keys);
                StepThreat(t, P().x, P().y, sf);
                game->Tick();
                if (!shot.active) break; // off the field
                ++flown;
                ASSERT_NEAR(t.x, shot.x, 1e-3)
                    << "kind " << c.kind << " at " << fps << " fps, frame " << i;
                ASSERT_NEAR(t.y, shot.y, 1e-3)
                    << "kind " << c.kind << " at " << fps << " fps, frame " << i;
            }
            EXPECT_GE(flown, fps) << "kind " << c.kind;
        }
}

TEST_F(PilotModelTest, ForecastOfABodyKeepsItsHitBox) {
    StartRun(30, false);
    Enemy& e = PlaceEnemy(3, 400, 300, 5);
    e.SetVelocityX(-2);
    e.SetAccelY(0.5f);
    const Threat t0 = BodyThreat(e, 0.2f);
    EXPECT_EQ(t0.steering, -1);
    EXPECT_FALSE(FollowsShip(t0));
    EXPECT_EQ(t0.right - t0.left, 32);
    Threat t = t0;
    for (int i = 0; i < 20; ++i) {
        StepThreat(t, P().x, P().y, 1);
        game->Tick();
    }
    EXPECT_NEAR(t.x, e.x, 1e-3);
    EXPECT_NEAR(t.y, e.y, 1e-3);
}

} // namespace
} // namespace pelko::testing
