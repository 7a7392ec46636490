// The six sound effects, synthesised, each normalised to its own peak below full scale. Several
// sound in the same frame of play over the music, so each keeps headroom; the shot, heard six
// times a second, is the quietest.
#pragma once
#include <vector>

namespace assetgen {

inline constexpr double kShotPeak = -11.0;  // dBFS
inline constexpr double kEffectPeak = -7.0; // dBFS, every other effect

std::vector<double> ShotSound();   // the player's shot: a quick bright zap
std::vector<double> BeatenSound(); // a boss blown apart: a long rolling explosion
std::vector<double> BeatSound();   // an enemy destroyed: a short crunchy burst
std::vector<double> PiSound();     // a hit that did not kill: a high tick
std::vector<double> OneUpSound();  // an extra life: a rising chime
std::vector<double> WarnSound();   // the boss is coming: a two-tone alarm

} // namespace assetgen
