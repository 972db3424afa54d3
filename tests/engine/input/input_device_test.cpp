#include "engine/input/input_device.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "engine/input/dik_codes.h"
#include "support/test_dir.h"

namespace vuzed {
namespace {

class FakeInput : public InputSource {
 public:
  bool ReadKeyboard(std::array<uint8_t, 256>& keys) override {
    ++KeyboardReads;
    if (KeyboardFailures > 0) {
      --KeyboardFailures;
      return false;
    }
    keys = Keys;
    return true;
  }
  bool HasMouse() const override { return MousePresent; }
  bool ReadMouse(MouseState& m) override {
    if (!MouseWorks) return false;
    m = Mouse;
    return true;
  }
  int PadCount() const override { return int(Pads.size()); }
  bool ReadPad(int index, JoyState& state) override {
    if (index < 0 || index >= int(Pads.size()) || !PadWorks) return false;
    state = Pads[std::size_t(index)];
    return true;
  }
  bool IsKeyDown(uint8_t dik) override { return Keys[dik] & 0x80; }

  void Press(uint8_t dik) { Keys[dik] = 0x80; }

  std::array<uint8_t, 256> Keys{};
  int KeyboardFailures = 0;
  int KeyboardReads = 0;
  bool MousePresent = false;
  bool MouseWorks = true;
  MouseState Mouse;
  std::vector<JoyState> Pads;
  bool PadWorks = true;
};

struct Rig {
  Rig() : Input(&Source) { Input.Initialize(); }
  FakeInput Source;
  TRuzud Input;
};

// The bindings the game makes at start-up.
void BindLikeTheGame(TRuzud& in) {
  in.SetKey(1, 0, 0);
  in.SetKey(1, 1, 0);
  in.SetKey(0, 3, dik::ESCAPE);
  in.SetKey(1, 3, dik::P);
  in.SetKey(0, 4, dik::F1);
}

TEST(TRuzud, InitializeWritesTheDefaultKeyTable) {
  FakeInput source;
  TRuzud in(&source);
  EXPECT_EQ(in.Key(0, 0), 0);  // nothing before Initialize
  in.Initialize();
  const uint8_t bank0[16] = {dik::Z,  dik::X,  dik::C,  dik::A,  dik::S,  dik::D,  dik::K1, dik::K2,
                             dik::K3, dik::K4, dik::K5, dik::K6, dik::K7, dik::K8, dik::K9, dik::K0};
  for (int i = 0; i < 16; ++i) EXPECT_EQ(in.Key(0, i), bank0[i]) << i;
  EXPECT_EQ(in.Key(1, 0), dik::SPACE);
  EXPECT_EQ(in.Key(1, 1), dik::ESCAPE);
  const uint8_t dirs0[8] = {dik::UP, dik::DOWN, dik::LEFT, dik::RIGHT, 0, 0, 0, 0};
  const uint8_t dirs1[8] = {dik::NUMPAD8, dik::NUMPAD2, dik::NUMPAD4, dik::NUMPAD6,
                            dik::NUMPAD7, dik::NUMPAD9, dik::NUMPAD1, dik::NUMPAD3};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(in.Key(0, 32 + i), dirs0[i]) << i;
    EXPECT_EQ(in.Key(1, 32 + i), dirs1[i]) << i;
  }
  int bound = 0;
  for (int b = 0; b < 2; ++b)
    for (int s = 0; s < 40; ++s) bound += in.Key(b, s) != 0;
  EXPECT_EQ(bound, 16 + 2 + 4 + 8);

  // Initialize again restores the defaults over any binding.
  BindLikeTheGame(in);
  in.Initialize();
  EXPECT_EQ(in.Key(1, 0), dik::SPACE);
  EXPECT_EQ(in.Key(0, 3), dik::A);
  EXPECT_EQ(in.Key(0, 4), dik::S);
}

TEST(TRuzud, LoadedInitializesOnlyWithAutoInitialize) {
  FakeInput source;
  TRuzud manual(&source);
  manual.SetAutoInitialize(false);
  manual.Loaded();
  EXPECT_EQ(manual.Key(0, 0), 0);
  TRuzud automatic(&source);
  automatic.Loaded();
  EXPECT_EQ(automatic.Key(0, 0), dik::Z);
}

TEST(TRuzud, SetKeyIgnoresOutOfRangeSlots) {
  Rig r;
  r.Input.SetKey(2, 0, dik::Q);
  r.Input.SetKey(-1, 0, dik::Q);
  r.Input.SetKey(0, 40, dik::Q);
  r.Input.SetKey(0, -1, dik::Q);
  for (int b = 0; b < 2; ++b)
    for (int s = 0; s < 40; ++s) EXPECT_NE(r.Input.Key(b, s), dik::Q);
  EXPECT_EQ(r.Input.Key(2, 0), 0);
  r.Input.SetKey(1, 39, dik::Q);
  EXPECT_EQ(r.Input.Key(1, 39), dik::Q);
}

TEST(TRuzud, KeysOfEitherBankPressButtons) {
  Rig r;
  r.Source.Press(dik::Z);
  r.Source.Press(dik::K0);
  EXPECT_TRUE(r.Input.Poll({0}));
  EXPECT_TRUE(r.Input.IsPressed(0));
  EXPECT_TRUE(r.Input.IsPressed(15));
  EXPECT_FALSE(r.Input.IsPressed(1));
  r.Source.Keys = {};
  r.Source.Press(dik::SPACE);
  r.Source.Press(dik::ESCAPE);
  EXPECT_TRUE(r.Input.Poll({0}));
  EXPECT_TRUE(r.Input.IsPressed(0));
  EXPECT_TRUE(r.Input.IsPressed(1));
  // Nothing is remembered between polls.
  r.Source.Keys = {};
  r.Input.Poll({0});
  EXPECT_FALSE(r.Input.IsPressed(0));
}

TEST(TRuzud, ButtonsOutsideTheRangeAreNeverPressed) {
  Rig r;
  r.Source.Keys.fill(0x80);
  r.Input.Poll({0});
  EXPECT_TRUE(r.Input.IsPressed(0));
  EXPECT_FALSE(r.Input.IsPressed(31));  // slot 31 has no key
  EXPECT_FALSE(r.Input.IsPressed(-1));
  EXPECT_FALSE(r.Input.IsPressed(32));
}

TEST(TRuzud, KeyCodeZeroIsNeverDown) {
  Rig r;
  r.Source.Keys[0] = 0x80;  // a source that reports "no key" as down
  r.Input.Poll({0});
  for (int i = 0; i < 32; ++i) EXPECT_FALSE(r.Input.IsPressed(i)) << i;
  EXPECT_EQ(r.Input.CombinedState().lX, 0);
  EXPECT_EQ(r.Input.CombinedState().lY, 0);
}

TEST(TRuzud, OppositeDirectionsCancel) {
  Rig r;
  r.Source.Press(dik::UP);
  r.Source.Press(dik::DOWN);
  r.Input.Poll({0});
  EXPECT_EQ(r.Input.CombinedState().lY, 0);
  r.Source.Keys = {};
  r.Source.Press(dik::LEFT);
  r.Source.Press(dik::NUMPAD6);
  r.Input.Poll({0});
  EXPECT_EQ(r.Input.CombinedState().lX, 0);
}

TEST(TRuzud, DiagonalKeysAddToBothAxes) {
  Rig r;
  r.Source.Press(dik::UP);
  r.Source.Press(dik::NUMPAD7);
  r.Input.Poll({0});
  EXPECT_EQ(r.Input.CombinedState().lY, -32767);
  EXPECT_EQ(r.Input.CombinedState().lX, -32767);
  r.Source.Keys = {};
  r.Source.Press(dik::NUMPAD3);
  r.Input.Poll({0});
  EXPECT_EQ(r.Input.CombinedState().lX, 32767);
  EXPECT_EQ(r.Input.CombinedState().lY, 32767);
  auto d = r.Input.GetDirections();
  EXPECT_EQ(d[0], 1);
  EXPECT_EQ(d[1], 1);
}

TEST(TRuzud, DeadZoneDefault) {
  FakeInput source;
  TRuzud in(&source);
  EXPECT_EQ(in.DeadZone(), 30);
  EXPECT_EQ(in.DeadZoneAdjust(9830), 0);
  EXPECT_EQ(in.DeadZoneAdjust(-9830), 0);
  EXPECT_EQ(in.DeadZoneAdjust(0), 0);
  EXPECT_EQ(in.DeadZoneAdjust(9831), 1);
  EXPECT_EQ(in.DeadZoneAdjust(-9831), -1);
  EXPECT_EQ(in.DeadZoneAdjust(32767), 32767);
  EXPECT_EQ(in.DeadZoneAdjust(-32768), -32768);
  EXPECT_EQ(in.DeadZoneAdjust(-23830), -20000);
  EXPECT_EQ(in.DeadZoneAdjust(9900), 100);  // 70 * 100 / 70
  EXPECT_EQ(in.DeadZoneAdjust(9899), 98);   // 6900 / 70 = 98.57, truncated
  EXPECT_EQ(in.DeadZoneAdjust(-9899), -98);  // truncated toward zero
}

TEST(TRuzud, DeadZoneLimits) {
  FakeInput source;
  TRuzud in(&source);
  in.SetDeadZone(0);
  EXPECT_EQ(in.DeadZoneAdjust(5), 5);
  EXPECT_EQ(in.DeadZoneAdjust(-32768), -32768);
  in.SetDeadZone(100);
  EXPECT_EQ(in.DeadZoneAdjust(32767), 0);
  EXPECT_EQ(in.DeadZoneAdjust(-32768), 0);
  in.SetDeadZone(250);
  EXPECT_EQ(in.DeadZoneAdjust(INT32_MAX), 0);
  EXPECT_EQ(in.DeadZoneAdjust(INT32_MIN), 0);
  in.SetDeadZone(INT32_MAX);  // no overflow in the bounds
  EXPECT_EQ(in.DeadZoneAdjust(INT32_MIN), 0);
  in.SetDeadZone(99);
  EXPECT_EQ(in.DeadZoneAdjust(32767), 32800);  // (32767 - 32439) * 100
  EXPECT_EQ(in.DeadZoneAdjust(INT32_MAX), INT32_MAX);  // held in range
  EXPECT_EQ(in.DeadZoneAdjust(INT32_MIN), INT32_MIN);
  // A negative dead zone is off rather than pushing the centre away.
  in.SetDeadZone(-10);
  EXPECT_EQ(in.DeadZoneAdjust(0), 0);
  EXPECT_EQ(in.DeadZoneAdjust(-1234), -1234);
}

JoyState Stick(int32_t x, int32_t y) {
  JoyState s;
  s.lX = x;
  s.lY = y;
  return s;
}

TEST(TRuzud, PadAxesPassTheDeadZone) {
  Rig r;
  JoyState pad = Stick(9830, -9830);
  pad.lZ = 32767;
  pad.lRx = -32768;
  pad.lRy = 100;
  pad.lRz = -23830;
  pad.Slider = {9831, -32768};
  r.Source.Pads.push_back(pad);
  r.Input.Initialize();
  EXPECT_TRUE(r.Input.Poll({0, 2}));
  const JoyState& s = r.Input.CombinedState();
  EXPECT_EQ(s.lX, 0);
  EXPECT_EQ(s.lY, 0);
  EXPECT_EQ(s.lZ, 32767);
  EXPECT_EQ(s.lRx, -32768);
  EXPECT_EQ(s.lRy, 0);
  EXPECT_EQ(s.lRz, -20000);
  EXPECT_EQ(s.Slider[0], 1);
  EXPECT_EQ(s.Slider[1], -32768);
  auto d = r.Input.GetDirections();
  const std::array<int32_t, 8> signs = {0, 0, 1, -1, 0, -1, 1, -1};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(d[i], signs[i]) << i;
}

TEST(TRuzud, StickAndKeyAreCombinedBitwise) {
  Rig r;
  r.Source.Pads.push_back(Stick(-23830, 0));  // -20000 after the dead zone
  r.Input.Initialize();
  ASSERT_TRUE(r.Input.Poll({0, 2}));
  EXPECT_EQ(r.Input.CombinedState().lX, -20000);
  EXPECT_EQ(r.Input.GetDirections()[0], -1);
  r.Source.Press(dik::RIGHT);
  ASSERT_TRUE(r.Input.Poll({0, 2}));
  EXPECT_EQ(r.Input.CombinedState().lX, 32767 | -20000);
  EXPECT_EQ(r.Input.CombinedState().lX, -1);
  EXPECT_EQ(r.Input.GetDirections()[0], -1);
}

TEST(TRuzud, PadButtonIsTheSameButtonAsItsKey) {
  Rig r;
  JoyState pad;
  pad.Buttons[5] = 0x80;
  r.Source.Pads.push_back(pad);
  r.Input.Initialize();
  r.Input.Poll({0, 2});
  EXPECT_TRUE(r.Input.IsPressed(5));
  r.Source.Pads[0].Buttons[5] = 0;
  r.Input.Poll({0, 2});
  EXPECT_FALSE(r.Input.IsPressed(5));
  r.Source.Press(dik::D);
  r.Input.Poll({0, 2});
  EXPECT_TRUE(r.Input.IsPressed(5));
}

TEST(TRuzud, FirstPolledPadReplacesTheStateThenKeysAreOred) {
  Rig r;
  JoyState pad = Stick(32767, 0);
  pad.Pov = {9000, 0xFFFFFFFFu, 0, 27000};
  pad.Buttons[7] = 0x80;
  r.Source.Pads.push_back(pad);
  r.Input.Initialize();
  r.Source.Press(dik::Z);
  r.Source.Press(dik::UP);
  ASSERT_TRUE(r.Input.Poll({2, 0}));
  const JoyState& s = r.Input.CombinedState();
  EXPECT_EQ(s.lX, 32767);
  EXPECT_EQ(s.lY, -32767);
  EXPECT_TRUE(r.Input.IsPressed(0));
  EXPECT_TRUE(r.Input.IsPressed(7));
  auto d = r.Input.GetDirections();
  EXPECT_EQ(d[8], 9000);
  EXPECT_EQ(d[9], -1);  // a centred POV reads as all bits set
  EXPECT_EQ(d[10], 0);
  EXPECT_EQ(d[11], 27000);
  // Ored after the keyboard: the same POVs.
  ASSERT_TRUE(r.Input.Poll({0, 2}));
  EXPECT_EQ(r.Input.GetDirections()[11], 27000);
}

TEST(TRuzud, MissingPadLeavesTheKeyboardsContribution) {
  Rig r;
  r.Source.Press(dik::X);
  r.Source.Press(dik::LEFT);
  EXPECT_FALSE(r.Input.Poll({2}));
  EXPECT_TRUE(r.Input.Poll({0, 2}));
  EXPECT_TRUE(r.Input.IsPressed(1));
  EXPECT_EQ(r.Input.CombinedState().lX, -32767);
  EXPECT_FALSE(r.Input.Poll({-1, 1, 7}));
  // A pad that fails to read contributes nothing either.
  r.Source.Pads.push_back(Stick(32767, 32767));
  r.Input.Initialize();
  r.Source.PadWorks = false;
  EXPECT_TRUE(r.Input.Poll({0, 2}));
  EXPECT_EQ(r.Input.CombinedState().lX, -32767);
  EXPECT_EQ(r.Input.CombinedState().lY, 0);
}

TEST(TRuzud, PadsPluggedInWhileRunningArePickedUpAndCappedAtSixteen) {
  Rig r;
  EXPECT_FALSE(r.Input.Poll({2}));
  r.Source.Pads.resize(20, Stick(32767, 0));
  EXPECT_TRUE(r.Input.Poll({2}));  // plugged in after Initialize
  EXPECT_EQ(r.Input.CombinedState().lX, 32767);
  EXPECT_TRUE(r.Input.Poll({2 + 15}));
  EXPECT_FALSE(r.Input.Poll({2 + 16}));
  r.Source.Pads.clear();  // pulled out
  EXPECT_FALSE(r.Input.Poll({2}));
}

TEST(TRuzud, NoSourceMeansNoDevices) {
  TRuzud in(nullptr);
  in.Initialize();
  EXPECT_FALSE(in.Poll({0, 1, 2}));
  EXPECT_FALSE(in.IsPressed(0));
  EXPECT_EQ(in.GetDirections(), (std::array<int32_t, 12>{}));
}

TEST(TRuzud, NothingIsReadBeforeInitialize) {
  FakeInput source;
  source.Press(dik::Z);
  TRuzud in(&source);
  EXPECT_FALSE(in.Poll({0}));
  EXPECT_FALSE(in.IsPressed(0));
  EXPECT_EQ(source.KeyboardReads, 0);
}

TEST(TRuzud, KeyboardIsReadOnceMoreAfterAFailure) {
  Rig r;
  r.Source.Press(dik::Z);
  r.Source.KeyboardFailures = 1;
  EXPECT_TRUE(r.Input.Poll({0}));
  EXPECT_TRUE(r.Input.IsPressed(0));
  EXPECT_EQ(r.Source.KeyboardReads, 2);
  r.Source.KeyboardFailures = 2;
  EXPECT_FALSE(r.Input.Poll({0}));
  EXPECT_FALSE(r.Input.IsPressed(0));  // cleared, nothing contributed
}

TEST(TRuzud, MouseReplacesAxesAndAddsFourButtons) {
  Rig r;
  EXPECT_FALSE(r.Input.Poll({1}));  // no mouse
  r.Source.MousePresent = true;
  r.Source.Mouse.lX = -5;
  r.Source.Mouse.lY = 7;
  r.Source.Mouse.lZ = 120;
  r.Source.Mouse.Buttons = {0, 0x80, 0, 0};
  r.Input.Initialize();
  r.Source.Press(dik::LEFT);
  ASSERT_TRUE(r.Input.Poll({0, 1}));
  const JoyState& s = r.Input.CombinedState();
  EXPECT_EQ(s.lX, -5);  // replaced, not combined
  EXPECT_EQ(s.lY, 7);
  EXPECT_EQ(s.lZ, 120);
  EXPECT_TRUE(r.Input.IsPressed(1));
  r.Source.MouseWorks = false;
  EXPECT_FALSE(r.Input.Poll({1}));
  EXPECT_TRUE(r.Input.Poll({0, 1}));
  EXPECT_EQ(r.Input.CombinedState().lX, -32767);
}

TEST(TRuzud, EmptyPollListReadsNothing) {
  Rig r;
  r.Source.Press(dik::Z);
  r.Input.Poll({0});
  EXPECT_FALSE(r.Input.Poll(std::span<const int>()));
  EXPECT_TRUE(r.Input.IsPressed(0));  // the previous state stays
}

TEST(TRuzud, StartupBindings) {
  Rig r;
  BindLikeTheGame(r.Input);
  r.Source.Press(dik::SPACE);
  r.Input.Poll({0, 2});
  EXPECT_FALSE(r.Input.IsPressed(0));
  r.Source.Keys = {};
  r.Source.Press(dik::ESCAPE);
  r.Input.Poll({0, 2});
  EXPECT_TRUE(r.Input.IsPressed(3));
  EXPECT_FALSE(r.Input.IsPressed(1));
  r.Source.Keys = {};
  r.Source.Press(dik::P);
  r.Input.Poll({0, 2});
  EXPECT_TRUE(r.Input.IsPressed(3));
  r.Source.Keys = {};
  r.Source.Press(dik::F1);
  r.Input.Poll({0, 2});
  EXPECT_TRUE(r.Input.IsPressed(4));
  r.Source.Keys = {};
  r.Source.Press(dik::A);
  r.Source.Press(dik::S);
  r.Input.Poll({0, 2});
  EXPECT_FALSE(r.Input.IsPressed(3));
  EXPECT_FALSE(r.Input.IsPressed(4));
}

TEST(TRuzud, InputCheckPassesZero) {
  test::TempDir dir;
  TRuzud in(nullptr);
  in.SetLogDirectory(dir.Path());
  in.SetDebugOption({true, true, true});
  int halts = 0;
  in.SetHaltHandler([&] { ++halts; });
  EXPECT_EQ(in.InputCheck(0, "never"), 0);
  EXPECT_EQ(halts, 0);
  EXPECT_EQ(in.LogLineCount(), 0);
  EXPECT_FALSE(std::filesystem::exists(dir.Path() / "vedi.debug"));
}

TEST(TRuzud, InputCheckLogsWithTheCodeAndHalts) {
  test::TempDir dir;
  dir.Write("vedi.debug", "old run\n");
  TRuzud in(nullptr);
  in.SetLogDirectory(dir.Path());
  in.SetDebugOption({true, true, false});
  int halts = 0;
  in.SetHaltHandler([&] { ++halts; });
  EXPECT_EQ(in.InputCheck(int32_t(0x80004005u), "DirectInputの作成に失敗しました"), int32_t(0x80004005u));
  EXPECT_EQ(in.InputCheck(0x1A, "two"), 0x1A);
  in.InputLog("plain");
  EXPECT_EQ(halts, 2);
  EXPECT_EQ(dir.Read("vedi.debug"),
            "debug#00001 ... DirectInputの作成に失敗しました(Error Code(80004005))\n"
            "debug#00002 ... two(Error Code(1A))\n"
            "debug#00003 ... plain\n");
}

TEST(TRuzud, LoggingNeedsDebugMessageAndHaltingNeedsHaltOnError) {
  test::TempDir dir;
  TRuzud in(nullptr);
  in.SetLogDirectory(dir.Path());
  in.SetDebugOption({false, false, false});
  int halts = 0;
  in.SetHaltHandler([&] { ++halts; });
  EXPECT_EQ(in.InputCheck(5, "quiet"), 5);
  EXPECT_EQ(halts, 0);
  EXPECT_EQ(in.LogLineCount(), 0);
  EXPECT_FALSE(std::filesystem::exists(dir.Path() / "vedi.debug"));
  // An unwritable log directory is skipped silently.
  in.SetDebugOption({false, true, false});
  in.SetLogDirectory(dir.Path() / "missing");
  in.InputLog("lost");
  EXPECT_EQ(in.LogLineCount(), 1);
}

TEST(TRuzud, ExceptOnErrorThrowsBeforeHalting) {
  TRuzud in(nullptr);
  in.SetDebugOption({true, false, true});
  int halts = 0;
  in.SetHaltHandler([&] { ++halts; });
  try {
    in.InputCheck(0x10, "bad");
    FAIL() << "no exception";
  } catch (const EVedi& e) {
    EXPECT_STREQ(e.what(), "bad(Error Code(10))");
  }
  EXPECT_EQ(halts, 0);
  EXPECT_THROW(in.InputLog("x"), EVedi);
}

}  // namespace
}  // namespace vuzed
