// The lines of dialogue procedures: the ADV page's line splitting and slots,
// the page clear, malformed numbers, and the ADV tune on the music channel,
// which the next track takes back.

#include <gtest/gtest.h>

#include <string>

#include "engine/platform/headless_audio_backend.h"
#include "engine/sound/sound_device.h"
#include "stage/dialogue_fixture.h"
#include "state/music_player.h"
#include "support/wav_writer.h"

namespace vuzed {
namespace {

using DialogueLines = test::DialogueStage;

TEST(DialogueCommands, AnAdvTextSplitsAtTheMarkerAndEveryFiftySixBytes) {
  DialogueLines d;
  const std::string a(56, 'A'), b(56, 'B'), c(8, 'C');
  d.Load("AdvMode", "  @AB[r]CD;\n  @" + a + b + c + ";\n  \\;\n  @XY;\n", 5);
  d.g.Keys("1-200 z\n");
  d.g.RunTo(6);
  TState& s = d.State();
  EXPECT_TRUE(d.Shows(s.Dialogue.TextLines[0].get(), "AB"));
  EXPECT_TRUE(d.Shows(s.Dialogue.TextLines[1].get(), "CD"));
  EXPECT_EQ(s.Dialogue.TextLines[2], nullptr);
  EXPECT_EQ(s.Dialogue.TextLineCount, 1);
  d.g.RunTo(27);  // the next text continues the page
  EXPECT_TRUE(d.Shows(s.Dialogue.TextLines[1].get(), "CD"));
  EXPECT_TRUE(d.Shows(s.Dialogue.TextLines[2].get(), a));
  EXPECT_TRUE(d.Shows(s.Dialogue.TextLines[3].get(), b));
  EXPECT_TRUE(d.Shows(s.Dialogue.TextLines[4].get(), c));
  EXPECT_EQ(s.Dialogue.TextLineCount, 4);
  d.g.RunTo(48);  // "\" empties the page; the next text starts in slot 0
  EXPECT_TRUE(d.Shows(s.Dialogue.TextLines[0].get(), "XY"));
  for (size_t i = 1; i < s.Dialogue.TextLines.size(); ++i) EXPECT_EQ(s.Dialogue.TextLines[i], nullptr) << i;
  EXPECT_EQ(s.Dialogue.TextLineCount, 0);
}

TEST(DialogueCommands, APageThatRunsOverDropsTheRestAndTheNextTextStartsAtTheTop) {
  DialogueLines d;
  std::string ten;
  for (char c = 'A'; c < 'A' + 10; ++c) ten += std::string(1, c) + "[r]";
  d.Load("AdvMode", "  @" + ten + ";\n  @K[r]L[r]M;\n  @N;\n", 5);
  d.g.Keys("1-200 z\n");
  d.g.RunTo(27);
  TState& s = d.State();
  EXPECT_TRUE(d.Shows(s.Dialogue.TextLines[9].get(), "J"));
  EXPECT_TRUE(d.Shows(s.Dialogue.TextLines[10].get(), "K"));
  EXPECT_TRUE(d.Shows(s.Dialogue.TextLines[11].get(), "L"));  // M is dropped
  EXPECT_EQ(s.Dialogue.TextLineCount, -1);
  d.g.RunTo(48);
  EXPECT_TRUE(d.Shows(s.Dialogue.TextLines[0].get(), "N"));
  EXPECT_TRUE(d.Shows(s.Dialogue.TextLines[1].get(), "B"));
}

TEST(DialogueCommands, NovelTextIsCutIntoThreeLinesOfFiftySixBytes) {
  DialogueLines d;
  const std::string a(56, 'A'), b(56, 'B'), c(56, 'C');
  d.Load("NovelMode", "  @" + a + b + c + "DDDD;\n", 5);
  d.g.RunTo(6);
  TState& s = d.State();
  EXPECT_TRUE(d.Shows(s.Dialogue.TextLines[0].get(), a));
  EXPECT_TRUE(d.Shows(s.Dialogue.TextLines[1].get(), b));
  EXPECT_TRUE(d.Shows(s.Dialogue.TextLines[2].get(), c));
  EXPECT_EQ(s.Dialogue.TextLines[3], nullptr);
}

TEST(DialogueCommands, PictureAndColourNumbersAreSetAndMalformedOnesReportedOnce) {
  DialogueLines d;
  d.Load("NovelMode",
         "  SetPictureCnter(3);\n  SetPictureLeft(4);\n  SetPictureRight(5);\n  SetTextColor(4278190335);\n"
         "  @Hi;\n  SetPictureCnter(7x);\n  SetTextColor(-1);\n  SetTextColor(4294967296);\n",
         5);
  d.g.Keys("1-200 z\n");
  d.g.RunTo(6);
  TState& s = d.State();
  EXPECT_EQ(s.Dialogue.CenterPicture, 3);
  EXPECT_EQ(s.Dialogue.LeftPicture, 4);
  EXPECT_EQ(s.Dialogue.RightPicture, 5);
  EXPECT_EQ(s.Dialogue.TextColor, 0xFF0000FFu);
  d.g.RunTo(40);  // the trailing lines ran at every pass from 27 on
  EXPECT_EQ(s.Dialogue.CenterPicture, 3);
  EXPECT_EQ(s.Dialogue.TextColor, 0xFFFFFFFFu);  // -1 is opaque white; 2^32 is too large
  EXPECT_EQ(d.Run().Errors.Count(), 2u);
  EXPECT_EQ(d.Run().ScriptMode, TScriptMode::Novel);
}

// A game with a sound device, music on, and the ADV tune in the music folder.
struct SoundDialogue : test::DialogueStage {
  SoundDialogue() {
    g.Audio = &Device;
    g.Dir.Write("data/information.ini", "[Sound]\nWhetherMusic=1\n");
    g.Dir.Write("data/Music/BGM/0.wav", test::MakeWav(1, 44100, 16, test::Pcm16(std::vector<int16_t>(4410, 1000))));
  }
  ~SoundDialogue() { g.Form.reset(); }  // the game goes before its sound device
  TZudezuChannel& Channel(int n) { return g.Game().Zudezu1->Channel(n); }
  HeadlessAudioBackend Device;
};

TEST(DialogueCommands, TheAdvTuneTakesTheMusicChannelUntilTheNextTrack) {
  SoundDialogue d;
  d.Load("AdvMode", "  SetMusic(9,3);\n  @Hi;\n", 5);
  d.g.RunTo(6);
  TMusicPlayer& music = d.State().Music();
  ASSERT_NE(music.DialogueWave(0), nullptr);
  EXPECT_EQ(d.Channel(0).WaveData(), music.DialogueWave(0));
  EXPECT_EQ(d.Channel(0).Status(), 1);  // played once
  EXPECT_EQ(d.State().Dialogue.CutInPicture, 3);
  EXPECT_GE(d.State().Dialogue.CutInFrame, 0);
  d.State().PlayMusic(1);
  EXPECT_EQ(d.Channel(0).WaveData(), music.Wave());
}

// A talk's SETSE plays on the ship's shot channel; once the talk is over the
// first volley takes the channel back instead of restarting the talk's sound.
TEST(DialogueCommands, ANovelSoundKeepsTheShotChannelOnlyUntilTheNextVolley) {
  SoundDialogue d;
  d.g.Keys("1-200 z\n");
  d.Load("NovelMode", "  SetSE(0);\n  @Hi;\n  GameMode;\n", 5);
  d.g.RunTo(8);
  TMusicPlayer& music = d.State().Music();
  ASSERT_NE(music.DialogueWave(1), nullptr);
  EXPECT_EQ(d.Channel(1).WaveData(), music.DialogueWave(1));
  d.g.RunTo(80);
  EXPECT_EQ(d.State().DialogueFrame, -1);
  EXPECT_NE(d.Channel(1).WaveData(), music.DialogueWave(1));
}

}  // namespace
}  // namespace vuzed
