#include "engine/sound/notify_thread.h"

#include <chrono>

#include "engine/sound/notify_events.h"
#include "engine/sound/sound_device.h"
#include "engine/sound/wave_data.h"

namespace vuzed {
namespace {

constexpr std::chrono::milliseconds kPollInterval{100};
constexpr const char* kRefillLine = "バッファ更新イベント送信";

}  // namespace

TZudezuNotifyThread::TZudezuNotifyThread(TZudezuGenWave& wave) : Wave_(wave), Thread_([this] { Run(); }) {}

TZudezuNotifyThread::~TZudezuNotifyThread() {
  Terminate();
  if (Thread_.joinable()) Thread_.join();
}

void TZudezuNotifyThread::Terminate() {
  Terminated_ = true;
  Wave_.Events().Interrupt();
}

void TZudezuNotifyThread::Refill(uint32_t offset, uint32_t length) {
  try {
    Wave_.Fill(offset, length);
  } catch (...) {
    // The owner's refill failed; the ring keeps what it held.
  }
  try {
    Wave_.Owner().Log().Message(kRefillLine);
  } catch (const EZudezu&) {
    // ExceptOnError: nobody on this thread could catch it.
  }
}

void TZudezuNotifyThread::Run() {
  const uint32_t size = Wave_.BufferSize();
  const uint32_t half = Wave_.HalfSize();
  while (!Terminated_) {
    int event = Wave_.Events().Wait(kPollInterval);
    switch (event) {
      case TZudezuEvents::OffsetZero:
        if (Wave_.WriteCursor() <= half && Armed_) {
          Refill(half, size - half);
          Armed_ = false;
        }
        break;
      case TZudezuEvents::Half:
        if (Wave_.WriteCursor() >= half && !Armed_) {
          Refill(0, half);
          Armed_ = true;
        }
        break;
      case TZudezuEvents::Stopped:
        Armed_ = true;
        break;
      default:
        break;
    }
    if (event != TZudezuEvents::None) {
      Wave_.Events().Done();
      ++Handled_;
    }
  }
}

}  // namespace vuzed
