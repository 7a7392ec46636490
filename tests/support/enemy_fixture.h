// Tests of the enemies, their shots and the stage reader: a fresh game with one player in the
// middle of the field, every enemy and shot hidden as a run's start leaves them, at the frame rate
// the test chooses (30 fps unless it says otherwise).
#pragma once
#include <fstream>
#include <string>

#include "game/enemies/angle_table.h"
#include "game/enemies/enemy_manager.h"
#include "game/flow/game_globals.h"
#include "game/flow/settings.h"
#include "game/player/player.h"
#include "platform/crt_random.h"
#include "support/game_fixture.h"

namespace pelko::testing {

class EnemyTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
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

    static void SetFps(int fps) { SetFrameRate(Globals(), fps); }

    // Writes a stage file with exactly these bytes into the test's own folder; gives its path.
    std::string WriteStage(const std::string& bytes, const std::string& name = "Stage.dat") {
        const std::filesystem::path file = Folder() / name;
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
};

} // namespace pelko::testing
