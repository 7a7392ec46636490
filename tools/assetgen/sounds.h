// The six sound effects, synthesised. Each is normalised to the same peak, below full scale.
#pragma once
#include <vector>

namespace assetgen {

inline constexpr double kEffectPeak = 0.80;

std::vector<double> ShotSound();   // the player's shot: a quick bright zap
std::vector<double> BeatenSound(); // a boss blown apart: a long rolling explosion
std::vector<double> BeatSound();   // an enemy destroyed: a short crunchy burst
std::vector<double> PiSound();     // a hit that did not kill: a high tick
std::vector<double> OneUpSound();  // an extra life: a rising chime
std::vector<double> WarnSound();   // the boss is coming: a two-tone alarm

} // namespace assetgen
