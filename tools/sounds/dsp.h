#pragma once
// The synthesis toolkit: band-limited oscillators, envelopes, filters, a
// feedback delay and a small stereo reverb. Everything runs on floats, one
// sample per call, at the rate it was made for.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vuzed::sounds {

inline constexpr double kPi = 3.14159265358979323846;

// Equal temperament, A4 = MIDI note 69 = 440 Hz.
double MidiToHz(double note);
// Amplitude factor for a level in decibels.
float DbToGain(float db);

enum class Wave { Sine, Triangle, Saw, Square };

// Saw and square are band-limited with polyBLEP corrections, so high notes
// do not alias into audible whistles.
class Oscillator {
 public:
  Oscillator(Wave wave, double rate) : Wave_(wave), Rate_(rate) {}
  void SetFrequency(double hz) { Step_ = hz / Rate_; }
  void SetPhase(double phase) { Phase_ = phase; }
  void SetPulseWidth(double width) { Width_ = width; }
  float Next();

 private:
  Wave Wave_;
  double Rate_;
  double Phase_ = 0.0;
  double Step_ = 0.0;
  double Width_ = 0.5;
};

// Attack, decay to the sustain level, hold while the note is down, release
// once it is let go. Times in seconds.
struct Adsr {
  float Attack = 0.005f;
  float Decay = 0.1f;
  float Sustain = 0.7f;
  float Release = 0.1f;
  // Level at t seconds after the note began, the note held for `held` seconds.
  float At(double t, double held) const;
  double Length(double held) const { return held + Release; }
};

// Exponential decay from 1 with the given time to fall to -60 dB.
float Decay60(double t, double seconds);

// One-pole low-pass (and its high-pass complement).
class OnePole {
 public:
  void SetCutoff(double hz, double rate);
  float Lowpass(float x) { State_ += Coef_ * (x - State_); return State_; }
  float Highpass(float x) { return x - Lowpass(x); }

 private:
  float Coef_ = 1.0f;
  float State_ = 0.0f;
};

// Trapezoidal state-variable filter: stable under fast cutoff sweeps.
class Svf {
 public:
  struct Out { float Low, Band, High; };
  void Set(double hz, double q, double rate);
  Out Process(float x);
  float Lowpass(float x) { return Process(x).Low; }
  float Bandpass(float x) { return Process(x).Band; }
  float Highpass(float x) { return Process(x).High; }

 private:
  float G_ = 0.1f, K_ = 1.4f, A1_ = 0, A2_ = 0, A3_ = 0;
  float Ic1_ = 0.0f, Ic2_ = 0.0f;
};

// A feedback delay (echo) with a one-pole damping in the loop.
class Echo {
 public:
  Echo(size_t delaySamples, float feedback, double dampingHz, double rate);
  float Process(float x);

 private:
  std::vector<float> Line_;
  size_t At_ = 0;
  float Feedback_;
  OnePole Damp_;
};

// A small Schroeder-Moorer reverb: parallel damped combs then series
// all-passes, with different lengths per side for width. Returns the wet
// signal only.
class Reverb {
 public:
  Reverb(double rate, float roomSize, float damping);
  void Process(float inL, float inR, float& outL, float& outR);

 private:
  struct Comb { std::vector<float> Line; size_t At = 0; float Store = 0.0f; };
  struct AllPass { std::vector<float> Line; size_t At = 0; };
  static float RunComb(Comb& c, float x, float feedback, float damp);
  static float RunAllPass(AllPass& a, float x);
  std::vector<Comb> CombsL_, CombsR_;
  std::vector<AllPass> AllPassL_, AllPassR_;
  float Feedback_, Damp_;
};

// Stereo sample buffer, interleaved-free: one vector per side.
struct Stereo {
  std::vector<float> L, R;
  explicit Stereo(size_t frames = 0) : L(frames, 0.0f), R(frames, 0.0f) {}
  size_t Frames() const { return L.size(); }
};

}  // namespace vuzed::sounds
