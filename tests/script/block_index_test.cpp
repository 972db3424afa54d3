#include "script/block_index.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>

namespace vuzed {
namespace {

TLineList List(std::initializer_list<const char*> texts) {
  TLineList lines;
  for (const char* t : texts) lines.push_back({t, {}});
  return lines;
}

TEST(TBlockIndex, FindsSingleLinesAndBalancedBlocks) {
  const TBlockIndex b(List({"IF A THEN;", "X;", "BEGIN;", "BEGIN;", "END;", "Y;", "END;", "BEGIN;"}));
  EXPECT_EQ(b.FindBlock(1)->Last, 1u);
  EXPECT_EQ(b.FindBlock(2)->First, 2u);
  EXPECT_EQ(b.FindBlock(2)->Last, 6u);
  EXPECT_EQ(b.FindBlock(3)->Last, 4u);
  // A block that never closes, and one that starts past the end.
  EXPECT_FALSE(b.FindBlock(7));
  EXPECT_FALSE(b.FindBlock(8));
  // From an END the count must come back up: the next BEGIN ends it.
  EXPECT_EQ(b.FindBlock(6)->Last, 7u);
}

TEST(TBlockIndex, BodyEndSkipsTheVarSectionAndNeedsABalancedBody) {
  const TBlockIndex b(List({"VAR;", "I:SINGLE;", "BEGIN;", "BEGIN;", "END;", "END;", "X;"}));
  EXPECT_EQ(b.FindBodyEnd(0), 5u);
  EXPECT_EQ(b.FindBodyEnd(3), 4u);
  EXPECT_FALSE(TBlockIndex(List({"VAR;", "BEGIN;", "BEGIN;", "END;"})).FindBodyEnd(0));
  EXPECT_FALSE(TBlockIndex(List({"X;", "Y;"})).FindBodyEnd(0));
  // ENDs before the first BEGIN: the count must climb back to where it started.
  EXPECT_EQ(TBlockIndex(List({"END;", "BEGIN;", "X;"})).FindBodyEnd(0), 1u);
  EXPECT_EQ(TBlockIndex(List({"END;", "END;", "BEGIN;", "BEGIN;", "X;"})).FindBodyEnd(0), 3u);
}

// The searches as plain walks down the list.
std::optional<std::size_t> WalkBlock(const std::vector<int>& steps, std::size_t a) {
  long depth = 0;
  for (std::size_t t = a; t < steps.size(); ++t)
    if ((depth += steps[t]) == 0) return t;
  return std::nullopt;
}

std::optional<std::size_t> WalkBody(const std::vector<int>& steps, std::size_t a) {
  long depth = 0;
  bool begun = false;
  for (std::size_t t = a; t < steps.size(); ++t) {
    begun = begun || steps[t] > 0;
    if ((depth += steps[t]) == 0 && begun) return t;
  }
  return std::nullopt;
}

TEST(TBlockIndex, AgreesWithAWalkDownTheListWhileLinesAreForgotten) {
  uint32_t seed = 2024;
  auto next = [&seed] { return (seed = seed * 134775813u + 1u) >> 16; };
  for (int round = 0; round < 200; ++round) {
    const std::size_t n = 1 + next() % 90;
    TLineList lines;
    std::vector<int> steps;
    for (std::size_t i = 0; i < n; ++i) {
      const uint32_t r = next() % 5;
      lines.push_back({r < 2 ? "BEGIN;" : r < 4 ? "END;" : "X;", {}});
      steps.push_back(r < 2 ? 1 : r < 4 ? -1 : 0);
    }
    TBlockIndex index(lines);
    for (int step = 0; step < 40; ++step) {
      for (std::size_t a = 0; a <= n; ++a) {
        const std::optional<TBlock> block = index.FindBlock(a);
        ASSERT_EQ(block ? std::optional<std::size_t>(block->Last) : std::nullopt, WalkBlock(steps, a));
        ASSERT_EQ(index.FindBodyEnd(a), WalkBody(steps, a));
      }
      const std::size_t forget = next() % n;
      index.Forget(forget);
      steps[forget] = 0;
    }
  }
}

}  // namespace
}  // namespace vuzed
