#include "engine/platform/shift_jis_decoder.h"

#include <gtest/gtest.h>

namespace vuzed {
namespace {

using TResult = ShiftJisDecoder::TResult;

TEST(ShiftJisDecoderTest, DecodesOneAndTwoByteCodesOfCp932) {
  ShiftJisDecoder decoder;
  ASSERT_TRUE(decoder.Available()) << "iconv does not know CP932";
  struct Case {
    uint32_t Code;
    char32_t Char;
  };
  constexpr Case cases[] = {
      {0x41, U'A'}, {0x5C, U'\\'}, {0xB1, U'ｱ'}, {0x82A0, U'あ'}, {0x9265, U'弾'}, {0x968B, U'幕'}, {0x8140, U'　'},
  };
  for (const Case& c : cases) {
    const ShiftJisDecoder::TDecoded d = decoder.Decode(c.Code);
    EXPECT_EQ(d.Result, TResult::Ok) << std::hex << c.Code;
    EXPECT_EQ(d.Char, c.Char) << std::hex << c.Code;
  }
}

TEST(ShiftJisDecoderTest, ALeadByteAloneIsIncompleteAndNonCharactersAreInvalid) {
  ShiftJisDecoder decoder;
  EXPECT_EQ(decoder.Decode(0x82).Result, TResult::Incomplete);
  EXPECT_EQ(decoder.Decode(0x80).Result, TResult::Invalid);
  EXPECT_EQ(decoder.Decode(0x8120).Result, TResult::Invalid);  // no such trail byte
  EXPECT_EQ(decoder.Decode(0x4142).Result, TResult::Invalid);  // two characters, not one
  EXPECT_EQ(decoder.Decode(0x182A0).Result, TResult::Invalid);
  // A failure leaves no state behind.
  EXPECT_EQ(decoder.Decode(0x82A0).Char, U'あ');
}

}  // namespace
}  // namespace vuzed
