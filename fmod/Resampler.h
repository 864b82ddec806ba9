#pragma once

#include <cstddef>

namespace FMOD {

// Turns frames of any rate and channel count into the mix's format, stereo at 44.1 kHz, a block
// at a time: a mono source goes to both sides, a wider one gives its first two channels. Each
// output frame lies between two input frames (linear interpolation); positions are kept in
// doubles, so no rate can overflow a count. At 44.1 kHz every frame passes unchanged.
class Resampler {
public:
  static const int RATE = 44100;

  Resampler();
  // Starts anew on input of this rate (frames a second, at least 1) and width.
  void Reset(long rate, int channels);
  // Takes the next input of this rate and width, carrying on from the frames given so far.
  void SetFormat(long rate, int channels);
  // Converts from `in` (`frames` interleaved frames) into `out` until either runs out; returns
  // the frames written and sets *used to the input frames taken. With `in` null, the input has
  // ended: the last frame is held for the frames that still fall before it.
  size_t Convert(const float* in, size_t frames, size_t* used, float* out, size_t out_frames);

private:
  void Take(const float* frame);

  double step;  // input frames per output frame
  double at;    // the next output frame's place after `last`, in input frames
  float last[2];
  int channels;
};

}  // namespace FMOD
