// The gentle limiter on the summed mix. Internal to platform/.
//
// Below its threshold, just under full scale, it leaves the mix untouched, sample for sample.
// Louder peaks are bent smoothly under full scale by a gain that follows the peak at once and
// recovers over some tens of milliseconds, so a pile-up of sounds keeps its shape instead of
// having its tops cut off, and the clamp behind it never has to act.
#pragma once

namespace platform::audio {

class MixLimiter {
  public:
    static constexpr float kThreshold = 0.891f; // -1 dBFS
    static constexpr float kCeiling = 0.995f;   // what the loudest sum approaches

    // Limits interleaved stereo frames in place, both channels by the same gain.
    void Apply(float* out, int frames);

    // Forgets the loudness heard so far, as in a fresh process.
    void Reset() { envelope_ = 0.0f; }

  private:
    float envelope_ = 0.0f; // the recent peak, decaying toward the present level
};

} // namespace platform::audio
