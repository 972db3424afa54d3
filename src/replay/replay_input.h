#pragma once
// The input of a replayed game: pass by pass what the recorded game read.
// Watching in the window, the fast-forward keys (F3, F4, F5) come from the
// live keyboard instead, so the viewer can hurry through; they change only
// how many steps are drawn.

#include <cstddef>
#include <vector>

#include "engine/platform/input_source.h"
#include "replay/replay.h"

namespace vuzed {

class TReplayInput : public InputSource {
 public:
  // `live` may be null (headless: the recorded fast-forward keys count).
  TReplayInput(const std::vector<TInputRun>& runs, InputSource* live) : Runs_(runs), Live_(live) {}

  // Moves on to the next recorded pass; false once the recording has ended
  // (the game then reads no keys and no pad).
  bool NextPass();

  bool ReadKeyboard(std::array<uint8_t, 256>& keys) override;
  int PadCount() const override { return Current().HasPad ? 1 : 0; }
  bool ReadPad(int index, JoyState& state) override;
  bool IsKeyDown(uint8_t dik) override;

 private:
  const TPassInput& Current() const;
  static bool FastForwardKey(uint8_t dik);

  const std::vector<TInputRun>& Runs_;
  InputSource* Live_;
  size_t Run_ = 0;          // the run of the current pass
  uint32_t UsedInRun_ = 0;  // passes of that run played, the current one included
  bool Started_ = false;
  bool Ended_ = false;
  TPassInput Nothing_;
};

}  // namespace vuzed
