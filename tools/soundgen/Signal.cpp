#include "Signal.h"

#include <algorithm>
#include <cmath>

namespace {
const double PI = 3.14159265358979323846;
}

int Samples(double seconds) { return (int)std::lround(seconds * SAMPLE_RATE); }

double Sine(double phase) { return std::sin(2.0 * PI * phase); }

double Saw(double phase) {
  double f = phase - std::floor(phase);
  return 2.0 * f - 1.0;
}

double Square(double phase, double duty) {
  double f = phase - std::floor(phase);
  return f < duty ? 1.0 : -1.0;
}

double Triangle(double phase) {
  double f = phase - std::floor(phase);
  return f < 0.5 ? 4.0 * f - 1.0 : 3.0 - 4.0 * f;
}

double NoteFreq(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

double AttackDecay(double t, double attack, double decay) {
  if (t < 0.0) return 0.0;
  if (t < attack) return t / attack;
  return std::exp(-6.907755 * (t - attack) / decay);
}

double AttackRelease(double t, double attack, double release, double length) {
  if (t < 0.0 || t >= length) return 0.0;
  double a = t < attack ? t / attack : 1.0;
  double r = t > length - release ? (length - t) / release : 1.0;
  return std::min(a, r);
}

double Peak(const Buffer& buffer) {
  double peak = 0.0;
  for (double x : buffer) peak = std::max(peak, std::fabs(x));
  return peak;
}

void Normalize(Buffer& buffer, double peak) {
  double p = Peak(buffer);
  if (p <= 0.0) return;
  for (double& x : buffer) x *= peak / p;
}

void NormalizePair(Buffer& left, Buffer& right, double peak) {
  double p = std::max(Peak(left), Peak(right));
  if (p <= 0.0) return;
  for (double& x : left) x *= peak / p;
  for (double& x : right) x *= peak / p;
}

void FadeEdges(Buffer& buffer, double in_seconds, double out_seconds) {
  size_t n = buffer.size();
  size_t in = std::min(n, (size_t)Samples(in_seconds));
  size_t out = std::min(n, (size_t)Samples(out_seconds));
  for (size_t i = 0; i < in; ++i) buffer[i] *= (double)i / in;
  for (size_t i = 0; i < out; ++i) buffer[n - 1 - i] *= (double)i / out;
}

void DieAway(Buffer& buffer, double seconds) {
  const size_t n = buffer.size(), span = std::min(n, (size_t)Samples(seconds));
  for (size_t i = 0; i < span; ++i)
    buffer[n - span + i] *= std::pow(10.0, -3.0 * (i + 1) / (double)span);
}
