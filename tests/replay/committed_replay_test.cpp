// The committed replay of stage 1, played by the autoplay bot to its clear,
// against the game's own scripts: any change of what the game does in those
// frames fails it. docs/replays.md says how to record it again when a change
// of the game's behaviour is intended.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/test_dir.h"
#include "support/tool_runner.h"

namespace vuzed {
namespace {

namespace fs = std::filesystem;

const fs::path kSourceData = fs::path(VUZED_TEST_DATA).parent_path().parent_path() / "data";
const fs::path kBuildData = fs::path(VUZED_TOOL).parent_path() / "data";

TEST(CommittedReplay, Stage1PlaysToItsClearAsRecorded) {
  test::TempDir root;
  const fs::path data = root.Path() / "data";
  fs::create_directories(data);
  fs::copy(kSourceData / "Script", data / "Script", fs::copy_options::recursive);
  fs::copy_file(kSourceData / "information.ini", data / "information.ini");
  for (const char* folder : {"Graphic", "Music"}) fs::create_directory_symlink(kBuildData / folder, data / folder);
  const std::string settings = root.Read("data/information.ini");

  const auto r = test::RunTool({"run", "--root", root.Path().string(), "--replay",
                                (fs::path(VUZED_TEST_DATA) / "replays" / "stage1.vzr").string(), "--verify"});
  EXPECT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Err, "");
  const std::string summary = r.OutLines().back();
  // The last pass shows the stage cleared: the clear bonus of 1,000,000 is paid.
  const size_t score = summary.find("\"score\":");
  ASSERT_NE(score, std::string::npos) << summary;
  EXPECT_GT(std::atoll(summary.c_str() + score + 8), 1000000) << summary;
  EXPECT_EQ(summary.find("\"enemies\":0,\"bullets\":0"), summary.find("\"enemies\":")) << summary;
  // Watching a replay saves nothing: the settings and records are as they were.
  EXPECT_EQ(root.Read("data/information.ini"), settings);
}

}  // namespace
}  // namespace vuzed
