#include "shell/game_folders.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/test_dir.h"

namespace vuzed {
namespace {

namespace fs = std::filesystem;

// A tree with a game directory ("game"), an installed game ("prefix", its
// programs in prefix/bin) and a home whose save directory is "save".
struct Layout {
  bool GameHasData;
  bool Installed;
  const char* SaveDir;    // below the tree; "" for none known
  const char* SavedText;  // already in the save directory (nullptr: nothing)
};

struct Expected {
  bool Installed;
  const char* Settings;  // below the tree; "" for the game directory's data/
  const char* SettingsText;
  bool Saves;
  bool SaysWhy;
};

TEST(GameFolders, TheGameDirectoryFirstThenTheInstalledGameWithItsSaveDirectory) {
  const struct {
    const char* Name;
    Layout Given;
    Expected Want;
  } cases[] = {
      {"game directory with data", {true, true, "save", nullptr}, {false, "", "", true, false}},
      {"first start of the installed game", {false, true, "save", nullptr},
       {true, "save/information.ini", "[Score]\nScore1_1_1=0\n", true, false}},
      {"the player's file is kept", {false, true, "save", "[Score]\nScore1_1_1=90\n"},
       {true, "save/information.ini", "[Score]\nScore1_1_1=90\n", true, false}},
      {"no save directory known", {false, true, "", nullptr},
       {true, "prefix/share/vuzed/data/information.ini", "[Score]\nScore1_1_1=0\n", false, true}},
      {"save directory cannot be made", {false, true, "blocked/vuzed", nullptr},
       {true, "prefix/share/vuzed/data/information.ini", "[Score]\nScore1_1_1=0\n", false, true}},
      {"neither", {false, false, "save", nullptr}, {false, "", "", true, false}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    test::TempDir dir;
    const fs::path game = dir.Path() / "game";
    fs::create_directories(game);
    if (c.Given.GameHasData) dir.Write("game/DATA/information.ini", "[Score]\n");
    fs::create_directories(dir.Path() / "prefix/bin");
    if (c.Given.Installed) {
      dir.Write("prefix/share/vuzed/data/information.ini", "[Score]\nScore1_1_1=0\n");
      dir.Write("prefix/share/vuzed/data/Script/Stage1.txt", "");
    }
    // A plain file where "blocked/vuzed" would be made: it cannot be made.
    dir.Write("blocked", "a file, not a folder");
    if (c.Given.SavedText) dir.Write(std::string(c.Given.SaveDir) + "/information.ini", c.Given.SavedText);
    const fs::path save = *c.Given.SaveDir ? dir.Path() / c.Given.SaveDir : fs::path();

    std::ostringstream err;
    const TGameFolders f = ChooseGameFolders(game, dir.Path() / "prefix" / "bin", save, err);
    EXPECT_EQ(f.Installed, c.Want.Installed);
    EXPECT_EQ(f.SavesSettings, c.Want.Saves);
    EXPECT_EQ(!err.str().empty(), c.Want.SaysWhy) << err.str();
    if (!c.Want.Installed) {
      EXPECT_EQ(f.Root, game);
      EXPECT_EQ(f.LogDirectory, game);
      EXPECT_TRUE(f.SettingsFile.empty());
      continue;
    }
    EXPECT_EQ(f.Root, dir.Path() / "prefix/share/vuzed");
    EXPECT_EQ(f.SettingsFile, dir.Path() / c.Want.Settings);
    EXPECT_EQ(dir.Read(c.Want.Settings), c.Want.SettingsText);
    if (c.Want.Saves) {
      EXPECT_EQ(f.LogDirectory, save);
    }
    // The template itself is never changed.
    EXPECT_EQ(dir.Read("prefix/share/vuzed/data/information.ini"), "[Score]\nScore1_1_1=0\n");
  }
}

}  // namespace
}  // namespace vuzed
