// The wave bank through the headless mixer: what a loaded and played slot puts into the mix.
#include <cmath>
#include <vector>

#include "platform/audio.h"
#include "platform/headless.h"
#include "runtime/shell/entry.h"
#include "runtime/shell/main_window.h"
#include "runtime/shell/runtime_state.h"
#include "runtime/sound/wave_bank.h"
#include "support/sound_fixture.h"

namespace tessary {
namespace {

using namespace pelko::testing;
namespace headless = platform::headless;

constexpr float kTolerance = 1e-6f;

class WaveBankTest : public testing::SoundTest {
  protected:
    void SetUp() override {
        SoundTest::SetUp();
        ASSERT_EQ(CreateMainWindow(), 1);
        ASSERT_EQ(CreateSoundDevice(), 1);
    }

    // A 16-bit mono sound at the mix rate, so its samples reach the mix unchanged.
    int LoadMono(uint16_t slot, const std::vector<int16_t>& samples,
                 const char* path = "GameData\\se.wav") {
        Put(path, MakeWav(WavFormat{}, Pcm16(samples)));
        return LoadWave(slot, path);
    }

    // Both channels of every frame equal expected * gain, frame by frame.
    static void ExpectMix(const std::vector<float>& mix, const std::vector<float>& expected) {
        ASSERT_EQ(mix.size(), expected.size() * 2);
        for (size_t i = 0; i < expected.size(); ++i) {
            ASSERT_NEAR(mix[i * 2], expected[i], kTolerance) << "frame " << i;
            ASSERT_NEAR(mix[i * 2 + 1], expected[i], kTolerance) << "frame " << i;
        }
    }

    static std::vector<float> Scaled(const std::vector<int16_t>& samples, float gain) {
        std::vector<float> out;
        for (int16_t s : samples)
            out.push_back(s / 32768.0f * gain);
        return out;
    }
};

// Loud but under the mixer's limiter, so that at full volume it reaches the mix unchanged.
const std::vector<int16_t> kRamp = {1000, -2000, 3000, -4000, 5000, 29000, -29000, 7};
// The ends of the 16-bit range, played quieter for the same reason.
const std::vector<int16_t> kFullScale = {1000, -2000, 32767, -32768, 5000, -6000, 7, -8};

TEST_F(WaveBankTest, APlayedSlotReachesTheMixAtItsVolumesGainAndSlotsAddUp) {
    ASSERT_EQ(LoadMono(3, kFullScale), 1);
    ASSERT_EQ(SetWaveVolume(3, 50), 1);
    ASSERT_EQ(PlayWave(3, 0), 1);
    const float half = std::pow(10.0f, -2499.0f / 2000.0f);
    std::vector<float> expected = Scaled(kFullScale, half);
    expected.resize(12, 0.0f); // played once: silence after its end
    ExpectMix(Render(12), expected);
    EXPECT_FALSE(platform::AudioSlotPlaying(3));

    // Two slots at once add up.
    const std::vector<int16_t> other = {100, 200, 300, 400, 500, 600, 700, 800};
    ASSERT_EQ(LoadMono(4, other, "GameData\\b.wav"), 1);
    PlayWave(3, 0);
    PlayWave(4, 0);
    std::vector<float> sum = Scaled(kFullScale, half);
    for (size_t i = 0; i < other.size(); ++i)
        sum[i] += other[i] / 32768.0f;
    ExpectMix(Render(8), sum);
}

TEST_F(WaveBankTest, StereoAndEightBitSamplesKeepTheirChannelsAndLevels) {
    // 8-bit PCM is unsigned around 128: 0x80 is silence, 0x00 the most negative value.
    std::string data = {'\x80', '\xFF', '\x00', '\x40'}; // frames (128, 255), (0, 64)
    Put("GameData\\st.wav", MakeWav(WavFormat{1, 2, 44100, 8}, data));
    ASSERT_EQ(LoadWave(0, "GameData\\st.wav"), 1);
    // Played quieter, so that the ends of the range stay under the mixer's limiter.
    ASSERT_EQ(SetWaveVolume(0, 80), 1);
    const float gain = std::pow(10.0f, -400.0f / 2000.0f);
    PlayWave(0, 0);
    const std::vector<float> mix = Render(2);
    EXPECT_FLOAT_EQ(mix[0], 0.0f);
    EXPECT_FLOAT_EQ(mix[1], 127 * 256 / 32768.0f * gain);
    EXPECT_FLOAT_EQ(mix[2], -1.0f * gain);
    EXPECT_FLOAT_EQ(mix[3], -64 * 256 / 32768.0f * gain);
}

TEST_F(WaveBankTest, OtherSampleRatesAreConvertedOnceAtLoad) {
    // 22050 Hz: every source frame becomes two, the second halfway to the next one.
    Put("GameData\\low.wav", MakeWav(WavFormat{1, 1, 22050, 16}, Pcm16({0, 1000, 3000})));
    ASSERT_EQ(LoadWave(1, "GameData\\low.wav"), 1);
    PlayWave(1, 0);
    ExpectMix(Render(7), Scaled({0, 500, 1000, 2000, 3000, 3000, 0}, 1.0f));
}

TEST_F(WaveBankTest, PlayingASoundingSlotStartsItAgainFromTheBeginning) {
    ASSERT_EQ(LoadMono(5, kRamp), 1);
    PlayWave(5, 0);
    Render(3);
    ASSERT_EQ(PlayWave(5, 0), 1);
    std::vector<float> expected = Scaled(kRamp, 1.0f);
    expected.resize(4);
    ExpectMix(Render(4), expected);
}

TEST_F(WaveBankTest, ALoopingSlotLoopsUntilPlayedAgainOnce) {
    ASSERT_EQ(LoadMono(6, {10, 20, 30}), 1);
    ASSERT_EQ(PlayWave(6, 1), 1);
    ExpectMix(Render(7), Scaled({10, 20, 30, 10, 20, 30, 10}, 1.0f));
    EXPECT_TRUE(platform::AudioSlotPlaying(6));
    // Any mode but 1 plays once.
    ASSERT_EQ(PlayWave(6, 2), 1);
    ExpectMix(Render(5), Scaled({10, 20, 30, 0, 0}, 1.0f));
}

TEST_F(WaveBankTest, ASlotPlaysFromItsPlayUntilTheMixHasPlayedItsLastFrame) {
    ASSERT_EQ(LoadMono(12, {10, 20, 30}), 1);
    EXPECT_FALSE(platform::AudioSlotPlaying(12));
    ASSERT_EQ(PlayWave(12, 0), 1);
    EXPECT_TRUE(platform::AudioSlotPlaying(12)); // at once, before the mix has taken it up
    ExpectMix(Render(2), Scaled({10, 20}, 1.0f));
    EXPECT_TRUE(platform::AudioSlotPlaying(12));
    ExpectMix(Render(1), Scaled({30}, 1.0f));
    EXPECT_FALSE(platform::AudioSlotPlaying(12));
    // Played again after its end it plays again; a new volume is not a new play.
    ASSERT_EQ(PlayWave(12, 0), 1);
    EXPECT_TRUE(platform::AudioSlotPlaying(12));
    ASSERT_EQ(SetWaveVolume(12, 100), 1);
    EXPECT_TRUE(platform::AudioSlotPlaying(12));
    ReleaseWave(12);
    EXPECT_FALSE(platform::AudioSlotPlaying(12));
    ExpectMix(Render(3), std::vector<float>(3, 0.0f));
}

TEST_F(WaveBankTest, CommandsBetweenTwoBuffersSoundAsTheyWouldOneAfterTheOther) {
    // Loop, then once: once. Played, then given a new sound: the new one waits, silent.
    ASSERT_EQ(LoadMono(13, {10, 20}), 1);
    PlayWave(13, 1);
    PlayWave(13, 0);
    ExpectMix(Render(4), Scaled({10, 20, 0, 0}, 1.0f));
    PlayWave(13, 1);
    ASSERT_EQ(LoadMono(13, {-7, -8, -9}, "GameData\\other.wav"), 1);
    ExpectMix(Render(3), std::vector<float>(3, 0.0f));
    // A volume set after a play and before the buffer is the volume the buffer hears; a sound
    // released and loaded again plays its new samples at full volume.
    PlayWave(13, 0);
    SetWaveVolume(13, 50);
    const float half = std::pow(10.0f, -2499.0f / 2000.0f);
    ExpectMix(Render(3), Scaled({-7, -8, -9}, half));
    ReleaseWave(13);
    ASSERT_EQ(LoadMono(13, {40, 50}), 1);
    PlayWave(13, 0);
    ExpectMix(Render(3), Scaled({40, 50, 0}, 1.0f));
}

TEST_F(WaveBankTest, VolumesAboveTheScaleAreFullAndZeroOrBelowIsSilence) {
    EXPECT_EQ(WaveVolumeToAttenuation(50), -2499);
    EXPECT_EQ(WaveVolumeToAttenuation(100), 0);
    EXPECT_EQ(WaveVolumeToAttenuation(101), 0);
    EXPECT_EQ(WaveVolumeToAttenuation(0), -10000);
    EXPECT_EQ(WaveVolumeToAttenuation(-1), -10000);
    EXPECT_EQ(WaveVolumeToAttenuation(90), -100);
    for (int v = 0; v <= 100; ++v) {
        const int exact = -(100 - v) * (100 - v);
        const int got = WaveVolumeToAttenuation(v);
        EXPECT_TRUE(got == exact || got == exact + 1) << "volume " << v << " gave " << got;
    }

    ASSERT_EQ(LoadMono(7, kRamp), 1);
    for (int volume : {101, 1000}) {
        ASSERT_EQ(SetWaveVolume(7, volume), 1);
        PlayWave(7, 0);
        ExpectMix(Render(8), Scaled(kRamp, 1.0f));
    }
    for (int volume : {0, -1, -500}) {
        ASSERT_EQ(SetWaveVolume(7, volume), 1);
        PlayWave(7, 0);
        ExpectMix(Render(8), std::vector<float>(8, 0.0f));
    }
}

TEST_F(WaveBankTest, EmptyAndOutOfRangeSlotsRefuseEverything) {
    EXPECT_EQ(PlayWave(9, 0), 0);
    EXPECT_EQ(SetWaveVolume(9, 50), 0);
    Put("GameData\\se.wav", MakeWav(WavFormat{}, Pcm16({1, 2})));
    EXPECT_EQ(LoadWave(32, "GameData\\se.wav"), 0);
    EXPECT_EQ(LoadWave(65535, "GameData\\se.wav"), 0);
    EXPECT_EQ(PlayWave(32, 0), 0);
    EXPECT_EQ(SetWaveVolume(32, 50), 0);
    ReleaseWave(40);
    ExpectMix(Render(4), std::vector<float>(4, 0.0f));
}

TEST_F(WaveBankTest, LoadingIntoAnOccupiedSlotReleasesTheOldSound) {
    ASSERT_EQ(LoadMono(8, {1000, 1000, 1000, 1000}), 1);
    PlayWave(8, 1);
    Render(2);
    ASSERT_EQ(LoadMono(8, {-5, -6}, "GameData\\new.wav"), 1);
    ExpectMix(Render(4), std::vector<float>(4, 0.0f)); // the old loop is gone, the new one waits
    EXPECT_STREQ(TheWaveBank().names[8].data(), "GameData\\new.wav");
    PlayWave(8, 0);
    ExpectMix(Render(3), Scaled({-5, -6, 0}, 1.0f));
}

TEST_F(WaveBankTest, ANonPcmFileIsRefusedWithItsMessageAndLeavesTheSlotEmpty) {
    ASSERT_EQ(LoadMono(2, kRamp), 1);
    Put("GameData\\float.wav", MakeWav(WavFormat{3, 1, 44100, 32}, std::string(16, '\0')));
    EXPECT_EQ(LoadWave(2, "GameData\\float.wav"), 0);
    EXPECT_EQ(headless::DebugText(),
              "WAVE[GameData\\float.wav]はPCMフォーマットではありません。\n");
    EXPECT_EQ(PlayWave(2, 0), 0);
    EXPECT_FALSE(platform::AudioSlotFilled(2));
    // A failed load keeps the path it tried.
    EXPECT_STREQ(TheWaveBank().names[2].data(), "GameData\\float.wav");
}

TEST_F(WaveBankTest, AMissingFileGivesTheOpenMessage) {
    EXPECT_EQ(LoadWave(0, "GameData\\none.wav"), 0);
    EXPECT_EQ(headless::DebugText(), "WAVE[GameData\\none.wav]のオープンに失敗しました。\n");
}

TEST_F(WaveBankTest, ChunksAreWalkedWithPadBytesAndTheFormatIsTheFirstSubChunk) {
    // An odd-sized chunk between format and data is skipped with its pad byte.
    const std::string data = Pcm16({111, 222});
    Put("GameData\\pad.wav",
        Riff(FormatChunk(WavFormat{}) + Chunk("LIST", "abc") + Chunk("data", data)));
    ASSERT_EQ(LoadWave(0, "GameData\\pad.wav"), 1);
    PlayWave(0, 0);
    ExpectMix(Render(2), Scaled({111, 222}, 1.0f));

    // The first sub-chunk is taken as the format whatever its name: here a chunk whose bytes
    // happen to read as a PCM format loads, and a real format chunk behind it is ignored.
    std::string fake = FormatChunk(WavFormat{1, 1, 44100, 8}).substr(8);
    Put("GameData\\first.wav", Riff(Chunk("junk", fake) + FormatChunk(WavFormat{}) +
                                    Chunk("data", std::string("\xC0\x40", 2))));
    ASSERT_EQ(LoadWave(1, "GameData\\first.wav"), 1);
    PlayWave(1, 0);
    ExpectMix(Render(2), Scaled({64 * 256, -64 * 256}, 1.0f));
}

struct BadWave {
    const char* name;
    std::string bytes;
};

class BadWaveTest : public WaveBankTest, public ::testing::WithParamInterface<BadWave> {};

TEST_P(BadWaveTest, IsRefusedWithOneLineAndLeavesTheSlotEmpty) {
    ASSERT_EQ(LoadMono(4, kRamp, "GameData\\good.wav"), 1);
    Put("GameData\\bad.wav", GetParam().bytes);
    EXPECT_EQ(LoadWave(4, "GameData\\bad.wav"), 0);
    EXPECT_FALSE(platform::AudioSlotFilled(4));
    EXPECT_EQ(PlayWave(4, 0), 0);
    ASSERT_EQ(headless::DebugLines().size(), 1u);
    EXPECT_EQ(headless::DebugLines()[0].rfind("WAVE[GameData\\bad.wav]", 0), 0u)
        << headless::DebugLines()[0];
}

std::string Truncated() {
    std::string w = MakeWav(WavFormat{}, Pcm16(kRamp));
    return w.substr(0, w.size() - 5);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadWaveTest,
    ::testing::Values(
        BadWave{"Empty", ""}, BadWave{"NotRiff", "RIFX" + std::string(40, 'x')},
        BadWave{"RiffButNotWave", Chunk("RIFF", "AVI " + FormatChunk(WavFormat{}))},
        BadWave{"Truncated", Truncated()},
        BadWave{"CutInsideTheFormat", Riff(FormatChunk(WavFormat{})).substr(0, 26)},
        BadWave{"NoDataChunk", Riff(FormatChunk(WavFormat{}) + Chunk("LIST", "ab"))},
        BadWave{"ChunkSizeBeyondTheFile",
                Riff(FormatChunk(WavFormat{}) + Chunk("LIST", "ab", 0x7FFFFFF0) +
                     Chunk("data", Pcm16({1, 2})))},
        BadWave{"GigabytesOfData",
                Riff(FormatChunk(WavFormat{}) + Chunk("data", Pcm16({1, 2}), 0xFFFFFFF0))},
        BadWave{"ZeroChannels", MakeWav(WavFormat{1, 0, 44100, 16, 2}, Pcm16({1, 2}))},
        BadWave{"ZeroSampleRate", MakeWav(WavFormat{1, 1, 0, 16}, Pcm16({1, 2}))},
        BadWave{"BlockAlignMismatch", MakeWav(WavFormat{1, 2, 44100, 16, 2}, Pcm16({1, 2}))},
        BadWave{"TwentyFourBits", MakeWav(WavFormat{1, 1, 44100, 24}, std::string(6, '\1'))},
        BadWave{"NoWholeBlock", MakeWav(WavFormat{1, 2, 44100, 16}, Pcm16({1}))},
        BadWave{"FirstSubChunkNotAFormat",
                Riff(Chunk("LIST", std::string(18, '\x07')) + FormatChunk(WavFormat{}) +
                     Chunk("data", Pcm16({1, 2})))}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(WaveBankTest, ALostSlotIsReloadedOnPlayAndPlaysOnTheNextCall) {
    ASSERT_EQ(LoadMono(10, kRamp), 1);
    SetWaveVolume(10, 100);
    headless::LoseAudioSlot(10);
    EXPECT_EQ(PlayWave(10, 0), 1);
    EXPECT_EQ(headless::DebugText(), "WAVE[GameData\\se.wav]をリロードしました\n");
    ExpectMix(Render(8), std::vector<float>(8, 0.0f)); // reloaded, not played
    EXPECT_EQ(PlayWave(10, 0), 1);
    ExpectMix(Render(8), Scaled(kRamp, 1.0f));

    // When the file has gone meanwhile, the reload fails and the slot is empty.
    std::filesystem::remove("GameData/se.wav");
    headless::LoseAudioSlot(10);
    EXPECT_EQ(PlayWave(10, 0), 1);
    EXPECT_NE(headless::DebugText().find("WAVE[GameData\\se.wav]のリロードに失敗しました\n"),
              std::string::npos);
    EXPECT_EQ(PlayWave(10, 0), 0);
}

TEST_F(WaveBankTest, ASlotLostWhileFillingIsRestoredOnce) {
    headless::LoseAudioSlot(11);
    ASSERT_EQ(LoadMono(11, kRamp), 1);
    PlayWave(11, 0);
    ExpectMix(Render(8), Scaled(kRamp, 1.0f));
}

TEST_F(WaveBankTest, ShutdownReleasesEverySlotAndTheDevice) {
    ASSERT_EQ(LoadMono(0, kRamp), 1);
    ASSERT_EQ(LoadMono(31, kRamp), 1);
    { WaveBank atExit = TheWaveBank(); } // what the bank's destruction at exit does
    EXPECT_FALSE(platform::AudioSlotFilled(0));
    EXPECT_FALSE(platform::AudioSlotFilled(31));
    EXPECT_FALSE(platform::AudioDeviceOpen());
}

class SoundDeviceTest : public testing::SoundTest {};

int g_gameStarts = 0;
int CountStart() {
    return ++g_gameStarts;
}

TEST_F(SoundDeviceTest, WithoutAudioStartUpEndsAfterItsMessage) {
    headless::SetAudioAvailable(false);
    EXPECT_EQ(WinMain(GameEntry{CountStart, nullptr}), 0);
    EXPECT_EQ(g_gameStarts, 0);
    ASSERT_EQ(headless::MessageBoxes().size(), 1u);
    EXPECT_EQ(headless::MessageBoxes()[0].text, "DirectSoundの構築に失敗しました。");
}

TEST_F(SoundDeviceTest, WithoutTheMainWindowTheCooperativeLevelIsRefused) {
    EXPECT_EQ(CreateSoundDevice(), 0);
    ASSERT_EQ(headless::MessageBoxes().size(), 1u);
    EXPECT_EQ(headless::MessageBoxes()[0].text, "DirectSoundの協調レベル設定が拒否されました。");
    EXPECT_FALSE(platform::AudioDeviceOpen());
}

} // namespace
} // namespace tessary
