// The replay file: what is written reads back the same, and a damaged or
// truncated file is refused with a message that says what is wrong.

#include "replay/replay_reader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "replay/replay_writer.h"

namespace vuzed {
namespace {

// A replay with every part filled: two later stages, keys, a pad, checksums.
TReplay Sample() {
  TReplay r;
  r.Flags = TReplay::kInvincible;
  r.StageType = 1;
  r.Seed = 0xDEADBEEF;
  r.ScriptHash = 0x0123456789ABCDEFull;
  r.Ship = {200.5f, 400, 3, 2, 4, 1.25f, 7, 1, 180, 0, 3, 5};
  r.KeyWait = 30;
  r.Score = 1234;
  r.PlayFrames = 99;
  r.Passes = 130;
  r.LaterStages = {{100, 2, 42}, {120, 3, 43}};
  TPassInput keys;
  keys.Keys = {0x2C, 0xC8};  // z, up
  TPassInput pad;
  pad.HasPad = true;
  pad.Pad.lX = -32768;
  pad.Pad.lY = 32767;
  pad.Pad.Pov = {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};
  pad.Pad.Buttons[0] = 0x80;
  pad.Pad.Buttons[31] = 0x80;
  r.Input = {{60, keys}, {10, TPassInput{}}, {60, pad}};
  r.Checkpoints = {{60, 1}, {120, 2}, {130, 3}};
  return r;
}

// Offsets of the layout (docs/replays.md).
constexpr size_t kVersionAt = 4;
constexpr size_t kFlagsAt = 6;
constexpr size_t kPassesAt = 84;
constexpr size_t kStageCountAt = 88;
constexpr size_t kRunCountAt = kStageCountAt + 4 + 2 * 16;
constexpr size_t kFirstRunAt = kRunCountAt + 4;

void PutU32(std::string& bytes, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + size_t(i)] = char(v >> (8 * i));
}

TEST(ReplayFile, WhatIsWrittenReadsBackTheSame) {
  const TReplay r = Sample();
  std::string error;
  const std::string bytes = EncodeReplay(r);
  std::optional<TReplay> back = DecodeReplay(bytes, error);
  ASSERT_TRUE(back) << error;
  EXPECT_EQ(*back, r);
  EXPECT_EQ(bytes.substr(0, 4), "VZRP");
  uint32_t passes = 0;
  std::memcpy(&passes, bytes.data() + kPassesAt, 4);
  EXPECT_EQ(passes, 130u);  // the documented offset holds the pass count
}

TEST(ReplayFile, EveryShorterFileIsRefusedAsTruncatedOrNotAReplay) {
  const std::string bytes = EncodeReplay(Sample());
  for (size_t size = 0; size < bytes.size(); ++size) {
    std::string error;
    EXPECT_FALSE(DecodeReplay(bytes.substr(0, size), error)) << size;
    const bool expected = size < 4 ? error.find("not a vuzed replay") == 0 : error.find("truncated replay:") == 0;
    EXPECT_TRUE(expected) << size << ": " << error;
  }
}

struct Damage {
  const char* Name;
  std::function<void(std::string&)> Apply;
  const char* Message;
};

TEST(ReplayFile, DamagedFilesAreRefusedWithWhatIsWrong) {
  const Damage cases[] = {
      {"magic", [](std::string& b) { b[0] = 'X'; }, "not a vuzed replay"},
      {"version", [](std::string& b) { b[kVersionAt] = 2; }, "replay version 2 cannot be read"},
      {"flags", [](std::string& b) { b[kFlagsAt] = 4; }, "unknown flags 4"},
      {"passes", [](std::string& b) { PutU32(b, kPassesAt, kMaxReplayPasses + 1); }, "more than ten hours"},
      {"stage count", [](std::string& b) { PutU32(b, kStageCountAt, 0xFFFFFFFF); }, "cannot fit"},
      {"stage order", [](std::string& b) { PutU32(b, kStageCountAt + 4 + 16, 100); }, "stage load at pass 100"},
      {"run count", [](std::string& b) { PutU32(b, kRunCountAt, 1000000); }, "1000000 input runs cannot fit"},
      {"empty run", [](std::string& b) { b[kFirstRunAt] = 0; }, "input run of no passes"},
      {"long varint", [](std::string& b) { b.insert(kFirstRunAt, "\xFF\xFF\xFF\xFF\xFF"); }, "badly encoded run length"},
      {"padded varint", [](std::string& b) { b.replace(kFirstRunAt, 1, std::string("\xBC\0", 2)); }, "badly encoded run length"},
      {"short runs", [](std::string& b) { b[kFirstRunAt] = 59; }, "input for 129 of the 130 passes"},
      {"long runs", [](std::string& b) { b[kFirstRunAt] = 62; }, "input for more than the 130 passes"},
      {"key order", [](std::string& b) { std::swap(b[kFirstRunAt + 2], b[kFirstRunAt + 3]); }, "key codes out of order"},
      {"pad flag", [](std::string& b) { b[kFirstRunAt + 4] = 2; }, "a pad flag of 2"},
      {"checksum order", [](std::string& b) { PutU32(b, b.size() - 12, 60); }, "checksum of pass 60 out of order"},
      {"checksum beyond", [](std::string& b) { PutU32(b, b.size() - 12, 131); }, "checksum of pass 131"},
      {"trailing", [](std::string& b) { b += "x"; }, "1 bytes after its end"},
  };
  for (const Damage& d : cases) {
    std::string bytes = EncodeReplay(Sample());
    d.Apply(bytes);
    std::string error;
    EXPECT_FALSE(DecodeReplay(bytes, error)) << d.Name;
    EXPECT_NE(error.find(d.Message), std::string::npos) << d.Name << ": " << error;
  }
}

// Any one byte changed: refused with a message, or a replay whose bytes
// are exactly those (one encoding per replay, so nothing is read wrongly).
TEST(ReplayFile, EveryChangedByteIsRefusedOrReadsBackExactly) {
  const std::string bytes = EncodeReplay(Sample());
  int refused = 0;
  for (size_t at = 0; at < bytes.size(); ++at) {
    for (uint8_t flip : {0x01, 0x80, 0xFF}) {
      std::string changed = bytes;
      changed[at] = char(uint8_t(changed[at]) ^ flip);
      std::string error;
      const std::optional<TReplay> r = DecodeReplay(changed, error);
      if (r) {
        EXPECT_EQ(EncodeReplay(*r), changed) << at;
      } else {
        EXPECT_FALSE(error.empty()) << at;
        ++refused;
      }
    }
  }
  EXPECT_GT(refused, 0);
}

TEST(ReplayFile, WhatCannotBeReadIsNamedAndNeverReadForEver) {
  std::string error;
  EXPECT_FALSE(ReadReplayFile("/nonexistent/dir/game.vzr", error));
  EXPECT_EQ(error, "/nonexistent/dir/game.vzr: cannot be read");
  EXPECT_FALSE(ReadReplayFile("/dev/zero", error));  // would never end
  EXPECT_EQ(error, "/dev/zero: not a file");
  EXPECT_FALSE(ReadReplayFile("/tmp", error));
  EXPECT_EQ(error, "/tmp: not a file");
}

}  // namespace
}  // namespace vuzed
