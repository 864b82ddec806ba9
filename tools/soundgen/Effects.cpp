#include "Effects.h"

#include <algorithm>
#include <cmath>

#include "Biquad.h"
#include "Master.h"
#include "Reverb.h"
#include "Rng.h"

namespace {
// The effects are mastered as a set: the same A-weighted loudness for every cue (the refusal a
// little softer), with peaks under -6.5 dBFS so that overlaps keep their headroom.
const double EFFECT_LOUDNESS_DB = -22.0;
const double SOFT_LOUDNESS_DB = -26.0;
const double EFFECT_CEILING_DB = -6.5;

// Blade through the air: band-passed noise whose centre sweeps from `from` to `to`.
void AddSwish(Buffer& out, Rng& rng, double start, double length, double from, double to, double q,
              double gain) {
  Biquad band;
  int first = Samples(start);
  int n = Samples(length);
  for (int i = 0; i < n && first + i < (int)out.size(); ++i) {
    double u = (double)i / n;
    band.BandPass(from * std::pow(to / from, u), q);
    // Swells quickly, fades slower.
    double env = std::sin(3.14159265 * std::pow(u, 0.6));
    out[first + i] += gain * env * band.Process(rng.Noise());
  }
}

// Metal ring: a few inharmonic partials that decay at their own rate.
void AddRing(Buffer& out, double start, double base, double decay, double gain) {
  const double ratios[4] = {1.0, 1.47, 2.09, 2.73};
  const double levels[4] = {1.0, 0.6, 0.4, 0.25};
  int first = Samples(start);
  for (int i = first; i < (int)out.size(); ++i) {
    double t = (double)(i - first) / SAMPLE_RATE;
    double s = 0.0;
    for (int k = 0; k < 4; ++k)
      s += levels[k] * Sine(base * ratios[k] * t) * AttackDecay(t, 0.002, decay / (1.0 + 0.5 * k));
    out[i] += gain * s;
  }
}

// Low body blow: a sine whose pitch falls quickly.
void AddThump(Buffer& out, double start, double from, double to, double decay, double gain) {
  int first = Samples(start);
  double phase = 0.0;
  for (int i = first; i < (int)out.size(); ++i) {
    double t = (double)(i - first) / SAMPLE_RATE;
    double f = to + (from - to) * std::exp(-t * 25.0);
    phase += f / SAMPLE_RATE;
    out[i] += gain * Sine(phase) * AttackDecay(t, 0.003, decay);
  }
}

void Finish(Buffer& out, double loudness_db = EFFECT_LOUDNESS_DB) {
  MasterEffect(out, loudness_db, EFFECT_CEILING_DB);
}
}  // namespace

Buffer MakeSlash() {
  Rng rng(0x51a5);
  Buffer out(Samples(0.30), 0.0);
  AddSwish(out, rng, 0.0, 0.22, 1200.0, 5200.0, 1.4, 1.0);
  AddRing(out, 0.05, 2300.0, 0.18, 0.05);
  Finish(out);
  return out;
}

Buffer MakeSuperSlash() {
  Rng rng(0x5a5a);
  Buffer out(Samples(0.60), 0.0);
  AddSwish(out, rng, 0.0, 0.38, 500.0, 3800.0, 1.1, 1.0);
  AddSwish(out, rng, 0.08, 0.30, 900.0, 6000.0, 1.6, 0.7);
  AddThump(out, 0.10, 160.0, 55.0, 0.35, 0.6);
  AddRing(out, 0.12, 1650.0, 0.40, 0.10);
  Finish(out);
  return out;
}

Buffer MakeHit() {
  Rng rng(0x4177);
  Buffer out(Samples(0.25), 0.0);
  // The body of the blow: a short falling thump ...
  AddThump(out, 0.0, 260.0, 110.0, 0.12, 0.6);
  // ... under the smack that carries on small speakers: a bright crack of noise and the
  // short ring of struck armour.
  Biquad crack;
  crack.BandPass(2800.0, 0.9);
  Biquad low;
  low.LowPass(2500.0, 0.7);
  for (int i = 0; i < (int)out.size(); ++i) {
    double t = (double)i / SAMPLE_RATE;
    out[i] += 2.0 * crack.Process(rng.Noise()) * AttackDecay(t, 0.0005, 0.06);
    out[i] += 0.4 * low.Process(rng.Noise()) * AttackDecay(t, 0.001, 0.04);
  }
  AddRing(out, 0.0, 1750.0, 0.10, 0.12);
  Finish(out);
  return out;
}

Buffer MakeExplosion() {
  Rng rng(0xe4b1);
  Buffer out(Samples(1.40), 0.0);
  Biquad low;
  Biquad crackle_band;
  crackle_band.BandPass(3000.0, 2.0);
  for (int i = 0; i < (int)out.size(); ++i) {
    double t = (double)i / SAMPLE_RATE;
    // Noise whose brightness falls as the blast dies away, to a low roar.
    low.LowPass(450.0 + 4500.0 * std::exp(-t * 5.0), 0.8);
    double body = low.Process(rng.Noise()) * AttackDecay(t, 0.004, 1.2);
    double spark = rng.Unit() < 0.004 * std::exp(-t * 3.0) ? rng.Noise() : 0.0;
    out[i] += body + 0.5 * crackle_band.Process(spark * 8.0);
  }
  AddThump(out, 0.0, 120.0, 50.0, 0.6, 0.45);
  Finish(out);
  return out;
}

Buffer MakeFireball() {
  Rng rng(0xf14e);
  Buffer out(Samples(0.55), 0.0);
  AddSwish(out, rng, 0.0, 0.50, 350.0, 1400.0, 0.9, 1.0);
  // Flame rumble: low tone with a fast flutter.
  for (int i = 0; i < (int)out.size(); ++i) {
    double t = (double)i / SAMPLE_RATE;
    double flutter = 0.6 + 0.4 * Sine(t * 23.0);
    out[i] += 0.25 * Sine(95.0 * t) * flutter * AttackRelease(t, 0.05, 0.3, 0.5);
  }
  Finish(out);
  return out;
}

Buffer MakeSuperFireball() {
  Rng rng(0x5f1e);
  Buffer out(Samples(1.00), 0.0);
  AddSwish(out, rng, 0.0, 0.90, 200.0, 2200.0, 0.8, 1.0);
  AddSwish(out, rng, 0.15, 0.70, 600.0, 4000.0, 1.5, 0.5);
  double phase = 0.0;
  for (int i = 0; i < (int)out.size(); ++i) {
    double t = (double)i / SAMPLE_RATE;
    // A rising roar under the whoosh.
    phase += (70.0 + 80.0 * t) / SAMPLE_RATE;
    double flutter = 0.6 + 0.4 * Sine(t * 17.0);
    out[i] +=
        0.3 * (Sine(phase) + 0.3 * Saw(phase * 2.0)) * flutter * AttackRelease(t, 0.1, 0.4, 0.95);
  }
  Biquad band;
  band.BandPass(2500.0, 2.0);
  for (int i = 0; i < (int)out.size(); ++i) {
    double t = (double)i / SAMPLE_RATE;
    double spark = rng.Unit() < 0.002 ? rng.Noise() * 6.0 : 0.0;
    out[i] += 0.3 * band.Process(spark) * AttackRelease(t, 0.05, 0.3, 0.9);
  }
  Finish(out);
  return out;
}

Buffer MakeArrow() {
  Rng rng(0xa440);
  Buffer out(Samples(0.40), 0.0);
  // Bow string: plucked string by a delay line with averaging.
  int period = SAMPLE_RATE / 140;
  Buffer line(period);
  Biquad soft;
  soft.LowPass(3000.0, 0.7);
  for (double& x : line) x = soft.Process(rng.Noise());
  size_t pos = 0;
  for (int i = 0; i < (int)out.size(); ++i) {
    double t = (double)i / SAMPLE_RATE;
    size_t next = (pos + 1) % line.size();
    double y = line[pos];
    line[pos] = 0.985 * 0.5 * (line[pos] + line[next]);
    pos = next;
    out[i] += 0.7 * y * AttackDecay(t, 0.001, 0.35);
  }
  // The arrow leaving: a short thin whistle.
  AddSwish(out, rng, 0.02, 0.20, 4000.0, 2500.0, 4.0, 0.6);
  Finish(out);
  return out;
}

Buffer MakeDeath() {
  Rng rng(0xdea7);
  Buffer out(Samples(1.00), 0.0);
  Biquad low;
  double phase = 0.0;
  for (int i = 0; i < (int)out.size(); ++i) {
    double t = (double)i / SAMPLE_RATE;
    // A groan that sinks and wavers, its throat open enough to be heard on small speakers.
    double f = 75.0 + 170.0 * std::exp(-t * 2.2);
    f *= 1.0 + 0.04 * Sine(t * 7.0);
    phase += f / SAMPLE_RATE;
    low.LowPass(600.0 + 2200.0 * std::exp(-t * 3.0), 1.2);
    double voice = Saw(phase) + 0.4 * Square(phase, 0.3) + 0.15 * rng.Noise();
    out[i] += low.Process(voice) * AttackRelease(t, 0.02, 0.5, 0.98);
  }
  Finish(out);
  return out;
}

Buffer MakeToken() {
  Buffer out(Samples(0.70), 0.0);
  // Two bell notes, a fifth apart, then a shimmer.
  const double notes[3] = {88.0, 95.0, 100.0};
  const double starts[3] = {0.0, 0.07, 0.14};
  for (int k = 0; k < 3; ++k) {
    double f = NoteFreq(notes[k]);
    int first = Samples(starts[k]);
    for (int i = first; i < (int)out.size(); ++i) {
      double t = (double)(i - first) / SAMPLE_RATE;
      double s = Sine(f * t) + 0.35 * Sine(2.0 * f * t) * AttackDecay(t, 0.001, 0.15) +
                 0.15 * Sine(3.01 * f * t);
      out[i] += (k == 2 ? 0.7 : 0.5) * s * AttackDecay(t, 0.002, k == 2 ? 0.55 : 0.25);
    }
  }
  Finish(out);
  return out;
}

Buffer MakeFail() {
  Buffer out(Samples(0.20), 0.0);
  // Two soft, muted knocks, the second lower: a gentle "nuh-uh".
  const double starts[2] = {0.0, 0.085};
  const double freqs[2] = {520.0, 390.0};
  for (int k = 0; k < 2; ++k) {
    double phase = 0.0;
    for (int i = Samples(starts[k]); i < (int)out.size(); ++i) {
      double t = (double)i / SAMPLE_RATE - starts[k];
      phase += freqs[k] * (1.0 - 0.3 * std::min(t, 0.1)) / SAMPLE_RATE;
      out[i] += (Sine(phase) + 0.2 * Sine(2.0 * phase)) * AttackDecay(t, 0.004, 0.09);
    }
  }
  Finish(out, SOFT_LOUDNESS_DB);
  return out;
}

Buffer MakeCharged() {
  Buffer out(Samples(0.75), 0.0);
  double phase = 0.0;
  // A quick rising sweep ...
  for (int i = 0; i < Samples(0.35); ++i) {
    double t = (double)i / SAMPLE_RATE;
    double f = 300.0 * std::pow(4.0, t / 0.35);
    phase += f / SAMPLE_RATE;
    out[i] +=
        0.5 * (Triangle(phase) + 0.3 * Sine(phase * 2.0)) * AttackRelease(t, 0.02, 0.05, 0.35);
  }
  // ... then a bright ping on top.
  double f = NoteFreq(96.0);
  for (int i = Samples(0.33); i < (int)out.size(); ++i) {
    double t = (double)(i - Samples(0.33)) / SAMPLE_RATE;
    out[i] += 0.6 * (Sine(f * t) + 0.4 * Sine(1.5 * f * t)) * AttackDecay(t, 0.003, 0.40);
  }
  Reverb room(0.6, 0.3, 0);
  for (double& x : out) x += 0.25 * room.Process(x);
  Finish(out);
  return out;
}
