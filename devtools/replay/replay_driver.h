// Runs the whole game from its start-up with an input chosen frame by frame, and keeps what a
// replay is judged by: which stages were reached and cleared (and when, with what score and lives
// left), the screens gone through, and the state's digests every so many frames.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "support/game_digest.h"
#include "support/game_harness.h"

namespace pelko::testing {

// Where the keys and joysticks of each frame come from: a script written in advance, or a
// program that looks at the game and decides (an autopilot).
class InputSource {
  public:
    virtual ~InputSource() = default;
    // Sets the keys and joysticks for the coming tick; ticks count from 1, the first after Boot().
    virtual void BeforeTick(GameHarness& game, uint64_t tick) = 0;
    // True once the input has played all it means to: the replay ends after that tick.
    virtual bool Finished() const { return false; }
};

// Plays a list of key and joystick changes at their ticks.
class ScriptedInputSource : public InputSource {
  public:
    explicit ScriptedInputSource(std::vector<ScriptedInput> script);
    void BeforeTick(GameHarness& game, uint64_t tick) override;

  private:
    std::vector<ScriptedInput> script_;
    size_t next_ = 0;
};

struct StageRecord {
    int stage = 0;
    bool cleared = false;
    uint64_t reachedTick = 0, clearedTick = 0;
    uint32_t reachedFrame = 0, clearedFrame = 0; // the game's frame counter
    // At the clear, or at the end of the replay for a stage not cleared.
    int32_t score = 0;
    int32_t lives = 0;
    uint64_t digest = 0;
};

struct ScreenVisit {
    std::string name;
    uint64_t tick = 0; // the first tick that ran on it
};

// One sampled frame: the digest, its parts, and a few readable fields for the report.
struct ReplaySample {
    uint64_t tick = 0;
    uint64_t digest = 0;
    std::string screen;
    int32_t stage = 0;
    int32_t score = 0;
    int32_t lives = 0;
    uint32_t frame = 0;
    bool hard = false;
    std::vector<StateSection> sections;
};

struct ReplayResult {
    bool booted = false;
    uint64_t ticks = 0;
    std::vector<StageRecord> stages;
    std::vector<ScreenVisit> screens;
    std::vector<ReplaySample> samples;
};

ReplaySample SampleState(uint64_t tick);

class ReplayDriver {
  public:
    // After each tick; returning false ends the replay there.
    using Observer = std::function<bool(GameHarness&, const ReplayResult&)>;

    ReplayDriver(GameFolder folder, InputSource& input)
        : folder_(std::move(folder)), input_(input) {}
    // Samples every `sampleEvery` ticks (0: none), from tick sampleEvery on.
    void SampleEvery(int ticks) { sampleEvery_ = ticks; }
    void OnEachTick(Observer observer) { observer_ = std::move(observer); }
    // Room made in advance for this many screen visits and stages (for long runs that measure
    // the heap).
    void ReserveRecords(size_t n) { reserve_ = n; }

    // Boots the game and plays `ticks` ticks (fewer if the observer or the input ends it).
    ReplayResult Run(uint64_t ticks);

  private:
    void Record(GameHarness& game, ReplayResult& result, uint64_t tick);

    GameFolder folder_;
    InputSource& input_;
    int sampleEvery_ = 30;
    size_t reserve_ = 0;
    Observer observer_;
    int lastStage_ = 0;
    bool wasCleared_ = false;
};

// The report: one line per stage, then the screens in their order.
std::string FormatReplayReport(const ReplayResult& result);

} // namespace pelko::testing
