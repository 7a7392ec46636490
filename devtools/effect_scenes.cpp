// Draws the scenes of text, transitions and pixel effects that a person checks by eye, one after
// another, presenting each in the real window and writing each back buffer as a 24-bit BMP into
// the folder given as the first argument. Run it under each TESSARY_DESKTOP_DEPTH.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/clock.h"
#include "runtime/graphics/display.h"
#include "runtime/graphics/image_slots.h"
#include "runtime/shell/main_window.h"
#include "runtime/shell/runtime_state.h"
#include "support/effect_scenes.h"

using namespace tessary;
using tessary::testing::EffectScenes;
using tessary::testing::Scene;

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : ".";
    const uint32_t holdMs = argc > 2 ? static_cast<uint32_t>(std::atoi(argv[2])) : 0;
    Runtime() = RuntimeState{};
    BuildSineTable();
    if (CreateMainWindow() == 0 || TheDisplay().Open() == 0) return 1;
    const int depth = TheDisplay().depth;
    CreateScratchImage();
    for (const Scene& scene : EffectScenes()) {
        scene.draw();
        TheDisplay().Present();
        const std::string path = folder + "/" + scene.name + "_" + std::to_string(depth) + ".bmp";
        testing::WriteBackBufferBmp(path);
        std::printf("%s\n", path.c_str());
        std::fflush(stdout);
        platform::Sleep(holdMs); // time for a screenshot of the window
    }
    return 0;
}
