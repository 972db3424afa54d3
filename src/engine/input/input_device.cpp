#include "engine/input/input_device.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <limits>

#include "engine/input/dik_codes.h"

namespace vuzed {
namespace {

struct DefaultKey {
  int Bank;
  int Slot;
  uint8_t Dik;
};

// The key table Initialize restores; every other slot is 0.
constexpr DefaultKey kDefaultKeys[] = {
    {0, 0, dik::Z},        {0, 1, dik::X},        {0, 2, dik::C},        {0, 3, dik::A},
    {0, 4, dik::S},        {0, 5, dik::D},        {0, 6, dik::K1},       {0, 7, dik::K2},
    {0, 8, dik::K3},       {0, 9, dik::K4},       {0, 10, dik::K5},      {0, 11, dik::K6},
    {0, 12, dik::K7},      {0, 13, dik::K8},      {0, 14, dik::K9},      {0, 15, dik::K0},
    {0, 32, dik::UP},      {0, 33, dik::DOWN},    {0, 34, dik::LEFT},    {0, 35, dik::RIGHT},
    {1, 0, dik::SPACE},    {1, 1, dik::ESCAPE},   {1, 32, dik::NUMPAD8}, {1, 33, dik::NUMPAD2},
    {1, 34, dik::NUMPAD4}, {1, 35, dik::NUMPAD6}, {1, 36, dik::NUMPAD7}, {1, 37, dik::NUMPAD9},
    {1, 38, dik::NUMPAD1}, {1, 39, dik::NUMPAD3},
};

constexpr int32_t kFull = 32767;

int32_t Sign(int32_t v) { return v > 0 ? 1 : (v < 0 ? -1 : 0); }

}  // namespace

TRuzud::TRuzud(InputSource* source) : Source_(source) {}

void TRuzud::Loaded() {
  if (AutoInitialize_) Initialize();
}

void TRuzud::Initialize() {
  for (auto& bank : KeyTable_) bank.fill(0);
  for (const DefaultKey& k : kDefaultKeys) KeyTable_[k.Bank][k.Slot] = k.Dik;
  HasKeyboard_ = Source_ != nullptr;
  HasMouse_ = Source_ != nullptr && Source_->HasMouse();
  PadCount_ = Source_ ? std::clamp(Source_->PadCount(), 0, kMaxPads) : 0;
  Initialized_ = true;
}

void TRuzud::SetKey(int bank, int slot, uint8_t dik) {
  if (bank < 0 || bank >= kBanks || slot < 0 || slot >= kSlots) return;
  KeyTable_[bank][slot] = dik;
}

uint8_t TRuzud::Key(int bank, int slot) const {
  if (bank < 0 || bank >= kBanks || slot < 0 || slot >= kSlots) return 0;
  return KeyTable_[bank][slot];
}

bool TRuzud::Poll(std::initializer_list<int> devices) {
  return Poll(std::span<const int>(devices.begin(), devices.size()));
}

bool TRuzud::Poll(std::span<const int> devices) {
  bool any = false;
  bool first = true;
  for (int device : devices) {
    any = PollDevice(first, device) || any;
    first = false;
  }
  return any;
}

bool TRuzud::PollDevice(bool clear, int device) {
  if (clear) State_ = JoyState{};
  if (!Initialized_) return false;
  if (device == 0) return PollKeyboard();
  if (device == 1) return PollMouse();
  if (device >= 2) return PollPad(clear, device - 2);
  return false;
}

bool TRuzud::SlotHeld(int slot) const { return KeyDown(KeyTable_[0][slot]) || KeyDown(KeyTable_[1][slot]); }

bool TRuzud::PollKeyboard() {
  if (!HasKeyboard_) return false;
  // A device that lost acquisition is re-acquired and read once more.
  if (!Source_->ReadKeyboard(Keyboard_) && !Source_->ReadKeyboard(Keyboard_)) {
    Keyboard_.fill(0);
    return false;
  }
  for (int i = 0; i < kButtons; ++i) {
    const uint8_t a = KeyTable_[0][i], b = KeyTable_[1][i];
    // Key code 0 is "no key": its byte never counts.
    State_.Buttons[i] |= uint8_t((a ? Keyboard_[a] : 0) | (b ? Keyboard_[b] : 0));
  }
  // Opposite directions together cancel: -32767 + 32767 = 0.
  int32_t y = 0, x = 0;
  if (SlotHeld(SlotUp) || SlotHeld(SlotUpLeft) || SlotHeld(SlotUpRight)) y = -kFull;
  if (SlotHeld(SlotDown) || SlotHeld(SlotDownLeft) || SlotHeld(SlotDownRight)) y += kFull;
  if (SlotHeld(SlotLeft) || SlotHeld(SlotUpLeft) || SlotHeld(SlotDownLeft)) x = -kFull;
  if (SlotHeld(SlotRight) || SlotHeld(SlotUpRight) || SlotHeld(SlotDownRight)) x += kFull;
  // Bitwise OR, as the pad's axes are combined: a key against the stick
  // gives an odd value, but with the key's sign.
  State_.lX |= x;
  State_.lY |= y;
  return true;
}

bool TRuzud::PollMouse() {
  if (!HasMouse_) return false;
  MouseState mouse;
  if (!Source_->ReadMouse(mouse)) return false;
  State_.lX = mouse.lX;
  State_.lY = mouse.lY;
  State_.lZ = mouse.lZ;
  for (int i = 0; i < 4; ++i) State_.Buttons[i] |= mouse.Buttons[i];
  return true;
}

bool TRuzud::PollPad(bool clear, int pad) {
  // Pads are counted again on every read, so one plugged in (or pulled out)
  // while the game runs is picked up without a new Initialize.
  PadCount_ = Source_ ? std::clamp(Source_->PadCount(), 0, kMaxPads) : 0;
  if (pad < 0 || pad >= PadCount_) return false;
  JoyState js;
  if (!Source_->ReadPad(pad, js)) return false;
  for (int32_t* axis : {&js.lX, &js.lY, &js.lZ, &js.lRx, &js.lRy, &js.lRz, &js.Slider[0], &js.Slider[1]}) {
    *axis = DeadZoneAdjust(*axis);
  }
  if (clear) {
    State_ = js;
    return true;
  }
  State_.lX |= js.lX;
  State_.lY |= js.lY;
  State_.lZ |= js.lZ;
  State_.lRx |= js.lRx;
  State_.lRy |= js.lRy;
  State_.lRz |= js.lRz;
  for (int i = 0; i < 2; ++i) State_.Slider[i] |= js.Slider[i];
  for (int i = 0; i < 4; ++i) State_.Pov[i] |= js.Pov[i];
  for (int i = 0; i < kButtons; ++i) State_.Buttons[i] |= js.Buttons[i];
  return true;
}

bool TRuzud::IsPressed(int button) const {
  if (button < 0 || button >= kButtons) return false;
  return (State_.Buttons[button] & 0x80) != 0;
}

std::array<int32_t, 12> TRuzud::GetDirections() const {
  const JoyState& s = State_;
  return {Sign(s.lX),        Sign(s.lY),        Sign(s.lZ),          Sign(s.lRx),
          Sign(s.lRy),       Sign(s.lRz),       Sign(s.Slider[0]),   Sign(s.Slider[1]),
          int32_t(s.Pov[0]), int32_t(s.Pov[1]), int32_t(s.Pov[2]),   int32_t(s.Pov[3])};
}

int32_t TRuzud::DeadZoneAdjust(int32_t v) const {
  // A dead zone of 0 or less is off (a negative one would make no sense and
  // push the centre away from 0).
  if (DeadZone_ <= 0) return v;
  const int64_t zone = DeadZone_;
  // Division truncates toward zero. With 30: -9830 .. 9830.
  const int64_t low = (-zone * 32768) / 100;
  const int64_t high = (zone * 32767) / 100;
  const int64_t value = v;
  if (value >= low && value <= high) return 0;
  if (zone >= 100) return 0;
  int64_t out = value < 0 ? (value - low) * 100 / (100 - zone) : (value - high) * 100 / (100 - zone);
  return int32_t(std::clamp<int64_t>(out, std::numeric_limits<int32_t>::min(),
                                     std::numeric_limits<int32_t>::max()));
}

int32_t TRuzud::InputCheck(int32_t result, const std::string& text) {
  if (result == 0) return result;
  char code[40];
  std::snprintf(code, sizeof code, "(Error Code(%X))", unsigned(uint32_t(result)));
  InputLog(text + code);
  if (DebugOption_.HaltOnError) {
    if (Halt_) {
      Halt_();
    } else {
      std::fflush(nullptr);
      std::_Exit(1);
    }
  }
  return result;
}

void TRuzud::InputLog(const std::string& text) {
  if (DebugOption_.DebugMessage) {
    ++LogCounter_;
    char number[24];
    std::snprintf(number, sizeof number, "debug#%.5d ... ", LogCounter_);
    auto mode = std::ios::binary | (LogCounter_ == 1 ? std::ios::trunc : std::ios::app);
    // A log that cannot be written is skipped.
    std::ofstream out(LogDirectory_ / LogFileName, mode);
    if (out) out << number << text << '\n';
  }
  if (DebugOption_.ExceptOnError) throw EVedi(text);
}

}  // namespace vuzed
