#include "engine/sound/wave_data.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/sound/sound_device.h"
#include "support/sound_fixture.h"
#include "support/wav_writer.h"

namespace vuzed {
namespace {

using test::SoundFixture;

TEST(ZudezuWaveData, AWavFileOfAnyRateAndWidthLoadsAsOneSound) {
  SoundFixture f;
  // 22050 Hz 8-bit mono, four frames: eight frames at the mix rate.
  std::string file = f.File("s.wav", test::MakeWav(1, 22050, 8, std::string("\x80\xC0\xC0\x80", 4)));
  TZudezuWaveData wave(f.Zudezu, false, file);
  ASSERT_FALSE(wave.Empty());
  EXPECT_FALSE(wave.Streaming());
  EXPECT_EQ(wave.Format().SamplesPerSec, 22050u);
  EXPECT_EQ(wave.BufferSize(), 4u);
  EXPECT_EQ(wave.Samples()->size(), 16u);
  EXPECT_EQ((*wave.Samples())[2], 8192);
  EXPECT_TRUE(f.LogLines().empty());
}

TEST(ZudezuWaveData, LoaderMessagesNameTheFileAndNeverHalt) {
  SoundFixture f;
  // (Each kind of broken file is covered by the reader's own tests.)
  std::string notWave = f.File("bad.wav", "RIFF\x04\0\0\0AVI ");
  TZudezuWaveData bad(f.Zudezu, false, notWave);
  std::string missing = f.Dir.Path().string() + "/missing.wav";
  TZudezuWaveData none(f.Zudezu, false, missing);
  // A data chunk without one whole frame makes no buffer.
  const std::string fmt = test::WavChunk("fmt ", test::FmtBody(1, 1, 44100, 16));
  TZudezuWaveData tiny(f.Zudezu, false, f.File("tiny.wav", test::RiffWave(fmt + test::WavChunk("data", "x"))));
  EXPECT_TRUE(bad.Empty());
  EXPECT_TRUE(none.Empty());
  EXPECT_TRUE(tiny.Empty());
  EXPECT_EQ(f.LogLines(), (std::vector<std::string>{
                              "debug#00001 ... " + notWave + "は、WAVEファイルではありません",
                              "debug#00002 ... " + missing + "が、見つかりません",
                              "debug#00003 ... サウンドバッファの作成に失敗しました",
                          }));
  EXPECT_EQ(f.Halts, 0);
}

TEST(ZudezuWaveData, ATruncatedDataChunkPlaysWhatIsThere) {
  SoundFixture f;
  std::string bytes = test::RiffWave(test::WavChunk("fmt ", test::FmtBody(1, 2, 44100, 16)) +
                                     test::WavChunkDeclaring("data", 4000, test::Pcm16({5, 6, 7, 8, 9})));
  TZudezuWaveData wave(f.Zudezu, false, f.File("cut.wav", bytes));
  ASSERT_FALSE(wave.Empty());
  EXPECT_EQ(*wave.Samples(), (PcmFrames{5, 6, 7, 8}));
  f.Zudezu.Channel(0).SetWaveData(&wave);
  f.Zudezu.Channel(0).Play();
  EXPECT_EQ(f.Pull(3), (std::vector<int16_t>{5, 6, 7, 8, 0, 0}));
}

TEST(ZudezuWaveData, AStreamingBufferIsSilentUntilWrittenAndWritesWrap) {
  SoundFixture f;
  TZudezuWaveData stream(f.Zudezu, false, 16, true, 16, 44100);
  ASSERT_FALSE(stream.Empty());
  EXPECT_EQ(stream.HalfSize(), 8u);
  std::string bytes = test::Pcm16({1, 2, 3, 4});
  stream.Write(12, bytes.data(), 8);  // the last frame, then the first
  TZudezuChannel& c = f.Zudezu.Channel(0);
  c.SetWaveData(&stream);
  c.PlayLoop();
  EXPECT_EQ(f.Pull(2), (std::vector<int16_t>{3, 4, 0, 0}));
  test::WaitIdle(stream);
  EXPECT_EQ(f.Pull(2), (std::vector<int16_t>{0, 0, 1, 2}));
  EXPECT_EQ(f.Halts, 0);
  stream.Write(16, bytes.data(), 4);
  EXPECT_EQ(f.Halts, 1);
  // The refill thread logs its own lines meanwhile; look for this one.
  std::vector<std::string> lines = f.LogLines();
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
    return line.ends_with(" ... DirectSoundBufferのロックに失敗しました(Error Code(80070057))");
  }));
}

TEST(ZudezuWaveData, AStreamingBufferOfAnotherFormatOrSizeIsNotMade) {
  SoundFixture f;
  TZudezuWaveData mono(f.Zudezu, false, 176400, false, 16, 44100);
  TZudezuWaveData eight(f.Zudezu, false, 176400, true, 8, 44100);
  TZudezuWaveData odd(f.Zudezu, false, 10, true, 16, 44100);
  EXPECT_TRUE(mono.Empty());
  EXPECT_TRUE(eight.Empty());
  EXPECT_TRUE(odd.Empty());
  EXPECT_EQ(f.Halts, 3);
  ASSERT_EQ(f.LogLines().size(), 3u);
  EXPECT_EQ(f.LogLines()[0], "debug#00001 ... サウンドバッファの作成に失敗しました(Error Code(88780064))");
  EXPECT_EQ(f.LogLines()[2], "debug#00003 ... サウンドバッファの作成に失敗しました(Error Code(80070057))");
}

}  // namespace
}  // namespace vuzed
