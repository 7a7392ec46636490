// A boss fight on fresh game statics: the boss of one stage set up, shown and stepped frame by
// frame as the in-game frame steps it (the counter, Boss::Update, then the drawing pass that
// moves every sprite), with one player standing in the middle of the field.
#pragma once
#include <cmath>

#include "game/enemies/boss.h"
#include "support/enemy_fixture.h"

namespace pelko::testing {

inline constexpr BossSetup kBossSetups[5] = {SetUpBoss1, SetUpBoss2, SetUpBoss3, SetUpBoss4,
                                             SetUpBoss5};

class BossTest : public EnemyTest {
  protected:
    // The counter starts well into the run, as it always is once a boss is on.
    static constexpr uint32_t kFightStart = 2000;

    Boss& B() { return TheBoss(); }

    void StartBoss(int stage, int fps = 30) {
        SetFps(fps);
        Globals().stageNumber = stage;
        TheGame().frameCounter = kFightStart;
        B().SetSetup(kBossSetups[stage - 1]);
        B().Reset();
        B().ShowParts();
        Globals().bossPhase = 1;
    }

    // One in-game frame of the boss.
    void Frame() {
        ++TheGame().frameCounter;
        B().Update();
        B().Draw();
    }
    void Frames(int n) {
        for (int i = 0; i < n; ++i)
            Frame();
    }

    // Frames until the entry slide is over; the count of frames it took.
    int Arrive() {
        int n = 0;
        while (!B().arrived && n < 10000) {
            Frame();
            ++n;
        }
        return n;
    }

    // Replaces the stage's script, from its first step on.
    void UseScript(const char* text) {
        std::snprintf(B().script, kBossScriptSize, "%s", text);
        B().scriptPos = 0;
        B().waitFrames = 0;
    }

    void MoveBoss(float dx, float dy) {
        for (GameObject& part : B().parts)
            part.SetPosition(part.x + dx, part.y + dy);
    }

    float X0() { return B().parts[0].x; }
    float Y0() { return B().parts[0].y; }

    bool AnyFlag() {
        for (uint8_t f : B().attackFlags)
            if (f) return true;
        return false;
    }
    uint32_t Now() { return TheGame().frameCounter; }
};

} // namespace pelko::testing
