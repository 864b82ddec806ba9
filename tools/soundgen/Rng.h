#pragma once

#include <cstdint>

// Fixed-seed xorshift generator: the same numbers on every run.
class Rng {
public:
  explicit Rng(uint32_t seed) : state(seed ? seed : 0x9e3779b9u) {}

  uint32_t NextInt() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
  }
  // Uniform in [-1, 1).
  double Noise() { return (double)(NextInt() >> 8) / 8388608.0 - 1.0; }
  // Uniform in [0, 1).
  double Unit() { return (double)(NextInt() >> 8) / 16777216.0; }

private:
  uint32_t state;
};
