#include "engine/sound/wav_reader.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/test_dir.h"
#include "support/wav_writer.h"

namespace vuzed {
namespace {

using test::FmtBody;
using test::Pcm16;
using test::RiffWave;
using test::WavChunk;
using test::WavChunkDeclaring;

WavContents ReadBytes(const std::string& bytes) {
  test::TempDir dir;
  return ReadWavFile(dir.Write("sound.wav", bytes));
}

TEST(ZudezuWavReader, ChunksAreFoundByNameWithOddChunksPadded) {
  std::string data = Pcm16({100, -100, 200, -200});
  // An odd-sized LIST chunk (with its pad byte) before "fmt ", another chunk between.
  WavContents wav = ReadBytes(RiffWave(WavChunk("LIST", "INFOabc") + WavChunk("fmt ", FmtBody(1, 2, 22050, 16)) +
                                       WavChunk("fact", "1234") + WavChunk("data", data)));
  ASSERT_EQ(wav.Error, WavError::None);
  EXPECT_EQ(wav.Format.Channels, 2);
  EXPECT_EQ(wav.Format.SamplesPerSec, 22050u);
  EXPECT_EQ(wav.Format.BitsPerSample, 16);
  EXPECT_EQ(std::string(wav.Data.begin(), wav.Data.end()), data);
}

// From a stream, offsets count from the stream's position: what precedes the
// RIFF header is not part of the file.
TEST(ZudezuWavReader, AStreamIsReadFromItsPosition) {
  const std::string wave = RiffWave(WavChunk("fmt ", FmtBody(1, 1, 8000, 8)) + WavChunk("data", "\x80\x90\xA0"));
  std::istringstream in("junk" + wave);
  in.seekg(4);
  WavContents wav = ReadWav(in);
  ASSERT_EQ(wav.Error, WavError::None);
  EXPECT_EQ(std::string(wav.Data.begin(), wav.Data.end()), "\x80\x90\xA0");
  EXPECT_EQ(ReadBytes(wave).Data, wav.Data);
}

TEST(ZudezuWavReader, ALongerFmtChunkIsAccepted) {
  WavContents wav = ReadBytes(RiffWave(WavChunk("fmt ", FmtBody(1, 1, 8000, 8) + std::string("\0\0", 2)) +
                                       WavChunk("data", "\x80\x90")));
  ASSERT_EQ(wav.Error, WavError::None);
  EXPECT_EQ(wav.Data.size(), 2u);
}

TEST(ZudezuWavReader, ADataChunkClaimingMoreThanTheFileHoldsGivesWhatIsThere) {
  std::string file = RiffWave(WavChunk("fmt ", FmtBody(1, 1, 44100, 16)) +
                              WavChunkDeclaring("data", 0x7FFFFFF0, Pcm16({1, 2, 3})));
  WavContents wav = ReadBytes(file);
  ASSERT_EQ(wav.Error, WavError::None);
  EXPECT_EQ(wav.Data.size(), 6u);
}

struct BadWav {
  const char* Name;
  std::string Bytes;
  WavError Error;
};

TEST(ZudezuWavReader, EachBrokenFileGivesItsError) {
  const std::string fmt = WavChunk("fmt ", FmtBody(1, 1, 44100, 16));
  const std::string data = WavChunk("data", Pcm16({1, 2}));
  const BadWav cases[] = {
      {"empty", "", WavError::NotWave},
      {"not RIFF", "RIFX" + RiffWave(fmt + data).substr(4), WavError::NotWave},
      {"not WAVE", RiffWave(fmt + data).replace(8, 4, "AVI "), WavError::NotWave},
      {"no fmt", RiffWave(WavChunk("LIST", "abcd") + data), WavError::NoFmt},
      {"fmt too short", RiffWave(WavChunk("fmt ", FmtBody(1, 1, 44100, 16).substr(0, 14)) + data), WavError::BadFmt},
      {"fmt cut by the file end", RiffWave(WavChunkDeclaring("fmt ", 16, FmtBody(1, 1, 44100, 16).substr(0, 10))),
       WavError::BadFmt},
      {"not PCM", RiffWave(WavChunk("fmt ", FmtBody(3, 1, 44100, 16)) + data), WavError::BadFmt},
      {"no channels", RiffWave(WavChunk("fmt ", FmtBody(1, 0, 44100, 16)) + data), WavError::BadFmt},
      {"rate 0", RiffWave(WavChunk("fmt ", FmtBody(1, 1, 0, 16)) + data), WavError::BadFmt},
      {"24-bit", RiffWave(WavChunk("fmt ", FmtBody(1, 1, 44100, 24)) + data), WavError::BadFmt},
      {"no data", RiffWave(fmt + WavChunk("LIST", "ab")), WavError::NoData},
      // "data" is looked for after "fmt ".
      {"data before fmt", RiffWave(data + fmt), WavError::NoData},
      // A chunk size running past the end stops the search.
      {"huge chunk before data", RiffWave(fmt + WavChunkDeclaring("junk", 0xFFFFFFF0, "xx") + data), WavError::NoData},
  };
  for (const BadWav& c : cases) {
    WavContents wav = ReadBytes(c.Bytes);
    EXPECT_EQ(wav.Error, c.Error) << c.Name;
    EXPECT_TRUE(wav.Data.empty()) << c.Name;
  }
}

TEST(ZudezuWavReader, AMissingFileOrADirectoryIsNotFound) {
  test::TempDir dir;
  EXPECT_EQ(ReadWavFile(dir.Path() / "none.wav").Error, WavError::NotFound);
  EXPECT_EQ(ReadWavFile(dir.Path()).Error, WavError::NotFound);
  EXPECT_EQ(WavErrorText(WavError::NotFound), "が、見つかりません");
  EXPECT_EQ(WavErrorText(WavError::BadFmt), "のfmtチャンクが不正です");
}

}  // namespace
}  // namespace vuzed
