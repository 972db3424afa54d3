#include "replay/pass_input.h"

#include <algorithm>

namespace vuzed {

TPassInput TPassInput::ReadFrom(InputSource& source) {
  TPassInput input;
  std::array<uint8_t, 256> keys{};
  if (!source.ReadKeyboard(keys)) keys.fill(0);
  for (size_t k = 1; k < keys.size(); ++k)
    if (keys[k] & 0x80) input.Keys.push_back(uint8_t(k));
  if (source.PadCount() > 0) {
    JoyState pad;
    input.HasPad = source.ReadPad(0, pad);
    if (input.HasPad) {
      input.Pad = pad;
      // Only bit 7 of a button counts, and only it is stored.
      for (uint8_t& button : input.Pad.Buttons) button &= 0x80;
    }
  }
  return input;
}

bool TPassInput::KeyDown(uint8_t dik) const {
  return dik != 0 && std::binary_search(Keys.begin(), Keys.end(), dik);
}

void TPassInput::FillKeyboard(std::array<uint8_t, 256>& keys) const {
  keys.fill(0);
  for (uint8_t k : Keys) keys[k] = 0x80;
}

bool TPassInput::operator==(const TPassInput& other) const {
  const JoyState& a = Pad;
  const JoyState& b = other.Pad;
  return Keys == other.Keys && HasPad == other.HasPad && a.lX == b.lX && a.lY == b.lY && a.lZ == b.lZ &&
         a.lRx == b.lRx && a.lRy == b.lRy && a.lRz == b.lRz && a.Slider == b.Slider && a.Pov == b.Pov &&
         a.Buttons == b.Buttons;
}

}  // namespace vuzed
