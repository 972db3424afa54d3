#pragma once
// The input the game reads, taken once per pass from the live devices: every
// read of the pass (the frame loop's poll, the fast-forward keys, the slow
// key, Ctrl in a dialogue) answers from that one reading, so what a replay
// stores is exactly what the pass saw.
//
// The live keyboard and pads change only when window messages are handled,
// so reading them right after that changes nothing the game sees.

#include "engine/platform/input_source.h"
#include "replay/pass_input.h"

namespace vuzed {

class TRecordingInput : public InputSource {
 public:
  explicit TRecordingInput(InputSource& live) : Live_(live) {}

  // Reads the live devices; the game sees this reading until the next.
  void Refresh() { Current_ = TPassInput::ReadFrom(Live_); }
  const TPassInput& Current() const { return Current_; }

  bool ReadKeyboard(std::array<uint8_t, 256>& keys) override;
  int PadCount() const override { return Current_.HasPad ? 1 : 0; }
  bool ReadPad(int index, JoyState& state) override;
  bool IsKeyDown(uint8_t dik) override { return Current_.KeyDown(dik); }

 private:
  InputSource& Live_;
  TPassInput Current_;
};

}  // namespace vuzed
