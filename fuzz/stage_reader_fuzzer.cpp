// The stage reader over arbitrary bytes: loading and reading a whole schedule must never crash,
// hang or read out of bounds, and every record it accepts lands on the ring of 32.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "game/enemies/enemy_manager.h"
#include "game/flow/game_globals.h"
#include "platform/headless.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/pelko_stage_fuzz_" + std::to_string(getpid()) + ".dat";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);

    platform::headless::Reset();
    pelko::ResetGameStatics();
    pelko::EnemyManager& m = pelko::TheEnemies();
    m.LoadStage(path.c_str());
    m.Reset();
    // Every read either ends the schedule or moves on by at least two bytes (a token and its
    // blank), so this many reads reach the end of any text. The spawn pass in between sees frame
    // numbers from the top of the range, where the unsigned comparisons wrap.
    const uint32_t reads = static_cast<uint32_t>(size / 2 + 2);
    for (uint32_t i = 0; i < reads && m.readPos != m.dataEnd; ++i) {
        m.ReadRecord();
        m.Spawn(0xFFFFFFFFu - i);
    }
    if (m.readPos != m.dataEnd) std::abort();
    for (const pelko::Enemy& e : m.enemies)
        if (e.x < -2048.0f || e.x > 2048.0f || e.vx < -128.0f || e.vx > 128.0f) std::abort();
    return 0;
}
