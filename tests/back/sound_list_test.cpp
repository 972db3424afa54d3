#include "back/sound_list.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/platform/headless_audio_backend.h"
#include "engine/sound/sound_device.h"
#include "support/game_fixture.h"
#include "support/test_dir.h"
#include "support/wav_writer.h"

namespace vuzed {
namespace {

// The game started on headless backends with a sound device.
struct SoundGame : test::GameFixture {
  SoundGame() { Audio = &Device; }
  ~SoundGame() { Form.reset(); }  // the game goes before its sound device
  HeadlessAudioBackend Device;
};

std::string Wav() { return test::MakeWav(1, 44100, 16, test::Pcm16({100, 200, 300})); }

TEST(SoundList, SlotsKeepTheirFileNumbersAndOnlyZeroToTwentyLoad) {
  SoundGame g;
  g.Dir.Write("data/information.ini", "[Sound]\nWhetherMusic=0\n");
  g.Dir.Write("data/Music/effect/0.wav", Wav());
  g.Dir.Write("data/Music/effect/2.WAV", Wav());  // any case
  g.Dir.Write("data/Music/effect/5.wav", "not a wave file");
  g.Dir.Write("data/Music/effect/21.wav", Wav());
  testing::internal::CaptureStderr();
  g.Start();
  const std::string said = testing::internal::GetCapturedStderr();
  const TSoundList& list = *g.Game().SoundList;
  EXPECT_EQ(list.SlotCount(), 21);
  ASSERT_NE(list.Get(0), nullptr);
  EXPECT_FALSE(list.Get(0)->Empty());
  ASSERT_NE(list.Get(2), nullptr);
  EXPECT_EQ(list.Get(1), nullptr);
  // A file that cannot be loaded gives an empty sound, and says so once.
  ASSERT_NE(list.Get(5), nullptr);
  EXPECT_TRUE(list.Get(5)->Empty());
  EXPECT_NE(said.find("5.wav: the sound cannot be used: not a PCM wave file"), std::string::npos) << said;
  EXPECT_EQ(said.find("0.wav"), std::string::npos) << said;
  EXPECT_EQ(list.Get(21), nullptr);
  EXPECT_EQ(list.Get(-1), nullptr);

  // Start-up put sound 2 on channel 4 at -2300.
  TZudezuChannel& channel4 = g.Game().Zudezu1->Channel(4);
  EXPECT_EQ(channel4.WaveData(), list.Get(2));
  EXPECT_EQ(channel4.Volume(), -2300);
  channel4.Play();
  EXPECT_NEAR(g.Device.Pull(1)[0], 100 * std::pow(10.0, -2300 / 2000.0), 1.0);
}

TEST(SoundList, WithoutASoundDeviceEverySlotIsEmpty) {
  test::GameFixture g;
  g.Dir.Write("data/information.ini", "[Sound]\nWhetherMusic=0\n");
  g.Dir.Write("data/Music/effect/0.wav", Wav());
  g.Start();
  EXPECT_FALSE(g.Game().Zudezu1->Initialized());
  EXPECT_EQ(g.Game().SoundList->SlotCount(), 21);
  EXPECT_EQ(g.Game().SoundList->Get(0), nullptr);
}

}  // namespace
}  // namespace vuzed
