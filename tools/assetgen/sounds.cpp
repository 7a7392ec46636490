#include "sounds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "wav_writer.h"

namespace assetgen {
namespace {

constexpr double kTwoPi = 6.28318530717958647692;

std::vector<double> Silence(double seconds) {
    return std::vector<double>(static_cast<size_t>(seconds * kSampleRate), 0.0);
}

// White noise from a fixed seed, so every build writes the same bytes.
struct Noise {
    uint32_t state;
    double Next() {
        state = state * 1664525u + 1013904223u;
        return static_cast<double>(state >> 8) / 8388608.0 - 1.0;
    }
};

// A one-pole low-pass; `cutoff` in hertz.
struct LowPass {
    double y = 0.0;
    double Step(double x, double cutoff) {
        const double a = 1.0 - std::exp(-kTwoPi * cutoff / kSampleRate);
        y += a * (x - y);
        return y;
    }
};

// Short fades at both ends so no effect starts or stops with a click.
void Soften(std::vector<double>& s) {
    const size_t fadeIn = std::min<size_t>(s.size() / 4, 40);
    const size_t fadeOut = std::min<size_t>(s.size() / 4, 220);
    for (size_t i = 0; i < fadeIn; ++i)
        s[i] *= static_cast<double>(i) / fadeIn;
    for (size_t i = 0; i < fadeOut; ++i)
        s[s.size() - 1 - i] *= static_cast<double>(i) / fadeOut;
}

// Scales the sound so that its peak lies at `dbfs`.
void Normalise(std::vector<double>& s, double dbfs) {
    double peak = 0.0;
    for (double v : s)
        peak = std::max(peak, std::abs(v));
    const double target = std::pow(10.0, dbfs / 20.0);
    if (peak > 0.0)
        for (double& v : s)
            v *= target / peak;
}

// `drive` above 1 saturates softly first, raising the loudness of spiky noise without clipping;
// the drives are tuned for a sound brought to this level before it.
constexpr double kDriveLevel = -1.94; // dBFS

std::vector<double> Finish(std::vector<double> s, double dbfs = kEffectPeak, double drive = 1.0) {
    if (drive > 1.0) {
        Normalise(s, kDriveLevel);
        for (double& v : s)
            v = std::tanh(drive * v);
    }
    Soften(s);
    Normalise(s, dbfs);
    return s;
}

// A band-limited-sounding square: a sine pushed through a soft clipper.
double SoftSquare(double phase, double drive) {
    return std::tanh(drive * std::sin(phase));
}

} // namespace

std::vector<double> ShotSound() {
    auto s = Silence(0.11);
    double phase = 0.0;
    LowPass lp;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double freq = 1500.0 * std::exp(-t * 18.0) + 380.0;
        phase += kTwoPi * freq / kSampleRate;
        const double env = std::exp(-t * 32.0);
        s[i] = lp.Step(SoftSquare(phase, 3.0), 5000.0) * env;
    }
    return Finish(s, kShotPeak);
}

std::vector<double> PiSound() {
    auto s = Silence(0.075);
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double env = std::exp(-t * 55.0);
        s[i] = (std::sin(kTwoPi * 1860.0 * t) + 0.35 * std::sin(kTwoPi * 3720.0 * t)) * env;
    }
    return Finish(s);
}

std::vector<double> BeatSound() {
    auto s = Silence(0.45);
    Noise noise{0x2545F491u};
    LowPass lp;
    double phase = 0.0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double cutoff = 4000.0 * std::exp(-t * 7.0) + 200.0;
        const double crunch = lp.Step(noise.Next(), cutoff) * std::exp(-t * 9.0);
        phase += kTwoPi * (260.0 * std::exp(-t * 9.0) + 45.0) / kSampleRate;
        const double thump = std::sin(phase) * std::exp(-t * 14.0);
        s[i] = 1.6 * crunch + 0.7 * thump;
    }
    return Finish(s, kEffectPeak, 2.5);
}

std::vector<double> BeatenSound() {
    auto s = Silence(2.0);
    Noise noise{0x9E3779B9u};
    LowPass lp, rumble;
    double phase = 0.0;
    // Four blasts in quick succession, then the long rumble of the wreck.
    const double blasts[4] = {0.0, 0.22, 0.41, 0.70};
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        double energy = 0.0;
        for (double start : blasts)
            if (t >= start) energy += std::exp(-(t - start) * 6.0);
        energy = std::min(energy, 1.6);
        const double n = noise.Next();
        const double crack = lp.Step(n, 2400.0 * std::exp(-t * 1.5) + 150.0);
        const double low = rumble.Step(n, 120.0);
        phase += kTwoPi * (70.0 * std::exp(-t * 2.0) + 30.0) / kSampleRate;
        s[i] = (crack * 1.4 + low * 3.0 + 0.5 * std::sin(phase)) * energy * std::exp(-t * 1.2);
    }
    return Finish(s, kEffectPeak, 3.0);
}

std::vector<double> OneUpSound() {
    auto s = Silence(0.75);
    // C6 E6 G6 C7, each note ringing on under the next.
    const double notes[4] = {1046.5, 1318.5, 1568.0, 2093.0};
    for (int n = 0; n < 4; ++n) {
        const size_t start = static_cast<size_t>(n * 0.085 * kSampleRate);
        for (size_t i = start; i < s.size(); ++i) {
            const double t = static_cast<double>(i - start) / kSampleRate;
            const double env = std::exp(-t * (n == 3 ? 5.0 : 9.0));
            s[i] += (SoftSquare(kTwoPi * notes[n] * t, 1.5) * 0.6 +
                     std::sin(kTwoPi * notes[n] * 2.0 * t) * 0.2) *
                    env * 0.5;
        }
    }
    return Finish(s);
}

std::vector<double> WarnSound() {
    auto s = Silence(1.6);
    double phase = 0.0;
    LowPass lp;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        // Alternating low and high tones, four times a second, each gated with a soft edge.
        const int slot = static_cast<int>(t * 5.0);
        const double within = t * 5.0 - slot;
        const double freq = slot % 2 == 0 ? 620.0 : 880.0;
        phase += kTwoPi * freq / kSampleRate;
        const double gate = std::min(1.0, std::min(within, 1.0 - within) * 12.0);
        const double saw = 2.0 * (phase / kTwoPi - std::floor(phase / kTwoPi)) - 1.0;
        s[i] = lp.Step(0.6 * saw + 0.5 * SoftSquare(phase, 2.0), 3000.0) * gate;
    }
    return Finish(s);
}

} // namespace assetgen
