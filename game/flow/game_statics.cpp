// Every static object of the game in one program object, in construction order: the Game, the
// demo banner, the boss, the item, the message queue, the enemy manager and the angle table. The
// players and decorations that the start function creates are owned here too, so that a reset
// frees them and every test starts from a clean start-up.
#include <array>
#include <memory>

#include "game/enemies/angle_table.h"
#include "game/enemies/boss.h"
#include "game/enemies/enemy_manager.h"
#include "game/flow/game_globals.h"
#include "game/player/message_queue.h"
#include "game/player/player.h"
#include "runtime/graphics/type_text.h"

namespace pelko {
namespace {

struct GameStatics {
    GameGlobals globals;
    Game game;
    tessary::TypeText demoBanner{"Push Button1 or Any Key..."
                                 "                   "};
    Boss boss;
    GameObject item;
    MessageQueue messages;
    EnemyManager enemies;
    AngleTable angles;
    std::array<std::unique_ptr<Player>, kMaxPlayers> ownedPlayers;
    std::array<std::unique_ptr<GameObject>, kDecorations> ownedDecorations;
};

std::unique_ptr<GameStatics>& Holder() {
    static std::unique_ptr<GameStatics> statics = std::make_unique<GameStatics>();
    return statics;
}

GameStatics& Statics() {
    return *Holder();
}

} // namespace

GameGlobals& Globals() {
    return Statics().globals;
}
Game& TheGame() {
    return Statics().game;
}
tessary::TypeText& TheDemoBanner() {
    return Statics().demoBanner;
}
Boss& TheBoss() {
    return Statics().boss;
}
GameObject& TheItem() {
    return Statics().item;
}
MessageQueue& TheMessages() {
    return Statics().messages;
}
EnemyManager& TheEnemies() {
    return Statics().enemies;
}
const AngleTable& TheAngles() {
    return Statics().angles;
}

Player& PlayerAt(int i) {
    return *Statics().globals.players[i];
}

void ResetGameStatics() {
    Holder().reset();
    Holder() = std::make_unique<GameStatics>();
}

void CreatePlayersAndDecorations() {
    GameStatics& s = Statics();
    for (int i = kMaxPlayers - 1; i >= 0; --i) {
        s.ownedPlayers[i] = std::make_unique<Player>();
        s.globals.players[i] = s.ownedPlayers[i].get();
    }
    for (int i = kDecorations - 1; i >= 0; --i) {
        s.ownedDecorations[i] = std::make_unique<GameObject>();
        s.globals.decorations[i] = s.ownedDecorations[i].get();
    }
}

} // namespace pelko
