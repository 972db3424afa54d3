#include "dsp.h"

#include <algorithm>
#include <cmath>

namespace vuzed::sounds {
namespace {

// PolyBLEP residual for a discontinuity at phase 0 (t in [0, 1), dt the step).
double Blep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

}  // namespace

double MidiToHz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }
float DbToGain(float db) { return std::pow(10.0f, db / 20.0f); }

float Oscillator::Next() {
  double t = Phase_;
  double dt = Step_;
  double value = 0.0;
  switch (Wave_) {
    case Wave::Sine: value = std::sin(2.0 * kPi * t); break;
    case Wave::Saw: value = 2.0 * t - 1.0 - Blep(t, dt); break;
    case Wave::Triangle: value = 4.0 * std::abs(t - 0.5) - 1.0; break;  // soft enough not to alias
    case Wave::Square: {
      value = t < Width_ ? 1.0 : -1.0;
      value += Blep(t, dt);
      double shifted = t - Width_ + (t < Width_ ? 1.0 : 0.0);
      value -= Blep(shifted, dt);
      break;
    }
  }
  Phase_ += dt;
  Phase_ -= std::floor(Phase_);
  return float(value);
}

float Adsr::At(double t, double held) const {
  auto sustained = [this](double s) -> double {
    if (s < Attack) return s / Attack;
    s -= Attack;
    if (s < Decay) return 1.0 - (1.0 - Sustain) * (s / Decay);
    return Sustain;
  };
  if (t < 0.0) return 0.0f;
  if (t < held) return float(sustained(t));
  double from = sustained(held);
  double r = (t - held) / std::max(1e-4f, Release);
  return r >= 1.0 ? 0.0f : float(from * (1.0 - r) * (1.0 - r));
}

float Decay60(double t, double seconds) { return t < 0.0 ? 0.0f : float(std::exp(-6.907755 * t / seconds)); }

void OnePole::SetCutoff(double hz, double rate) {
  Coef_ = float(1.0 - std::exp(-2.0 * kPi * std::min(hz, rate * 0.45) / rate));
}

void Svf::Set(double hz, double q, double rate) {
  hz = std::clamp(hz, 10.0, rate * 0.45);
  G_ = float(std::tan(kPi * hz / rate));
  K_ = float(1.0 / std::max(0.3, q));
  A1_ = 1.0f / (1.0f + G_ * (G_ + K_));
  A2_ = G_ * A1_;
  A3_ = G_ * A2_;
}

Svf::Out Svf::Process(float x) {
  float v3 = x - Ic2_;
  float v1 = A1_ * Ic1_ + A2_ * v3;
  float v2 = Ic2_ + A2_ * Ic1_ + A3_ * v3;
  Ic1_ = 2.0f * v1 - Ic1_;
  Ic2_ = 2.0f * v2 - Ic2_;
  return {v2, v1, x - K_ * v1 - v2};
}

Echo::Echo(size_t delaySamples, float feedback, double dampingHz, double rate)
    : Line_(std::max<size_t>(1, delaySamples), 0.0f), Feedback_(feedback) {
  Damp_.SetCutoff(dampingHz, rate);
}

float Echo::Process(float x) {
  float delayed = Line_[At_];
  Line_[At_] = x + Damp_.Lowpass(delayed) * Feedback_;
  if (++At_ == Line_.size()) At_ = 0;
  return delayed;
}

Reverb::Reverb(double rate, float roomSize, float damping)
    : Feedback_(0.7f + 0.28f * std::clamp(roomSize, 0.0f, 1.0f)), Damp_(std::clamp(damping, 0.0f, 1.0f) * 0.4f) {
  // Tunings of the classic design at 44.1 kHz, scaled to the rate.
  constexpr int kCombs[] = {1116, 1188, 1277, 1356, 1422, 1491};
  constexpr int kAllPasses[] = {556, 441, 341};
  constexpr int kSpread = 23;
  double scale = rate / 44100.0;
  for (int c : kCombs) {
    CombsL_.push_back({std::vector<float>(size_t(c * scale), 0.0f)});
    CombsR_.push_back({std::vector<float>(size_t((c + kSpread) * scale), 0.0f)});
  }
  for (int a : kAllPasses) {
    AllPassL_.push_back({std::vector<float>(size_t(a * scale), 0.0f)});
    AllPassR_.push_back({std::vector<float>(size_t((a + kSpread) * scale), 0.0f)});
  }
}

float Reverb::RunComb(Comb& c, float x, float feedback, float damp) {
  float out = c.Line[c.At];
  c.Store = out * (1.0f - damp) + c.Store * damp;
  c.Line[c.At] = x + c.Store * feedback;
  if (++c.At == c.Line.size()) c.At = 0;
  return out;
}

float Reverb::RunAllPass(AllPass& a, float x) {
  float held = a.Line[a.At];
  float out = held - x;
  a.Line[a.At] = x + held * 0.5f;
  if (++a.At == a.Line.size()) a.At = 0;
  return out;
}

void Reverb::Process(float inL, float inR, float& outL, float& outR) {
  float in = (inL + inR) * 0.5f * 0.1f;
  float l = 0.0f, r = 0.0f;
  for (Comb& c : CombsL_) l += RunComb(c, in, Feedback_, Damp_);
  for (Comb& c : CombsR_) r += RunComb(c, in, Feedback_, Damp_);
  for (AllPass& a : AllPassL_) l = RunAllPass(a, l);
  for (AllPass& a : AllPassR_) r = RunAllPass(a, r);
  outL = l;
  outR = r;
}

}  // namespace vuzed::sounds
