// The replays the driver knows by name: each a game folder, an input and a length in ticks.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "replay/replay_driver.h"

namespace pelko::testing {

struct ReplayScenario {
    std::string name;
    std::string about;
    GameFolder folder;
    std::function<std::unique_ptr<InputSource>()> input;
    uint64_t ticks = 0;
};

const std::vector<ReplayScenario>& ReplayScenarios();
const ReplayScenario* FindScenario(const std::string& name);

// Through the logo and the title (hard mode switched on there if asked), then weaving up and down
// with the fire held, now and then changing and using the special attack.
std::vector<ScriptedInput> WeaveFromTheTitle(uint64_t ticks, bool hard);

// One run played by `pilot`: through the logo and the title (hard mode switched on there if
// asked), the run until the staff roll or the game over, and back to the title, where it is
// finished.
class PilotedRunInput : public InputSource {
  public:
    PilotedRunInput(std::unique_ptr<InputSource> pilot, bool hard)
        : pilot_(std::move(pilot)), hard_(hard) {}
    void BeforeTick(GameHarness& game, uint64_t tick) override;
    bool Finished() const override { return finished_; }

  private:
    std::unique_ptr<InputSource> pilot_;
    bool hard_;
    bool started_ = false, finished_ = false;
    const void* lastScreen_ = nullptr;
    uint64_t screenSince_ = 0, gameOverSince_ = 0;
};

// Plays on from the title: waits there (the demo comes after a while and a key leaves it), then
// starts a run and weaves as above, or lets `pilot` play it when one is given; a run that is over
// ends with F1 once its message has been up a while. Used by the soak.
class AttractAndPlayInput : public InputSource {
  public:
    explicit AttractAndPlayInput(InputSource* pilot = nullptr) : pilot_(pilot) {}
    void BeforeTick(GameHarness& game, uint64_t tick) override;

  private:
    InputSource* pilot_;
    uint64_t screenSince_ = 0;
    const void* lastScreen_ = nullptr;
    int titleVisits_ = 0;
    uint64_t gameOverSince_ = 0;
};

} // namespace pelko::testing
