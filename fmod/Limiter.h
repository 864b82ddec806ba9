#pragma once

namespace FMOD {

// The output stage after the mix. Channels are mixed in floating point, where a sum of many
// loud plays keeps its shape, and the limiter then turns the whole mix down just enough, and
// smoothly, that no sample goes above the ceiling (-1 dBFS). Anything under the ceiling passes
// unchanged, so a single sound plays exactly as loud as it is.
class Limiter {
public:
  static const int RATE = 44100;            // frames a second
  static const int CHANNELS = 2;            // interleaved
  static const int LOOKAHEAD = RATE / 500;  // 2 ms: the mix is heard this much later

  void Reset();
  // Limits interleaved stereo frames in place.
  void Process(float* samples, int frames);

private:
  static constexpr float CEILING = 0.891f;
  // Back towards full gain with a time constant of 100 ms.
  static constexpr double RELEASE = 1.0 / (0.1 * RATE);

  float delay[LOOKAHEAD * CHANNELS];
  float targets[LOOKAHEAD + 1];
  float lows[LOOKAHEAD];
  double low_sum;
  double gain;
  int at;
};

}  // namespace FMOD
