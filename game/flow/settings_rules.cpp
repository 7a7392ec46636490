#include "game/flow/settings_rules.h"

#include "platform/profile.h"

namespace pelko {
namespace {

// A flag is on only for exactly 1: 2 is off, as any other value is.
bool IsOne(int value) {
    return value == 1;
}

} // namespace

GameSectionSettings ReadGameSection(const std::string& text) {
    const GameSectionSettings missing;
    auto read = [&text](const char* key, int defaultValue) {
        return platform::ProfileIntFromText(text, kGameSection, key, defaultValue);
    };
    GameSectionSettings s;
    s.fpsAsWritten = read("FPS", missing.fps);
    // A rate of 0 would divide by zero in the frame period, one above 60 make the stage reader's
    // time divisor 0.
    s.fps = s.fpsAsWritten >= 1 && s.fpsAsWritten <= kHighestFps ? s.fpsAsWritten : kDefaultFps;
    s.showFps = IsOne(read("ShowFPS", 0));
    s.showObjectFrame = read("ShowObjectFrame", missing.showObjectFrame);
    s.drawsHitBoxes = IsOne(s.showObjectFrame);
    s.maxTp = read("MaxTP", missing.maxTp);
    s.maxPower = read("MaxPower", missing.maxPower);
    s.maxSpeed = read("MaxSpeed", missing.maxSpeed);
    s.useVsync = IsOne(read("UseVSync", 1));
    s.useVram = IsOne(read("UseVRAM", 1));
    const int color = read("Color", 1); // "24Bit" reads 24, "256" 256
    s.use256Color = color == 256 || color == 8;
    s.fullScreen = IsOne(read("FullScreen", 0));
    s.waveVolume = static_cast<int16_t>(read("WaveVolume", missing.waveVolume));
    s.useFlip = IsOne(read("UseFlip", 0));
    return s;
}

PelkoSectionSettings ReadPelkoSection(const std::string& text) {
    auto read = [&text](const char* key, int defaultValue) {
        return platform::ProfileIntFromText(text, kPelkoSection, key, defaultValue);
    };
    PelkoSectionSettings s;
    s.musicVolume = read(kMusicVolumeKey, kDefaultMusicVolume);
    s.scaling = IsOne(read(kScalingKey, kScalingSharp)) ? kScalingWholeMultiples : kScalingSharp;
    s.keys = ReadPlayerKeys(text);
    return s;
}

} // namespace pelko
