#include "replay/replay_input.h"

#include "engine/input/dik_codes.h"

namespace vuzed {

bool TReplayInput::NextPass() {
  if (Ended_) return false;
  if (!Started_) {
    Started_ = true;
    UsedInRun_ = 0;
  }
  while (Run_ < Runs_.size() && UsedInRun_ >= Runs_[Run_].Length) {
    ++Run_;
    UsedInRun_ = 0;
  }
  if (Run_ >= Runs_.size()) {
    Ended_ = true;
    return false;
  }
  ++UsedInRun_;
  return true;
}

const TPassInput& TReplayInput::Current() const {
  if (!Started_ || Ended_) return Nothing_;
  return Runs_[Run_].Input;
}

bool TReplayInput::FastForwardKey(uint8_t dik) { return dik == dik::F3 || dik == dik::F4 || dik == dik::F5; }

bool TReplayInput::ReadKeyboard(std::array<uint8_t, 256>& keys) {
  Current().FillKeyboard(keys);
  if (Live_) {
    for (uint8_t dik : {dik::F3, dik::F4, dik::F5}) keys[dik] = Live_->IsKeyDown(dik) ? 0x80 : 0;
  }
  return true;
}

bool TReplayInput::ReadPad(int index, JoyState& state) {
  if (index != 0 || !Current().HasPad) return false;
  state = Current().Pad;
  return true;
}

bool TReplayInput::IsKeyDown(uint8_t dik) {
  if (Live_ && FastForwardKey(dik)) return Live_->IsKeyDown(dik);
  return Current().KeyDown(dik);
}

}  // namespace vuzed
