// The regular enemies of a stage: the stage file's text, read one record at a time as the stage
// runs, and a ring of 32 enemies that the records fill.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

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
    // Where the file's text really ends (before dataEnd when CR LF pairs were folded), its name
    // for the debug output, and the records begun since it was loaded.
    const char* textEnd = nullptr;
    std::string stagePath;
    int32_t recordsBegun = 0;

    // Reads the whole stage file; a file that cannot be opened ends the program.
    void LoadStage(const char* path);
    // Restarts the schedule and the kill count, and lets every shot slot fire at once.
    void Reset();
    // Reads the next record once its predecessor's time has come, then shows every enemy whose
    // spawn frame has come.
    void Spawn(uint32_t frame);
    // Reads one record and places its enemies, still hidden, on the ring. A malformed record
    // (a field that does not convert, the data ending inside it, a token over 255 characters)
    // ends the schedule with one debug line.
    void ReadRecord();
    // Fires, moves by type, and steers every shot in flight; the enemies go from 31 down to 0.
    void Update();
    // The launch rule of one shot slot of an enemy.
    void Fire(Enemy& enemy, int slot);
};

} // namespace pelko
