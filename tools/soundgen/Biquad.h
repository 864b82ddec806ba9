#pragma once

#include <complex>

// Second-order filter (direct form I); coefficients may be changed while running.
class Biquad {
public:
  Biquad();
  void LowPass(double freq, double q);
  void HighPass(double freq, double q);
  void BandPass(double freq, double q);
  // Any coefficients: (b0 + b1/z + b2/z^2) / (a0 + a1/z + a2/z^2).
  void Set(double b0, double b1, double b2, double a0, double a1, double a2);
  double Process(double x);
  void Reset();
  // The filter's gain and phase at a frequency.
  std::complex<double> Response(double freq) const;

private:
  double b0, b1, b2, a1, a2;
  double x1, x2, y1, y2;
};
