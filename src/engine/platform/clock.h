#pragma once
// Time for the frame loop: seconds since program start, and sleeping.

namespace vuzed {

class Clock {
 public:
  virtual ~Clock() = default;
  // Seconds since the program (or the clock) started.
  virtual double Seconds() = 0;
  virtual void SleepMs(int ms) = 0;
};

// The high-resolution counter, counted from construction.
class SystemClock : public Clock {
 public:
  SystemClock();
  double Seconds() override;
  void SleepMs(int ms) override;

 private:
  unsigned long long Start_;
  unsigned long long Frequency_;
};

// A clock that only moves when told: headless runs and tests.
class ManualClock : public Clock {
 public:
  double Seconds() override { return Now; }
  void SleepMs(int ms) override { Now += ms / 1000.0; }
  double Now = 0;
};

}  // namespace vuzed
