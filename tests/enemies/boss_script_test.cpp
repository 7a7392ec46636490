// The boss's entry slide and its movement script: where the slide stops, how long each step
// lasts, the circle, the one-frame attack and jump steps, and scripts that are not well formed.
#include <cmath>
#include <cstring>

#include "support/boss_fixture.h"

namespace pelko::testing {
namespace {

using BossScriptTest = BossTest;

TEST_F(BossScriptTest, EntrySlideStopsJustInsideTheRightEdge) {
    struct Case {
        int stage, fps;
        int frames; // frames of the slide, the stopping frame included
        float stopX, y;
    };
    // Layout A stops once x0 is below 412, layout B below 284 (two pixels a frame).
    const Case cases[] = {
        {1, 30, 230, 411.0f, 100.0f}, {2, 30, 230, 411.0f, 100.0f}, {3, 30, 180, 282.0f, 200.0f},
        {4, 30, 230, 411.0f, 100.0f}, {5, 30, 180, 282.0f, 200.0f}, {1, 60, 458, 411.5f, 100.0f},
        {5, 60, 358, 283.0f, 200.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "stage " << c.stage << " at " << c.fps << " fps");
        StartBoss(c.stage, c.fps);
        EXPECT_FLOAT_EQ(X0(), 640.0f);
        EXPECT_EQ(Arrive(), c.frames);
        EXPECT_FLOAT_EQ(X0(), c.stopX);
        EXPECT_FLOAT_EQ(Y0(), c.y);
        // The first script step of every stage stays, and puts the boss on whole pixels.
        Frames(3);
        for (const GameObject& part : B().parts)
            EXPECT_EQ(part.vx, 0.0f);
        EXPECT_FLOAT_EQ(X0(), std::trunc(c.stopX));
    }
}

TEST_F(BossScriptTest, StepsLastTheirSecondsAndOneFrame) {
    for (int fps : {30, 60}) {
        SCOPED_TRACE(fps);
        StartBoss(1, fps);
        Arrive();
        // "s5": the boss holds still for 5 seconds and the frame that starts the step.
        Frame();
        int stayFrames = 1;
        const float x = X0();
        for (Frame(); B().scriptPos == 2; Frame()) {
            ++stayFrames;
            ASSERT_EQ(X0(), x);
        }
        EXPECT_EQ(stayFrames, 5 * fps + 1);
        EXPECT_EQ(B().scriptPos, 4); // the circle has begun
        EXPECT_EQ(B().circleMode, 1);
    }
}

TEST_F(BossScriptTest, ACircleTurnsClockwiseFromTheRightAndComesBack) {
    StartBoss(1);
    Arrive();
    Frames(151); // the stay
    const float startX = X0(), startY = Y0();
    Frame(); // the circle begins, still for this frame
    EXPECT_EQ(B().circleMode, 1);
    EXPECT_EQ(X0(), startX);

    float farthest = 0.0f;
    for (int i = 1; i < 257; ++i) {
        Frame();
        ASSERT_EQ(B().scriptPos, 4) << "frame " << i << " of the circle";
        if (i == 64) {
            // A quarter turn on: right and down of the start (y grows downward).
            EXPECT_GT(X0(), startX + 30.0f);
            EXPECT_GT(Y0(), startY + 30.0f);
        }
        farthest = std::max(farthest, std::hypot(X0() - startX, Y0() - startY));
    }
    // 256 pixels of path a turn: a circle about 81 pixels across.
    EXPECT_NEAR(farthest, 81.5f, 1.0f);
    EXPECT_NEAR(X0(), startX, 1.0f);
    EXPECT_NEAR(Y0(), startY, 1.0f);
    Frame(); // "r2" begins: the circle took exactly 257 frames
    EXPECT_EQ(B().scriptPos, 6);
    EXPECT_EQ(B().circleMode, 0);
    EXPECT_FLOAT_EQ(B().parts[0].vx, 1.0f);
    EXPECT_EQ(X0(), std::trunc(X0())); // a new step starts on whole pixels
}

TEST_F(BossScriptTest, EachLetterSetsItsDirectionAndSpeed) {
    struct Case {
        char letter;
        float vx, vy; // in units of the step speed
    };
    const float d = 0.70710677f;
    const Case cases[] = {
        {'l', -1, 0}, {'r', 1, 0}, {'u', 0, -1}, {'d', 0, 1}, {'q', -d, -d}, {'i', d, -d},
        {'z', -d, d}, {'m', d, d}, {'s', 0, 0},  {'x', 0, 0}, {'7', 0, 0},
    };
    for (int stage : {1, 3}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::Message() << "stage " << stage << " letter " << c.letter);
            StartBoss(stage, 60);
            B().arrived = 1;
            MoveBoss(-200.0f, 0.0f);
            for (GameObject& part : B().parts)
                part.SetVelocityY(3.0f); // left over from before
            const char text[] = {c.letter, '1', 0};
            UseScript(text);
            Frame();
            const float speed = B().moveSpeed * 0.5f; // speedFactor at 60 fps
            for (const GameObject& part : B().parts) {
                EXPECT_FLOAT_EQ(part.vx, c.vx * speed);
                EXPECT_FLOAT_EQ(part.vy, c.vy * speed);
            }
            EXPECT_EQ(B().waitFrames, 60);
        }
    }
}

TEST_F(BossScriptTest, AttackAndJumpStepsTakeOneFrameAndKeepTheVelocity) {
    StartBoss(1);
    B().arrived = 1;
    UseScript("r1w2e0");
    Frame();
    EXPECT_FLOAT_EQ(B().parts[0].vx, 1.0f);
    Frames(30); // the rest of "r1"
    EXPECT_FALSE(AnyFlag());
    Frame(); // "w2"
    EXPECT_EQ(B().attackFlags[kWall], 1);
    EXPECT_EQ(B().shots[0].delay, static_cast<int>(Now())); // charged in this frame
    EXPECT_FLOAT_EQ(B().parts[0].vx, 1.0f);
    EXPECT_EQ(B().scriptPos, 4);
    Frame(); // "e0"
    EXPECT_EQ(B().scriptPos, 0);
    EXPECT_FLOAT_EQ(B().parts[0].vx, 1.0f);
    EXPECT_EQ(X0(), std::trunc(X0()));
    Frame(); // "r1" again
    EXPECT_EQ(B().scriptPos, 2);
    EXPECT_EQ(B().waitFrames, 30);
}

TEST_F(BossScriptTest, AttackStepsWithoutAnAttackNumberStartNothing) {
    StartBoss(1);
    B().arrived = 1;
    UseScript("w0w6w9w/s9");
    Frames(4);
    EXPECT_EQ(B().scriptPos, 8);
    EXPECT_FALSE(AnyFlag());
    EXPECT_EQ(PlayerAt(0).bossCharging, 0);
}

TEST_F(BossScriptTest, TheEndOfTheTextAndJumpsPastItRestartTheScript) {
    StartBoss(1);
    B().arrived = 1;
    UseScript("r1e9");
    Frames(31); // "r1"
    Frame();    // "e9": step 9 lies beyond the text
    EXPECT_EQ(B().scriptPos, 18);
    Frame(); // the step check puts it back to the start
    EXPECT_EQ(B().scriptPos, 2);
    EXPECT_FLOAT_EQ(B().parts[0].vx, 1.0f);

    UseScript("l1");
    Frames(31);
    Frame(); // the end of the text: the boss keeps moving left for this frame
    EXPECT_EQ(B().scriptPos, 0);
    EXPECT_FLOAT_EQ(B().parts[0].vx, -1.0f);
    Frame();
    EXPECT_EQ(B().scriptPos, 2);
}

TEST_F(BossScriptTest, TheUnusedRepeatLetterTakesAFrameAndChangesNothing) {
    StartBoss(1);
    B().arrived = 1;
    UseScript("r1f3l1");
    Frames(31);
    Frame(); // "f3"
    EXPECT_EQ(B().scriptPos, 4);
    EXPECT_FLOAT_EQ(B().parts[0].vx, 1.0f);
    Frame();
    EXPECT_EQ(B().scriptPos, 6);
    EXPECT_FLOAT_EQ(B().parts[0].vx, -1.0f);
}

// A circle's speed is the boss's own, not scaled to the frame rate: at 60 fps as at 30 it runs
// 256 x moveSpeed pixels a turn, a circle twice as wide for the stage 3 boss as for the first,
// turn after turn back to its start, its angle always inside the table.
TEST_F(BossScriptTest, LongCirclesComeBackTurnAfterTurnAtEitherRate) {
    for (int fps : {30, 60}) {
        SCOPED_TRACE(fps);
        StartBoss(3, fps);
        B().arrived = 1;
        UseScript("c9");
        Frame(); // the circle begins, still for this frame
        const float startX = X0(), startY = Y0();
        float left = startX, right = startX, top = startY, bottom = startY;
        for (int i = 1; i <= 9 * 256; ++i) {
            Frame();
            ASSERT_GE(Globals().circleAngle, AngleTable::kFirstAngle);
            ASSERT_LE(Globals().circleAngle, AngleTable::kLastAngle);
            ASSERT_EQ(B().scriptPos, 2);
            left = std::min(left, X0()), right = std::max(right, X0());
            top = std::min(top, Y0()), bottom = std::max(bottom, Y0());
            if (i % 256 == 0) {
                EXPECT_LE(std::hypot(X0() - startX, Y0() - startY), 2.0f) << "turn " << i / 256;
            }
        }
        EXPECT_NEAR(right - left, 163.0f, 2.0f);
        EXPECT_NEAR(bottom - top, 163.0f, 2.0f);
        Frame();
        EXPECT_EQ(B().scriptPos, 0) << "nine turns took 9 x 256 + 1 frames";
    }
}

TEST_F(BossScriptTest, ScriptsThatAreNotWellFormedNeitherCrashNorStall) {
    const char* texts[] = {"", "r", "c", "e", "r1l", "e/", "s\x7f", "\x80\x80"};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        StartBoss(1);
        B().arrived = 1;
        UseScript(text);
        for (int i = 0; i < 400; ++i) {
            Frame();
            // A jump without its digit lands before the start; the next step puts it back.
            ASSERT_GE(B().scriptPos, -96);
            ASSERT_LE(B().scriptPos, static_cast<int>(std::strlen(text)) + 2);
        }
    }
    // A buffer filled to its last byte, without a terminator.
    StartBoss(1);
    B().arrived = 1;
    std::memset(B().script, 's', kBossScriptSize);
    B().script[kBossScriptSize - 1] = '1';
    for (int i = 0; i < 3000; ++i) {
        Frame();
        ASSERT_LE(B().scriptPos, kBossScriptSize);
    }
}

TEST_F(BossScriptTest, EveryStagesScriptBringsTheBossBackToWhereItArrived) {
    // One pass of each script, frames counted at 30 fps from its first step to the restart.
    const int cycleFrames[5] = {778, 882, 1242, 898, 1157};
    for (int stage = 1; stage <= 5; ++stage) {
        SCOPED_TRACE(stage);
        StartBoss(stage);
        Arrive();
        const float x = X0(), y = Y0();
        int frames = 0;
        bool left = false; // the script has run past its first step
        while (frames < 5000) {
            Frame();
            ++frames;
            if (B().scriptPos > 2) left = true;
            if (left && B().scriptPos == 0) break;
        }
        EXPECT_EQ(frames, cycleFrames[stage - 1]);
        // Each step starts on whole pixels and the attack and jump steps keep the velocity for
        // their frame, so a pass drifts by a few pixels.
        EXPECT_NEAR(X0(), x, 8.0f);
        EXPECT_NEAR(Y0(), y, 8.0f);
    }
}

TEST_F(BossScriptTest, ThePartsStayTogetherAsTheBossMoves) {
    // Each part moves on its own by the same velocity; were the float positions left to round
    // apart, the drawn block would show one-pixel seams in many frames of a long fight.
    for (int stage = 1; stage <= 5; ++stage) {
        SCOPED_TRACE(stage);
        StartBoss(stage);
        int offsets[kBossParts][2];
        for (int i = 0; i < kBossParts; ++i) {
            offsets[i][0] = static_cast<int>(B().parts[i].x) - static_cast<int>(X0());
            offsets[i][1] = static_cast<int>(B().parts[i].y) - static_cast<int>(Y0());
        }
        int apart = 0;
        for (int f = 0; f < 20000; ++f) {
            ++TheGame().frameCounter;
            B().Update();
            // As drawn. Above or left of the screen's corner whole pixels truncate toward zero,
            // so the block may split there; it is off the play field then.
            const int x0 = static_cast<int>(X0()), y0 = static_cast<int>(Y0());
            if (X0() >= 0.0f && Y0() >= 0.0f) {
                for (int i = 1; i < kBossParts; ++i) {
                    if (static_cast<int>(B().parts[i].x) - x0 != offsets[i][0] ||
                        static_cast<int>(B().parts[i].y) - y0 != offsets[i][1]) {
                        ++apart;
                        break;
                    }
                }
            }
            B().Draw();
        }
        EXPECT_LE(apart, 20);
    }
}

} // namespace
} // namespace pelko::testing
