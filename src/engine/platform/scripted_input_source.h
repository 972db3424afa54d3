#pragma once
// Keys pressed by a script instead of a player, for headless runs.
//
// Script format: LF or CRLF lines; "#" starts a comment line; blank lines are
// ignored. Every other line is "FROM[-TO] KEY..." : the keys are held down from
// pass FROM to pass TO inclusive (passes count from 1); lines covering the same
// pass add up. Keys: every name of key_names.h (the letters and digits, up
// down left right esc space enter shift ctrl f1 to f12 and the rest, lower
// case), pad0..pad31 (game pad buttons) and stick:X,Y (X, Y in -1, 0, 1: the
// pad's axes at full deflection). A pad exists only when the script
// names a pad key or a stick.
//
// The spans are indexed once: moving on by one pass only looks at the spans
// that start or end there, so a pass costs the same however long the script
// is. A jump to any other pass gathers the held spans afresh.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/platform/input_source.h"

namespace vuzed {

class ScriptedInputSource : public InputSource {
 public:
  struct Span {
    int64_t From = 0, To = 0;
    std::vector<uint8_t> Keys;     // DIK codes
    std::vector<int> PadButtons;   // 0..31
    bool HasStick = false;
    int StickX = 0, StickY = 0;
  };

  ScriptedInputSource() = default;
  // Parses a script. On a malformed line returns nothing and sets error to
  // "LINE: text" (the caller adds the file name).
  static std::optional<ScriptedInputSource> Parse(std::string_view text, std::string& error);

  // The pass whose keys are read from now on.
  void SetPass(int64_t pass);
  int64_t Pass() const { return Pass_; }

  bool ReadKeyboard(std::array<uint8_t, 256>& keys) override;
  int PadCount() const override { return HasPad_ ? 1 : 0; }
  bool ReadPad(int index, JoyState& state) override;
  bool IsKeyDown(uint8_t dik) override;

  const std::vector<Span>& Spans() const { return Spans_; }

 private:
  void Gather();

  std::vector<Span> Spans_;
  bool HasPad_ = false;
  int64_t Pass_ = 0;
  // Span indexes by starting pass; the next of them not yet started; the
  // spans holding at Pass_, in line order (a later line's stick wins).
  std::vector<size_t> ByStart_;
  size_t NextStart_ = 0;
  std::vector<size_t> Held_;
};

}  // namespace vuzed
