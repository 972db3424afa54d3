#pragma once
// The generator's own random numbers: a fixed-seed xorshift64* sequence, so
// every noise burst and every generated melody is the same on every run and
// machine (std:: distributions are not portable across standard libraries).

#include <cstdint>

namespace vuzed::sounds {

class Rng {
 public:
  explicit Rng(uint64_t seed) : State_(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull) {
    if (State_ == 0) State_ = 1;
  }
  uint32_t Next() {
    State_ ^= State_ >> 12;
    State_ ^= State_ << 25;
    State_ ^= State_ >> 27;
    return uint32_t((State_ * 0x2545F4914F6CDD1Dull) >> 32);
  }
  // Uniform in [0, 1).
  float Uniform() { return float(Next() >> 8) * (1.0f / 16777216.0f); }
  // Uniform in [-1, 1).
  float Bipolar() { return Uniform() * 2.0f - 1.0f; }
  // An integer in [0, n); 0 when n <= 0.
  int Below(int n) { return n <= 0 ? 0 : int((uint64_t(Next()) * uint64_t(n)) >> 32); }
  bool Chance(float p) { return Uniform() < p; }

 private:
  uint64_t State_;
};

}  // namespace vuzed::sounds
