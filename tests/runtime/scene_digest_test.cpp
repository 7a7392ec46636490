// Whole frames: each effect scene drawn at every depth on the headless platform (built-in font,
// so the pixels are the same on every machine) must give the back buffer it gave when its picture
// was checked by eye. On a difference the picture is written out for a person to look at.
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "runtime/graphics/display.h"
#include "runtime/graphics/image_slots.h"
#include "runtime/shell/main_window.h"
#include "support/digest.h"
#include "support/effect_scenes.h"
#include "support/runtime_fixture.h"

namespace tessary {
namespace {

// The digest of every pixel value of the back buffer, row by row, from the start value the checked
// digests below were recorded with.
uint64_t BackBufferDigest() {
    const platform::Surface& s = *TheDisplay().backBuffer;
    testing::Digest d(1469598103934665603ull);
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
            d.AddPixel(s.ReadPixel(x, y));
    return d.Value();
}

// Digests of the pictures as checked by eye, by scene and depth (24 and 32 bits store the same
// pixel values). A change that alters a picture on purpose is checked again and updates these.
const std::map<std::string, uint64_t>& CheckedDigests() {
    static const std::map<std::string, uint64_t> digests = {
        {"text_8", 0x682a803d0dee88bcull},         {"fade_half_8", 0xe0ec67ec33a38383ull},
        {"blinds_half_8", 0xe01b0cf7c7830b83ull},  {"sprites_8", 0xc8e2590daddf6bf1ull},
        {"text_16", 0x9fd30e08aa5a18a1ull},        {"fade_half_16", 0x9be6709c64d07633ull},
        {"blinds_half_16", 0xf0db0b311b75fee3ull}, {"sprites_16", 0x88ddf2615fb4903bull},
        {"text_24", 0x83f08a6987cd6b4eull},        {"fade_half_24", 0xddf5219f83a2e383ull},
        {"blinds_half_24", 0x4dd6ddabbb8777c3ull}, {"sprites_24", 0x26f71d56a8c7167aull},
        {"text_32", 0x83f08a6987cd6b4eull},        {"fade_half_32", 0xddf5219f83a2e383ull},
        {"blinds_half_32", 0x4dd6ddabbb8777c3ull}, {"sprites_32", 0x26f71d56a8c7167aull},
    };
    return digests;
}

class SceneDigestTest : public testing::RuntimeTest, public ::testing::WithParamInterface<int> {
  protected:
    void TearDown() override { unsetenv("TESSARY_DESKTOP_DEPTH"); }
};

TEST_P(SceneDigestTest, EveryEffectSceneDrawsThePictureThatWasChecked) {
    const int depth = GetParam();
    setenv("TESSARY_DESKTOP_DEPTH", std::to_string(depth).c_str(), 1);
    BuildSineTable(); // as the program entry does; rotation reads it
    ASSERT_EQ(CreateMainWindow(), 1);
    ASSERT_EQ(TheDisplay().Open(), 1);
    ASSERT_EQ(CreateScratchImage(), 1);
    for (const testing::Scene& scene : testing::EffectScenes()) {
        scene.draw();
        const std::string key = std::string(scene.name) + "_" + std::to_string(depth);
        const uint64_t digest = BackBufferDigest();
        auto checked = CheckedDigests().find(key);
        if (checked != CheckedDigests().end() && checked->second == digest) continue;
        const auto path = std::filesystem::temp_directory_path() / (key + ".bmp");
        testing::WriteBackBufferBmp(path.string());
        ADD_FAILURE() << key << " drew digest 0x" << std::hex << digest
                      << ", not the checked picture's; look at " << path.string();
    }
}

INSTANTIATE_TEST_SUITE_P(AllDepths, SceneDigestTest, ::testing::Values(8, 16, 24, 32));

} // namespace
} // namespace tessary
