// A pilot with a person's limits, to measure how hard the stages are for people rather than for
// the autopilot's exact model. It sees only what is drawn (the pictures of the enemies, their
// shots, the item and the boss, and its own ship), and acts on what it saw a reaction time ago;
// it judges motion from how far a thing moved in the last tenth of a second, keeps track of a
// handful of things at once, misjudges distances, changes its keys only as often as a hand can,
// aims with a spread that grows with the distance, and now and then holds a key too long. Every
// figure comes from published measurements of people (see PersonLimits). It fires all the time,
// goes for items, and spends a special attack only when it sees a hit coming on its last point.
// The same seed gives the same person and the same play.
#pragma once
#include <cstdint>
#include <deque>
#include <vector>

#include "autopilot/ship_model.h"
#include "replay/replay_driver.h"

namespace pelko::testing {

struct PersonLimits {
    // Simple visual reaction time of young adults, about 190-250 ms in the laboratory (Welford,
    // "Reaction Times", 1980; Woods et al., "Factors influencing the latency of simple reaction
    // time", 2015) and a median near 270 ms for players at home (Human Benchmark); a spread
    // between persons of about 25 ms.
    double reactionMs = 250, reactionSpreadMs = 25;
    // Motion is judged from displacement over about 100 ms (the integration time of motion
    // perception, Burr 1981; McKee & Welch 1985).
    double motionWindowMs = 100;
    // Corrections come in steps: a new key change needs about 150 ms after the last (the
    // psychological refractory period and intermittent control, Welford 1952; Craik 1947).
    double correctionMs = 150;
    // Relative error of a judged distance: Weber fraction of about 10 % for position and length
    // judgements at a glance (Teghtsoonian 1971).
    double distanceError = 0.10;
    // Aiming: the end point of a quick move spreads with about 5-7 % of its length (impulse
    // variability, Schmidt et al. 1979; the effective width of Fitts's law, W_e = 4.133 sd,
    // MacKenzie 1992).
    double aimError = 0.06;
    // Stopping a held key takes a stop-signal reaction time of about 200 ms (Logan & Cowan
    // 1984); one release in four comes late by about 100 ms.
    double overholdChance = 0.25, overholdMs = 100;
    // Things tracked at once: about four (multiple object tracking, Pylyshyn & Storm 1988;
    // working memory, Cowan 2001).
    int tracked = 4;
    // How far ahead a player reckons the paths it sees.
    double lookAheadMs = 700;
};

class PersonPilot : public InputSource {
  public:
    explicit PersonPilot(uint32_t seed, PersonLimits limits = {});
    void BeforeTick(GameHarness& game, uint64_t tick) override;

    // This person's reaction time in frames at the given rate.
    int ReactionFrames(int fps) const;
    int SpecialsUsed() const { return specialsUsed_; }

  private:
    struct Seen {
        int id; // which sprite: its table and slot, the same in every run
        int left, top, right, bottom;
        int what; // 0 an enemy or the boss, 1 a shot, 2 the item
        int row;
    };
    struct View {
        float shipX = 0, shipY = 0;
        std::vector<Seen> things;
    };
    struct Guess {
        float left, top, right, bottom, vx, vy;
        int what, row;
    };

    void Look();
    std::vector<Guess> Judge(const View& then, const View& before, int age, float shipX,
                             float shipY, uint64_t tick) const;
    ShipState ShipNow(int delay) const;
    ShipKeys Choose(const std::vector<Guess>& seen, const ShipState& ship, uint64_t tick);
    double Danger(const std::vector<Guess>& seen, ShipState ship, ShipKeys keys, int holdFor,
                  int horizon, int& firstHit) const;
    void Press(GameHarness& game, int vk, bool down);
    void ReleaseAll(GameHarness& game);
    // A normally distributed number, the same for the same seed, stream and index.
    double Normal(uint64_t stream, uint64_t index) const;
    double Uniform(uint64_t stream, uint64_t index) const;

    PersonLimits limits_;
    uint32_t seed_;
    double reactionMs_;
    std::deque<View> views_;
    std::deque<ShipKeys> pressed_; // the keys of the last ticks, the newest last
    ShipRules rules_;
    ShipKeys keys_;
    int sinceChange_ = 1000;
    uint64_t lateRelease_[4] = {}; // left, right, up, down: held on until this tick
    int target_ = -1;
    float aimOffset_ = 0;
    bool down_[256] = {};
    int specialsUsed_ = 0, specialPause_ = 0;
    int firstHit_ = 0;
    uint64_t decisions_ = 0;
};

} // namespace pelko::testing
