#include "fmod/Resampler.h"

namespace FMOD {

Resampler::Resampler() { Reset(RATE, 2); }

void Resampler::Reset(long rate, int width) {
  SetFormat(rate, width);
  // The first input frame is taken before the first output frame, which then falls on it.
  at = 1.0;
  last[0] = last[1] = 0.0f;
}

void Resampler::SetFormat(long rate, int width) {
  step = (double)(rate > 0 ? rate : 1) / RATE;
  channels = width > 0 ? width : 1;
}

void Resampler::Take(const float* frame) {
  last[0] = frame[0];
  last[1] = channels > 1 ? frame[1] : frame[0];
}

size_t Resampler::Convert(const float* in, size_t frames, size_t* used, float* out,
                          size_t out_frames) {
  size_t taken = 0, written = 0;
  while (written < out_frames) {
    while (at >= 1.0 && in && taken < frames) {
      Take(in + taken * channels);
      ++taken;
      at -= 1.0;
    }
    if (at >= 1.0) break;
    float next[2] = {last[0], last[1]};
    if (in) {
      if (taken >= frames) break;
      const float* frame = in + taken * channels;
      next[0] = frame[0];
      next[1] = channels > 1 ? frame[1] : frame[0];
    }
    const float t = (float)at;
    out[2 * written] = last[0] + t * (next[0] - last[0]);
    out[2 * written + 1] = last[1] + t * (next[1] - last[1]);
    ++written;
    at += step;
  }
  *used = taken;
  return written;
}

}  // namespace FMOD
