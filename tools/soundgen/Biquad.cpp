#include "Biquad.h"

#include <cmath>

#include "Signal.h"

namespace {
const double PI = 3.14159265358979323846;

// Keeps the centre frequency inside the usable band.
double Clamp(double freq) {
  if (freq < 10.0) return 10.0;
  if (freq > SAMPLE_RATE * 0.45) return SAMPLE_RATE * 0.45;
  return freq;
}
}  // namespace

Biquad::Biquad()
    : b0(1.0), b1(0.0), b2(0.0), a1(0.0), a2(0.0), x1(0.0), x2(0.0), y1(0.0), y2(0.0) {}

void Biquad::Set(double nb0, double nb1, double nb2, double a0, double na1, double na2) {
  b0 = nb0 / a0;
  b1 = nb1 / a0;
  b2 = nb2 / a0;
  a1 = na1 / a0;
  a2 = na2 / a0;
}

void Biquad::LowPass(double freq, double q) {
  double w = 2.0 * PI * Clamp(freq) / SAMPLE_RATE;
  double alpha = std::sin(w) / (2.0 * q);
  double c = std::cos(w);
  Set((1.0 - c) / 2.0, 1.0 - c, (1.0 - c) / 2.0, 1.0 + alpha, -2.0 * c, 1.0 - alpha);
}

void Biquad::HighPass(double freq, double q) {
  double w = 2.0 * PI * Clamp(freq) / SAMPLE_RATE;
  double alpha = std::sin(w) / (2.0 * q);
  double c = std::cos(w);
  Set((1.0 + c) / 2.0, -(1.0 + c), (1.0 + c) / 2.0, 1.0 + alpha, -2.0 * c, 1.0 - alpha);
}

void Biquad::BandPass(double freq, double q) {
  double w = 2.0 * PI * Clamp(freq) / SAMPLE_RATE;
  double alpha = std::sin(w) / (2.0 * q);
  double c = std::cos(w);
  Set(alpha, 0.0, -alpha, 1.0 + alpha, -2.0 * c, 1.0 - alpha);
}

double Biquad::Process(double x) {
  double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
  x2 = x1;
  x1 = x;
  y2 = y1;
  y1 = y;
  return y;
}

void Biquad::Reset() { x1 = x2 = y1 = y2 = 0.0; }

std::complex<double> Biquad::Response(double freq) const {
  const std::complex<double> z1 = std::polar(1.0, -2.0 * PI * freq / SAMPLE_RATE);
  return (b0 + b1 * z1 + b2 * z1 * z1) / (1.0 + a1 * z1 + a2 * z1 * z1);
}
