// The limiter on the summed mix, heard through the wave bank and the headless mixer: all 32 slots
// at full scale at once stay under full scale with their waveform's shape kept, and the mix
// comes back to its own level once the pile-up is over.
#include <cmath>
#include <string>
#include <vector>

#include "platform/headless.h"
#include "runtime/shell/main_window.h"
#include "runtime/sound/wave_bank.h"
#include "support/sound_fixture.h"

namespace tessary {
namespace {

using namespace pelko::testing;

constexpr double kPi = 3.14159265358979323846;

class MixLimiterTest : public testing::SoundTest {
  protected:
    void SetUp() override {
        SoundTest::SetUp();
        ASSERT_EQ(CreateMainWindow(), 1);
        ASSERT_EQ(CreateSoundDevice(), 1);
    }

    // A sine of `frames` frames at 441 Hz (100 frames a cycle) and the given peak.
    static std::vector<int16_t> Sine(int frames, double peak) {
        std::vector<int16_t> samples(static_cast<size_t>(frames));
        for (int i = 0; i < frames; ++i)
            samples[i] = static_cast<int16_t>(std::lround(peak * std::sin(2 * kPi * i / 100.0)));
        return samples;
    }

    int Load(uint16_t slot, const std::vector<int16_t>& samples) {
        const std::string path = "GameData\\s" + std::to_string(slot) + ".wav";
        Put(path, MakeWav(WavFormat{}, Pcm16(samples)));
        return LoadWave(slot, path.c_str());
    }
};

TEST_F(MixLimiterTest, AllSlotsAtFullScaleStayUnderItWithTheirShapeAndTheMixRecovers) {
    const std::vector<int16_t> loud = Sine(4410, 32767); // 0.1 s
    for (uint16_t slot = 0; slot < kWaveSlotCount; ++slot) {
        ASSERT_EQ(Load(slot, loud), 1);
        ASSERT_EQ(PlayWave(slot, 0), 1);
    }
    const std::vector<float> mix = Render(4410);
    float peak = 0.0f;
    for (float v : mix)
        peak = std::max(peak, std::fabs(v));
    EXPECT_LT(peak, 1.0f) << "a sum 32 times full scale must be bent under it, not clamped";
    EXPECT_GT(peak, 0.95f);
    // Not cut off: the output keeps the sine's sign everywhere, and where the sine is loud the
    // output follows it by a gain that changes only slowly (no flat tops).
    double previousGain = -1;
    for (size_t i = 0; i < loud.size(); ++i) {
        const double source = loud[i] / 32768.0 * kWaveSlotCount;
        const double out = mix[i * 2];
        EXPECT_EQ(mix[i * 2], mix[i * 2 + 1]);
        if (loud[i] != 0) {
            ASSERT_GT(out * source, 0.0) << "frame " << i;
        }
        if (std::fabs(source) < 0.3 * kWaveSlotCount) continue;
        const double gain = out / source;
        if (previousGain > 0 && i > 100) {
            EXPECT_NEAR(gain, previousGain, 0.02 * previousGain) << "frame " << i;
        }
        previousGain = gain;
    }

    // After the pile-up a quiet sound is heard at its own level again: sample for sample once
    // the loud peak has faded from the limiter's memory, well within a third of a second.
    const std::vector<int16_t> quiet = Sine(44100, 3000);
    ASSERT_EQ(Load(0, quiet), 1);
    ASSERT_EQ(PlayWave(0, 0), 1);
    const std::vector<float> after = Render(44100);
    for (size_t i = 13230; i < quiet.size(); ++i)
        ASSERT_EQ(after[i * 2], quiet[i] / 32768.0f) << "frame " << i;
}

} // namespace
} // namespace tessary
