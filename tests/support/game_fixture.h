// A fresh start-up of the runtime and of the game's static objects with the players created,
// inside the test's own folder with an empty GameData.
#pragma once
#include <filesystem>

#include "game/flow/game_globals.h"
#include "support/runtime_fixture.h"

namespace pelko::testing {

class GameTest : public tessary::testing::RuntimeTest {
  protected:
    void SetUp() override {
        RuntimeTest::SetUp();
        ResetGameStatics();
        CreatePlayersAndDecorations();
        std::filesystem::create_directory(Folder() / "GameData");
    }
};

} // namespace pelko::testing
