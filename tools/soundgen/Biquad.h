#pragma once

// Second-order filter (direct form I); coefficients may be changed while running.
class Biquad {
public:
  Biquad();
  void LowPass(double freq, double q);
  void HighPass(double freq, double q);
  void BandPass(double freq, double q);
  double Process(double x);
  void Reset();

private:
  void Set(double b0, double b1, double b2, double a0, double a1, double a2);
  double b0, b1, b2, a1, a2;
  double x1, x2, y1, y2;
};
