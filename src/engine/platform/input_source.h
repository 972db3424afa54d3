#pragma once
// Raw input as the input device reads it: keyboard state by DIK key code and
// the state of game pads in the DIJOYSTATE shape.

#include <array>
#include <cstdint>

namespace vuzed {

// DIJOYSTATE: six axes, two sliders, four POV values, 32 button bytes (bit 7 = down).
struct JoyState {
  int32_t lX = 0, lY = 0, lZ = 0, lRx = 0, lRy = 0, lRz = 0;
  std::array<int32_t, 2> Slider{};
  std::array<uint32_t, 4> Pov{};
  std::array<uint8_t, 32> Buttons{};
};

// DIMOUSESTATE: relative movement and four buttons.
struct MouseState {
  int32_t lX = 0, lY = 0, lZ = 0;
  std::array<uint8_t, 4> Buttons{};
};

class InputSource {
 public:
  virtual ~InputSource() = default;
  // 256 bytes indexed by DIK code, bit 7 set while the key is down.
  virtual bool ReadKeyboard(std::array<uint8_t, 256>& keys) = 0;
  virtual bool HasMouse() const { return false; }
  virtual bool ReadMouse(MouseState&) { return false; }
  // Game pads in enumeration order; axes in -32768..32767.
  virtual int PadCount() const = 0;
  virtual bool ReadPad(int index, JoyState& state) = 0;
  // Whether one key is down right now (the loop's own look at F3/F4/F5, Shift, Ctrl).
  virtual bool IsKeyDown(uint8_t dik) = 0;
};

}  // namespace vuzed
