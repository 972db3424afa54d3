#include "state/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <utility>
#include <unistd.h>

#include "support/test_dir.h"

namespace vuzed {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

TEST(TIniFile, ReadsValuesIgnoringCaseAndBlanks) {
  TIniFile ini = TIniFile::FromText(
      "[Screen]\n"
      "FullScreen=1\n"
      "  Name \t=\t  some text  \n"
      "[ Sound ]\n"
      "MusicVolume = -40\n");
  EXPECT_EQ(ini.ReadInteger("screen", "FULLSCREEN", 7), 1);
  EXPECT_EQ(ini.ReadString("SCREEN", "name", ""), "some text");
  EXPECT_EQ(ini.ReadInteger("sound", "musicvolume", 0), -40);
  EXPECT_TRUE(ini.ReadBool("Screen", "FullScreen", false));
}

TEST(TIniFile, MissingKeysAndSectionsGiveTheDefault) {
  TIniFile ini = TIniFile::FromText("[A]\nx=1\n");
  EXPECT_EQ(ini.ReadInteger("A", "y", 42), 42);
  EXPECT_EQ(ini.ReadInteger("B", "x", -1), -1);
  EXPECT_EQ(ini.ReadString("B", "x", "dflt"), "dflt");
  EXPECT_TRUE(ini.ReadBool("A", "y", true));
  EXPECT_FALSE(ini.ReadBool("A", "y", false));
  EXPECT_FALSE(ini.Value("A", "y").has_value());
  EXPECT_EQ(TIniFile::FromText("").ReadInteger("A", "x", 3), 3);
}

TEST(TIniFile, IntegersAreStrictDecimal) {
  TIniFile ini = TIniFile::FromText(
      "[N]\n"
      "plus=+12\n"
      "neg=-2147483648\n"
      "max=2147483647\n"
      "over=2147483648\n"
      "under=-2147483649\n"
      "huge=99999999999999999999999999\n"
      "hex=0x10\n"
      "tail=12abc\n"
      "empty=\n"
      "sign=-\n"
      "inner=1 2\n");
  EXPECT_EQ(ini.ReadInteger("N", "plus", 0), 12);
  EXPECT_EQ(ini.ReadInteger("N", "neg", 0), INT32_MIN);
  EXPECT_EQ(ini.ReadInteger("N", "max", 0), INT32_MAX);
  for (const char* key : {"over", "under", "huge", "hex", "tail", "empty", "sign", "inner"}) {
    EXPECT_EQ(ini.ReadInteger("N", key, -7), -7) << key;
  }
  // A bool that is not a number falls back to the default as well.
  EXPECT_TRUE(ini.ReadBool("N", "tail", true));
  EXPECT_TRUE(ini.ReadBool("N", "neg", false));
}

TEST(TIniFile, CommentsGarbageAndStrayLinesAreNotKeys) {
  TIniFile ini = TIniFile::FromText(
      "top=before any section\n"
      "[A]\n"
      ";x=1\n"
      "  # y=2\n"
      "just garbage\n"
      "=no key\n"
      "[broken=3\n"
      "z=4\n");
  EXPECT_EQ(ini.ReadString("", "top", "none"), "none");
  EXPECT_EQ(ini.ReadInteger("A", "x", 0), 0);
  EXPECT_EQ(ini.ReadInteger("A", ";x", 0), 0);
  EXPECT_EQ(ini.ReadInteger("A", "y", 0), 0);
  EXPECT_EQ(ini.ReadString("A", "[broken", "no"), "no");
  // A "[" line without "]" is garbage, so z still belongs to [A].
  EXPECT_EQ(ini.ReadInteger("A", "z", 0), 4);
}

TEST(TIniFile, FirstOfDuplicatesWinsForReadingAndWriting) {
  TIniFile ini = TIniFile::FromText("[A]\nk=1\nK=2\n[a]\nk=3\nonly=9\n");
  EXPECT_EQ(ini.ReadInteger("A", "k", 0), 1);
  EXPECT_EQ(ini.ReadInteger("A", "only", 0), 0);  // a repeated section is not read
  ASSERT_TRUE(ini.WriteInteger("A", "K", 5));
  EXPECT_EQ(ini.Text(), "[A]\nk=5\nK=2\n[a]\nk=3\nonly=9\n");
}

// Look-ups go through an index kept in step as lines are inserted: after
// every write each key must be where a fresh read of the text finds it.
TEST(TIniFile, WritesKeepLookUpsInStepWithTheText) {
  TIniFile ini = TIniFile::FromText("[A]\nk=1\n[B]\n\n[a]\nx=3\n");
  const std::pair<const char*, const char*> writes[] = {{"B", "n1"}, {"A", "n2"}, {"C", "n3"}, {"B", "n4"},
                                                        {"A", "x"},  {"C", "n5"}, {"D", "k"}};
  int value = 10;
  for (auto [section, key] : writes) {
    ASSERT_TRUE(ini.WriteInteger(section, key, ++value));
    const TIniFile fresh = TIniFile::FromText(ini.Text());
    for (auto [readSection, readKey] : writes) {
      EXPECT_EQ(ini.ReadString(readSection, readKey, "-"), fresh.ReadString(readSection, readKey, "-"))
          << "after " << section << "." << key << ": " << readSection << "." << readKey;
    }
  }
  EXPECT_EQ(ini.Text(), "[A]\nk=1\nn2=12\nx=15\n[B]\nn1=11\nn4=14\n\n[a]\nx=3\n\n[C]\nn3=13\nn5=16\n\n[D]\nk=17\n");
}

TEST(TIniFile, ValueIsTheTextAfterTheFirstEquals) {
  TIniFile ini = TIniFile::FromText("[A]\nk = a=b \n");
  EXPECT_EQ(ini.ReadString("A", "k", ""), "a=b");
}

TEST(TIniFile, WrittenKeyReplacesItsValueInPlace) {
  const std::string before =
      "; records\n"
      "[Score]\n"
      "score1_1_1 = 100\n"
      "Other=keep\n"
      "\n"
      "[Sound]\n"
      "WhetherMusic=1\n";
  TIniFile ini = TIniFile::FromText(before);
  ASSERT_TRUE(ini.WriteInteger("SCORE", "Score1_1_1", 2500));
  EXPECT_EQ(ini.Text(),
            "; records\n"
            "[Score]\n"
            "score1_1_1 = 2500\n"
            "Other=keep\n"
            "\n"
            "[Sound]\n"
            "WhetherMusic=1\n");
  ASSERT_TRUE(ini.WriteString("Score", "other", ""));
  EXPECT_EQ(ini.ReadString("Score", "Other", "x"), "");
  ASSERT_TRUE(ini.WriteString("Score", "other", " spaced "));
  EXPECT_EQ(ini.ReadString("Score", "Other", "x"), "spaced");
}

TEST(TIniFile, NewKeyGoesAfterTheLastNonBlankLineOfItsSection) {
  TIniFile ini = TIniFile::FromText(
      "[Screen]\n"
      "FullScreen=0\n"
      "\n"
      "\n"
      "[Sound]\n"
      "SEVolume=3\n");
  ASSERT_TRUE(ini.WriteInteger("screen", "ScreenMode", 32));
  ASSERT_TRUE(ini.WriteInteger("Sound", "MusicVolume", 80));
  EXPECT_EQ(ini.Text(),
            "[Screen]\n"
            "FullScreen=0\n"
            "ScreenMode=32\n"
            "\n"
            "\n"
            "[Sound]\n"
            "SEVolume=3\n"
            "MusicVolume=80\n");
  TIniFile headerOnly = TIniFile::FromText("[A]\n\n[B]\n");
  ASSERT_TRUE(headerOnly.WriteString("A", "k", "v"));
  EXPECT_EQ(headerOnly.Text(), "[A]\nk=v\n\n[B]\n");
}

TEST(TIniFile, NewSectionGoesToTheEndAfterOneBlankLine) {
  TIniFile ini = TIniFile::FromText("[A]\nx=1");  // no final line end
  ASSERT_TRUE(ini.WriteString("Draw", "DrawTime", "all"));
  ASSERT_TRUE(ini.WriteInteger("Draw", "More", 2));
  EXPECT_EQ(ini.Text(), "[A]\nx=1\n\n[Draw]\nDrawTime=all\nMore=2\n");

  TIniFile blankEnd = TIniFile::FromText("[A]\n\n");
  ASSERT_TRUE(blankEnd.WriteBool("B", "On", true));
  EXPECT_EQ(blankEnd.Text(), "[A]\n\n[B]\nOn=1\n");

  TIniFile empty = TIniFile::FromText("");
  ASSERT_TRUE(empty.WriteBool("B", "On", false));
  EXPECT_EQ(empty.Text(), "[B]\nOn=0\n");
  EXPECT_FALSE(empty.ReadBool("B", "On", true));
}

TEST(TIniFile, LineEndsAndByteOrderMarkArePreserved) {
  const std::string crlf = "\xEF\xBB\xBF[A]\r\nx=1\r\n; note\r\n";
  TIniFile ini = TIniFile::FromText(crlf);
  EXPECT_EQ(ini.Text(), crlf);
  EXPECT_EQ(ini.ReadInteger("A", "x", 0), 1);
  ASSERT_TRUE(ini.WriteInteger("A", "x", 2));
  ASSERT_TRUE(ini.WriteInteger("A", "y", 3));
  ASSERT_TRUE(ini.WriteInteger("B", "z", 4));
  EXPECT_EQ(ini.Text(), "\xEF\xBB\xBF[A]\r\nx=2\r\n; note\r\ny=3\r\n\r\n[B]\r\nz=4\r\n");

  // Mixed ends stay as found; new lines follow the first line's end.
  TIniFile mixed = TIniFile::FromText("[A]\nx=1\r\n");
  ASSERT_TRUE(mixed.WriteInteger("A", "y", 2));
  EXPECT_EQ(mixed.Text(), "[A]\nx=1\r\ny=2\n");

  // A file that ends in a lone CR still reads, and grows a proper line end.
  TIniFile cr = TIniFile::FromText("[A]\r\nx=5\r");
  EXPECT_EQ(cr.ReadInteger("A", "x", 0), 5);
  EXPECT_EQ(cr.Text(), "[A]\r\nx=5\r");
  ASSERT_TRUE(cr.WriteInteger("A", "y", 6));
  EXPECT_EQ(cr.Text(), "[A]\r\nx=5\r\ny=6\r\n");
}

TEST(TIniFile, UntouchedTextRoundTripsByteForByte) {
  const std::string text =
      "garbage before\n\n[Keep] ; trailing\n\tweird line\n=x\n#c\n[Other]\nk=v\n\n  \nend";
  TIniFile ini = TIniFile::FromText(text);
  EXPECT_EQ(ini.Text(), text);
  EXPECT_EQ(ini.ReadString("keep", "x", "-"), "-");
}

TEST(TIniFile, RefusesWritesThatCouldNotBeReadBack) {
  TIniFile ini = TIniFile::FromText("[A]\nx=1\n");
  const std::string before = ini.Text();
  EXPECT_FALSE(ini.WriteString("A", "x", "two\nlines"));
  EXPECT_FALSE(ini.WriteString("A", "x", "cr\r"));
  EXPECT_FALSE(ini.WriteString("A\n", "x", "1"));
  EXPECT_FALSE(ini.WriteString("A]", "x", "1"));
  EXPECT_FALSE(ini.WriteString("A", "", "1"));
  EXPECT_FALSE(ini.WriteString("A", "  ", "1"));
  EXPECT_FALSE(ini.WriteString("A", "a=b", "1"));
  EXPECT_FALSE(ini.WriteString("A", ";c", "1"));
  EXPECT_FALSE(ini.WriteString("A", "#c", "1"));
  EXPECT_FALSE(ini.WriteString("A", "[c", "1"));
  EXPECT_EQ(ini.Text(), before);
  // Names are trimmed, so they are found again.
  ASSERT_TRUE(ini.WriteString(" A ", " y ", "2"));
  EXPECT_EQ(ini.ReadInteger("A", "y", 0), 2);
}

TEST(TIniFile, LoadMissingOrUnreadableFileGivesNothing) {
  TempDir dir;
  EXPECT_FALSE(TIniFile::Load(dir.Path() / "missing.ini").has_value());
  EXPECT_FALSE(TIniFile::Load(dir.Path()).has_value());  // a directory
  fs::path file = dir.Write("a.ini", "[A]\r\nx=9\r\n");
  auto ini = TIniFile::Load(file);
  ASSERT_TRUE(ini.has_value());
  EXPECT_EQ(ini->ReadInteger("a", "X", 0), 9);
  EXPECT_EQ(ini->Text(), "[A]\r\nx=9\r\n");
}

std::vector<std::string> FileNames(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(TIniFile, SaveReplacesTheFileAndLeavesNoTemporaryBehind) {
  TempDir dir;
  fs::path file = dir.Write("information.ini", "[A]\nx=1\n");
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  auto ini = TIniFile::Load(file);
  ASSERT_TRUE(ini);
  ini->WriteInteger("A", "x", 2);
  ASSERT_TRUE(ini->Save(file));
  EXPECT_EQ(dir.Read("information.ini"), "[A]\nx=2\n");
  EXPECT_EQ(FileNames(dir.Path()), std::vector<std::string>{"information.ini"});
  // The file keeps its permission bits.
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(TIniFile, SaveThroughASymlinkReplacesTheTarget) {
  TempDir dir;
  fs::path real = dir.Write("real.ini", "[A]\nx=1\n");
  fs::create_symlink(real, dir.Path() / "link.ini");
  TIniFile ini = TIniFile::FromText("[A]\nx=3\n");
  ASSERT_TRUE(ini.Save(dir.Path() / "link.ini"));
  EXPECT_TRUE(fs::is_symlink(dir.Path() / "link.ini"));
  EXPECT_EQ(dir.Read("real.ini"), "[A]\nx=3\n");
}

TEST(TIniFile, SaveIntoAMissingDirectoryFails) {
  TempDir dir;
  TIniFile ini = TIniFile::FromText("[A]\nx=2\n");
  EXPECT_FALSE(ini.Save(dir.Path() / "nowhere" / "x.ini"));
  EXPECT_FALSE(fs::exists(dir.Path() / "nowhere"));
}

TEST(TIniFile, FailedSaveIntoReadOnlyDirectoryLeavesTheOriginalIntact) {
  TempDir dir;
  fs::path file = dir.Write("ro/information.ini", "[A]\nx=1\n");
  TIniFile ini = TIniFile::FromText("[A]\nx=2\n");
  fs::permissions(dir.Path() / "ro", fs::perms::owner_read | fs::perms::owner_exec);
  const bool canStillWrite = ::access((dir.Path() / "ro").c_str(), W_OK) == 0;
  if (!canStillWrite) {
    EXPECT_FALSE(ini.Save(file));
  }
  fs::permissions(dir.Path() / "ro", fs::perms::owner_all);
  if (canStillWrite) GTEST_SKIP() << "running with permission to write anywhere";
  EXPECT_EQ(dir.Read("ro/information.ini"), "[A]\nx=1\n");
  EXPECT_EQ(FileNames(dir.Path() / "ro"), std::vector<std::string>{"information.ini"});
}

TEST(TIniFile, SaveOverADirectoryFailsAndCleansUp) {
  TempDir dir;
  fs::create_directories(dir.Path() / "target.ini" / "inside");
  TIniFile ini = TIniFile::FromText("[A]\n");
  EXPECT_FALSE(ini.Save(dir.Path() / "target.ini"));
  EXPECT_TRUE(fs::is_directory(dir.Path() / "target.ini" / "inside"));
  EXPECT_EQ(FileNames(dir.Path()), std::vector<std::string>{"target.ini"});
}

}  // namespace
}  // namespace vuzed
