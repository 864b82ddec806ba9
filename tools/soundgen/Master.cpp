#include "Master.h"

#include <algorithm>
#include <cmath>
#include <deque>

#include "Biquad.h"
#include "Meter.h"

namespace {
double Gain(double db) { return std::pow(10.0, db / 20.0); }

Meter::Channels Copy(const Channels& sound) {
  Meter::Channels copy;
  for (const Buffer* c : sound) copy.push_back(*c);
  return copy;
}

}  // namespace

void HighPass(const Channels& sound, double freq, bool loop) {
  for (Buffer* c : sound) {
    Biquad filter;
    filter.HighPass(freq, 0.70710678);
    Buffer out(c->size());
    for (int pass = loop ? 0 : 1; pass < 2; ++pass)
      for (size_t i = 0; i < c->size(); ++i) out[i] = filter.Process((*c)[i]);
    *c = out;
  }
}

void Limit(const Channels& sound, double ceiling, double release, bool loop) {
  if (sound.empty() || sound[0]->empty()) return;
  const long n = (long)sound[0]->size(), ahead = Samples(0.0015);
  // The gain each frame needs; outside a one-shot nothing needs any.
  std::vector<double> need(n);
  for (long i = 0; i < n; ++i) {
    double loudest = 0.0;
    for (const Buffer* c : sound) loudest = std::max(loudest, std::fabs((*c)[i]));
    need[i] = loudest > ceiling ? ceiling / loudest : 1.0;
  }
  const auto at = [&](long i) {
    if (loop) return need[((i % n) + n) % n];
    return i < 0 || i >= n ? 1.0 : need[i];
  };
  // low[j + ahead]: the lowest need over the look-ahead from frame j (a sliding minimum).
  std::vector<double> low(n + ahead);
  std::deque<long> window;
  for (long k = -ahead; k < n + ahead; ++k) {
    while (!window.empty() && at(window.back()) >= at(k)) window.pop_back();
    window.push_back(k);
    const long j = k - ahead;
    if (j < -ahead) continue;
    while (window.front() < j) window.pop_front();
    low[j + ahead] = at(window.front());
  }
  const auto low_at = [&](long j) {
    return loop ? low[((j % n) + n) % n + ahead] : low[j + ahead];
  };
  // The average of those minimums over the look-ahead behind each frame: each of them covers
  // that frame, so the gain never lies above what the frame needs.
  std::vector<double> gain(n);
  double g = 1.0;
  const double back = 1.0 - std::exp(-1.0 / (release * SAMPLE_RATE));
  for (int pass = loop ? 0 : 1; pass < 2; ++pass) {
    double sum = 0.0;
    for (long j = -ahead + 1; j <= 0; ++j) sum += low_at(j);
    for (long i = 0; i < n; ++i) {
      if (i > 0) sum += low_at(i) - low_at(i - ahead);
      g = std::min(sum / ahead, g + (1.0 - g) * back);
      gain[i] = g;
    }
  }
  for (Buffer* c : sound)
    for (long i = 0; i < n; ++i) (*c)[i] = std::max(-ceiling, std::min(ceiling, (*c)[i] * gain[i]));
}

void Scale(const Channels& sound, double gain) {
  for (Buffer* c : sound)
    for (double& x : *c) x *= gain;
}

void MasterEffect(Buffer& effect, double loudness_db, double ceiling_db) {
  const Channels sound{&effect};
  HighPass(sound, 40.0, false);
  Scale(sound, Gain(loudness_db) / Meter::Loudness(Copy(sound)));
  Limit(sound, Gain(ceiling_db), 0.04, false);
  double mean = 0.0;
  for (double x : effect) mean += x / effect.size();
  for (double& x : effect) x -= mean;
  FadeEdges(effect, 0.001, 0.02);
}

// A gentle saturation: unchanged up to `knee` x ceiling, then bending smoothly towards the ceiling.
void Saturate(const Channels& sound, double ceiling, double knee) {
  const double k = knee * ceiling, room = ceiling - k;
  for (Buffer* c : sound)
    for (double& x : *c) {
      const double a = std::fabs(x);
      if (a > k) x = std::copysign(k + room * std::tanh((a - k) / room), x);
    }
}

void MasterLoop(Buffer& left, Buffer& right, double rms_db, double ceiling_db) {
  const Channels sound{&left, &right};
  HighPass(sound, 75.0, true);
  // The limiter, set 4 dB over the ceiling, rides the slow swells; the saturation then rounds
  // off what is left of the peaks. A few rounds bring the level to its mark.
  for (int round = 0; round < 5; ++round) {
    Scale(sound, Gain(rms_db) / Meter::Rms(Copy(sound)));
    Limit(sound, Gain(ceiling_db + 4.0), 0.3, true);
    Saturate(sound, Gain(ceiling_db), 0.9);
  }
  for (Buffer* c : sound) {
    double mean = 0.0;
    for (double x : *c) mean += x / c->size();
    for (double& x : *c) x -= mean;
  }
  // No fade at the ends: the loop runs on from its last sample into its first, and the
  // player's fade-in takes the click off a start.
}
