#include "engine/sound/pcm_convert.h"

#include <gtest/gtest.h>

namespace vuzed {
namespace {

std::vector<uint8_t> Bytes16(std::initializer_list<int16_t> samples) {
  std::vector<uint8_t> out;
  for (int16_t s : samples) {
    out.push_back(uint8_t(uint16_t(s) & 0xFF));
    out.push_back(uint8_t(uint16_t(s) >> 8));
  }
  return out;
}

TEST(ZudezuPcmConvert, EightBitMonoIsCentredOn128AndPlayedOnBothSides) {
  std::vector<uint8_t> data = {128, 255, 0};
  PcmFrames out = ConvertToMixFormat(data, TWaveFormat::Pcm(1, 44100, 8), 100);
  EXPECT_EQ(out, (PcmFrames{0, 0, 32512, 32512, -32768, -32768}));
}

TEST(ZudezuPcmConvert, SixteenBitStereoAtTheMixRateIsCopiedAndAPartialFrameDropped) {
  std::vector<uint8_t> data = Bytes16({1, -2, 300, -32768});
  data.push_back(7);
  EXPECT_EQ(ConvertToMixFormat(data, TWaveFormat::Pcm(2, 44100, 16), 100), (PcmFrames{1, -2, 300, -32768}));
  EXPECT_EQ(ConvertToMixFormat(data, TWaveFormat::Pcm(2, 44100, 16), 1), (PcmFrames{1, -2}));
  EXPECT_TRUE(ConvertToMixFormat({}, TWaveFormat::Pcm(2, 44100, 16), 100).empty());
}

TEST(ZudezuPcmConvert, OtherRatesAreResampledLinearly) {
  // 22050 Hz: every source frame becomes two, the second halfway to the next.
  PcmFrames up = ConvertToMixFormat(Bytes16({0, 1000, 2000}), TWaveFormat::Pcm(1, 22050, 16), 100);
  EXPECT_EQ(up, (PcmFrames{0, 0, 500, 500, 1000, 1000, 1500, 1500, 2000, 2000, 2000, 2000}));
  // 88200 Hz: every other frame.
  PcmFrames down = ConvertToMixFormat(Bytes16({0, 10, 20, 30}), TWaveFormat::Pcm(1, 88200, 16), 100);
  EXPECT_EQ(down, (PcmFrames{0, 0, 20, 20}));
}

}  // namespace
}  // namespace vuzed
