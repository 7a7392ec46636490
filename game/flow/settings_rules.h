// What the game makes of Game.ini: every key it reads, the default a missing key gives, and how
// each value is taken. The game applies these values at start; the settings editor starts its
// controls from them, so that it shows what the game would play with. Pure rules over the
// platform's profile reader: no runtime, display or sound in here.
#pragma once
#include <cstdint>
#include <string>

#include "game/flow/player_keys.h"

namespace pelko {

// The game's own section, and below it the section this Linux game adds.
inline constexpr const char* kGameSection = "PelkoGame";
inline constexpr const char* kPelkoSection = "Pelko";

// [Pelko]'s keys.
inline constexpr const char* kMusicVolumeKey = "MusicVolume";
inline constexpr const char* kScalingKey = "Scaling";
inline constexpr int kDefaultMusicVolume = 100;
inline constexpr int kScalingSharp = 0;
inline constexpr int kScalingWholeMultiples = 1;

inline constexpr int kDefaultFps = 30;
inline constexpr int kHighestFps = 60;

// [PelkoGame] as the game takes it; each member starts as a missing key reads.
struct GameSectionSettings {
    int fpsAsWritten = kDefaultFps;
    int fps = kDefaultFps; // 1..60; a rate outside them falls back to the default
    bool showFps = false;
    int showObjectFrame = 0;    // kept as read
    bool drawsHitBoxes = false; // only for exactly 1
    int maxTp = 3;
    int maxPower = 10;
    int maxSpeed = 10;
    bool useVsync = true;
    bool useVram = true;
    bool use256Color = false;
    bool fullScreen = false;
    int16_t waveVolume = 100; // kept in 16 bits, as the game stores it
    bool useFlip = false;
};

// [Pelko] as the game takes it. A key the game does not know is ignored.
struct PelkoSectionSettings {
    int musicVolume = kDefaultMusicVolume; // 0..100 like the effects' volume; kept as read
    int scaling = kScalingSharp;           // kScalingWholeMultiples only for exactly 1
    PlayerKeys keys;                       // each action's default when missing or unusable
};

// Both read the text after the profile reader's decoding (platform::ReadProfileFile), with its
// rules for every key.
GameSectionSettings ReadGameSection(const std::string& profileText);
PelkoSectionSettings ReadPelkoSection(const std::string& profileText);

} // namespace pelko
