// The whole game on the headless platform: a game folder of its own in a temporary directory,
// the real start-up (runtime, then GameStart), and frame-by-frame ticks with scripted keys and
// joysticks. Tests read the game's state through the game's own accessors (Globals(),
// TheGame(), PlayerAt(0), TheEnemies(), TheBoss(), ...) once the harness is built.
#pragma once
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/joystick.h"
#include "runtime/shell/runtime_state.h"
#include "support/temp_folder.h"

namespace pelko {
class Player;
}

namespace pelko::testing {

// What goes into the game folder before the start.
struct GameFolder {
    std::optional<std::string> settings;     // the text of GameData/Game.ini; none: no file
    std::map<int, std::string> stages;       // stage number -> text of GameData/StageN.dat
    bool shippedStages = true;               // stages not given come from build/dist
    std::optional<uint32_t> storedHighScore; // the 4 bytes of HighScore.dat; none: no file
    bool pictures = true;                    // the generated bitmaps and ForBeginner.BMP
    bool sounds = true;                      // the generated wave and MIDI files
    bool music = false;                      // a soundfont for the MIDI player (slow to load)
    int desktopDepth = 32;
    int joysticks = 0;
    uint32_t seed = 1; // the random generator after GameStart, instead of the calendar time
};

// A key or joystick change that a scripted run applies before the tick of its frame.
struct ScriptedInput {
    uint32_t tick = 0; // counted from 1: the first tick after Boot()
    int vk = -1;       // a virtual key, or -1 for a joystick change
    bool down = false;
    int joystick = 0;
    platform::JoyPosition position{};
};

class GameHarness {
  public:
    explicit GameHarness(GameFolder folder = {});
    ~GameHarness();
    GameHarness(const GameHarness&) = delete;
    GameHarness& operator=(const GameHarness&) = delete;

    // The program entry's start-up up to and including GameStart. False when a step failed.
    bool Boot();
    // A run started as the title does it, without going through the logo and the title.
    void StartPlay();
    // Logo and title as a player goes through them: Space on the logo, Space on the title.
    void StartPlayFromTitle();

    // One tick of the frame loop after one frame period of the virtual clock.
    void Tick();
    void Ticks(int n);
    // Ticks until the callback is the given screen (at most limit ticks); false if it never was.
    bool TickUntilScreen(tessary::FrameCallback screen, int limit);

    void Key(int vk, bool down);
    void Joystick(int id, platform::JoyPosition position);
    // Applies every input of script whose tick comes up, then ticks, for `ticks` ticks; calls
    // afterEach (if given) after every tick.
    template <class AfterEach>
    void Play(const std::vector<ScriptedInput>& script, int ticks, AfterEach afterEach);
    void Play(const std::vector<ScriptedInput>& script, int ticks) {
        Play(script, ticks, [] {});
    }

    uint64_t TickCount() const { return ticks_; }
    tessary::FrameCallback Screen() const;
    Player& Player0() const;
    const std::filesystem::path& Folder() const { return folder_.Path(); }
    // A file of the game folder (a game path such as "GameData\HighScore.dat"); none if missing.
    std::optional<std::string> ReadFile(const std::string& gamePath) const;

  private:
    void BuildFolder(const GameFolder& folder);
    void ApplyDue(const std::vector<ScriptedInput>& script, size_t& next);

    GameFolder options_;
    tessary::testing::TempFolder folder_{"pelko-game"};
    std::optional<tessary::testing::InFolder> inFolder_;
    uint64_t ticks_ = 0;
};

template <class AfterEach>
void GameHarness::Play(const std::vector<ScriptedInput>& script, int ticks, AfterEach afterEach) {
    size_t next = 0;
    const uint64_t first = ticks_;
    for (int i = 0; i < ticks; ++i) {
        while (next < script.size() && script[next].tick <= ticks_ - first + 1)
            ApplyDue(script, next);
        Tick();
        afterEach();
    }
}

// The last presented frame's pixels (0x00RRGGBB) in a rectangle, row by row. A test compares it
// with the same rectangle after drawing what it expects there itself and presenting that.
std::vector<uint32_t> PresentedRect(int left, int top, int right, int bottom);

// What the game played since the last call, and the record emptied: one word per call, "w3" for
// wave slot 3 played once, "w3+" looping; the music as "open LOGO.mid" (the file without its
// folder), "play", "resume", "stop", "close". Waves of other slots than `waves` are left out
// (all are kept when it is empty).
std::string TakeSoundTrace(const std::set<int>& waves = {});

} // namespace pelko::testing
