#include "script/number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace vuzed {
namespace {

TEST(NumberText, WritesFifteenSignificantDigitsInFixedNotation) {
  EXPECT_EQ(FormatNumberText(2.5f), "2.5");
  EXPECT_EQ(FormatNumberText(-6), "-6");
  EXPECT_EQ(FormatNumberText(0.1f), "0.100000001490116");
  EXPECT_EQ(FormatNumberText(0.000001f), "0.000000999999997475243");
  EXPECT_EQ(FormatNumberText(1e20f), "100000002004088000000");
  EXPECT_EQ(FormatNumberText(123456.0f), "123456");
  EXPECT_EQ(FormatNumberText(-0.0f), "0");
  EXPECT_EQ(FormatNumberText(std::numeric_limits<float>::infinity()), "INF");
  EXPECT_EQ(FormatNumberText(-std::numeric_limits<float>::infinity()), "-INF");
  EXPECT_EQ(FormatNumberText(std::numeric_limits<float>::quiet_NaN()), "NAN");
  EXPECT_EQ(FormatEvalNumber(-std::numeric_limits<float>::infinity()), "-inf");
  EXPECT_EQ(FormatEvalNumber(std::numeric_limits<float>::quiet_NaN()), "nan");
  EXPECT_EQ(FormatEvalNumber(3.5f), "3.5");
}

TEST(NumberText, ReadsTheScriptNumberSyntaxOnly) {
  float v = 0;
  EXPECT_TRUE(ParseNumberText("-12.5", v));
  EXPECT_EQ(v, -12.5f);
  EXPECT_TRUE(ParseNumberText("+3", v));
  EXPECT_EQ(v, 3);
  EXPECT_TRUE(ParseNumberText("1.5E3", v));
  EXPECT_EQ(v, 1500);
  EXPECT_TRUE(ParseNumberText("2e-1", v));
  EXPECT_EQ(v, 0.2f);
  EXPECT_TRUE(ParseNumberText(".5", v) && v == 0.5f);
  EXPECT_TRUE(ParseNumberText("5.", v) && v == 5);
  EXPECT_TRUE(ParseNumberText("1E999", v) && std::isinf(v));
  EXPECT_TRUE(ParseNumberText("-1E-999", v) && v == 0 && std::signbit(v));
  EXPECT_TRUE(ParseNumberText("-INF", v) && std::isinf(v) && v < 0);
  for (const char* bad : {"", "-", ".", "1E", "1E+", "--1", "+-1", " 1", "1 ", "1,5", "0x10", "inf", "nan", "A", "1.2.3"})
    EXPECT_FALSE(ParseNumberText(bad, v)) << bad;
}

TEST(NumberText, WritingBackKeepsEveryFiniteSingle) {
  // Every 65537th bit pattern, the smallest subnormals and the largest values.
  auto check = [](uint32_t bits) {
    float value = std::bit_cast<float>(bits);
    float read = 0;
    ASSERT_TRUE(ParseNumberText(FormatNumberText(value), read)) << bits;
    float expected = TextRoundTrip(value);
    if (std::isnan(value))
      EXPECT_TRUE(std::isnan(read));
    else
      EXPECT_EQ(std::bit_cast<uint32_t>(read), std::bit_cast<uint32_t>(expected)) << FormatNumberText(value);
  };
  for (uint64_t bits = 0; bits <= 0xFFFFFFFFu; bits += 65537) check(uint32_t(bits));
  for (uint32_t bits : {1u, 2u, 3u, 0x007FFFFFu, 0x00800000u, 0x7F7FFFFFu, 0xFF7FFFFFu, 0x80000000u, 0x80000001u})
    check(bits);
  EXPECT_EQ(std::bit_cast<uint32_t>(TextRoundTrip(-0.0f)), 0u);
}

TEST(NumberText, DoublesBeyondSingleRoundLikeIeeeArithmetic) {
  EXPECT_EQ(ToSingle(1e39), std::numeric_limits<float>::infinity());
  EXPECT_EQ(ToSingle(-1e39), -std::numeric_limits<float>::infinity());
  EXPECT_EQ(ToSingle(3.4028235e38), 3.4028235e38f);
  EXPECT_EQ(ToSingle(0x1.fffffefp127), 3.4028235e38f);  // below the midpoint
  EXPECT_EQ(ToSingle(0.1), 0.1f);
}

}  // namespace
}  // namespace vuzed
