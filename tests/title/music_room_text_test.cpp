// The music room's text file and the splitting of a description into lines.

#include <gtest/gtest.h>

#include <string>

#include "engine/platform/file_resolver.h"
#include "support/test_dir.h"
#include "title/music_room_text.h"

namespace vuzed {
namespace {

TEST(MusicRoomText, LinesNumberTheirTrackAndAnythingElseIsSkipped) {
  TMusicRoomTexts texts = ParseMusicRoomTexts(
      "; comment\r\n7=last\r\n 2 =two = still two\r\n8=no such track\nx=bad\n3\n1=first\r1=first again");
  EXPECT_EQ(texts[0], "first again");
  EXPECT_EQ(texts[1], "two = still two");
  EXPECT_EQ(texts[2], "");
  EXPECT_EQ(texts[6], "last");

  test::TempDir dir;
  EXPECT_EQ(LoadMusicRoomTexts(FileResolver(dir.Path())), TMusicRoomTexts{});
  dir.Write("DATA/script/musicroom.txt", "4=found\n");
  EXPECT_EQ(LoadMusicRoomTexts(FileResolver(dir.Path()))[3], "found");
}

TEST(MusicRoomText, ALineBreakBeyondTheLineWidthIsIgnoredForThatLine) {
  // The first "[r]" is at position 60: too far for the first line.
  auto lines = SplitDescription(std::string(59, 'a') + "[r]tail[r]cut");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], std::string(56, 'a'));
  EXPECT_EQ(lines[1], "aaa");
  EXPECT_EQ(lines[2], "tail");
  // Three lines at most; an unbroken text is cut every 56 bytes.
  lines = SplitDescription(std::string(200, 'b'));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[2].size(), 56u);
}

TEST(MusicRoomText, ShiftJisCharactersAreNeverCutOrMistakenForABreak) {
  // 55 ASCII bytes then "あ": the character does not fit into byte 56.
  auto lines = SplitDescription(std::string(55, 'c') + "\x82\xa0" + "d");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], std::string(55, 'c'));
  EXPECT_EQ(lines[1], "\x82\xa0" "d");
  // "ー" is 81 5B: its second byte is "[", but "ーr]" holds no break.
  lines = SplitDescription("\x81[r]x[r]y");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "\x81[r]x");
  EXPECT_EQ(lines[1], "y");
}

}  // namespace
}  // namespace vuzed
