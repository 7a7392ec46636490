#include "mix_limiter.h"

#include <algorithm>
#include <cmath>

#include "platform/audio.h"

namespace platform::audio {
namespace {

// The peak heard decays to about a third in 50 ms: quick enough that a limited moment is not heard
// as a dip afterwards, slow enough that the gain does not follow the waveform and distort it.
const float kRelease = static_cast<float>(std::exp(-1.0 / (0.05 * kMixRate)));

// What a peak of `level` above the threshold becomes: the same slope at the threshold, and
// approaching the ceiling under full scale however loud the sum.
float Bent(float level) {
    constexpr float room = MixLimiter::kCeiling - MixLimiter::kThreshold;
    return MixLimiter::kThreshold + room * std::tanh((level - MixLimiter::kThreshold) / room);
}

} // namespace

void MixLimiter::Apply(float* out, int frames) {
    for (int i = 0; i < frames; ++i) {
        float* frame = out + static_cast<size_t>(i) * 2;
        const float peak = std::max(std::fabs(frame[0]), std::fabs(frame[1]));
        envelope_ = std::max(peak, envelope_ * kRelease);
        if (envelope_ <= kThreshold) continue;
        const float gain = Bent(envelope_) / envelope_;
        frame[0] *= gain;
        frame[1] *= gain;
    }
}

} // namespace platform::audio
