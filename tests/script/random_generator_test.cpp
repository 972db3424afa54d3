#include "script/random_generator.h"

#include <gtest/gtest.h>

namespace vuzed {
namespace {

TEST(RandomGenerator, StepsTheSeedAndTakesTheHighWordOfTheProduct) {
  uint32_t seed = 1;
  EXPECT_EQ(NextRandom(seed, 100), uint32_t((uint64_t(134775814u) * 100) >> 32));
  EXPECT_EQ(seed, 134775814u);
  uint32_t wrap = 0xFFFFFFFFu;
  NextRandom(wrap, 0);
  EXPECT_EQ(wrap, uint32_t(0xFFFFFFFFull * 134775813ull + 1));  // modulo 2^32, also for range 0
  for (int i = 0; i < 1000; ++i) EXPECT_LT(NextRandom(seed, 7), 7u);
  EXPECT_EQ(NextRandom(seed, 0), 0u);
}

TEST(RandomGenerator, SameSeedSameSequence) {
  uint32_t a = 42, b = 42;
  for (int i = 0; i < 100; ++i) EXPECT_EQ(NextRandom(a, 640), NextRandom(b, 640));
}

}  // namespace
}  // namespace vuzed
