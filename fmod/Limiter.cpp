#include "fmod/Limiter.h"

#include <algorithm>
#include <cmath>

namespace FMOD {

void Limiter::Reset() {
  std::fill(delay, delay + LOOKAHEAD * CHANNELS, 0.0f);
  std::fill(targets, targets + LOOKAHEAD + 1, 1.0f);
  std::fill(lows, lows + LOOKAHEAD, 1.0f);
  low_sum = LOOKAHEAD;
  gain = 1.0;
  at = 0;
}

void Limiter::Process(float* samples, int frames) {
  for (int f = 0; f < frames; ++f) {
    float* frame = samples + f * CHANNELS;
    float loudest = 0.0f;
    for (int c = 0; c < CHANNELS; ++c) {
      // A sample that is not a number is silence.
      if (!std::isfinite(frame[c])) frame[c] = 0.0f;
      loudest = std::max(loudest, std::fabs(frame[c]));
    }
    // The gain this frame needs, and the lowest that any frame now in the delay needs.
    targets[at % (LOOKAHEAD + 1)] = loudest > CEILING ? CEILING / loudest : 1.0f;
    float low = *std::min_element(targets, targets + LOOKAHEAD + 1);
    // Averaged over the look-ahead, the gain glides down before a peak leaves the delay
    // and never lies above what that peak needs.
    low_sum += low - lows[at % LOOKAHEAD];
    lows[at % LOOKAHEAD] = low;
    double glide = std::min(1.0, low_sum / LOOKAHEAD);
    gain = std::min(glide, gain + (1.0 - gain) * RELEASE);
    for (int c = 0; c < CHANNELS; ++c) {
      float& slot = delay[(at % LOOKAHEAD) * CHANNELS + c];
      float out = (float)(slot * gain);
      slot = frame[c];
      frame[c] = std::max(-CEILING, std::min(CEILING, out));
    }
    at = (at + 1) % (LOOKAHEAD * (LOOKAHEAD + 1));
  }
}

}  // namespace FMOD
