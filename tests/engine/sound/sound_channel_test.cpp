#include "engine/sound/sound_channel.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/sound/sound_device.h"
#include "support/sound_fixture.h"
#include "support/wav_writer.h"

namespace vuzed {
namespace {

using test::SoundFixture;

// A mono 44100 Hz sound whose sample i is (i + 1) x 100.
std::string RampWav(int frames) {
  std::vector<int16_t> samples;
  for (int i = 0; i < frames; ++i) samples.push_back(int16_t((i + 1) * 100));
  return test::MakeWav(1, 44100, 16, test::Pcm16(samples));
}

TEST(ZudezuChannel, OneSoundOnTwoChannelsPlaysTwoIndependentCopies) {
  SoundFixture f;
  TZudezuWaveData wave(f.Zudezu, false, f.File("ramp.wav", RampWav(50)));
  ASSERT_FALSE(wave.Empty());
  TZudezuChannel& a = f.Zudezu.Channel(1);
  TZudezuChannel& b = f.Zudezu.Channel(2);
  a.SetWaveData(&wave);
  b.SetWaveData(&wave);
  a.Play();
  f.Pull(10);
  b.Play();
  std::vector<int16_t> out = f.Pull(1);
  EXPECT_EQ(out[0], 1100 + 100);
  EXPECT_EQ(a.PlayPosition(), 11u);
  EXPECT_EQ(b.PlayPosition(), 1u);
  b.Stop();
  EXPECT_EQ(b.Status(), 0);
  EXPECT_EQ(a.Status(), 1);
  EXPECT_EQ(b.PlayPosition(), 1u);
}

TEST(ZudezuChannel, TheSameStaticSoundAgainGetsAFreshDuplicate) {
  SoundFixture f;
  TZudezuWaveData wave(f.Zudezu, false, f.File("ramp.wav", RampWav(50)));
  TZudezuChannel& c = f.Zudezu.Channel(3);
  c.SetWaveData(&wave);
  c.SetVolume(-1000);
  c.PlayLoop();
  f.Pull(5);
  EXPECT_EQ(c.Status(), 5);
  c.SetWaveData(&wave);
  EXPECT_EQ(c.Status(), 0);
  EXPECT_EQ(c.PlayPosition(), 0u);
  // A fresh buffer plays at full volume until the volume is set again.
  c.Play();
  EXPECT_EQ(f.Pull(1)[0], 100);
  EXPECT_EQ(c.Volume(), -1000);
  c.SetVolume(-1000);
  EXPECT_NEAR(f.Pull(1)[0], 200 * std::pow(10.0, -0.5), 1.0);
}

TEST(ZudezuChannel, AStreamingSoundStaysWhenGivenAgainAndStopsBeforeAnotherSound) {
  SoundFixture f;
  TZudezuWaveData stream(f.Zudezu, false, 64, true, 16, 44100);
  TZudezuWaveData other(f.Zudezu, false, f.File("ramp.wav", RampWav(50)));
  TZudezuChannel& c = f.Zudezu.Channel(0);
  c.SetWaveData(&stream);
  EXPECT_EQ(stream.PlayerChannel(), 0);
  c.PlayLoop();
  f.Pull(3);
  c.SetWaveData(&stream);
  EXPECT_EQ(c.Status(), 5);
  EXPECT_EQ(c.PlayPosition(), 3u);
  c.SetWaveData(&other);
  EXPECT_EQ(f.Zudezu.Mix().Status(*stream.SharedBuffer()), 0);
  EXPECT_EQ(c.WaveData(), &other);
  c.SetWaveData(nullptr);
  EXPECT_EQ(c.WaveData(), nullptr);
  c.Play();
  EXPECT_EQ(c.Status(), 0);
}

TEST(ZudezuChannel, ANoDuplicateSoundIsOneBufferSharedByItsChannels) {
  SoundFixture f;
  TZudezuWaveData wave(f.Zudezu, true, f.File("ramp.wav", RampWav(50)));
  f.Zudezu.Channel(4).SetWaveData(&wave);
  f.Zudezu.Channel(5).SetWaveData(&wave);
  EXPECT_EQ(wave.PlayerChannel(), 5);
  f.Zudezu.Channel(4).Play();
  EXPECT_EQ(f.Zudezu.Channel(5).Status(), 1);
  // Played once although it sits in two channels.
  EXPECT_EQ(f.Pull(1)[0], 100);
  EXPECT_EQ(f.Zudezu.Channel(5).PlayPosition(), 1u);
}

TEST(ZudezuChannel, AnEmptySoundLeavesTheChannelEmpty) {
  SoundFixture f;
  TZudezuWaveData loaded(f.Zudezu, false, f.File("ramp.wav", RampWav(50)));
  TZudezuWaveData missing(f.Zudezu, false, f.Dir.Path().string() + "/none.wav");
  EXPECT_TRUE(missing.Empty());
  TZudezuChannel& c = f.Zudezu.Channel(6);
  c.SetWaveData(&loaded);
  c.SetWaveData(&missing);
  c.SetVolume(-500);
  c.Play();
  EXPECT_EQ(c.Status(), 0);
  EXPECT_EQ(c.Volume(), 0);
  EXPECT_TRUE(test::Silent(f.Pull(8)));
}

TEST(ZudezuChannel, A3DSoundKeepsItsParametersAndPlaysAsPlainSound) {
  SoundFixture f;
  TZudezuWave3D wave(f.Zudezu, false, f.File("ramp.wav", RampWav(50)));
  TZudezuChannel& c = f.Zudezu.Channel(7);
  c.SetWaveData(&wave);
  EXPECT_TRUE(c.Is3D());
  EXPECT_EQ(c.Params3D().MinDistance, 5.0f);
  EXPECT_EQ(c.Params3D().MaxDistance, 100.0f);
  EXPECT_EQ(c.Params3D().InsideConeAngle, 360u);
  EXPECT_EQ(c.SampleRate(), 44100u);
  c.Play();
  EXPECT_EQ(f.Pull(1)[0], 100);
}

}  // namespace
}  // namespace vuzed
