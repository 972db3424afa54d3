#pragma once
// The input device: keyboard, mouse and game pads folded into one joystick
// shaped state (eight axes, four POV values, 32 buttons).
//
// Keys reach that state through a key table of two banks of 40 slots, each a
// DIK code (0 = no key; code 0 is never down). Slots 0-31 are buttons 0-31,
// then 32 up, 33 down, 34 left, 35 right, 36 up-left, 37 up-right,
// 38 down-left, 39 down-right. A button or direction is down while the key of
// either bank is down. Nothing is remembered between polls.
//
// Device numbers for Poll: 0 keyboard, 1 mouse, 2 + j game pad j.
//
// Failures are logged as "debug#%.5d ... text" lines in "vedi.debug" (only
// with DebugMessage; the counter starts at 1 per instance and its first line
// truncates the file), then end the program with HaltOnError or throw EVedi
// with ExceptOnError.

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <span>
#include <stdexcept>
#include <string>

#include "engine/platform/input_source.h"

namespace vuzed {

class EVedi : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The DebugOption set.
struct TVediDebugOptions {
  bool HaltOnError = true;
  bool DebugMessage = false;
  bool ExceptOnError = false;
};

class TRuzud {
 public:
  static constexpr const char* LogFileName = "vedi.debug";
  static constexpr int kBanks = 2;
  static constexpr int kSlots = 40;
  static constexpr int kButtons = 32;
  static constexpr int kMaxPads = 16;
  enum : int { SlotUp = 32, SlotDown, SlotLeft, SlotRight, SlotUpLeft, SlotUpRight, SlotDownLeft, SlotDownRight };

  // `source` may be null: no devices at all. Not owned.
  explicit TRuzud(InputSource* source);

  void SetDebugOption(const TVediDebugOptions& options) { DebugOption_ = options; }
  const TVediDebugOptions& DebugOption() const { return DebugOption_; }
  // Percent of each pad axis's half-range treated as centre.
  void SetDeadZone(int32_t percent) { DeadZone_ = percent; }
  int32_t DeadZone() const { return DeadZone_; }
  void SetAutoInitialize(bool on) { AutoInitialize_ = on; }
  bool AutoInitialize() const { return AutoInitialize_; }
  // Read input also while the window is inactive. Whether an inactive window
  // still gets input is the input source's business; the value is kept for it.
  void SetBackGround(bool on) { BackGround_ = on; }
  bool BackGround() const { return BackGround_; }
  // Where "vedi.debug" goes (the executable's directory in the game).
  void SetLogDirectory(const std::filesystem::path& dir) { LogDirectory_ = dir; }

  // After the options are set: Initialize when AutoInitialize is on.
  void Loaded();
  // Restores the default key table (bindings must be set again) and takes
  // stock of the devices: the keyboard, the mouse when the source has one,
  // and at most 16 pads.
  void Initialize();
  // Out-of-range bank or slot is ignored.
  void SetKey(int bank, int slot, uint8_t dik);
  uint8_t Key(int bank, int slot) const;

  // Reads the listed devices in order into the combined state, clearing it
  // before the first. True when at least one device was read.
  bool Poll(std::initializer_list<int> devices);
  bool Poll(std::span<const int> devices);

  // Bit 7 of combined button i; false for i outside 0-31.
  bool IsPressed(int button) const;
  // The signs (-1, 0, 1) of lX, lY, lZ, lRx, lRy, lRz, slider 0 and slider 1,
  // then the four POV values unchanged.
  std::array<int32_t, 12> GetDirections() const;
  const JoyState& CombinedState() const { return State_; }

  // Pad axis value through the dead zone: 0 inside it, and the rest of the
  // range stretched so that -32768 and 32767 stay where they are.
  int32_t DeadZoneAdjust(int32_t v) const;

  // A zero result passes. Otherwise logs text + "(Error Code(%X))", then
  // halts (HaltOnError); returns the result.
  int32_t InputCheck(int32_t result, const std::string& text);
  // Logs one line (DebugMessage), then throws EVedi (ExceptOnError).
  void InputLog(const std::string& text);
  int LogLineCount() const { return LogCounter_; }

  // What a halt does: ends the process unless tests replace it.
  void SetHaltHandler(std::function<void()> handler) { Halt_ = std::move(handler); }

 private:
  bool PollDevice(bool clear, int device);
  bool PollKeyboard();
  bool PollMouse();
  bool PollPad(bool clear, int pad);
  bool KeyDown(uint8_t dik) const { return dik != 0 && (Keyboard_[dik] & 0x80) != 0; }
  bool SlotHeld(int slot) const;

  InputSource* Source_;
  TVediDebugOptions DebugOption_{};
  int32_t DeadZone_ = 30;
  bool AutoInitialize_ = true;
  bool BackGround_ = false;
  std::filesystem::path LogDirectory_ = ".";
  std::function<void()> Halt_;
  int LogCounter_ = 0;

  bool Initialized_ = false;
  bool HasKeyboard_ = false;
  bool HasMouse_ = false;
  int PadCount_ = 0;
  std::array<std::array<uint8_t, kSlots>, kBanks> KeyTable_{};
  std::array<uint8_t, 256> Keyboard_{};
  JoyState State_{};
};

}  // namespace vuzed
