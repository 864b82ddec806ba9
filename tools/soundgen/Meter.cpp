#include "Meter.h"

#include <algorithm>
#include <cmath>

#include "Biquad.h"

namespace Meter {

namespace {
const double PI = 3.14159265358979323846;
// The two sections of a fourth-order Butterworth filter.
const double BUTTERWORTH_Q[2] = {0.54119610, 1.30656296};

double Energy(const Channels& sound) {
  double sum = 0.0;
  for (const Buffer& c : sound)
    for (double x : c) sum += x * x;
  return sum;
}

size_t Frames(const Channels& sound) { return sound.empty() ? 0 : sound[0].size(); }

// An analog section (n2 s^2 + n1 s + n0) / (d2 s^2 + d1 s + d0) through the bilinear transform.
void Bilinear(Biquad& f, double n2, double n1, double n0, double d2, double d1, double d0) {
  const double k = 2.0 * SAMPLE_RATE;
  f.Set(n2 * k * k + n1 * k + n0, 2.0 * (n0 - n2 * k * k), n2 * k * k - n1 * k + n0,
        d2 * k * k + d1 * k + d0, 2.0 * (d0 - d2 * k * k), d2 * k * k - d1 * k + d0);
}

// An analog pole frequency, in radians, that the bilinear transform puts at `freq`.
double Warped(double freq) { return 2.0 * SAMPLE_RATE * std::tan(PI * freq / SAMPLE_RATE); }

// The A-weighting curve: poles at 20.6 Hz (two), 107.7 Hz, 737.9 Hz and 12194 Hz (two),
// four zeros at 0 Hz, 0 dB at 1 kHz.
Channels AWeighted(const Channels& sound) {
  const double w1 = Warped(20.598997), w2 = Warped(107.65265);
  const double w3 = Warped(737.86223), w4 = Warped(12194.217);
  Channels out;
  for (const Buffer& c : sound) {
    Biquad s[3];
    Bilinear(s[0], 1.0, 0.0, 0.0, 1.0, 2.0 * w1, w1 * w1);
    Bilinear(s[1], 1.0, 0.0, 0.0, 1.0, w2 + w3, w2 * w3);
    Bilinear(s[2], 0.0, 0.0, 1.0, 1.0, 2.0 * w4, w4 * w4);
    const double gain =
        1.0 / std::abs(s[0].Response(1000.0) * s[1].Response(1000.0) * s[2].Response(1000.0));
    Buffer y(c.size());
    for (size_t i = 0; i < c.size(); ++i)
      y[i] = gain * s[2].Process(s[1].Process(s[0].Process(c[i])));
    out.push_back(y);
  }
  return out;
}

Channels Split(const Channels& sound, double freq, bool low) {
  Channels out;
  for (const Buffer& c : sound) {
    Biquad s[2];
    for (int k = 0; k < 2; ++k) {
      if (low)
        s[k].LowPass(freq, BUTTERWORTH_Q[k]);
      else
        s[k].HighPass(freq, BUTTERWORTH_Q[k]);
    }
    Buffer y(c.size());
    for (size_t i = 0; i < c.size(); ++i) y[i] = s[1].Process(s[0].Process(c[i]));
    out.push_back(y);
  }
  return out;
}

double Share(const Channels& sound, double freq, bool low) {
  const double whole = Energy(sound);
  return whole > 0.0 ? Energy(Split(sound, freq, low)) / whole : 0.0;
}
}  // namespace

double Peak(const Channels& sound) {
  double peak = 0.0;
  for (const Buffer& c : sound) peak = std::max(peak, ::Peak(c));
  return peak;
}

double Rms(const Channels& sound) {
  const size_t n = Frames(sound) * sound.size();
  return n ? std::sqrt(Energy(sound) / n) : 0.0;
}

double Dc(const Channels& sound) {
  double dc = 0.0;
  for (const Buffer& c : sound) {
    if (c.empty()) continue;
    double sum = 0.0;
    for (double x : c) sum += x;
    if (std::fabs(sum / c.size()) > std::fabs(dc)) dc = sum / c.size();
  }
  return dc;
}

std::vector<double> BlockRms(const Channels& sound, double seconds) {
  const size_t frames = Frames(sound), block = std::max(1, Samples(seconds));
  std::vector<double> levels;
  for (size_t at = 0; at < frames; at += block) {
    const size_t end = std::min(frames, at + block);
    double sum = 0.0;
    for (const Buffer& c : sound)
      for (size_t i = at; i < end; ++i) sum += c[i] * c[i];
    levels.push_back(std::sqrt(sum / ((end - at) * sound.size())));
  }
  return levels;
}

double Loudness(const Channels& sound) {
  const std::vector<double> blocks = BlockRms(AWeighted(sound), 0.010);
  double loudest = 0.0;
  for (double b : blocks) loudest = std::max(loudest, b);
  double sum = 0.0;
  int counted = 0;
  for (double b : blocks)
    if (b > 0.0 && b >= loudest * 0.1) {
      sum += b * b;
      ++counted;
    }
  return counted ? std::sqrt(sum / counted) : 0.0;
}

double ShareBelow(const Channels& sound, double freq) { return Share(sound, freq, true); }

double ShareAbove(const Channels& sound, double freq) { return Share(sound, freq, false); }

double Db(double level) { return level > 0.0 ? 20.0 * std::log10(level) : -200.0; }

}  // namespace Meter
