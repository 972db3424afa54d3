#include "state/music_player.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "engine/platform/window_host.h"
#include "engine/sound/sound_device.h"
#include "game/game_context.h"
#include "support/ogg_writer.h"
#include "support/sound_fixture.h"
#include "support/test_dir.h"

namespace vuzed {
namespace {

using namespace std::chrono_literals;

constexpr size_t kHalfFrames = TMusicPlayer::kBufferBytes / 2 / 4;

// A game context whose sound component plays into the headless device, with
// the music player on channel 0 and no fallback directories. Refills are
// counted so that tests can wait for them.
struct MusicFixture {
  MusicFixture() : Context(Platform(), Dir.Path()) {
    TZudezu& sound = *(Context.Zudezu1 = std::make_unique<TZudezu>(&Backend));
    sound.SetChannelCount(12);
    sound.SetDebugOption({false, false, false});
    sound.SetLogDirectory(Dir.Path());
    sound.Loaded();
    Player = std::make_unique<TMusicPlayer>(Context);
    Player->SetFallbackRoots({});
    Player->SetMessageSink([this](const std::string& text) {
      std::lock_guard lock(Mutex);
      Messages.push_back(text);
    });
    Player->Wave()->SetFillCallback(&Counted, this);
  }
  ~MusicFixture() {
    Player->Wave()->StopRefills();
    Player.reset();
  }

  static TPlatform Platform() {
    static NullWindowHost window;
    TPlatform p;
    p.Window = &window;
    return p;
  }
  static void Counted(void* self, uint32_t offset, uint32_t length) {
    auto* f = static_cast<MusicFixture*>(self);
    f->Player->Refill(offset, length);
    std::lock_guard lock(f->Mutex);
    ++f->Refills;
    f->Changed.notify_all();
  }
  void WaitForRefills(int n) {
    std::unique_lock lock(Mutex);
    ASSERT_TRUE(Changed.wait_for(lock, 30s, [&] { return Refills >= n; })) << "refill " << n << " never came";
  }
  std::vector<std::string> TakeMessages() {
    std::lock_guard lock(Mutex);
    return std::exchange(Messages, {});
  }
  std::string Track(int n, const std::string& bytes) {
    return Dir.Write("data/Music/BGM/" + std::to_string(n) + ".ogg", bytes).string();
  }
  TZudezuChannel& Channel0() { return Context.Zudezu1->Channel(0); }

  // Plays the next crossing frame (offset 0 or the half), waits for the
  // refill it causes, then the rest of that half. Returns the half as heard;
  // its first frame was played before the refill.
  std::vector<int16_t> NextHalf(int refill) {
    test::WaitIdle(*Player->Wave());
    std::vector<int16_t> heard = Backend.Pull(1);
    WaitForRefills(refill);
    std::vector<int16_t> rest = Backend.Pull(kHalfFrames - 1);
    heard.insert(heard.end(), rest.begin(), rest.end());
    return heard;
  }

  test::TempDir Dir;
  HeadlessAudioBackend Backend;
  TGameContext Context;
  std::unique_ptr<TMusicPlayer> Player;
  std::mutex Mutex;
  std::condition_variable Changed;
  int Refills = 0;
  std::vector<std::string> Messages;
};

std::vector<int16_t> WithoutFirstFrame(const std::vector<int16_t>& half) { return {half.begin() + 2, half.end()}; }

int Peak(const std::vector<int16_t>& samples) {
  int peak = 0;
  for (int16_t s : samples) peak = std::max(peak, std::abs(int(s)));
  return peak;
}

TEST(MusicPlayer, ATrackLoopsWithOneRefillOfSilenceBetweenPasses) {
  MusicFixture f;
  f.Track(3, test::MakeSineOgg(2.0));
  f.Player->Play(3, true);
  EXPECT_EQ(f.Channel0().Status(), 5);
  EXPECT_TRUE(f.Player->DecoderOpen());
  // The first half still holds what it held: silence. Each crossing then
  // refills the half just left; 2 s of music are four halves H1..H4.
  std::vector<int16_t> firstHalf = f.NextHalf(1);  // crossing 0: second half := H1
  EXPECT_TRUE(test::Silent(firstHalf));
  std::vector<int16_t> h1 = f.NextHalf(2);  // crossing the half: first half := H2
  std::vector<int16_t> h2 = f.NextHalf(3);  // second half := H3
  std::vector<int16_t> h3 = f.NextHalf(4);  // first half := H4
  EXPECT_GT(Peak(h1), 5000);
  EXPECT_GT(Peak(h2), 5000);
  EXPECT_GT(Peak(h3), 5000);
  // The track has ended: both halves go silent, H4 included, and the track
  // is rewound; the next refills bring H1 and H2 again.
  std::vector<int16_t> cut = f.NextHalf(5);
  std::vector<int16_t> gap = f.NextHalf(6);  // first half := H1
  EXPECT_TRUE(test::Silent(WithoutFirstFrame(cut)));
  EXPECT_TRUE(test::Silent(gap));
  std::vector<int16_t> again = f.NextHalf(7);
  EXPECT_EQ(again, h1);
  EXPECT_TRUE(f.TakeMessages().empty());
}

TEST(MusicPlayer, ATrackShorterThanHalfASecondIsNeverHeard) {
  MusicFixture f;
  f.Track(5, test::MakeSineOgg(0.3));
  f.Player->Play(5, true);
  for (int refill = 1; refill <= 4; ++refill) EXPECT_TRUE(test::Silent(f.NextHalf(refill))) << refill;
  EXPECT_TRUE(f.TakeMessages().empty());
}

TEST(MusicPlayer, MusicOffOnlyStopsAndAMissingTrackKeepsTheDecoderOnTheOldFile) {
  MusicFixture f;
  f.Track(3, test::MakeSineOgg(0.6));
  f.Player->Play(3, true);
  EXPECT_EQ(f.Channel0().Status(), 5);
  f.Player->Play(3, false);
  EXPECT_EQ(f.Channel0().Status(), 0);
  f.Player->Play(3, true);
  f.Player->Play(9, true);
  EXPECT_EQ(f.Channel0().Status(), 0);
  EXPECT_TRUE(f.Player->DecoderOpen());
  f.Player->Stop();
  EXPECT_FALSE(f.Player->DecoderOpen());
  EXPECT_TRUE(test::Silent(f.Backend.Pull(100)));
}

// Music is heard in both halves of the buffer: a good track played for
// one pass.
void PlayGoodTrackFirst(MusicFixture& f) {
  f.Track(3, test::MakeSineOgg(2.0));
  f.Player->Play(3, true);
  f.NextHalf(1);
  ASSERT_GT(Peak(f.NextHalf(2)), 5000);
}

TEST(MusicPlayer, AFileThatIsNotOggVorbisIsNamedAndPlaysSilence) {
  MusicFixture f;
  PlayGoodTrackFirst(f);
  std::string junk = f.Track(2, std::string(5000, 'x'));
  f.Player->Play(2, true);
  EXPECT_FALSE(f.Player->DecoderOpen());
  EXPECT_EQ(f.TakeMessages(), (std::vector<std::string>{junk + ": not an Ogg Vorbis file"}));
  EXPECT_EQ(f.Channel0().Status(), 5);
  // The first refill finds no data and silences the whole buffer.
  EXPECT_TRUE(test::Silent(WithoutFirstFrame(f.NextHalf(3))));
  EXPECT_TRUE(test::Silent(f.NextHalf(4)));
  EXPECT_TRUE(test::Silent(f.NextHalf(5)));
}

// The length of the leading pages whose granule position is 0 (the headers).
size_t HeaderPagesLength(const std::string& ogg) {
  size_t at = 0;
  while (at + 27 <= ogg.size() && ogg.compare(at, 4, "OggS") == 0) {
    int64_t granule = 0;
    for (int i = 7; i >= 0; --i) granule = granule * 256 + uint8_t(ogg[at + 6 + size_t(i)]);
    if (granule != 0) break;
    size_t segments = uint8_t(ogg[at + 26]);
    size_t body = 0;
    for (size_t i = 0; i < segments; ++i) body += uint8_t(ogg[at + 27 + i]);
    at += 27 + segments + body;
  }
  return at;
}

TEST(MusicPlayer, DamagedOggVorbisDataIsNamedAndPlaysSilence) {
  MusicFixture f;
  PlayGoodTrackFirst(f);
  std::string ogg = test::MakeSineOgg(2.0);
  std::string broken = ogg.substr(0, HeaderPagesLength(ogg));
  ASSERT_GT(broken.size(), 0u);
  uint32_t seed = 7;
  for (int i = 0; i < 40000; ++i) {
    seed = seed * 134775813u + 1;
    broken += char(seed >> 24);
  }
  std::string file = f.Track(4, broken);
  f.Player->Play(4, true);
  EXPECT_TRUE(test::Silent(WithoutFirstFrame(f.NextHalf(3))));
  EXPECT_TRUE(test::Silent(f.NextHalf(4)));
  EXPECT_TRUE(test::Silent(f.NextHalf(5)));
  std::vector<std::string> messages = f.TakeMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].rfind(file + ": ", 0), 0u) << messages[0];
}

TEST(MusicPlayer, TracksAreLookedForInTheDataDirectoryThenTheFallbacks) {
  MusicFixture f;
  test::TempDir first, second;
  second.Write("DATA/music/bgm/7.OGG", "x");
  first.Write("data/Music/BGM/8.ogg", "x");
  second.Write("DATA/music/bgm/8.ogg", "x");
  std::string own = f.Track(8, "x");
  f.Player->SetFallbackRoots({first.Path(), second.Path()});
  EXPECT_EQ(f.Player->FindTrack(7), second.Path() / "DATA/music/bgm/7.OGG");
  EXPECT_EQ(f.Player->FindTrack(8), own);
  EXPECT_EQ(f.Player->FindTrack(6), std::nullopt);
}

}  // namespace
}  // namespace vuzed
