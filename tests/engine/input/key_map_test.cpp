#include "engine/input/key_map.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/input/dik_codes.h"
#include "engine/input/key_map_input.h"
#include "engine/input/key_names.h"

namespace vuzed {
namespace {

struct ParseCase {
  const char* Name;
  std::vector<TKeyEntry> Entries;
  // Expected keys and pad buttons (shot, bomb, slow, pause) when the section
  // is taken, or the error when it is not.
  std::array<uint8_t, 4> Keys;
  std::array<int, 4> Pads;
  std::string Error;
};

TEST(ParseKeyMap, TakesAGoodSectionWholeAndRefusesAFaultyOneWithItsLine) {
  using namespace dik;
  const std::array<int, 4> pads{0, 1, 5, 3};
  const ParseCase cases[] = {
      {"empty section", {}, {Z, X, D, P}, pads, ""},
      {"keys by name, any case", {{"shot", "Space", 2}, {"BOMB", "c", 3}}, {SPACE, C, D, P}, pads, ""},
      {"buttons trade keys", {{"Shot", "x", 2}, {"Bomb", "z", 3}}, {X, Z, D, P}, pads, ""},
      {"the default key given again", {{"Pause", "p", 2}}, {Z, X, D, P}, pads, ""},
      {"shift, digits, function keys", {{"Slow", "shift", 2}, {"Pause", "f2", 3}, {"Shot", "1", 4}},
       {K1, X, LSHIFT, F2}, pads, ""},
      {"pad buttons", {{"ShotPad", "7", 2}, {"PausePad", "31", 3}}, {Z, X, D, P}, {7, 1, 5, 31}, ""},
      {"pads trade buttons", {{"ShotPad", "1", 2}, {"BombPad", "0", 3}}, {Z, X, D, P}, {1, 0, 5, 3}, ""},
      {"unknown key name", {{"Shot", "space", 2}, {"Bomb", "spaec", 5}}, {}, {}, "5: Bomb: unknown key \"spaec\""},
      {"empty key name", {{"Shot", "", 4}}, {}, {}, "4: Shot: unknown key \"\""},
      {"a key the game keeps", {{"Bomb", "esc", 2}}, {}, {}, "2: Bomb: the game keeps the key \"esc\" for itself"},
      {"an arrow", {{"Slow", "Up", 2}}, {}, {}, "2: Slow: the game keeps the key \"Up\" for itself"},
      {"pad number too big", {{"BombPad", "32", 6}}, {}, {}, "6: BombPad: expected a pad button from 0 to 31, got \"32\""},
      {"pad number not a number", {{"BombPad", "2x", 6}}, {}, {}, "6: BombPad: expected a pad button from 0 to 31, got \"2x\""},
      {"negative pad number", {{"SlowPad", "-1", 3}}, {}, {}, "3: SlowPad: expected a pad button from 0 to 31, got \"-1\""},
      {"two buttons on one key", {{"Shot", "c", 2}, {"Bomb", "c", 3}}, {}, {}, "3: Shot and Bomb are on the same key"},
      {"a key that is another button's default", {{"Shot", "x", 4}}, {}, {}, "4: Shot and Bomb are on the same key"},
      {"two buttons on one pad button", {{"SlowPad", "0", 7}}, {}, {}, "7: ShotPad and SlowPad are on the same pad button"},
      {"an entry given twice", {{"Shot", "c", 2}, {"shot", "v", 3}}, {}, {}, "3: Shot is given twice (first on line 2)"},
      {"an unknown entry", {{"Shot", "c", 2}, {"Jump", "v", 3}}, {}, {}, "3: unknown entry \"Jump\""},
      {"a line that is no entry", {{"", "Shot c", 2}}, {}, {}, "2: expected NAME=VALUE, got \"Shot c\""},
  };
  for (const ParseCase& c : cases) {
    SCOPED_TRACE(c.Name);
    std::string error;
    std::optional<TKeyMap> map = ParseKeyMap(c.Entries, error);
    if (c.Error.empty()) {
      ASSERT_TRUE(map) << error;
      EXPECT_EQ(map->Keys, c.Keys);
      EXPECT_EQ(map->PadButtons, c.Pads);
    } else {
      EXPECT_FALSE(map);
      EXPECT_EQ(error, c.Error);
    }
  }
}

TEST(KeyNames, EveryNameFindsItsKeyAndTheGamesOwnKeysCannotBeGiven) {
  for (const TKeyName& k : KeyNames()) EXPECT_EQ(FindKeyName(k.Name), &k) << k.Name;
  EXPECT_EQ(FindKeyName("Z"), nullptr);  // names are lower case here; the settings fold them
  for (const char* kept : {"up", "down", "left", "right", "esc", "f1", "f3", "f4", "f5", "f11", "f12"})
    EXPECT_FALSE(FindKeyName(kept)->Assignable) << kept;
  EXPECT_TRUE(FindKeyName("p")->Assignable);
}

// Keys held and pad buttons pressed, as a device reports them.
class FakeDevices : public InputSource {
 public:
  std::vector<uint8_t> Down;
  std::vector<int> PadDown;
  bool ReadKeyboard(std::array<uint8_t, 256>& keys) override {
    keys.fill(0);
    for (uint8_t k : Down) keys[k] = 0x80;
    return true;
  }
  int PadCount() const override { return 1; }
  bool ReadPad(int, JoyState& state) override {
    state = JoyState{};
    state.lX = -32768;
    for (int b : PadDown) state.Buttons[size_t(b)] = 0x80;
    return true;
  }
  bool IsKeyDown(uint8_t dik) override { return std::find(Down.begin(), Down.end(), dik) != Down.end(); }
};

TEST(KeyMapInput, ChosenKeysReadAsTheDefaultOnesAndMovedDefaultsGoQuiet) {
  FakeDevices devices;
  TKeyMapInput input(devices);
  TKeyMap map = TKeyMap::Defaults();
  map.Keys = {dik::X, dik::Z, dik::LSHIFT, dik::P};  // shot and bomb trade; Shift slows via D
  map.PadButtons = {4, 1, 5, 3};
  input.SetMap(map);

  struct Row {
    std::vector<uint8_t> Held;
    std::vector<uint8_t> Read;  // every key the game then sees down
  };
  const Row rows[] = {
      {{dik::X}, {dik::Z}},
      {{dik::Z}, {dik::X}},
      {{dik::LSHIFT}, {dik::D}},       // Shift now presses D's button, and no longer itself
      {{dik::D}, {}},                  // D's button moved away
      {{dik::LEFT, dik::C}, {dik::C, dik::LEFT}},  // everything else passes
  };
  for (const Row& row : rows) {
    devices.Down = row.Held;
    std::array<uint8_t, 256> keys{};
    ASSERT_TRUE(input.ReadKeyboard(keys));
    std::vector<uint8_t> read;
    for (size_t k = 0; k < keys.size(); ++k)
      if (keys[k] & 0x80) read.push_back(uint8_t(k));
    std::vector<uint8_t> expected = row.Read;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(read, expected) << int(row.Held[0]);
    for (size_t k = 1; k < keys.size(); ++k) EXPECT_EQ(input.IsKeyDown(uint8_t(k)), (keys[k] & 0x80) != 0) << k;
  }

  devices.PadDown = {4, 0, 7};
  JoyState pad;
  ASSERT_TRUE(input.ReadPad(0, pad));
  EXPECT_EQ(pad.lX, -32768);
  EXPECT_EQ(pad.Buttons[0], 0x80);  // from pad button 4
  EXPECT_EQ(pad.Buttons[4], 0);     // chosen, so no longer itself
  EXPECT_EQ(pad.Buttons[7], 0x80);
  for (int b : {1, 2, 3, 5, 6}) EXPECT_EQ(pad.Buttons[size_t(b)], 0) << b;

  // The defaults change nothing.
  input.SetMap(TKeyMap::Defaults());
  devices.Down = {dik::Z, dik::D, dik::LSHIFT};
  std::array<uint8_t, 256> keys{};
  input.ReadKeyboard(keys);
  for (size_t k = 1; k < keys.size(); ++k) EXPECT_EQ(keys[k] != 0, devices.IsKeyDown(uint8_t(k))) << k;
}

}  // namespace
}  // namespace vuzed
