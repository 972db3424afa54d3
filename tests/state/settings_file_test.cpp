#include "state/settings_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <limits>
#include <sstream>

#include "engine/input/dik_codes.h"
#include "state/ini_file.h"
#include "support/test_dir.h"

namespace vuzed {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

// A complete file as the game ships it, with scores 1000 + index.
std::string CompleteFile() {
  std::string text = "[Screen]\r\nFullScreen=1\r\nScreenMode=16\r\n[Draw]\r\nDrawTime=some\r\n[Score]\r\n";
  std::vector<std::string> keys = ScoreKeyNames();
  for (int i = 0; i < kScoreKeyCount; ++i) text += keys[i] + "=" + std::to_string(1000 + i) + "\r\n";
  text +=
      "AllCrear=1\r\nWhetherExtraOpen=1\r\n"
      "[SystemResult]\r\nAllTime=123456\r\nPlayTime=77\r\n"
      "[Sound]\r\nWhetherMusic=1\r\nMusicVolume=80\r\nSEVolume=60\r\n";
  return text;
}

TEST(ScoreKeyNames, ThirtySixKeysInFileOrder) {
  std::vector<std::string> keys = ScoreKeyNames();
  ASSERT_EQ(keys.size(), 36u);
  EXPECT_EQ(keys[0], "Score1_1_1");
  EXPECT_EQ(keys[1], "Score1_1_2");
  EXPECT_EQ(keys[4], "Score1_2_1");
  EXPECT_EQ(keys[8], "Score1_3_1");
  EXPECT_EQ(keys[15], "Score1_4_4");
  EXPECT_EQ(keys[16], "Score2_1_1");
  EXPECT_EQ(keys[31], "Score2_4_4");
  EXPECT_EQ(keys[32], "Score3_1_1");
  EXPECT_EQ(keys[35], "Score3_1_4");
}

TEST(ReadSettings, ReadsACompleteFile) {
  TempDir dir;
  fs::path file = dir.Write("data/information.ini", CompleteFile());
  TSettings s;
  std::vector<std::string> warnings;
  ASSERT_TRUE(ReadSettings(file, s, &warnings));
  EXPECT_TRUE(warnings.empty());
  EXPECT_TRUE(s.FullScreen);
  for (int i = 0; i < kScoreKeyCount; ++i) EXPECT_EQ(s.ScoreTable[i], 1000 + i);
  EXPECT_TRUE(s.AllCrear);
  EXPECT_TRUE(s.WhetherExtraOpen);
  EXPECT_EQ(s.AllTime, 123456);
  EXPECT_EQ(s.PlayTime, 77);
  EXPECT_TRUE(s.WhetherMusic);
  EXPECT_EQ(s.MusicVolume, 80);
  EXPECT_EQ(s.SEVolume, 60);
}

TEST(ReadSettings, MissingFileReadsNothing) {
  TempDir dir;
  TSettings s;
  s.MusicVolume = 55;
  EXPECT_FALSE(ReadSettings(dir.Path() / "information.ini", s, nullptr));
  EXPECT_EQ(s.MusicVolume, 55);
  EXPECT_FALSE(fs::exists(dir.Path() / "information.ini"));
}

TEST(ReadSettings, MissingSoundSectionMeansNoMusic) {
  TempDir dir;
  fs::path file = dir.Write("information.ini", "[Screen]\nFullScreen=0\n[Score]\nScore1_1_1=5\n");
  TSettings s;
  s.WhetherMusic = true;
  s.SEVolume = 9;
  ASSERT_TRUE(ReadSettings(file, s, nullptr));
  EXPECT_FALSE(s.WhetherMusic);
  EXPECT_EQ(s.MusicVolume, 0);
  EXPECT_EQ(s.SEVolume, 0);
  EXPECT_EQ(s.ScoreTable[0], 5);
  EXPECT_EQ(s.ScoreTable[1], 0);
}

TEST(ReadSettings, GarbageAndNonNumbersFallBackToZeroWithWarnings) {
  TempDir dir;
  fs::path file = dir.Write("information.ini",
                            "\x01\x02 binary junk\n[Screen\nFullScreen=yes\n[Score]\n"
                            "Score1_2_3=12x\n===\nScore1_2_4=  -8 \n[SystemResult]\nAllTime=99999999999\n");
  TSettings s;
  std::vector<std::string> warnings;
  ASSERT_TRUE(ReadSettings(file, s, &warnings));
  // "[Screen" has no "]": FullScreen is not in any section that is read.
  EXPECT_FALSE(s.FullScreen);
  EXPECT_EQ(s.ScoreTable[6], 0);
  EXPECT_EQ(s.ScoreTable[7], -8);
  EXPECT_EQ(s.AllTime, 0);
  ASSERT_EQ(warnings.size(), 2u);
  EXPECT_EQ(warnings[0], "information.ini: [Score] Score1_2_3: not a number: \"12x\"");
  EXPECT_EQ(warnings[1], "information.ini: [SystemResult] AllTime: not a number: \"99999999999\"");
  // Without a warning list nothing breaks either.
  EXPECT_TRUE(ReadSettings(file, s, nullptr));
}

TEST(SaveSettings, WritesTheGameKeysInOrderIntoAnEmptyFile) {
  TempDir dir;
  fs::path file = dir.Write("information.ini", "");
  TSettings s;
  s.FullScreen = true;
  s.ScoreTable[8] = 31337;  // stage 3, best rank
  s.WhetherExtraOpen = true;
  s.PlayTime = 5;
  s.AllCrear = true;         // never written
  s.WhetherMusic = true;     // never written
  ASSERT_TRUE(SaveSettings(file, s, 600000));
  std::string expect = "[Screen]\nFullScreen=1\nScreenMode=32\n\n[Draw]\nDrawTime=all\n\n[Score]\n";
  std::vector<std::string> keys = ScoreKeyNames();
  for (int i = 0; i < kScoreKeyCount; ++i) {
    expect += keys[i] + "=" + (i == 8 ? "31337" : "0") + "\n";
  }
  expect += "WhetherExtraOpen=1\n\n[SystemResult]\nAllTime=600000\nPlayTime=5\n";
  EXPECT_EQ(dir.Read("information.ini"), expect);
}

TEST(SaveSettings, RoundTripKeepsWhatTheGameDoesNotWrite) {
  TempDir dir;
  std::string text = "; player records - do not edit\r\n" + CompleteFile() + "[Mine]\r\nKey=value\r\n";
  fs::path file = dir.Write("information.ini", text);
  TSettings s;
  ASSERT_TRUE(ReadSettings(file, s, nullptr));
  s.ScoreTable[8] = 999999;
  s.FullScreen = true;
  ASSERT_TRUE(SaveSettings(file, s, AccumulatePlayTime(s.AllTime, 700000, 100000)));

  std::string saved = dir.Read("information.ini");
  EXPECT_EQ(saved.rfind("; player records - do not edit\r\n", 0), 0u);
  EXPECT_NE(saved.find("[Mine]\r\nKey=value\r\n"), std::string::npos);
  EXPECT_NE(saved.find("FullScreen=1\r\nScreenMode=32\r\n"), std::string::npos);
  EXPECT_NE(saved.find("DrawTime=all\r\n"), std::string::npos);
  EXPECT_NE(saved.find("Score1_3_1=999999\r\n"), std::string::npos);
  // Read-only keys keep their text.
  EXPECT_NE(saved.find("AllCrear=1\r\n"), std::string::npos);
  EXPECT_NE(saved.find("[Sound]\r\nWhetherMusic=1\r\nMusicVolume=80\r\nSEVolume=60\r\n"), std::string::npos);
  // Every line, old or new, ends in CRLF like the file did.
  std::size_t lf = 0, crlf = 0;
  for (std::size_t i = 0; i < saved.size(); ++i) {
    if (saved[i] != '\n') continue;
    ++lf;
    if (i > 0 && saved[i - 1] == '\r') ++crlf;
  }
  EXPECT_EQ(lf, crlf);

  TSettings again;
  ASSERT_TRUE(ReadSettings(file, again, nullptr));
  EXPECT_TRUE(again.FullScreen);
  EXPECT_EQ(again.ScoreTable[8], 999999);
  EXPECT_EQ(again.ScoreTable[9], 1009);
  EXPECT_EQ(again.AllTime, 123456 + 600000);
  EXPECT_EQ(again.PlayTime, 77);
  EXPECT_TRUE(again.WhetherMusic);
}

// The [Keys] section: read whole or not at all, and saved as the player
// wrote it, faults, comments and letter case included.
TEST(SettingsKeys, AGoodSectionIsReadAFaultyOneWarnsOnceAndBothAreSavedAsWritten) {
  struct Case {
    const char* Section;
    uint8_t Shot;
    std::string Warning;
  };
  const Case cases[] = {
      {"[Keys]\r\n; mine\r\nshot = Space\r\nBombPad=4\r\n", dik::SPACE, ""},
      {"[keys]\r\nShot=c\r\nBomb=spcae\r\nJump=v\r\n", dik::Z,
       "information.ini:54: Bomb: unknown key \"spcae\" (the [Keys] section is ignored; the default keys are used)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Section);
    TempDir dir;
    // The section starts on line 52, after the 51 lines of the complete file.
    const std::string text = CompleteFile() + c.Section;
    fs::path file = dir.Write("information.ini", text);
    TSettings s;
    std::vector<std::string> warnings;
    ASSERT_TRUE(ReadSettings(file, s, &warnings));
    EXPECT_EQ(s.Keys.Keys[size_t(TGameButton::Shot)], c.Shot);
    EXPECT_EQ(warnings, c.Warning.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.Warning});
    s.ScoreTable[0] = 5;
    ASSERT_TRUE(SaveSettings(file, s, 1));
    const std::string saved = dir.Read("information.ini");
    EXPECT_EQ(saved.substr(saved.size() - std::string(c.Section).size()), c.Section);
    EXPECT_NE(saved, text);
  }
}

TEST(SaveSettings, NeverCreatesTheFile) {
  TempDir dir;
  TSettings s;
  EXPECT_FALSE(SaveSettings(dir.Path() / "information.ini", s, 1));
  EXPECT_FALSE(fs::exists(dir.Path() / "information.ini"));
  EXPECT_TRUE(fs::is_empty(dir.Path()));
}

TEST(SaveSettings, AReadOnlyFileIsLeftAsItIsAndTheReasonGiven) {
  TempDir dir;
  const fs::path file = dir.Write("information.ini", CompleteFile());
  fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  TSettings s;
  s.ScoreTable[0] = 5;
  std::string why;
  EXPECT_FALSE(SaveSettings(file, s, 1, &why));
  EXPECT_EQ(why, "the file is read-only");
  EXPECT_EQ(dir.Read("information.ini"), CompleteFile());
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}

// A value the game could not read stays as the player wrote it, until the
// game has something of its own to write there.
TEST(SaveSettings, AnUnreadableValueIsKeptUntilTheGameChangesIt) {
  TempDir dir;
  const fs::path file =
      dir.Write("information.ini", "[Score]\nScore1_1_1=99999999999999999999\nScore1_1_2=lots\n");
  TSettings s;
  ASSERT_TRUE(ReadSettings(file, s, nullptr));
  s.ScoreTable[1] = 700;
  ASSERT_TRUE(SaveSettings(file, s, 1));
  const std::string text = dir.Read("information.ini");
  EXPECT_NE(text.find("Score1_1_1=99999999999999999999\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Score1_1_2=700\n"), std::string::npos) << text;
}

// The stream forms read and write exactly what the file forms do, with no file.
TEST(SettingsStreams, ReadAndWriteAsTheFileFormsDo) {
  TempDir dir;
  const std::string text = "[Score]\r\nScore1_1_1=lots\r\nScore1_1_2=12\r\n[Sound]\r\nMusicVolume=70\r\n";
  const fs::path file = dir.Write("information.ini", text);
  TSettings fromFile, fromStream;
  std::vector<std::string> fileWarnings, streamWarnings;
  ASSERT_TRUE(ReadSettings(file, fromFile, &fileWarnings));
  std::istringstream in(text);
  ASSERT_TRUE(ReadSettingsFrom(in, "information.ini", fromStream, &streamWarnings));
  EXPECT_EQ(fromStream.ScoreTable, fromFile.ScoreTable);
  EXPECT_EQ(fromStream.MusicVolume, 70);
  EXPECT_EQ(streamWarnings, fileWarnings);
  ASSERT_EQ(streamWarnings.size(), 1u);

  fromStream.ScoreTable[2] = 40;
  std::istringstream again(text);
  std::ostringstream out;
  ASSERT_TRUE(WriteSettingsTo(again, out, fromStream, 5000));
  ASSERT_TRUE(SaveSettings(file, fromStream, 5000));
  EXPECT_EQ(out.str(), dir.Read("information.ini"));
  EXPECT_NE(out.str().find("Score1_1_1=lots\r\nScore1_1_2=12\r\nScore1_1_3=40\r\n"), std::string::npos);
}

TEST(IniFile, AKilledSavesTemporaryIsRemovedOnceItIsStale) {
  TempDir dir;
  const fs::path file = dir.Write("information.ini", "[Score]\n");
  const fs::path stale = dir.Write(".information.ini.tmp-AbC123", "half");
  const fs::path fresh = dir.Write(".information.ini.tmp-XyZ789", "half");
  const fs::path other = dir.Write(".other.ini.tmp-AbC123", "not ours");
  for (const fs::path& p : {stale, other}) fs::last_write_time(p, fs::file_time_type::clock::now() - std::chrono::hours(1));
  TIniFile::RemoveStaleTemporaries(file);
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_TRUE(fs::exists(fresh));  // a save may be running right now
  EXPECT_TRUE(fs::exists(other));
  EXPECT_TRUE(fs::exists(file));
}

TEST(AccumulatePlayTime, AddsElapsedMilliseconds) {
  EXPECT_EQ(AccumulatePlayTime(1000, 600500, 500), 601000);
  EXPECT_EQ(AccumulatePlayTime(0, 0, 0), 0);
}

TEST(AccumulatePlayTime, SaturatesInsteadOfWrapping) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  EXPECT_EQ(AccumulatePlayTime(kMax - 10, 100, 0), kMax);
  EXPECT_EQ(AccumulatePlayTime(kMax, std::numeric_limits<int64_t>::max(),
                               std::numeric_limits<int64_t>::min()),
            kMax);
  // A negative stored count still grows and stays in range.
  EXPECT_EQ(AccumulatePlayTime(std::numeric_limits<int32_t>::min(), 5, 0),
            std::numeric_limits<int32_t>::min() + 5);
  // Time never runs backwards.
  EXPECT_EQ(AccumulatePlayTime(500, 100, 200), 500);
}

}  // namespace
}  // namespace vuzed
