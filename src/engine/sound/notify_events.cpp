#include "engine/sound/notify_events.h"

namespace vuzed {

void TZudezuEvents::Set(int which) {
  if (which < 0 || which >= int(Set_.size())) return;
  {
    std::lock_guard lock(Mutex_);
    if (Set_[size_t(which)]) return;
    Set_[size_t(which)] = true;
    Order_.push_back(which);
    ++Outstanding_;
  }
  Changed_.notify_all();
}

int TZudezuEvents::TakeLocked() {
  if (Order_.empty()) return None;
  int which = Order_.front();
  Order_.pop_front();
  Set_[size_t(which)] = false;
  return which;
}

int TZudezuEvents::Wait(std::chrono::milliseconds timeout) {
  std::unique_lock lock(Mutex_);
  int taken = None;
  Changed_.wait_for(lock, timeout, [&] {
    if (Interrupted_) return true;
    taken = TakeLocked();
    return taken != None;
  });
  return Interrupted_ ? None : taken;
}

void TZudezuEvents::Done() {
  std::lock_guard lock(Mutex_);
  if (Outstanding_ > 0) --Outstanding_;
}

bool TZudezuEvents::Busy() {
  std::lock_guard lock(Mutex_);
  return !Interrupted_ && Outstanding_ > 0;
}

void TZudezuEvents::Interrupt() {
  {
    std::lock_guard lock(Mutex_);
    Interrupted_ = true;
  }
  Changed_.notify_all();
}

}  // namespace vuzed
