#include "state/state.h"

#include <gtest/gtest.h>

#include "engine/platform/headless_audio_backend.h"
#include "engine/sound/sound_device.h"
#include "state/music_player.h"
#include "support/game_fixture.h"
#include "support/ogg_writer.h"
#include "support/test_dir.h"

namespace vuzed {
namespace {

// The game started on headless backends with a sound device.
struct MusicGame : test::GameFixture {
  MusicGame() { Audio = &Device; }
  ~MusicGame() { Form.reset(); }  // the game goes before its sound device
  HeadlessAudioBackend Device;
};

TEST(MusicState, TheMusicBufferSitsOnChannelZeroAndTheTitleMusicStartsWhenMusicIsOn) {
  MusicGame g;
  g.Dir.Write("data/information.ini", "[Sound]\nWhetherMusic=1\n");
  g.Dir.Write("data/Music/BGM/3.ogg", test::MakeSineOgg(0.6));
  g.Start();
  g.Game().State->Music().SetFallbackRoots({});
  TZudezu& sound = *g.Game().Zudezu1;
  TState& state = *g.Game().State;
  EXPECT_EQ(sound.PrimaryFormat().SamplesPerSec, 44100u);
  EXPECT_EQ(sound.PrimaryFormat().BitsPerSample, 16);
  EXPECT_EQ(sound.PrimaryFormat().Channels, 2);
  TZudezuChannel& music = sound.Channel(0);
  ASSERT_NE(state.Music().Wave(), nullptr);
  EXPECT_EQ(music.WaveData(), state.Music().Wave());
  EXPECT_EQ(state.Music().Wave()->BufferSize(), 176400u);
  EXPECT_EQ(music.Volume(), -1000);
  EXPECT_EQ(state.MusicTrack, 3);
  EXPECT_EQ(music.Status(), 5);

  state.WhetherMusic = false;
  state.PlayMusic(4);
  EXPECT_EQ(state.MusicTrack, 4);
  EXPECT_EQ(music.Status(), 0);
  state.WhetherMusic = true;
  state.PlayMusic(3);
  EXPECT_EQ(music.Status(), 5);
  state.StopMusic();
  EXPECT_EQ(music.Status(), 0);
  EXPECT_FALSE(state.Music().DecoderOpen());
}

TEST(MusicState, WithMusicOffTheTitleMusicIsNotPlayed) {
  MusicGame g;
  g.Dir.Write("data/information.ini", "[Sound]\nWhetherMusic=0\n");
  g.Dir.Write("data/Music/BGM/3.ogg", test::MakeSineOgg(0.6));
  g.Start();
  g.Game().State->Music().SetFallbackRoots({});
  EXPECT_EQ(g.Game().State->MusicTrack, 3);
  EXPECT_EQ(g.Game().Zudezu1->Channel(0).Status(), 0);
  EXPECT_FALSE(g.Game().State->Music().DecoderOpen());
}

}  // namespace
}  // namespace vuzed
