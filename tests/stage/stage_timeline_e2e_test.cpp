// A stage script from tests/data run through `vuzed-tool run`: a procedure
// called with arguments on given frames, and SETMAINCOUNT starting the stage
// clock over, seen in the summary's time and enemy count.

#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_dir.h"
#include "support/tool_runner.h"

namespace vuzed {
namespace {

TEST(StageTimelineEndToEnd, TheClockRepeatsAndCallsSpawnOnTheirFrames) {
  test::TempDir root;
  std::filesystem::copy(std::filesystem::path(VUZED_TEST_DATA) / "stage_timeline", root.Path(),
                        std::filesystem::copy_options::recursive);
  auto r = test::RunTool({"run", "--root", root.Path().string(), "--frames", "151", "--trace", "30"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_TRUE(r.Err.empty()) << r.Err;  // the script runs without a report
  auto lines = r.OutLines();
  ASSERT_EQ(lines.size(), 6u) << r.Out;
  auto has = [](const std::string& line, const std::string& part) { return line.find(part) != std::string::npos; };
  EXPECT_TRUE(has(lines[0], "\"frame\":30,") && has(lines[0], "\"time\":30,") && has(lines[0], "\"enemies\":2,"))
      << lines[0];
  EXPECT_TRUE(has(lines[1], "\"time\":60,") && has(lines[1], "\"enemies\":3,")) << lines[1];
  EXPECT_TRUE(has(lines[3], "\"frame\":120,") && has(lines[3], "\"time\":0,")) << lines[3];
  EXPECT_TRUE(has(lines[4], "\"frame\":150,") && has(lines[4], "\"time\":30,") && has(lines[4], "\"enemies\":5,"))
      << lines[4];
  EXPECT_TRUE(has(lines[5], "\"frame\":151,") && has(lines[5], "\"time\":31,")) << lines[5];
}

}  // namespace
}  // namespace vuzed
