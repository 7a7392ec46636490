// One frame of play on screen, read from the presented picture: the HUD band and its texts, the
// boss's health bar, the gold frame around a message, the hit-box outlines and the decorations
// that come round again.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "game/enemies/boss.h"
#include "game/enemies/enemy_manager.h"
#include "game/flow/game_globals.h"
#include "game/player/message_queue.h"
#include "game/player/player.h"
#include "platform/headless.h"
#include "runtime/graphics/display.h"
#include "runtime/graphics/primitives.h"
#include "runtime/graphics/text.h"
#include "support/game_harness.h"

namespace pelko {
namespace {

using testing::GameFolder;
using testing::GameHarness;

constexpr uint32_t kSky = 0x007FFF; // the play field's colour as presented (0x00RRGGBB)
constexpr uint32_t kGold = 0xFFD700;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kBlue = 0x0000FF;

uint32_t At(int x, int y) {
    return platform::headless::PresentedFrame()[static_cast<size_t>(y) * 640 +
                                                static_cast<size_t>(x)];
}

int CountInRect(int left, int top, int right, int bottom, uint32_t color) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            n += At(x, y) == color ? 1 : 0;
    return n;
}

GameFolder WithSettings(const std::string& extra) {
    GameFolder folder;
    folder.settings = "[PelkoGame]\nFPS=30\n" + extra;
    return folder;
}

// Keeps everything of play still and out of the way so that a picture shows only what is set up.
void ClearTheField() {
    for (Enemy& e : TheEnemies().enemies) {
        e.Hide();
        e.spawnFrame = -1;
        for (Shot& s : e.shots)
            s.Hide();
    }
    TheItem().Hide();
}

TEST(PlayFieldTest, TheHudBandIsBlackWithItsTextsAndTheWeaponIcon) {
    GameHarness game;
    ASSERT_TRUE(game.Boot());
    game.StartPlay();
    Player& p = PlayerAt(0);
    p.lives = 2;
    p.scoreValue = 1234;
    p.power = 4;
    p.speed = 7;
    p.tp = 1;
    Globals().stageNumber = 3;
    game.Tick();
    // Below the band the play field; the band itself black apart from texts and the icon.
    EXPECT_EQ(At(320, 470), kSky);
    EXPECT_EQ(CountInRect(0, 0, 640, 64, kSky), 0);
    EXPECT_GT(CountInRect(0, 0, 64, 64, 0), 0);
    EXPECT_LT(CountInRect(0, 0, 64, 64, 0), 64 * 64) << "the weapon icon is drawn over the band";
    // Right of the icon exactly the HUD's texts, in white, where they belong.
    const std::vector<uint32_t> shown = testing::PresentedRect(64, 0, 640, 64);
    tessary::FillRect(0, 0, 640, 64, 0);
    tessary::SetTextFont(8, 20, 0xFFFFFF, "Impact");
    tessary::PrintText(64, 0, "Life 2  Score 1234  High 10000");
    tessary::PrintText(350, 0, "HP 3   Power 4  Speed 3  TP 1");
    tessary::PrintText(570, 32, "Stage 3");
    tessary::TheDisplay().Present();
    EXPECT_EQ(testing::PresentedRect(64, 0, 640, 64), shown);
}

TEST(PlayFieldTest, TheHighScoreFollowsTheScoreDuringPlay) {
    GameHarness game;
    ASSERT_TRUE(game.Boot());
    game.StartPlay();
    ASSERT_EQ(Globals().highScore, 10000);
    PlayerAt(0).scoreValue = 12345;
    game.Tick();
    EXPECT_GE(Globals().highScore, 12345);
}

TEST(PlayFieldTest, TheBossBarShrinksFromTheRight) {
    GameHarness game;
    ASSERT_TRUE(game.Boot());
    game.StartPlay();
    Globals().bossPhase = 1;
    Globals().bossWarningFrame = 1 << 30;
    for (int hp : {100, 50, 1}) {
        TheBoss().maxHp = 100;
        TheBoss().hp = hp;
        game.Tick();
        const int left = 2 * hp; // 200 x hp / maxHp
        EXPECT_EQ(CountInRect(130, 40, 130 + left, 48, kBlue), left * 8) << hp;
        EXPECT_EQ(CountInRect(130 + left, 40, 330, 48, kRed), (200 - left) * 8) << hp;
    }
    // A boss beaten below zero leaves the bar empty rather than drawn backwards.
    TheBoss().hp = -30;
    game.Tick();
    EXPECT_EQ(CountInRect(100, 40, 330, 48, kBlue), 0);
    EXPECT_EQ(CountInRect(130, 40, 330, 48, kRed), 200 * 8);
}

TEST(PlayFieldTest, AMessageBeingTypedHasTheGoldFrame) {
    GameHarness game;
    ASSERT_TRUE(game.Boot());
    game.StartPlay();
    game.Ticks(2); // "STAGE  1    " is being typed
    ASSERT_EQ(TheMessages().typing, 1);
    EXPECT_EQ(At(80, 80), kGold);
    EXPECT_EQ(At(599, 81), kGold);
    EXPECT_EQ(At(80, 249), kGold);
    EXPECT_EQ(At(598, 249), kGold);
    EXPECT_EQ(CountInRect(80, 80, 600, 82, kGold), 520 * 2);
    EXPECT_EQ(CountInRect(80, 248, 600, 250, kGold), 520 * 2);
    EXPECT_NE(At(83, 150), kGold);

    while (TheMessages().typing == 1 || TheMessages().count > 0)
        game.Tick();
    game.Tick();
    EXPECT_EQ(CountInRect(80, 80, 600, 250, kGold), 0);
}

// Pixels other than the play field's colour just below the HUD band, right of centre, once the
// opening message is gone and nothing else is in the way; the HUD with `players` players.
int MarksBelowTheBand(const std::string& settings, int players) {
    GameHarness game(WithSettings(settings));
    EXPECT_TRUE(game.Boot());
    game.StartPlay();
    Globals().playerCount = players;
    for (GameObject* d : Globals().decorations)
        d->Hide();
    for (int i = 0; i < 100; ++i) {
        ClearTheField();
        game.Tick();
    }
    const int marks = 140 * 16 - CountInRect(500, 64, 640, 80, kSky);
    Globals().playerCount = 1;
    return marks;
}

TEST(PlayFieldTest, ShowFpsPrintsTheRateBelowTheBandWhateverThePlayerCount) {
    EXPECT_EQ(MarksBelowTheBand("", 1), 0);
    EXPECT_GT(MarksBelowTheBand("ShowFPS=1\n", 1), 20);
    EXPECT_GT(MarksBelowTheBand("ShowFPS=1\n", 2), 20);
}

// The frame after placing one enemy shot and the player at known places, with outlines on or
// off in the settings.
std::vector<uint32_t> FrameWithOneShot(int showObjectFrame, bool switchOnLater = false) {
    GameHarness game(WithSettings("ShowObjectFrame=" + std::to_string(showObjectFrame) + "\n"));
    EXPECT_TRUE(game.Boot());
    game.StartPlay();
    game.Tick();
    if (switchOnLater) Globals().showObjectFrame = 1;
    ClearTheField();
    Shot& shot = TheEnemies().enemies[5].shots[1];
    shot.Show();
    shot.SetPosition(300, 300);
    shot.SetVelocityX(0);
    shot.SetVelocityY(0);
    Player& p = PlayerAt(0);
    p.SetPosition(100, 300);
    p.SetVelocityX(0);
    p.SetVelocityY(0);
    game.Tick();
    return platform::headless::PresentedFrame();
}

TEST(PlayFieldTest, HitBoxOutlinesAreRedAroundObjectsButNotThePlayer) {
    const std::vector<uint32_t> off = FrameWithOneShot(0);
    const std::vector<uint32_t> on = FrameWithOneShot(1);
    const std::vector<uint32_t> late = FrameWithOneShot(0, true);
    auto pixel = [](const std::vector<uint32_t>& f, int x, int y) { return f[y * 640 + x]; };
    // The enemy shot's box is its whole 9 x 10 cell at (300, 300).
    for (auto [x, y] : {std::pair{300, 300}, {308, 300}, {300, 309}, {308, 309}}) {
        EXPECT_EQ(pixel(on, x, y), kRed) << x << "," << y;
        EXPECT_NE(pixel(off, x, y), kRed) << x << "," << y;
    }
    // The player's own ship gets none: its part of the picture is the same either way.
    for (int y = 296; y < 340; ++y)
        for (int x = 96; x < 140; ++x)
            ASSERT_EQ(pixel(on, x, y), pixel(off, x, y)) << x << "," << y;
    // The setting counts as it stood at the first drawing pass.
    EXPECT_EQ(late, off);
}

TEST(PlayFieldTest, ADecorationOffTheLeftEdgeComesBackRightOfTheScreen) {
    GameHarness game;
    ASSERT_TRUE(game.Boot());
    game.StartPlay();
    GameObject& d = *Globals().decorations[3];
    d.SetPosition(-31.5f, 200);
    game.Tick(); // moves to -33.5: placed again
    EXPECT_GE(d.x, 640.0f);
    EXPECT_LE(d.x, 1281.0f);
    EXPECT_GE(d.y, 64.0f);
    EXPECT_LE(d.y, 417.0f);
    d.SetPosition(-30.5f, 200);
    game.Tick(); // -32.5 truncates to -32: not yet
    EXPECT_FLOAT_EQ(d.x, -32.5f);
}

} // namespace
} // namespace pelko
