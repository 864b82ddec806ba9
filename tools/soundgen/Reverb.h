#pragma once

#include <cstddef>
#include <vector>

// Small Schroeder reverb: four feedback combs into two all-passes.
class Reverb {
public:
  Reverb(double room, double damping, int spread);
  double Process(double x);

private:
  struct Line {
    std::vector<double> buffer;
    size_t pos;
    double store;
  };
  std::vector<Line> combs;
  std::vector<Line> allpasses;
  double feedback;
  double damping;
};
