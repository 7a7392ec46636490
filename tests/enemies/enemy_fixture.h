// A fresh start-up of the runtime and the game's static objects, with the players created and the
// frame rate chosen by the test, for tests of the enemies, their shots and the stage reader.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "game/enemies/angle_table.h"
#include "game/enemies/enemy_manager.h"
#include "game/flow/game_globals.h"
#include "game/flow/settings.h"
#include "game/player/player.h"
#include "platform/crt_random.h"
#include "platform/headless.h"
#include "runtime/shell/runtime_state.h"

namespace pelko::testing {

class EnemyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::headless::Reset();
        tessary::ResetRuntimeStatics();
        ResetGameStatics();
        CreatePlayersAndDecorations();
        platform::Srand(1);
        SetFps(30);
        Globals().playerCount = 1;
        // The player sits in the middle of the field unless a test moves it.
        PlayerAt(0).SetPosition(100.0f, 240.0f);
        // As a run's start leaves them: every enemy and every shot slot hidden.
        for (int i = kEnemyRingSize - 1; i >= 0; --i) {
            TheEnemies().enemies[i].Init();
            for (Shot& s : TheEnemies().enemies[i].shots)
                s.Hide();
        }
    }

    void TearDown() override {
        if (!dir_.empty()) std::filesystem::remove_all(dir_);
    }

    static void SetFps(int fps) { SetFrameRate(Globals(), fps); }

    // Writes a stage file with exactly these bytes into the test's own folder; gives its path.
    std::string WriteStage(const std::string& bytes, const std::string& name = "Stage.dat") {
        if (dir_.empty()) {
            const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
            dir_ = std::filesystem::temp_directory_path() /
                   ("pelko_stage_" + std::to_string(getpid()) + "_" + info->test_suite_name() +
                    "_" + info->name());
            std::filesystem::remove_all(dir_);
            std::filesystem::create_directories(dir_);
        }
        const std::filesystem::path file = dir_ / name;
        std::ofstream(file, std::ios::binary) << bytes;
        return file.string();
    }

    // Loads the text and restarts the schedule, as a stage start does.
    void LoadAndReset(const std::string& bytes) {
        TheEnemies().LoadStage(WriteStage(bytes).c_str());
        TheEnemies().Reset();
    }

    Enemy& EnemyAt(int i) { return TheEnemies().enemies[i]; }

    int ShownEnemies() {
        int n = 0;
        for (const Enemy& e : TheEnemies().enemies)
            n += e.active != 0;
        return n;
    }

    bool ReachedEnd() { return TheEnemies().readPos == TheEnemies().dataEnd; }

    std::filesystem::path dir_;
};

} // namespace pelko::testing
