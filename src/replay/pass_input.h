#pragma once
// What the game read from its input devices in one pass: the keys that were
// down and the state of the first game pad, if there was one. A replay stores
// this, never the window's key events, so a pass reads the same however the
// keys arrived.

#include <array>
#include <cstdint>
#include <vector>

#include "engine/platform/input_source.h"

namespace vuzed {

struct TPassInput {
  std::vector<uint8_t> Keys;  // DIK codes of the keys down, ascending
  bool HasPad = false;
  JoyState Pad;               // pad 0; all zero without a pad

  // Reads the keyboard and pad 0 of a source as the frame loop would.
  static TPassInput ReadFrom(InputSource& source);
  bool KeyDown(uint8_t dik) const;
  // The keyboard as 256 bytes, 0x80 for a key down.
  void FillKeyboard(std::array<uint8_t, 256>& keys) const;

  bool operator==(const TPassInput& other) const;
};

}  // namespace vuzed
