// The frame of play as a whole: the extra-life rule, game over, and replays of whole runs from
// the start-up with scripted keys that must come out the same frame by frame.
#include <gtest/gtest.h>

#include <iostream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "game/flow/game_globals.h"
#include "game/flow/game_start.h"
#include "game/flow/screens.h"
#include "game/player/message_queue.h"
#include "platform/crt_random.h"
#include "platform/fonts.h"
#include "platform/headless.h"
#include "runtime/graphics/image_slots.h"
#include "runtime/graphics/text.h"
#include "runtime/sound/music.h"
#include "support/game_digest.h"
#include "support/play_fixture.h"

namespace pelko::testing {
namespace {

TEST_F(PlayTest, AnExtraLifeComesAboveTwentyThousandAndThenEverySixtyThousand) {
    StartRunAt(30);
    P().lives = 3;
    P().scoreValue = 20000;
    ApplyExtraLife();
    EXPECT_EQ(P().lives, 3);
    EXPECT_EQ(Globals().nextExtend, 0);
    P().scoreValue = 20001;
    ApplyExtraLife();
    EXPECT_EQ(P().lives, 4);
    EXPECT_EQ(Globals().nextExtend, 60000);
    ApplyExtraLife();
    EXPECT_EQ(P().lives, 4);
    P().scoreValue = 80001;
    ApplyExtraLife();
    EXPECT_EQ(P().lives, 5);
    // Near the top of the int range the schedule stops there instead of wrapping round to a
    // threshold every score passes, which would give a life every frame.
    Globals().nextExtend = INT32_MAX - 30000;
    P().scoreValue = INT32_MAX;
    for (int frame = 0; frame < 3; ++frame)
        ApplyExtraLife();
    EXPECT_EQ(P().lives, 6);
    EXPECT_EQ(Globals().nextExtend, INT32_MAX);
}

// A score that jumps past two thresholds earns one life per frame.
TEST_F(PlayTest, AtMostOneExtraLifeComesPerFrame) {
    StartRunAt(30);
    P().scoreValue = 90000;
    TakeSoundTrace();
    game->Tick();
    EXPECT_EQ(P().lives, 4);
    EXPECT_EQ(Globals().nextExtend, 60000);
    game->Tick();
    EXPECT_EQ(P().lives, 5);
    EXPECT_EQ(Globals().nextExtend, 120000);
    game->Tick();
    EXPECT_EQ(P().lives, 5);
    EXPECT_EQ(TakeSoundTrace(), "w5 w5"); // each extra life sounds once
}

// The thresholds carry over into the next run.
TEST_F(PlayTest, TheExtraLifeScheduleIsNeverReset) {
    StartRunAt(30);
    P().scoreValue = 25000;
    game->Tick();
    ASSERT_EQ(Globals().nextExtend, 60000);
    game->Key(46, true); // Delete ends the run
    game->Tick();
    game->Key(46, false);
    game->StartPlay();
    EXPECT_EQ(P().scoreValue, 0);
    EXPECT_EQ(Globals().nextExtend, 60000);
    P().scoreValue = 25000;
    game->Tick();
    EXPECT_EQ(P().lives, 3);
}

TEST_F(PlayTest, TheFrameCounterAdvancesOncePerFrameOfPlay) {
    StartRunAt(30);
    EXPECT_EQ(Frame(), 0u);
    game->Ticks(7);
    EXPECT_EQ(Frame(), 7u);
}

TEST_F(PlayTest, TheStartOpensOnTheLogoWithItsMusicAndNoCursor) {
    StartGame();
    EXPECT_EQ(game->Screen(), LogoFrame);
    EXPECT_EQ(tessary::Runtime().framePeriod, 150u);
    EXPECT_EQ(TakeSoundTrace(), "open LOGO.mid play");
    EXPECT_EQ(tessary::TheMusic().loop, 1);
    EXPECT_FALSE(platform::headless::CursorShown());
    EXPECT_EQ(tessary::Runtime().mousePolling, 0);
    EXPECT_EQ(tessary::Runtime().joystickPolling, 1);
    EXPECT_NE(tessary::ImageSurface(14), nullptr); // the how-to-play picture
}

// Play clears the field to its blue every frame; the game-over message is posted every frame.
TEST_F(PlayTest, AFrameOfPlayClearsToTheFieldBlueAndGameOverKeepsItsMessageUp) {
    StartRunAt(30);
    game->Tick();
    int blue = 0;
    for (uint32_t px : platform::headless::PresentedFrame())
        blue += px == 0x007FFF ? 1 : 0;
    EXPECT_GT(blue, 640 * 300);
    P().gameOver = 1;
    game->Ticks(2);
    const std::string gameOver =
        "GAME OVER...\n\nPress Delete or ESC\nor JoyPad ID1 Button3." + std::string(33, ' ');
    int posted = 0;
    for (int i = 0; i < kMessageSlots; ++i) {
        if (TheMessages().keys[i] != 100) continue;
        ++posted;
        EXPECT_EQ(TheMessages().texts[i].get(), gameOver);
        EXPECT_EQ(TheMessages().sizes[i], 0);
    }
    EXPECT_EQ(posted, 2); // one a frame
    EXPECT_EQ(P().active, 0);
}

constexpr int kLeft = 37, kUp = 38, kRight = 39, kDown = 40, kSpace = 32, kX = 88, kZ = 90;

// A player who weaves up and down, fires all the time, and now and then changes and uses the
// special attack.
std::vector<ScriptedInput> WeavingPlayer(int ticks) {
    std::vector<ScriptedInput> script;
    script.push_back({1, kSpace, true});
    for (int t = 1; t < ticks; t += 45) {
        const bool up = (t / 45) % 2 == 0;
        script.push_back({static_cast<uint32_t>(t), up ? kUp : kDown, true});
        script.push_back({static_cast<uint32_t>(t + 30), up ? kUp : kDown, false});
        if ((t / 45) % 3 == 0) {
            script.push_back({static_cast<uint32_t>(t + 5), kRight, true});
            script.push_back({static_cast<uint32_t>(t + 15), kRight, false});
        } else {
            script.push_back({static_cast<uint32_t>(t + 5), kLeft, true});
            script.push_back({static_cast<uint32_t>(t + 12), kLeft, false});
        }
        if ((t / 45) % 7 == 3) {
            script.push_back({static_cast<uint32_t>(t + 20), kX, true});
            script.push_back({static_cast<uint32_t>(t + 22), kX, false});
            script.push_back({static_cast<uint32_t>(t + 24), kZ, true});
            script.push_back({static_cast<uint32_t>(t + 26), kZ, false});
        }
    }
    return script;
}

struct Replay {
    std::vector<uint64_t> digests;
    int score = 0;
    int kills = 0;
    int livesLost = 0;
    bool reachedPlay = false;
};

// A stage of its own for the replays, with every move type and every shot kind, so that the
// replay covers them whatever the shipped stages hold.
std::string EveryKindStage() {
    std::string text = "#every_move_type_and_shot_kind\n";
    for (int i = 0; i < 26; ++i) {
        const int time = 60 + i * 130;
        const int y = 90 + (i * 37) % 330;
        const char* vx = i % 4 == 3 ? "-1.5" : "-2.0";
        const char* vy = i % 5 == 2 ? "0.3" : "0";
        text += std::to_string(time) + " " + std::to_string(i % 11) + " " + std::to_string(i % 13) +
                " 660 " + std::to_string(y) + " " + vx + " " + vy + " 0 0 2 4 60\n";
    }
    return text + "&\n";
}

// Stage one as shipped, or the replay stage above in its place.
Replay PlayStageOne(int fps, int frames, uint32_t seed, bool shippedStage = true) {
    GameFolder folder;
    folder.settings = "[PelkoGame]\nFPS=" + std::to_string(fps) + "\n";
    folder.seed = seed;
    if (!shippedStage) folder.stages[1] = EveryKindStage();
    GameHarness game(folder);
    Replay replay;
    if (!game.Boot()) return replay;
    game.StartPlayFromTitle();
    replay.reachedPlay = game.Screen() == InGameFrame;
    int lastLives = game.Player0().lives;
    bool wasShown[kEnemyRingSize] = {};
    game.Play(WeavingPlayer(frames), frames, [&] {
        replay.digests.push_back(GameStateDigest());
        for (int i = 0; i < kEnemyRingSize; ++i) {
            const Enemy& e = TheEnemies().enemies[i];
            if (wasShown[i] && e.active == 0 && e.hp <= 0) ++replay.kills;
            wasShown[i] = e.active != 0;
        }
        if (game.Player0().lives < lastLives) ++replay.livesLost;
        lastLives = game.Player0().lives;
    });
    replay.score = game.Player0().scoreValue;
    return replay;
}

void ExpectSameRun(const Replay& a, const Replay& b) {
    ASSERT_EQ(a.digests.size(), b.digests.size());
    for (size_t i = 0; i < a.digests.size(); ++i)
        ASSERT_EQ(a.digests[i], b.digests[i]) << "the runs part at frame " << i + 1;
}

class ReplayTest : public ::testing::TestWithParam<int> {};

TEST_P(ReplayTest, ThreeThousandFramesOfStageOneReplayFrameByFrame) {
    const int fps = GetParam();
    const Replay first = PlayStageOne(fps, 3000, 7);
    ASSERT_TRUE(first.reachedPlay);
    const Replay second = PlayStageOne(fps, 3000, 7);
    ExpectSameRun(first, second);

    // The digest follows the play: it changes from frame to frame, and something was played.
    std::set<uint64_t> distinct(first.digests.begin(), first.digests.end());
    EXPECT_GT(distinct.size(), 2900u);
    EXPECT_GT(first.score, 0);
    EXPECT_GT(first.kills, 0);
    std::cout << "stage 1 at " << fps << " fps: score " << first.score << ", enemies killed "
              << first.kills << ", lives lost " << first.livesLost << "\n";
}

TEST_P(ReplayTest, AStageOfEveryMoveTypeAndShotKindReplaysFrameByFrame) {
    const Replay first = PlayStageOne(GetParam(), 3000, 3, false);
    ASSERT_TRUE(first.reachedPlay);
    const Replay second = PlayStageOne(GetParam(), 3000, 3, false);
    ExpectSameRun(first, second);
    EXPECT_GT(first.kills, 0);
    EXPECT_GT(first.livesLost, 0); // the enemies fired back
    std::cout << "every-kind stage at " << GetParam() << " fps: score " << first.score
              << ", enemies killed " << first.kills << ", lives lost " << first.livesLost << "\n";
}

TEST_P(ReplayTest, AnotherSeedPlaysAnotherGame) {
    const Replay a = PlayStageOne(GetParam(), 600, 7, false);
    const Replay b = PlayStageOne(GetParam(), 600, 8, false);
    ASSERT_EQ(a.digests.size(), b.digests.size());
    EXPECT_NE(a.digests.back(), b.digests.back());
}

// Every desktop depth, with the 256-colour pictures at 8 bits, plays the same game; only the
// picture differs.
TEST(WholeGameTest, EveryDepthPlaysTheSameGame) {
    std::vector<uint64_t> lastDigests;
    for (int depth : {32, 24, 16, 8}) {
        GameFolder folder;
        folder.desktopDepth = depth;
        folder.stages[1] = EveryKindStage();
        if (depth == 8) folder.settings = "[PelkoGame]\nColor=256\n";
        GameHarness game(folder);
        ASSERT_TRUE(game.Boot());
        game.StartPlayFromTitle();
        ASSERT_EQ(game.Screen(), InGameFrame) << depth;
        game.Play(WeavingPlayer(400), 400);
        lastDigests.push_back(GameStateDigest());
        std::set<uint32_t> colours(platform::headless::PresentedFrame().begin(),
                                   platform::headless::PresentedFrame().end());
        EXPECT_GT(colours.size(), 8u) << depth;
    }
    for (uint64_t d : lastDigests)
        EXPECT_EQ(d, lastDigests.front());
}

// Two start-ups in one process are one start-up, whatever the first left behind and whatever ran
// between them (the random generator drawn on, text in other faces and colours, a soundfont read):
// the generator draws the same before it is seeded, the logo, the title and the play come with the
// same state and the same pictures, the same lines are written, and no font of the first is kept.
TEST(WholeGameTest, TwoStartUpsInOneProcessAreTheSame) {
    struct StartUp {
        int unseededDraw = 0;
        bool earlierFontKept = false;
        std::vector<uint64_t> digests, pictures;
        std::vector<std::string> debugLines;
    };
    std::weak_ptr<platform::Font> earlierFont;
    auto startUp = [&earlierFont] {
        StartUp s;
        GameFolder folder;
        folder.stages[1] = EveryKindStage();
        folder.music = true;
        GameHarness game(folder);
        s.unseededDraw = platform::Rand();
        s.earlierFontKept = !earlierFont.expired();
        if (!game.Boot()) return s;
        auto record = [&s] {
            s.digests.push_back(GameStateDigest());
            s.pictures.push_back(PresentedFrameDigest());
        };
        game.Play({}, 20, record);
        game.StartPlayFromTitle();
        game.Play(WeavingPlayer(100), 100, record);
        s.debugLines = platform::headless::DebugLines();
        platform::headless::UseSystemFonts(true);
        tessary::SetTextFont(10, 30, 0x00FF00, "Impact");
        tessary::PrintText(0, 0, "%s", "left behind");
        earlierFont = platform::OpenFont("Impact", 30, 10);
        platform::Srand(4242);
        return s;
    };
    const StartUp first = startUp();
    const StartUp second = startUp();
    ASSERT_EQ(first.digests.size(), 120u);
    EXPECT_EQ(second.unseededDraw, first.unseededDraw);
    EXPECT_FALSE(second.earlierFontKept);
    EXPECT_EQ(second.digests, first.digests);
    EXPECT_EQ(second.pictures, first.pictures);
    EXPECT_EQ(second.debugLines, first.debugLines);
}

INSTANTIATE_TEST_SUITE_P(AtBothRates, ReplayTest, ::testing::Values(30, 60));

} // namespace
} // namespace pelko::testing
