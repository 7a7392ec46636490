// Scenes of text, transitions and pixel effects that show the runtime's drawing at a glance: the
// effect_scenes program presents them for checking by eye, and the scene digest test holds every
// depth's drawing of them to the pictures that were checked.
#pragma once
#include <string>
#include <vector>

namespace tessary::testing {

struct Scene {
    const char* name;
    void (*draw)();
};

// Text at the game's sizes, a fade and blinds half way, and a sprite drawn plain, rotated,
// translucent, additive and XOR. Each draws the whole back buffer.
const std::vector<Scene>& EffectScenes();

// The back buffer as a 24-bit BMP file.
void WriteBackBufferBmp(const std::string& path);

} // namespace tessary::testing
