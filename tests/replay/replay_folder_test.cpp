// The replay folder keeps the newest 50 games, by their dated names; and the
// save directory follows the XDG rules.

#include "replay/replay_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

#include "engine/platform/save_directory.h"
#include "support/test_dir.h"

namespace vuzed {
namespace {

namespace fs = std::filesystem;

std::set<std::string> Names(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

TEST(ReplayFolder, SavingKeepsTheNewestFiftyAndLeavesOtherFilesAlone) {
  test::TempDir dir;
  const fs::path folder = dir.Path() / "replays";
  // 55 older games, one a day, and a note that is not a replay.
  for (int day = 1; day <= 55; ++day) {
    char name[40];
    std::snprintf(name, sizeof name, "2020-%02d-%02d_12-00-00_stage1.vzr", 1 + (day - 1) / 28, 1 + (day - 1) % 28);
    dir.Write(std::string("replays/") + name, "old");
  }
  dir.Write("replays/notes.txt", "keep");

  TReplay replay;
  replay.StageType = 2;
  std::string error;
  const std::time_t when = std::time(nullptr);
  auto saved = SaveToReplayFolder(folder, replay, when, error);
  ASSERT_TRUE(saved) << error;
  EXPECT_EQ(saved->filename().string(), DatedReplayName(when, 2) + ".vzr");

  const std::set<std::string> names = Names(folder);
  EXPECT_EQ(names.size(), 51u);  // 50 replays and the note
  EXPECT_TRUE(names.count("notes.txt"));
  EXPECT_TRUE(names.count(saved->filename().string()));
  // The six oldest went: 2020-01-01 .. 2020-01-06.
  EXPECT_FALSE(names.count("2020-01-06_12-00-00_stage1.vzr"));
  EXPECT_TRUE(names.count("2020-01-07_12-00-00_stage1.vzr"));
  EXPECT_TRUE(names.count("2020-02-27_12-00-00_stage1.vzr"));
}

TEST(ReplayFolder, TwoGamesEndingInTheSameSecondKeepBothFiles) {
  test::TempDir dir;
  std::string error;
  TReplay replay;
  auto first = SaveToReplayFolder(dir.Path(), replay, 1700000000, error);
  auto second = SaveToReplayFolder(dir.Path(), replay, 1700000000, error);
  ASSERT_TRUE(first && second) << error;
  EXPECT_NE(*first, *second);
  EXPECT_EQ(second->filename().string(), DatedReplayName(1700000000, 0) + "_2.vzr");
  EXPECT_EQ(Names(dir.Path()).size(), 2u);
}

TEST(SaveDirectory, FollowsXdgDataHomeAndFallsBackToHome) {
  struct Case {
    const char* Xdg;
    const char* Home;
    const char* Expected;
  };
  const Case cases[] = {
      {"/data", "/home/p", "/data/vuzed"},
      {nullptr, "/home/p", "/home/p/.local/share/vuzed"},
      {"", "/home/p", "/home/p/.local/share/vuzed"},
      {"relative/dir", "/home/p", "/home/p/.local/share/vuzed"},
      {nullptr, nullptr, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SaveDirectoryFrom(c.Xdg, c.Home), fs::path(c.Expected)) << (c.Xdg ? c.Xdg : "(unset)");
}

}  // namespace
}  // namespace vuzed
