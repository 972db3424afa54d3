// Pictures and sounds written by other programs, read by the game's own
// loaders: ImageMagick's BMP files through TMXTexture, sox's WAV files
// through the WAV reader, oggenc's Ogg Vorbis files through the music
// player's decoder. Beside each file in tests/data/interop/ lies what the
// program that wrote it decodes from it (tools/make_interop_corpus.sh made
// both); the game must read the same. Files the game does not take by its
// rules must be refused with the loader's message, leaving nothing loaded.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "engine/platform/headless_audio_backend.h"
#include "engine/platform/window_host.h"
#include "engine/sound/sound_device.h"
#include "engine/sound/wav_reader.h"
#include "engine/sound/wave_data.h"
#include "game/game_context.h"
#include "state/music_player.h"
#include "support/test_dir.h"
#include "support/texture_fixture.h"

namespace vuzed {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = fs::path(VUZED_TEST_DATA) / "interop";

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << path;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// --- Pictures ---------------------------------------------------------------

// ARGB pixels, row by row from the top, read from a binary PPM (P6: opaque)
// or PAM (P7 with four channels: alpha from the file), 8 bits per channel.
struct Pixels {
  int Width = 0, Height = 0;
  std::vector<uint32_t> Argb;
};

Pixels ReadNetpbm(const fs::path& path) {
  const std::string bytes = ReadAll(path);
  std::istringstream in(bytes);
  std::string magic;
  in >> magic;
  Pixels p;
  int depth = 3, maxval = 0;
  if (magic == "P6") {
    in >> p.Width >> p.Height >> maxval;
    in.get();  // the one white-space byte before the samples
  } else if (magic == "P7") {
    for (std::string key; in >> key && key != "ENDHDR";) {
      if (key == "WIDTH") in >> p.Width;
      else if (key == "HEIGHT") in >> p.Height;
      else if (key == "DEPTH") in >> depth;
      else if (key == "MAXVAL") in >> maxval;
      else in.ignore(1 << 20, '\n');  // TUPLTYPE and comments
    }
    in.get();
  }
  EXPECT_TRUE((magic == "P6" || magic == "P7") && maxval == 255 && (depth == 3 || depth == 4)) << path;
  const size_t count = size_t(p.Width) * size_t(p.Height);
  const size_t at = size_t(in.tellg());
  if (bytes.size() < at + count * depth) {
    ADD_FAILURE() << path << ": short";
    return {};
  }
  for (size_t i = 0; i < count; ++i) {
    const auto* s = reinterpret_cast<const uint8_t*>(bytes.data() + at + i * depth);
    const uint32_t alpha = depth == 4 ? s[3] : 0xFF;
    p.Argb.push_back(alpha << 24 | uint32_t(s[0]) << 16 | uint32_t(s[1]) << 8 | s[2]);
  }
  return p;
}

struct PictureCase {
  const char* Name;
  const char* Refusal;  // null: loads and shows the expected pixels
  int Tolerance = 0;    // per channel
};

// The game takes 8, 24 and 32 bits per pixel without compression (a 32-bit
// picture may also say "bit fields": its pixels are ARGB all the same), rows
// bottom-up or top-down, any info header of 40 bytes or more; 16 bits only
// as plain 1-5-5-5. ImageMagick writes its 16-bit files with bit-field masks
// (5-5-5 or 5-6-5), a picture of up to 16 colours with 4 bits per pixel, and
// compresses with RLE when asked: all refused. A plain 16-bit file loads;
// the game widens a 5-bit channel v to v * 255 / 31 rounded down, where
// ImageMagick repeats the top bits below (v << 3 | v >> 2): one apart at most.
const PictureCase kPictures[] = {
    {"pal8", nullptr},
    {"pal8_topdown", nullptr},
    {"rgb24", nullptr},
    {"rgb24_topdown", nullptr},
    {"rgb24_v5", nullptr},
    {"argb32", nullptr},
    {"argb32_topdown", nullptr},
    {"argb32_v5", nullptr},
    {"rgb555_plain", nullptr, 1},
    {"pal4", "色数が8ビット～32ビットの範囲のビットマップを、LoadBMPには指定してください"},
    {"pal8_rle", "不正なBMPファイルです"},
    {"rgb555", "不正なBMPファイルです"},
    {"rgb565", "不正なBMPファイルです"},
    {"rgb555_bmp3", "不正なBMPファイルです"},
};

class InteropPictures : public test::TextureFixture {};

TEST_F(InteropPictures, EachFileShowsImageMagicksPixelsOrIsRefused) {
  constexpr uint32_t Fill = 0x00FFFFFF;  // the game's fill: transparent white
  for (const PictureCase& c : kPictures) {
    SCOPED_TRACE(c.Name);
    const fs::path file = kCorpus / (std::string(c.Name) + ".bmp");
    const fs::path ppm = fs::path(file).replace_extension(".ppm");
    const Pixels expected = ReadNetpbm(fs::exists(ppm) ? ppm : fs::path(file).replace_extension(".pam"));
    ASSERT_EQ(expected.Width, 7);
    ASSERT_EQ(expected.Height, 5);

    fs::remove(Dir.Path() / EngineLog::FileName);
    TMXTexture t(&Device, GameTextureFormats());
    t.SetFillColor(Fill);
    const bool loaded = t.LoadFromFile(file.string());
    ASSERT_EQ(t.Width(), 7);
    ASSERT_EQ(t.Height(), 5);
    if (c.Refusal) {
      EXPECT_FALSE(loaded);
      EXPECT_NE(Log().find(c.Refusal), std::string::npos) << Log();
      for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) ASSERT_EQ(ColorAt(t, x, y), Fill) << x << "," << y;
      continue;
    }
    ASSERT_TRUE(loaded) << Log();
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 7; ++x) {
        const uint32_t got = ColorAt(t, x, y), want = expected.Argb[size_t(y) * 7 + size_t(x)];
        int worst = 0;
        for (int shift = 0; shift < 32; shift += 8)
          worst = std::max(worst, std::abs(int(got >> shift & 0xFF) - int(want >> shift & 0xFF)));
        EXPECT_LE(worst, c.Tolerance) << std::hex << x << "," << y << ": " << got << " read, " << want << " expected";
      }
  }
}

// --- WAV files --------------------------------------------------------------

struct WavCase {
  const char* Name;
  int Channels, Bits;
  uint32_t Rate;
  WavError Error;
};

// sox writes 8-bit samples unsigned and 16-bit signed, as the game reads
// them; its mu-law file (with a "fact" chunk) is not PCM and is refused.
const WavCase kWavs[] = {
    {"u8_mono_11025", 1, 8, 11025, WavError::None},
    {"u8_stereo_22050", 2, 8, 22050, WavError::None},
    {"s16_mono_32000", 1, 16, 32000, WavError::None},
    {"s16_stereo_44100", 2, 16, 44100, WavError::None},
    {"s16_stereo_48000", 2, 16, 48000, WavError::None},
    {"mulaw_mono_8000", 1, 8, 8000, WavError::BadFmt},
};

TEST(InteropWavs, EachFileGivesSoxsSamplesOrIsRefused) {
  for (const WavCase& c : kWavs) {
    SCOPED_TRACE(c.Name);
    const WavContents wav = ReadWavFile(kCorpus / (std::string(c.Name) + ".wav"));
    ASSERT_EQ(wav.Error, c.Error) << WavErrorText(wav.Error);
    if (c.Error != WavError::None) continue;
    EXPECT_EQ(wav.Format.FormatTag, TWaveFormat::kPcm);
    EXPECT_EQ(wav.Format.Channels, c.Channels);
    EXPECT_EQ(wav.Format.BitsPerSample, c.Bits);
    EXPECT_EQ(wav.Format.SamplesPerSec, c.Rate);
    EXPECT_EQ(wav.Format.BlockAlign, c.Channels * c.Bits / 8);
    const std::string raw = ReadAll(kCorpus / (std::string(c.Name) + ".raw"));
    ASSERT_FALSE(raw.empty());
    EXPECT_TRUE(std::string(wav.Data.begin(), wav.Data.end()) == raw)
        << wav.Data.size() << " bytes read, " << raw.size() << " decoded by sox";
  }
}

// --- Ogg Vorbis -------------------------------------------------------------

// The music player with channel 0 on the headless device. Its refill thread
// is given nothing to do: the test refills by hand and then pulls what
// channel 0 plays, at full volume, so the mixer hands on every sample as it
// was decoded.
struct MusicBench {
  MusicBench() : Context(Platform(), Dir.Path()) {
    TZudezu& sound = *(Context.Zudezu1 = std::make_unique<TZudezu>(&Backend));
    sound.SetChannelCount(12);
    sound.SetDebugOption({false, false, false});
    sound.SetLogDirectory(Dir.Path());
    sound.Loaded();
    Player = std::make_unique<TMusicPlayer>(Context);
    Player->SetFallbackRoots({});
    Player->SetMessageSink([this](const std::string& text) { Messages.push_back(text); });
    Player->Wave()->SetFillCallback([](void*, uint32_t, uint32_t) {}, nullptr);
  }
  ~MusicBench() {
    Player->Wave()->StopRefills();
    Player.reset();
  }
  static TPlatform Platform() {
    static NullWindowHost window;
    TPlatform p;
    p.Window = &window;
    return p;
  }

  test::TempDir Dir;
  HeadlessAudioBackend Backend;
  TGameContext Context;
  std::unique_ptr<TMusicPlayer> Player;
  std::vector<std::string> Messages;  // the refill thread never speaks here
};

// The game decodes with the same library as oggdec and asks it for the same
// samples (16-bit, signed, little-endian, channels interleaved), so on the
// machine that made the corpus the two agree exactly. The library's
// synthesis is floating point, and a build on another processor may round a
// sample the other way: one step either side is allowed. Mono and other
// rates are decoded as they are; the music buffer takes the decoded bytes
// unchanged (the game's tracks are 44100 Hz stereo).
TEST(InteropOggVorbis, EachFileDecodesToOggdecsSamples) {
  const char* const names[] = {"q0_mono_22050", "q3_mono_44100", "q5_stereo_44100", "q10_stereo_44100"};
  for (const char* name : names) {
    SCOPED_TRACE(name);
    MusicBench bench;
    bench.Dir.Write("data/Music/BGM/4.ogg", ReadAll(kCorpus / (std::string(name) + ".ogg")));
    const std::string raw = ReadAll(kCorpus / (std::string(name) + ".raw"));
    ASSERT_TRUE(!raw.empty() && raw.size() % 2 == 0 && raw.size() <= TMusicPlayer::kBufferBytes / 2);
    bench.Player->Play(4, true);
    ASSERT_TRUE(bench.Player->DecoderOpen());
    // Exactly the whole track: a refill that reaches the end of the track
    // silences the buffer instead.
    bench.Player->Refill(0, uint32_t(raw.size()));
    const std::vector<int16_t> heard = bench.Backend.Pull((raw.size() + 3) / 4);
    const size_t samples = raw.size() / 2;
    ASSERT_GE(heard.size(), samples);
    int worst = 0;
    size_t differing = 0;
    for (size_t i = 0; i < samples; ++i) {
      const int expected = int16_t(uint16_t(uint8_t(raw[2 * i]) | uint8_t(raw[2 * i + 1]) << 8));
      const int d = std::abs(heard[i] - expected);
      worst = std::max(worst, d);
      differing += d != 0;
    }
    EXPECT_LE(worst, 1) << differing << " of " << samples << " samples differ";
    // Not silence: the comparison saw the track.
    EXPECT_TRUE(std::any_of(heard.begin(), heard.begin() + std::ptrdiff_t(samples), [](int16_t s) { return s > 1000; }));
    EXPECT_TRUE(bench.Messages.empty());
  }
}

}  // namespace
}  // namespace vuzed
