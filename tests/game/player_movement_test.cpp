// The player's controls and its two movement models: the plain one that sets the speed from the
// direction, and the inertial one of hard mode with its drag, brake and soft edges.
#include <gtest/gtest.h>

#include <vector>

#include "game/flow/game_globals.h"
#include "game/flow/game_start.h"
#include "game/flow/screens.h"
#include "platform/headless.h"
#include "support/play_fixture.h"

namespace pelko::testing {
namespace {

constexpr int kLeft = 37, kUp = 38, kRight = 39, kDown = 40, kEnter = 13;

class MovementTest : public PlayTest {
  protected:
    void At(float x, float y, float vx, float vy) {
        P().SetPosition(x, y);
        P().SetVelocityX(vx);
        P().SetVelocityY(vy);
    }
    void Hold(std::initializer_list<int> keys) {
        for (int vk : keys)
            game->Key(vk, true);
    }
    void ReleaseAll() {
        for (int vk : {kLeft, kUp, kRight, kDown, kEnter})
            game->Key(vk, false);
    }
};

TEST_F(MovementTest, PlainModeMovesAtSpeedTimesTheSpeedFactor) {
    StartRunAt(30);
    At(300, 200, 0, 0);
    Hold({kRight});
    P().Update();
    EXPECT_FLOAT_EQ(P().vx, 5.0f);
    EXPECT_FLOAT_EQ(P().vy, 0.0f);
    EXPECT_EQ(P().row, 0);
    ReleaseAll();
    Hold({kUp, kRight});
    P().Update();
    EXPECT_NEAR(P().vx, 5 * 0.70710678f, 1e-5);
    EXPECT_NEAR(P().vy, -5 * 0.70710678f, 1e-5);
    EXPECT_EQ(P().row, 1);
    ReleaseAll();
    P().Update(); // no input stops at once
    EXPECT_EQ(P().vx, 0.0f);
    EXPECT_EQ(P().vy, 0.0f);

    StartRunAt(60);
    At(300, 200, 0, 0);
    Hold({kDown});
    P().Update();
    EXPECT_NEAR(P().vx, 0.0f, 1e-6);
    EXPECT_FLOAT_EQ(P().vy, 2.5f);
    EXPECT_EQ(P().row, 2);
}

TEST_F(MovementTest, UpWinsOverDownAndLeftOverRight) {
    StartRunAt(30);
    At(300, 200, 0, 0);
    Hold({kUp, kDown, kLeft, kRight});
    P().Update();
    EXPECT_NEAR(P().vx, -5 * 0.70710678f, 1e-5); // 135 degrees: up and left
    EXPECT_NEAR(P().vy, -5 * 0.70710678f, 1e-5);
    EXPECT_EQ(P().row, 1);
    ReleaseAll();
    Hold({kDown, kLeft, kRight});
    P().Update();
    EXPECT_NEAR(P().vx, -5 * 0.70710678f, 1e-5); // 225 degrees: down and left
    EXPECT_NEAR(P().vy, 5 * 0.70710678f, 1e-5);
    EXPECT_EQ(P().row, 2);
}

TEST_F(MovementTest, RowsShowTheBarrierAndTheSecondAfterAHit) {
    StartRunAt(30);
    At(300, 200, 0, 0);
    Frame() = 100;
    P().barrier = 1;
    P().lastHitFrame = 71; // 100 < 71 + 30: still in the hit second
    Hold({kDown});
    P().Update();
    EXPECT_EQ(P().row, 2 + 4 + 8);
    P().lastHitFrame = 70; // exactly one second later it is over
    P().Update();
    EXPECT_EQ(P().row, 2 + 4);
}

// Held against the left edge the player is turned back every other frame instead of stopping.
TEST_F(MovementTest, PlainModeJittersAtTheEdge) {
    StartRunAt(30);
    Hold({kLeft});
    std::vector<float> xs;
    for (int i = 0; i < 20; ++i) {
        game->Tick();
        xs.push_back(P().x);
    }
    EXPECT_FLOAT_EQ(xs[12], -1.0f); // 64 - 13 x 5
    for (int i = 13; i < 20; ++i)
        EXPECT_FLOAT_EQ(xs[i], i % 2 == 1 ? 4.0f : -1.0f) << i;
}

TEST_F(MovementTest, AnEdgeCountsByTheTruncatedPosition) {
    StartRunAt(30);
    Hold({kLeft});
    At(-0.5f, 200, -5, 0); // truncates to 0: inside
    P().Update();
    EXPECT_FLOAT_EQ(P().vx, -5.0f);
    At(-1.2f, 200, -5, 0); // outside: the last frame's velocity is turned back
    P().Update();
    EXPECT_FLOAT_EQ(P().vx, 5.0f);
    ReleaseAll();
    Hold({kDown});
    At(300, 449, 0, 5); // below the bottom edge
    P().Update();
    EXPECT_FLOAT_EQ(P().vy, -5.0f);
    At(300, 449, 0, -5); // already coming back: left alone
    P().Update();
    EXPECT_FLOAT_EQ(P().vy, 5.0f);
}

TEST_F(MovementTest, HardModeDragsAndBrakes) {
    StartRunAt(30);
    Globals().hardMode = 1;
    At(300, 200, 10, 0);
    P().Update(); // no input: the velocity is kept, then dragged
    EXPECT_FLOAT_EQ(P().vx, 9.75f);
    EXPECT_FLOAT_EQ(P().vy, 0.0f);
    Hold({kEnter});
    At(300, 200, 10, 0.8f);
    P().Update();
    EXPECT_FLOAT_EQ(P().vx, 9.5f);
    EXPECT_FLOAT_EQ(P().vy, 0.55f);
    At(300, 200, 0, -3);
    P().Update();
    EXPECT_FLOAT_EQ(P().vx, 0.25f); // a still axis is pushed, as the brake always was
    EXPECT_FLOAT_EQ(P().vy, -2.5f);
}

TEST_F(MovementTest, HardModeAcceleratesToTheSpeedWhereDragEqualsThePush) {
    StartRunAt(30);
    Globals().hardMode = 1;
    At(300, 200, 0, 0);
    Hold({kRight});
    P().Update();
    EXPECT_FLOAT_EQ(P().vx, 1.0f * (1.0f - 0.0025f));
    for (int i = 0; i < 3000; ++i)
        P().Update();
    EXPECT_NEAR(P().vx, 19.0f, 0.01f); // 20 after the push, 19 after the drag

    StartRunAt(60); // half the push: the limit is where 0.0025 u^2 = 0.5
    Globals().hardMode = 1;
    At(300, 200, 0, 0);
    Hold({kRight});
    for (int i = 0; i < 6000; ++i)
        P().Update();
    EXPECT_NEAR(P().vx + 0.5f, 14.142f, 0.01f);
}

TEST_F(MovementTest, HardModeEdgesBounceAtEightTenths) {
    StartRunAt(30);
    Globals().hardMode = 1;
    At(620, 200, 5, 0);
    P().Update();
    EXPECT_FLOAT_EQ(P().vx, -4.0f);
    At(300, 60, 0, -10);
    Hold({kUp}); // the push is part of the reference velocity
    P().Update();
    EXPECT_FLOAT_EQ(P().vy, 8.8f);
}

TEST_F(MovementTest, TheOrbitRingTravelsWithThePlayer) {
    StartRunAt(30);
    At(300, 200, 0, 0);
    P().ringOn = 1;
    P().ringFirst = 7;
    for (int k = 0; k < kPlayerShotSlots; ++k)
        P().shots[k].Hide();
    P().shots[40].Show();
    Hold({kRight});
    P().Update();
    for (int k = 7; k < kPlayerShotSlots; ++k)
        EXPECT_FLOAT_EQ(P().shots[k].vx, 5.0f) << k;
    EXPECT_FLOAT_EQ(P().shots[6].vx, 0.0f);
    EXPECT_EQ(P().ringOn, 1);
    P().shots[40].Hide(); // none of the ring's slots left: the ring ends
    P().Update();
    EXPECT_EQ(P().ringOn, 0);
    P().ringOn = 1;
    P().ringFirst = 64;
    P().Update();
    EXPECT_EQ(P().ringOn, 0);
}

TEST_F(MovementTest, DeleteOrF1EndsTheRunAtAnyTime) {
    for (int key : {46, 112}) {
        StartRunAt(30);
        game->Ticks(3);
        game->Key(key, true);
        game->Tick();
        EXPECT_NE(game->Screen(), InGameFrame) << key;
        EXPECT_EQ(P().active, 0);
        EXPECT_TRUE(game->ReadFile("GameData\\HighScore.dat").has_value());
    }
}

TEST_F(MovementTest, JoystickButtonThreeEndsTheRunOnlyAfterGameOver) {
    GameFolder folder;
    folder.stages[1] = kEmptyStage;
    folder.joysticks = 1;
    StartGame(std::move(folder));
    game->StartPlay();
    EXPECT_EQ(P().controller, 0); // a joystick was found: it steers together with the keyboard
    platform::JoyPosition pad{32768, 32768, 4};
    game->Joystick(0, pad);
    game->Ticks(2);
    EXPECT_EQ(game->Screen(), InGameFrame); // alive: button 3 only changes the special attack
    EXPECT_EQ(P().specialKind, 1);
    P().gameOver = 1;
    game->Tick();
    EXPECT_NE(game->Screen(), InGameFrame);
}

TEST_F(MovementTest, JoystickButtonsOneTwoAndFourFireBrakeAndLaunchTheSpecial) {
    GameFolder folder;
    folder.stages[1] = kEmptyStage;
    folder.joysticks = 1;
    StartGame(std::move(folder));
    game->StartPlay();
    Globals().hardMode = 1;
    game->Joystick(0, platform::JoyPosition{32768, 32768, 1});
    game->Ticks(6);
    const int shotFrame = P().lastShotFrame;
    EXPECT_GT(shotFrame, 0);
    At(300, 200, 10, 0);
    game->Joystick(0, platform::JoyPosition{32768, 32768, 2});
    game->Ticks(5);
    EXPECT_FLOAT_EQ(P().vx, 10.0f - 5 * 0.5f);
    EXPECT_EQ(P().lastShotFrame, shotFrame);
    game->Joystick(0, platform::JoyPosition{32768, 32768, 8});
    game->Tick();
    EXPECT_EQ(P().tp, 2);
}

TEST_F(MovementTest, TheJoystickSteersItsPlayer) {
    GameFolder folder;
    folder.stages[1] = kEmptyStage;
    folder.joysticks = 1;
    StartGame(std::move(folder));
    game->StartPlay();
    game->Joystick(0, platform::JoyPosition{65535, 0, 0}); // right and up
    game->Tick();
    EXPECT_NEAR(P().vx, 5 * 0.70710678f, 1e-5);
    EXPECT_NEAR(P().vy, -5 * 0.70710678f, 1e-5);
}

// Pads are plugged in when the player picks them up. One connected at the title is named there
// and steers the run its button starts; pulled out in play it leaves the keyboard, and it steers
// again when it comes back. A run that began without a pad takes one up when it is plugged in.
TEST_F(MovementTest, APadPluggedInAtAnyTimeIsTakenUp) {
    StartGame();
    ASSERT_TRUE(game->TickUntilScreen(TitleFrame, 400));
    EXPECT_EQ(Globals().joystickCount, 0);
    platform::headless::SetJoystickCount(1);
    game->Tick();
    EXPECT_EQ(Globals().joystickCount, 1); // "Using JoyStick ID1"
    EXPECT_NE(platform::headless::DebugText().find("1個のジョイスティックが使用可能です"),
              std::string::npos);
    game->Joystick(0, platform::JoyPosition{32767, 32767, 1});
    game->Tick();
    ASSERT_EQ(game->Screen(), InGameFrame);
    EXPECT_EQ(P().controller, 0);
    game->Joystick(0, platform::JoyPosition{65535, 32767, 0});
    game->Tick();
    EXPECT_FLOAT_EQ(P().vx, 5.0f);

    platform::headless::SetJoystickCount(0); // pulled out with the stick still pushed
    game->Tick();
    EXPECT_EQ(P().vx, 0.0f);
    game->Key(kLeft, true);
    game->Tick();
    EXPECT_FLOAT_EQ(P().vx, -5.0f); // the keyboard goes on
    game->Key(kLeft, false);
    platform::headless::SetJoystickCount(1);
    game->Tick();
    EXPECT_FLOAT_EQ(P().vx, 5.0f);

    StartGame(); // no pad at the run start this time
    game->StartPlay();
    EXPECT_EQ(P().controller, -1);
    platform::headless::SetJoystickCount(1);
    game->Joystick(0, platform::JoyPosition{32767, 0, 0});
    game->Tick();
    EXPECT_EQ(P().controller, 0);
    EXPECT_FLOAT_EQ(P().vy, -5.0f);
}

} // namespace
} // namespace pelko::testing
