#include "engine/sound/sound_device.h"

#include <gtest/gtest.h>

#include "support/sound_fixture.h"
#include "support/wav_writer.h"

namespace vuzed {
namespace {

using test::SoundFixture;

TEST(ZudezuDevice, AChannelNumberOutsideTheTableReportsTheRangeAndHalts) {
  SoundFixture f;
  TZudezuChannel& spare = f.Zudezu.Channel(12);
  EXPECT_EQ(f.Halts, 1);
  ASSERT_EQ(f.LogLines().size(), 1u);
  EXPECT_EQ(f.LogLines()[0], "debug#00001 ... チャンネル番号12は無効です、0～11の範囲で指定してください");
  // What the caller gets plays nothing and reports nothing more.
  std::string file = f.File("a.wav", test::MakeWav(1, 44100, 16, test::Pcm16({1000, 1000})));
  TZudezuWaveData wave(f.Zudezu, false, file);
  spare.SetWaveData(&wave);
  spare.Play();
  EXPECT_EQ(spare.Status(), 0);
  EXPECT_TRUE(test::Silent(f.Pull(4)));
  f.Zudezu.Channel(-1);
  EXPECT_EQ(f.Halts, 2);
  EXPECT_EQ(f.LogLines().back(), "debug#00002 ... チャンネル番号-1は無効です、0～11の範囲で指定してください");
  EXPECT_EQ(&f.Zudezu.Channel(11), &f.Zudezu.Channel(11));
  EXPECT_EQ(f.Halts, 2);
}

TEST(ZudezuDevice, WithoutHaltOnErrorABadChannelNumberOnlyReports) {
  SoundFixture f({false, true, false}, 8);
  f.Zudezu.Channel(8);
  EXPECT_EQ(f.Halts, 0);
  EXPECT_EQ(f.LogLines().at(0), "debug#00001 ... チャンネル番号8は無効です、0～7の範囲で指定してください");
}

TEST(ZudezuDevice, WithoutADeviceEverythingStaysEmptyAndSilent) {
  for (bool haveBackend : {false, true}) {
    SoundFixture f({true, true, false}, 12, false);
    TZudezu none(nullptr);
    none.SetDebugOption({true, true, false});
    none.SetLogDirectory(f.Dir.Path());
    none.SetHaltHandler([&] { ++f.Halts; });
    none.Loaded();
    TZudezu& z = haveBackend ? f.Zudezu : none;
    EXPECT_FALSE(z.Initialized());
    std::string file = f.File("a.wav", test::MakeWav(1, 44100, 16, test::Pcm16({1000, 1000})));
    TZudezuWaveData wave(z, false, file);
    TZudezuWaveData missing(z, false, f.Dir.Path().string() + "/missing.wav");
    TZudezuWaveData stream(z, false, 176400, true, 16, 44100);
    EXPECT_TRUE(wave.Empty());
    EXPECT_TRUE(missing.Empty());
    EXPECT_TRUE(stream.Empty());
    z.Channel(0).SetWaveData(&wave);
    z.Channel(0).SetVolume(-1000);
    z.Channel(0).PlayLoop();
    EXPECT_EQ(z.Channel(0).Status(), 0);
    EXPECT_EQ(z.Channel(0).WaveData(), nullptr);
    z.SetPrimaryFormat(1, 3, true);
    // Nothing was worth a message.
    EXPECT_TRUE(f.LogLines().empty());
    EXPECT_EQ(f.Halts, 0);
  }
}

TEST(ZudezuDevice, ThePrimaryFormatIsCheckedAndRecorded) {
  SoundFixture f;
  EXPECT_TRUE(f.Zudezu.Initialized());
  EXPECT_EQ(f.Backend.Rate(), 44100);
  f.Zudezu.SetPrimaryFormat(44100, 16, true);
  EXPECT_EQ(f.Zudezu.PrimaryFormat().BlockAlign, 4);
  EXPECT_EQ(f.Zudezu.PrimaryFormat().AvgBytesPerSec, 176400u);
  f.Zudezu.SetPrimaryFormat(44100, 12, false);
  EXPECT_EQ(f.Halts, 1);
  EXPECT_EQ(f.LogLines().at(0),
            "debug#00001 ... プライマリ・バッファのフォーマットの設定に失敗しました(Error Code(88780064))");
  EXPECT_EQ(f.Zudezu.PrimaryFormat().BitsPerSample, 16);
}

TEST(ZudezuDevice, Use3DMakesAListenerWithItsDefaults) {
  test::TempDir dir;
  HeadlessAudioBackend backend;
  TZudezu z(&backend);
  EXPECT_EQ(z.ChannelCount(), 8);
  EXPECT_TRUE(z.StickyFocus());
  EXPECT_TRUE(z.DebugOption().HaltOnError);
  z.Loaded();
  EXPECT_EQ(z.Listener(), nullptr);
  z.SetUse3D(true);
  z.Initialize();
  ASSERT_NE(z.Listener(), nullptr);
  EXPECT_EQ(z.Listener()->Top.Y, 1.0f);
  EXPECT_EQ(z.Listener()->Front.Z, 1.0f);
  EXPECT_EQ(z.Listener()->DopplerFactor, 1.0f);
}

TEST(ZudezuDevice, DestructionClosesTheDevice) {
  HeadlessAudioBackend backend;
  {
    TZudezu z(&backend);
    z.Loaded();
    EXPECT_TRUE(backend.IsOpen());
  }
  EXPECT_FALSE(backend.IsOpen());
}

}  // namespace
}  // namespace vuzed
