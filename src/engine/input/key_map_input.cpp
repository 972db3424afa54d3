#include "engine/input/key_map_input.h"

namespace vuzed {

TKeyMapInput::TKeyMapInput(InputSource& raw) : Raw_(raw) { SetMap(TKeyMap::Defaults()); }

void TKeyMapInput::SetMap(const TKeyMap& given) {
  // A map that names no key or a pad button outside 0..31 changes nothing.
  bool valid = true;
  for (size_t b = 0; b < size_t(kGameButtonCount); ++b)
    valid = valid && given.Keys[b] != 0 && given.PadButtons[b] >= 0 && given.PadButtons[b] < 32;
  const TKeyMap map = valid ? given : TKeyMap::Defaults();
  Map_ = map;
  const TKeyMap defaults = TKeyMap::Defaults();
  for (size_t k = 0; k < KeySource_.size(); ++k) KeySource_[k] = uint8_t(k);
  for (size_t b = 0; b < PadSource_.size(); ++b) PadSource_[b] = int(b);
  // Chosen keys first go quiet, then each default key reads its chosen one;
  // in that order two buttons can trade keys.
  for (size_t b = 0; b < size_t(kGameButtonCount); ++b) {
    KeySource_[map.Keys[b]] = 0;
    PadSource_[size_t(map.PadButtons[b])] = -1;
  }
  for (size_t b = 0; b < size_t(kGameButtonCount); ++b) {
    KeySource_[defaults.Keys[b]] = map.Keys[b];
    PadSource_[size_t(defaults.PadButtons[b])] = map.PadButtons[b];
  }
}

bool TKeyMapInput::ReadKeyboard(std::array<uint8_t, 256>& keys) {
  std::array<uint8_t, 256> raw{};
  const bool read = Raw_.ReadKeyboard(raw);
  for (size_t k = 0; k < keys.size(); ++k) keys[k] = KeySource_[k] ? raw[KeySource_[k]] : 0;
  return read;
}

bool TKeyMapInput::ReadPad(int index, JoyState& state) {
  JoyState raw;
  if (!Raw_.ReadPad(index, raw)) return false;
  state = raw;
  for (size_t b = 0; b < PadSource_.size(); ++b)
    state.Buttons[b] = PadSource_[b] >= 0 ? raw.Buttons[size_t(PadSource_[b])] : 0;
  return true;
}

bool TKeyMapInput::IsKeyDown(uint8_t dik) { return KeySource_[dik] != 0 && Raw_.IsKeyDown(KeySource_[dik]); }

}  // namespace vuzed
