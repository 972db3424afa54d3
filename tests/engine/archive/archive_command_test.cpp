// End to end: `vuzed-tool archive` on archives made by the test writer.

#include <gtest/gtest.h>

#include <string>

#include "support/archive_writer.h"
#include "support/test_dir.h"
#include "support/tool_runner.h"

namespace vuzed {
namespace {

using test::RunTool;
using test::TempDir;

TEST(ArchiveCommand, ListsTheTableAndExtractsEntries) {
  TempDir dir;
  const std::string picture = std::string("BM\0\0", 4) + std::string(3000, '\x7F') + "end";
  const std::string archive =
      dir.Write("a.vaz", test::PackedArchive({{"Logo.bmp", picture}, {"note.txt", "hi\n"}})).string();

  auto r = RunTool({"archive", "list", archive});
  ASSERT_EQ(r.Status, 0) << r.Err;
  const auto lines = r.OutLines();
  ASSERT_EQ(lines.size(), 2u) << r.Out;
  EXPECT_EQ(lines[0], "Logo.bmp\t" + std::to_string(test::PackPairs(picture).size()) + "\t3007");
  EXPECT_EQ(lines[1], "note.txt\t" + std::to_string(test::PackPairs("hi\n").size()) + "\t3");

  r = RunTool({"archive", "extract", archive, "LOGO.BMP"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out, picture);
  r = RunTool({"archive", "extract", archive, "note.txt", "-o", (dir.Path() / "out.txt").string()});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out, "");
  EXPECT_EQ(dir.Read("out.txt"), "hi\n");
}

TEST(ArchiveCommand, FailuresAndBadArguments) {
  TempDir dir;
  const std::string archive = dir.Write("a.vaz", test::PlainArchive({{"a", "1"}})).string();
  const std::string broken = dir.Write("b.vaz", "not an archive").string();
  const struct {
    std::vector<std::string> Args;
    int Status;
    std::string Says;  // on stderr
  } rows[] = {
      {{"archive", "extract", archive, "b"}, 1, "アーカイブ内には指定されたID 'b' を持つデータが見つかりません\n"},
      {{"archive", "list", broken}, 1, "Zazavive Archiveの扱えるデータではありません\n"},
      {{"archive", "list", archive + "x"}, 1, archive + "x"},
      {{"archive", "list"}, 2, "usage:"},
      {{"archive", "extract", archive}, 2, "usage:"},
      {{"archive", "list", archive, "-o", "x"}, 2, "usage:"},
      {{"archive", "pack", archive}, 2, "unknown action"},
      {{"archive", "--all", archive}, 2, "unknown option"},
  };
  for (const auto& row : rows) {
    const auto r = RunTool(row.Args);
    EXPECT_EQ(r.Status, row.Status) << row.Args[1];
    EXPECT_EQ(r.Out, "") << row.Args[1];
    EXPECT_NE(r.Err.find(row.Says), std::string::npos) << r.Err;
  }
  const auto help = RunTool({"archive", "--help"});
  EXPECT_EQ(help.Status, 0);
  EXPECT_EQ(help.Out.rfind("usage: vuzed-tool archive list ARCHIVE\n", 0), 0u) << help.Out;
}

}  // namespace
}  // namespace vuzed
