#include "engine/platform/scripted_input_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "engine/input/dik_codes.h"
#include "engine/input/key_names.h"

namespace vuzed {
namespace {

ScriptedInputSource ParseOk(std::string_view text) {
  std::string error;
  auto s = ScriptedInputSource::Parse(text, error);
  EXPECT_TRUE(s.has_value()) << error;
  return s ? *s : ScriptedInputSource{};
}

TEST(ScriptedInput, RangesHoldKeysInclusiveAndLinesAddUp) {
  auto s = ParseOk("# comment\r\n\r\n10-12 z left\r\n11 x\n   \n12 up\n");
  std::array<uint8_t, 256> keys{};
  s.SetPass(9);
  s.ReadKeyboard(keys);
  EXPECT_EQ(keys[dik::Z], 0);
  s.SetPass(10);
  s.ReadKeyboard(keys);
  EXPECT_EQ(keys[dik::Z], 0x80);
  EXPECT_EQ(keys[dik::LEFT], 0x80);
  EXPECT_EQ(keys[dik::X], 0);
  s.SetPass(11);
  s.ReadKeyboard(keys);
  EXPECT_EQ(keys[dik::X], 0x80);
  EXPECT_EQ(keys[dik::Z], 0x80);
  s.SetPass(12);
  EXPECT_TRUE(s.IsKeyDown(dik::UP));
  EXPECT_TRUE(s.IsKeyDown(dik::Z));
  EXPECT_FALSE(s.IsKeyDown(dik::X));
  s.SetPass(13);
  EXPECT_FALSE(s.IsKeyDown(dik::Z));
  EXPECT_EQ(s.PadCount(), 0);
}

TEST(ScriptedInput, EveryNamedKeyMapsToItsCode) {
  auto s = ParseOk("1 up down left right z x c a s d p esc f1 f3 f4 f5 shift ctrl tab space\n");
  s.SetPass(1);
  for (uint8_t k : {dik::UP, dik::DOWN, dik::LEFT, dik::RIGHT, dik::Z, dik::X, dik::C, dik::A, dik::S, dik::D,
                    dik::P, dik::ESCAPE, dik::F1, dik::F3, dik::F4, dik::F5, dik::LSHIFT, dik::LCONTROL, dik::TAB,
                    dik::SPACE})
    EXPECT_TRUE(s.IsKeyDown(k)) << int(k);
  // Every key the settings' [Keys] section can name, each on its own pass.
  std::string script;
  for (size_t i = 0; i < KeyNames().size(); ++i)
    script += std::to_string(i + 2) + " " + std::string(KeyNames()[i].Name) + "\n";
  auto all = ParseOk(script);
  for (size_t i = 0; i < KeyNames().size(); ++i) {
    all.SetPass(int64_t(i + 2));
    std::array<uint8_t, 256> keys{};
    all.ReadKeyboard(keys);
    EXPECT_EQ(std::count(keys.begin(), keys.end(), 0x80), 1) << KeyNames()[i].Name;
    EXPECT_EQ(keys[KeyNames()[i].Dik], 0x80) << KeyNames()[i].Name;
  }
}

TEST(ScriptedInput, PadExistsOnlyWhenNamed) {
  auto s = ParseOk("5-6 pad3 stick:-1,1\n7 pad31\n");
  EXPECT_EQ(s.PadCount(), 1);
  JoyState j;
  s.SetPass(5);
  ASSERT_TRUE(s.ReadPad(0, j));
  EXPECT_EQ(j.Buttons[3], 0x80);
  EXPECT_EQ(j.lX, -32768);
  EXPECT_EQ(j.lY, 32767);
  s.SetPass(7);
  ASSERT_TRUE(s.ReadPad(0, j));
  EXPECT_EQ(j.Buttons[3], 0);
  EXPECT_EQ(j.Buttons[31], 0x80);
  EXPECT_EQ(j.lX, 0);
  EXPECT_FALSE(s.ReadPad(1, j));
}

TEST(ScriptedInput, MalformedLinesNameTheirLine) {
  std::string error;
  EXPECT_FALSE(ScriptedInputSource::Parse("1 z\n2 jump\n", error));
  EXPECT_EQ(error.substr(0, 3), "2: ");
  EXPECT_NE(error.find("jump"), std::string::npos);
  for (const char* bad : {"0 z", "5-3 z", "x z", "3", "1-2-3 z", "1 pad32", "1 stick:2,0", "1 stick:1",
                          "-1 z", "1 Z"}) {
    error.clear();
    EXPECT_FALSE(ScriptedInputSource::Parse(bad, error)) << bad;
    EXPECT_EQ(error.substr(0, 3), "1: ") << bad;
  }
}

// The index gives what reading every line would give, pass after pass and
// after jumps, including which line's stick wins.
TEST(ScriptedInput, TheIndexedSpansReadAsEveryLineWould) {
  std::string text;
  uint32_t seed = 7;
  auto next = [&seed](int n) {
    seed = seed * 1103515245u + 12345u;
    return int((seed >> 8) % uint32_t(n));
  };
  const char* keys[] = {"z", "x", "left", "right", "pad3", "stick:1,0", "stick:-1,1", "shift"};
  for (int line = 0; line < 300; ++line) {
    const int from = 1 + next(600);
    text += std::to_string(from) + "-" + std::to_string(from + next(40)) + " " + keys[next(8)] + " " + keys[next(8)] + "\n";
  }
  ScriptedInputSource s = ParseOk(text);
  // The last pass of all, then a step back: moving on never overflows.
  for (int64_t pass : std::initializer_list<int64_t>{1, 2, 3, 100, 101, 102, 50, 51, 599, 600, 601, 700, 5, 6,
                                                   INT64_MAX, 3}) {
    s.SetPass(pass);
    std::array<uint8_t, 256> read{}, expected{};
    int x = 0, y = 0;
    std::array<uint8_t, 32> buttons{};
    for (const auto& span : s.Spans()) {
      if (pass < span.From || pass > span.To) continue;
      for (uint8_t k : span.Keys) expected[k] = 0x80;
      for (int b : span.PadButtons) buttons[size_t(b)] = 0x80;
      if (span.HasStick) x = span.StickX, y = span.StickY;
    }
    s.ReadKeyboard(read);
    EXPECT_EQ(read, expected) << "pass " << pass;
    EXPECT_EQ(s.IsKeyDown(dik::Z), expected[dik::Z] != 0) << "pass " << pass;
    JoyState pad;
    ASSERT_TRUE(s.ReadPad(0, pad));
    EXPECT_EQ(pad.lX, x < 0 ? -32768 : x > 0 ? 32767 : 0) << "pass " << pass;
    EXPECT_EQ(pad.lY, y < 0 ? -32768 : y > 0 ? 32767 : 0) << "pass " << pass;
    for (size_t b = 0; b < buttons.size(); ++b) EXPECT_EQ(pad.Buttons[b], buttons[b]) << "pass " << pass;
  }
}

}  // namespace
}  // namespace vuzed
