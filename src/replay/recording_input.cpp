#include "replay/recording_input.h"

namespace vuzed {

bool TRecordingInput::ReadKeyboard(std::array<uint8_t, 256>& keys) {
  Current_.FillKeyboard(keys);
  return true;
}

bool TRecordingInput::ReadPad(int index, JoyState& state) {
  if (index != 0 || !Current_.HasPad) return false;
  state = Current_.Pad;
  return true;
}

}  // namespace vuzed
