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

namespace vuzed {
namespace {

// Every command that names a procedure the script lacks says which name and
// what for, once per line (tests/data/undefined_names).
TEST(StageTimelineEndToEnd, CommandsNamingNoProcedureAreReportedOncePerLine) {
  test::TempDir root;
  std::filesystem::copy(std::filesystem::path(VUZED_TEST_DATA) / "undefined_names", root.Path(),
                        std::filesystem::copy_options::recursive);
  auto r = test::RunTool({"run", "--root", root.Path().string(), "--frames", "20"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  const std::string place = "data/Script/Stage1.txt:";
  auto report = [&](int line, const std::string& name, const std::string& what) {
    return place + std::to_string(line) + ": no procedure named \"" + name + "\" to " + what +
           "; the line does nothing\n";
  };
  // Reports come in the order the lines first run.
  EXPECT_EQ(r.Err, report(16, "NOBULLET", "make a bullet of") + report(23, "NOBOSSTALK", "show as a talk") +
                       report(30, "NOENEMY", "make an enemy of") + report(31, "NOENEMY", "make an enemy of") +
                       report(17, "NOFAMILIAR", "make a familiar of") + report(32, "NOBOSS", "make a boss of") +
                       report(33, "NOFAMILIAR", "make a familiar of") + report(34, "NOTALK", "show as a talk") +
                       report(35, "NOPAGES", "show as pages"));
}

}  // namespace
}  // namespace vuzed
