// The item: when it comes out and where, how leaving and collecting count, the six effects and
// their caps, and the end of the barrier.
#include <gtest/gtest.h>

#include <cmath>

#include "game/enemies/enemy_manager.h"
#include "game/flow/game_globals.h"
#include "game/flow/settings.h"
#include "game/player/item.h"
#include "game/player/player.h"
#include "platform/crt_random.h"
#include "runtime/shell/diagnostics.h"
#include "runtime/shell/runtime_state.h"
#include "support/game_fixture.h"

namespace pelko {
namespace {

class ItemTest : public testing::GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        tessary::BuildSineTable();
        item().SetFrames(7, 2, 32, 32);
        item().Hide();
        Player& p = player();
        p.SetFrames(1, 2, 32, 32);
        p.SetPosition(64, 200);
        p.Show();
        p.power = 1;
        p.speed = 5;
        p.tp = 3;
    }

    GameObject& item() { return TheItem(); }
    Player& player() { return PlayerAt(0); }
    EnemyManager& enemies() { return TheEnemies(); }

    // Places the shown item on the player with the given kind.
    void ItemOnPlayer(int kind) {
        item().Show();
        item().SetRow(kind);
        item().SetPosition(player().x, player().y);
        item().SetVelocityX(0);
        item().SetVelocityY(0);
    }

    // Seeds the generator and gives the direction the item's appearance will draw from it.
    static int SeedAndDirection(uint32_t seed) {
        platform::Srand(seed);
        const int degrees = tessary::Random(360);
        platform::Srand(seed);
        return degrees;
    }
    // The item drifts at `speed` in the direction drawn (90 up the screen); a direction of 360
    // or 361 is refused and the velocity it had, (7, 0) here, stays.
    void ExpectDrift(int degrees, double speed) {
        if (degrees >= 360) {
            EXPECT_EQ(item().vx, 7.0f);
            return;
        }
        const double r = degrees * 3.141592653589793 / 180.0;
        EXPECT_NEAR(item().vx, std::cos(r) * speed, 0.01) << degrees;
        EXPECT_NEAR(item().vy, -std::sin(r) * speed, 0.01) << degrees;
    }

    // A seed whose third number from now makes Random(6) - 1 come out as -1.
    static uint32_t SeedRefusingTheRow() {
        for (uint32_t seed = 1;; ++seed) {
            platform::Srand(seed);
            platform::Rand();
            platform::Rand();
            if (platform::Rand() * 7 / 32767 == 0) return seed;
        }
    }
};

TEST_F(ItemTest, AppearsAtTheLastKillOnceTheCountsLowBitsAreAllSet) {
    enemies().lastKillX = 300;
    enemies().lastKillY = 400;
    item().SetPosition(300, 300); // inside the area: nothing counts while it is hidden

    enemies().killCount = 14;
    UpdateItem(0);
    EXPECT_EQ(item().active, 0);
    EXPECT_EQ(enemies().killCount, 14);

    int shownInside = 0, vanishedAbove = 0;
    for (uint32_t seed = 1; seed <= 300; ++seed) {
        const int degrees = SeedAndDirection(seed);
        item().Hide();
        item().SetPosition(300, 300);
        item().SetVelocityX(7);
        item().SetVelocityY(0);
        enemies().killCount = 31; // low four bits all set
        UpdateItem(0);
        const float y = item().y;
        EXPECT_EQ(item().x, 300.0f);
        EXPECT_GE(y, 0.0f);
        EXPECT_LE(y, 401.0f);
        if (y < 64.0f) {
            // Placed in the HUD band: removed in the same frame, counted once.
            EXPECT_EQ(item().active, 0);
            EXPECT_EQ(enemies().killCount, 32);
            ++vanishedAbove;
        } else {
            EXPECT_EQ(item().active, 1);
            EXPECT_EQ(enemies().killCount, 31);
            ExpectDrift(degrees, 1.0);
            EXPECT_LE(item().row, 6);
            ++shownInside;
        }
    }
    EXPECT_GT(shownInside, 0);
    EXPECT_GT(vanishedAbove, 0);
}

TEST_F(ItemTest, MovesAtOnePixelPerThirtiethOfASecondAtSixtyFps) {
    SetFrameRate(Globals(), 60);
    enemies().lastKillX = 300;
    enemies().lastKillY = 400;
    item().SetPosition(300, 300);
    for (uint32_t seed = 1; seed <= 50; ++seed) {
        const int degrees = SeedAndDirection(seed);
        item().Hide();
        item().SetVelocityX(7);
        item().SetVelocityY(0);
        enemies().killCount = 15;
        UpdateItem(0);
        if (item().active == 1) ExpectDrift(degrees, 0.5);
    }
}

TEST_F(ItemTest, ARefusedRowKeepsTheKindOfTheLastAppearance) {
    enemies().lastKillX = 300;
    enemies().lastKillY = 480;
    item().SetPosition(300, 300);
    item().SetRow(4);
    platform::Srand(SeedRefusingTheRow());
    enemies().killCount = 15;
    UpdateItem(0);
    EXPECT_EQ(item().row, 4);
}

TEST_F(ItemTest, AHiddenItemOutsideTheAreaCountsEveryFrameUntilOneComesOutInside) {
    // A fresh program: the item lies at (0, 0), in the HUD band.
    enemies().lastKillX = 400;
    enemies().lastKillY = 0; // every new item lands at y 0 or 1 and is gone at once
    for (int frame = 1; frame <= 40; ++frame) {
        UpdateItem(0);
        EXPECT_EQ(enemies().killCount, frame);
        EXPECT_EQ(item().active, 0);
    }
    // With a last kill inside the area, the next try (count 47) keeps an item on screen.
    enemies().lastKillY = 479;
    item().SetPosition(-5, 300);
    int frames = 0;
    while (item().active == 0 && frames < 100) {
        platform::Srand(static_cast<uint32_t>(frames + 7));
        UpdateItem(0);
        ++frames;
    }
    ASSERT_EQ(item().active, 1);
    EXPECT_EQ(enemies().killCount & 15, 15);
}

TEST_F(ItemTest, LeavingOrBeingCollectedCountsAsAKillAndDelaysTheNextItem) {
    ItemOnPlayer(5);
    enemies().killCount = 15;
    UpdateItem(0);
    EXPECT_EQ(item().active, 0);
    EXPECT_EQ(enemies().killCount, 16);
    EXPECT_EQ(player().scoreValue, 1000);
    // Hidden inside the area, nothing counts now: fifteen kills bring the next one.
    UpdateItem(0);
    EXPECT_EQ(enemies().killCount, 16);

    // A kill while the item is still shown passes the chance by.
    item().Show();
    item().SetPosition(600, 100);
    enemies().killCount = 16;
    UpdateItem(0);
    EXPECT_EQ(enemies().killCount, 16);
    item().SetPosition(641, 100); // drifts out on the right
    UpdateItem(0);
    EXPECT_EQ(item().active, 0);
    EXPECT_EQ(enemies().killCount, 17);
}

TEST_F(ItemTest, EdgesOfThePlayAreaAreFloatingPointAndInclusive) {
    struct Case {
        float x, y;
        bool leaves;
    } cases[] = {{0.0f, 64.0f, false},   {640.0f, 480.0f, false}, {-0.1f, 200.0f, true},
                 {640.1f, 200.0f, true}, {300.0f, 63.9f, true},   {300.0f, 480.1f, true}};
    for (const Case& c : cases) {
        item().Show();
        item().SetPosition(c.x, c.y);
        enemies().killCount = 0;
        UpdateItem(0);
        EXPECT_EQ(item().active, c.leaves ? 0 : 1) << c.x << "," << c.y;
        EXPECT_EQ(enemies().killCount, c.leaves ? 1 : 0) << c.x << "," << c.y;
    }
}

TEST_F(ItemTest, EachEffectIsCappedBySettings) {
    Globals().maxPower = 2;
    ItemOnPlayer(0);
    UpdateItem(0);
    EXPECT_EQ(player().power, 2);
    ItemOnPlayer(0);
    UpdateItem(0);
    EXPECT_EQ(player().power, 2);

    Globals().maxSpeed = 3; // above the cap already: pulled down to it
    ItemOnPlayer(1);
    UpdateItem(0);
    EXPECT_EQ(player().speed, 3);

    Globals().maxTp = 1;
    ItemOnPlayer(3);
    UpdateItem(0);
    EXPECT_EQ(player().tp, 1);
    Globals().maxTp = 3;
    ItemOnPlayer(3);
    UpdateItem(0);
    EXPECT_EQ(player().tp, 2);

    ItemOnPlayer(4);
    UpdateItem(0);
    EXPECT_EQ(player().doubleShot, 1);

    ItemOnPlayer(6); // a row without an effect
    UpdateItem(0);
    EXPECT_EQ(item().active, 0);
    EXPECT_EQ(player().power, 2);
    EXPECT_EQ(player().speed, 3);
    EXPECT_EQ(player().tp, 2);
    EXPECT_EQ(player().scoreValue, 0);
    EXPECT_EQ(player().barrier, 0);
}

TEST_F(ItemTest, TheBarrierEndsThePictureOfAHitAndLastsTenSeconds) {
    for (int fps : {30, 60}) {
        SetFrameRate(Globals(), fps);
        TheGame().frameCounter = 500;
        player().SetDrawMode(3);
        ItemOnPlayer(2);
        UpdateItem(0);
        EXPECT_EQ(player().barrier, 1);
        EXPECT_EQ(player().barrierStart, 500);
        EXPECT_EQ(player().drawMode, 0);

        TheGame().frameCounter = 500 + static_cast<uint32_t>(fps) * 10;
        UpdateItem(0);
        EXPECT_EQ(player().barrier, 1) << fps;
        TheGame().frameCounter += 1;
        UpdateItem(0);
        EXPECT_EQ(player().barrier, 0) << fps;
    }
}

TEST_F(ItemTest, AHiddenPlayerCollectsNothing) {
    ItemOnPlayer(5);
    player().Hide();
    UpdateItem(0);
    EXPECT_EQ(item().active, 1);
    EXPECT_EQ(player().scoreValue, 0);
}

} // namespace
} // namespace pelko
