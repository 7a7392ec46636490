// Tests of play, the last link of the fixtures (runtime, game, whole run): the whole game booted by
// the harness in a game folder of its own and a run started, by default with an empty stage so
// that only what a test puts on the field is there.
#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "game/enemies/boss.h"
#include "game/enemies/enemy_manager.h"
#include "game/flow/game_globals.h"
#include "game/player/player.h"
#include "support/game_fixture.h"
#include "support/game_harness.h"

namespace pelko::testing {

inline constexpr const char* kEmptyStage = "&\n";

class PlayTest : public GameTest {
  protected:
    void StartGame(GameFolder folder = {}) {
        if (folder.stages.empty()) folder.stages[1] = kEmptyStage;
        game.reset(); // the old game is taken down before the new one starts
        game = std::make_unique<GameHarness>(std::move(folder));
        ASSERT_TRUE(game->Boot());
    }
    void StartRunAt(int fps) {
        GameFolder folder;
        folder.settings = "[PelkoGame]\nFPS=" + std::to_string(fps) + "\n";
        StartGame(std::move(folder));
        game->StartPlay();
    }
    void TearDown() override {
        game.reset();
        GameTest::TearDown();
    }

    Player& P() { return game->Player0(); }
    uint32_t& Frame() { return TheGame().frameCounter; }

    // Enemy ring position i shown at (x, y) with hp, standing still.
    Enemy& PlaceEnemy(int i, float x, float y, int hp) {
        Enemy& e = TheEnemies().enemies[i];
        e.SetPosition(x, y);
        e.SetVelocityX(0);
        e.SetVelocityY(0);
        e.hp = hp;
        e.Show();
        return e;
    }
    Shot& PlaceEnemyShot(int enemy, int slot, float x, float y, int kind, int hp = 1) {
        Shot& s = TheEnemies().enemies[enemy].shots[slot];
        s.SetPosition(x, y);
        s.SetVelocityX(0);
        s.SetVelocityY(0);
        s.kind = kind;
        s.hp = hp;
        s.Show();
        return s;
    }
    Shot& PlacePlayerShot(int slot, float x, float y, int hp, uint8_t special = 0) {
        Shot& s = P().shots[slot];
        s.SetPosition(x, y);
        s.SetVelocityX(0);
        s.SetVelocityY(0);
        s.hp = hp;
        s.special = special;
        s.Show();
        return s;
    }

    std::unique_ptr<GameHarness> game;
};

} // namespace pelko::testing
