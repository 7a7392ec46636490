// The game's static state: the Game object, the other global variables, and the one program
// object that holds every static object of the game in its construction order.
#pragma once
#include <cstdint>
#include <string>

#include "game/enemies/game_object.h"
#include "game/flow/player_keys.h"

namespace tessary {
class TypeText;
}

namespace pelko {

class Player;
class Boss;
class EnemyManager;
class AngleTable;
class MessageQueue;

inline constexpr int kMaxPlayers = 4;
inline constexpr int kDecorations = 10;

// Its Sprite is the weapon icon of the HUD.
class Game : public GameObject {
  public:
    Game() = default;
    ~Game() override = default;

    uint32_t frameCounter = 0; // in-game frames of the current run: the time base of play
    uint8_t showFps = 0;
    int16_t waveVolume = 0;

    // Reads the settings, loads pictures, sounds and the high score, resets the run state.
    void LoadGameAssets();
    void LoadBitmaps();
};

struct GameGlobals {
    Player* players[kMaxPlayers] = {};
    int32_t playerCount = 1;
    GameObject* decorations[kDecorations] = {};
    int32_t highScore = 0;
    // What HighScore.dat holds, as last read or saved, and whether a save may replace the file:
    // one that could not be read may hold a better score than the game knows.
    int32_t storedHighScore = 0;
    uint8_t highScoreFileReplaceable = 1;
    int32_t nextExtend = 0;
    uint8_t hardMode = 0;
    uint8_t bossPhase = 0;
    int32_t titleIdleCount = 0;
    int32_t joystickCount = 0;
    uint8_t use256Color = 0;
    uint8_t fullScreen = 0;
    int32_t fps = 30;
    int32_t framePeriodMs = 33;
    float speedFactor = 1.0f;
    int32_t frameMultiplier = 2;
    int32_t showObjectFrame = 0;
    int32_t maxPower = 10, maxSpeed = 10, maxTp = 3;
    int32_t logoStartTime = 0;
    int32_t demoX = 80;
    uint8_t demoRight = 0;
    int32_t staffRollY = 480;
    int32_t hitBoxOutlines = -1; // ShowObjectFrame as noted by the first drawing pass; -1 not yet
    PlayerKeys keys;             // as [Pelko] names them; the defaults until the settings are read
    std::string pausedKeysLine;  // the pause sign's line, naming those keys

    // The run's course.
    int32_t stageNumber = 0;
    int32_t bossWarningFrame = 0;
    uint8_t stageCleared = 0;
    int32_t clearBonusBase = 0;

    // Frames of the boss's current circle step.
    int32_t circleAngle = 0;
};

// The static objects, each constructed once before the game starts.
GameGlobals& Globals();
Game& TheGame();
tessary::TypeText& TheDemoBanner();
Boss& TheBoss();
GameObject& TheItem();
MessageQueue& TheMessages();
EnemyManager& TheEnemies();
const AngleTable& TheAngles();

// Player i of the players table (created by GameStart).
Player& PlayerAt(int i);

// Destroys every static object of the game in reverse order and builds them afresh, as a new
// process would have them; the players and decorations are gone until GameStart creates them.
void ResetGameStatics();

// GameStart's heap objects: the four players and the ten decorations, owned by the program object.
void CreatePlayersAndDecorations();

} // namespace pelko
