// The regular enemies of a stage: the stage file's text, read one record at a time as the stage
// runs, and a ring of 32 enemies that the records fill.
#pragma once
#include <cstdint>
#include <memory>

#include "game/enemies/game_object.h"

namespace pelko {

inline constexpr int kEnemyRingSize = 32;

class EnemyManager {
  public:
    int32_t stageStartFrame = 0;
    int32_t lastKillX = 0, lastKillY = 0;
    int32_t killCount = 0;
    const char* dataEnd = nullptr;
    const char* readPos = nullptr;
    int32_t ringNext = 0;
    int32_t nextRecordTime = 0;
    Enemy enemies[kEnemyRingSize];
    std::unique_ptr<char[]> stageText;

    // Reads the whole stage file; a file that cannot be opened ends the program.
    void LoadStage(const char* path);
    void Reset();
    // Reads the next record once its predecessor's time has come, then shows every enemy whose
    // spawn frame has come.
    void Spawn(uint32_t frame);
    void ReadRecord();
    void Update();
    void Fire(Enemy& enemy, int slot);
};

} // namespace pelko
