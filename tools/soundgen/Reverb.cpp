#include "Reverb.h"

namespace {
const int COMB_LENGTHS[4] = {1557, 1617, 1491, 1422};
const int ALLPASS_LENGTHS[2] = {556, 441};
}  // namespace

Reverb::Reverb(double room, double damp, int spread) : feedback(room), damping(damp) {
  for (int length : COMB_LENGTHS)
    combs.push_back(Line{std::vector<double>(length + spread, 0.0), 0, 0.0});
  for (int length : ALLPASS_LENGTHS)
    allpasses.push_back(Line{std::vector<double>(length + spread, 0.0), 0, 0.0});
}

double Reverb::Process(double x) {
  double out = 0.0;
  for (Line& c : combs) {
    double y = c.buffer[c.pos];
    c.store = y * (1.0 - damping) + c.store * damping;
    c.buffer[c.pos] = x + c.store * feedback;
    if (++c.pos == c.buffer.size()) c.pos = 0;
    out += y;
  }
  out *= 0.25;
  for (Line& a : allpasses) {
    double b = a.buffer[a.pos];
    a.buffer[a.pos] = out + b * 0.5;
    if (++a.pos == a.buffer.size()) a.pos = 0;
    out = b - out;
  }
  return out;
}
