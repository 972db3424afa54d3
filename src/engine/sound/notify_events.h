#pragma once
// The three auto-reset events of a streaming buffer, set by the mixer and
// waited for by the buffer's notification thread: the play cursor reached
// offset 0, it reached the half, playback stopped. Events that are set while
// the thread is busy are taken in the order they were set (a stop followed
// by a new start must be seen in that order); an event set again before it
// was taken counts once. An event is outstanding from Set until the waiter
// calls Done after handling it; the mixer holds a streaming buffer at its
// next notification point while one is outstanding (see mixer.h).

#include <array>
#include <deque>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace vuzed {

class TZudezuEvents {
 public:
  enum : int { None = -1, OffsetZero = 0, Half = 1, Stopped = 2 };

  void Set(int which);
  // Waits at most `timeout` for any event. The earliest one set is reset and
  // returned; None on time-out or once Interrupt was called.
  int Wait(std::chrono::milliseconds timeout);
  // The waiter has handled the event it took last.
  void Done();
  // Some event is set or being handled, and a waiter is there to handle it.
  bool Busy();
  // Wakes the waiter for good (the thread is terminating).
  void Interrupt();

 private:
  int TakeLocked();

  std::mutex Mutex_;
  std::condition_variable Changed_;
  std::array<bool, 3> Set_{};
  std::deque<int> Order_;  // the set events, earliest first
  int Outstanding_ = 0;
  bool Interrupted_ = false;
};

}  // namespace vuzed
