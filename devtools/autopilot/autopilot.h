// A pilot that plays the real game by looking at the screen: it reads where the enemies, their
// shots, the item and the boss are drawn (their sprites' positions, motion, pictures and hit
// boxes), the ship's own picture and the status display, and sets the keys of the coming frame.
// It tries two-step key plans on a model of the ship against a forecast of every threat, picks
// the safest one that also brings it where it wants to be (in line with a target, on an item,
// clear of the walls and of the boss), fires all the time, and spends special attacks when no
// plan is safe or against the boss. It never reads the stage schedule or the random generator,
// and never presses the keys that start the boss's attacks by hand.
#pragma once
#include <cstdint>
#include <vector>

#include "autopilot/ship_model.h"
#include "autopilot/threat_forecast.h"
#include "replay/replay_driver.h"

namespace pelko::testing {

class Autopilot : public InputSource {
  public:
    Autopilot();
    // Sets the keys for the coming tick; ticks count from 1, the first after Boot().
    void BeforeTick(GameHarness& game, uint64_t tick) override;

    int SpecialsUsed() const { return specialsUsed_; }
    // Frames in which every plan the pilot tried still ran into something.
    int TightSpots() const { return tightSpots_; }
    // Whether the pilot has ever held this virtual key down.
    bool EverPressed(int vk) const { return vk >= 0 && vk < 256 && everPressed_[vk]; }

  private:
    struct Goal {
        float x = 120, y = 256;
        float pullX = 0.5f, pullY = 2; // cost per pixel away from the goal
    };
    struct Plan {
        ShipKeys first, then;
        double cost = 1e300;
        int firstHit = 0; // the tick of the first hit the plan runs into, 0 for none
    };

    void Press(GameHarness& game, int vk, bool down);
    void ChooseSpecial(GameHarness& game, int wanted);
    // Keeps count of the ship's protection as the picture and the status display show it.
    void WatchShip(uint32_t frame);
    // Learns where the boss's aimed shots come into sight.
    void WatchBoss();
    void SeeThreats();
    void KeepReachable(int horizon);
    Goal ChooseGoal() const;
    struct Trial;
    // Flies the trial on with these keys from tick `from` to tick `to`, or until it costs more
    // than bound.
    void Fly(Trial& trial, const ShipKeys& keys, int from, int to, int horizon, uint32_t frame,
             double bound) const;
    // Finds the best plan and keeps it as lastPlan_.
    void BestPlan(const Goal& goal, int horizon, uint32_t frame);

    bool keys_[256] = {};
    bool everPressed_[256] = {};
    int specialCooldown_ = 0;
    int xPause_ = 0;
    int specialsUsed_ = 0;
    int tightSpots_ = 0;

    // What the pilot remembers from frame to frame.
    int lastHp_ = -1, lastLives_ = -1, lastRow_ = 0;
    uint32_t safeUntil_ = 0; // frames before this one cannot hurt the ship
    float swingY_ = 256;     // the line the boss's swinging shots swing about
    bool charging_ = false;  // the boss's shots are flying in to gather
    float chargeX_ = 0, chargeY_ = 0;
    uint32_t chargeSeen_ = 0;  // the last frame a gathering was seen
    bool shotShown_[128] = {}; // the boss's shots as they were last seen
    struct Zone {
        float left = 0, top = 0, right = 0, bottom = 0;
    } spawnZone_;    // where the boss's aimed shots appear, from the boss's corner
    int spawns_ = 0; // how many appearances spawnZone_ was learned from

    // This frame's view.
    std::vector<Threat> still_, following_; // threats that ignore the ship and that follow it
    std::vector<Threat> kept_;              // still_ as it is cut down to what can arrive
    std::vector<Threat> hazards_;           // places to keep out of, moving with the boss
    std::vector<float> stillPath_;          // still_ positions, frame by frame
    std::vector<int> stillBoxes_;           // their hit boxes, by frame and then by threat
    Plan lastPlan_;
    int replanIn_ = 0; // ticks until the next plan
    ShipRules rules_;
    bool boss_ = false;
};

} // namespace pelko::testing
