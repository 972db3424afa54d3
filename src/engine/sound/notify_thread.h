#pragma once
// TZudezuNotifyThread: the refill thread of one streaming buffer of size S,
// half H = S / 2. Until told to terminate it waits at most 100 ms at a time
// for one of the buffer's events:
// - offset 0 reached: if the write cursor w <= H and the thread is armed,
//   refill the second half (offset H, length S - H), report
//   "バッファ更新イベント送信" and disarm;
// - half reached: if w >= H and the thread is disarmed, refill the first
//   half (offset 0, length H), report the same line and arm;
// - playback stopped: arm.
// It starts armed. So while the buffer plays, each half is refilled once per
// pass, just after the play cursor has left it. Errors thrown by the fill
// callback or the report stay on this thread.

#include <atomic>
#include <cstdint>
#include <thread>

namespace vuzed {

class TZudezuGenWave;

class TZudezuNotifyThread {
 public:
  explicit TZudezuNotifyThread(TZudezuGenWave& wave);
  // Terminates and waits for the thread.
  ~TZudezuNotifyThread();
  TZudezuNotifyThread(const TZudezuNotifyThread&) = delete;
  TZudezuNotifyThread& operator=(const TZudezuNotifyThread&) = delete;

  void Terminate();
  // Events taken so far (tests wait on it to order their steps).
  uint64_t EventsHandled() const { return Handled_.load(); }

 private:
  void Run();
  void Refill(uint32_t offset, uint32_t length);

  TZudezuGenWave& Wave_;
  std::atomic<bool> Terminated_{false};
  std::atomic<uint64_t> Handled_{0};
  bool Armed_ = true;  // only the thread touches it
  std::thread Thread_;  // last: starts once the rest is ready
};

}  // namespace vuzed
