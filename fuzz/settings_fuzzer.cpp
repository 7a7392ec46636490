// Game.ini over arbitrary bytes, read and applied the way a start-up does it: the game boots in a
// folder of its own, plays a few frames with what it derived, and every derived rate stays one
// the frame loop and the movement code can use, and every action a key of its own.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "game/flow/game_globals.h"
#include "game/flow/game_start.h"
#include "platform/key_names.h"
#include "support/game_harness.h"

namespace {

void Require(bool ok) {
    if (!ok) std::abort();
}

void CheckDerivedRates() {
    const pelko::GameGlobals& g = pelko::Globals();
    Require(g.fps >= 1 && g.fps <= 60);
    Require(g.framePeriodMs == 1000 / g.fps && g.framePeriodMs >= 16);
    Require(g.frameMultiplier >= 1 && g.frameMultiplier == 60 / g.fps);
    Require(std::isfinite(g.speedFactor) && g.speedFactor >= 0.5f && g.speedFactor <= 30.0f);
}

// Whatever the file names, every action has a key the game can read and no two share one.
void CheckKeys() {
    const pelko::PlayerKeys& keys = pelko::Globals().keys;
    for (const pelko::ActionKey& k : pelko::kActionKeys) {
        Require(platform::KeyName(keys.Key(k.action)) != nullptr);
        Require(pelko::KeyKeptFor(keys.Key(k.action)) == pelko::KeptFor::Nothing);
        Require(keys.ActionWithKey(keys.Key(k.action)) == k.action);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pelko::testing::GameFolder folder;
    folder.settings = std::string(reinterpret_cast<const char*>(data), size);
    folder.sounds = false; // the volume is still applied to every wave slot the game opens
    pelko::testing::GameHarness game(folder);
    Require(game.Boot());
    CheckDerivedRates();
    CheckKeys();
    game.StartPlay();
    const uint32_t before = pelko::TheGame().frameCounter;
    game.Ticks(4);
    // The run goes on at the rate it read: no frame is skipped or stuck.
    Require(game.Screen() == pelko::InGameFrame);
    Require(pelko::TheGame().frameCounter > before);
    CheckDerivedRates();
    return 0;
}
