// End to end: the real game loop through `vuzed-tool run`.

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <vector>

#include "support/test_dir.h"
#include "support/tool_runner.h"

namespace vuzed {
namespace {

using test::RunTool;
using test::TempDir;

const char* const kSettings =
    "; player settings\r\n[Screen]\r\nFullScreen=0\r\n[Score]\r\nScore1_3_1=700\r\nMyNote=keep me\r\n"
    "[SystemResult]\r\nAllTime=5000\r\nPlayTime=3\r\n[Sound]\r\nWhetherMusic=1\r\n";

TEST(HeadlessRun, AStageRunsTheRequestedPassesAndSummarises) {
  TempDir root;
  root.Write("data/information.ini", kSettings);
  auto r = RunTool({"run", "--root", root.Path().string(), "--frames", "30"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  auto lines = r.OutLines();
  ASSERT_EQ(lines.size(), 1u) << r.Out;
  EXPECT_EQ(lines[0],
            "{\"frame\":30,\"scene\":\"game\",\"mode\":0,\"time\":0,\"score\":0,\"lives\":3,\"bombs\":3,\"hp\":4,"
            "\"power\":1,\"graze\":0,\"hits\":0,\"px\":200,\"py\":400,\"enemies\":0,\"bullets\":0,\"items\":0,\"effects\":0}");
}

TEST(HeadlessRun, BootStaysInTheOpeningAndTraceAddsLines) {
  TempDir root;
  auto r = RunTool({"run", "--root", root.Path().string(), "--boot", "--frames", "7", "--trace", "3"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  auto lines = r.OutLines();
  ASSERT_EQ(lines.size(), 3u) << r.Out;
  EXPECT_EQ(lines[0].rfind("{\"frame\":3,\"scene\":\"opening\"", 0), 0u) << lines[0];
  EXPECT_EQ(lines[1].rfind("{\"frame\":6,", 0), 0u);
  EXPECT_EQ(lines[2].rfind("{\"frame\":7,", 0), 0u);
}

TEST(HeadlessRun, ScriptedKeysPauseAndBackOutToTheTitle) {
  TempDir root;
  auto keys = root.Write("keys.txt", "# pause, then back out\r\n1 esc\r\n31 esc\r\n");
  auto r = RunTool({"run", "--root", root.Path().string(), "--frames", "20", "--input", keys.string()});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_NE(r.Out.find("\"scene\":\"game\",\"mode\":1"), std::string::npos) << r.Out;
  r = RunTool({"run", "--root", root.Path().string(), "--frames", "40", "--input", keys.string()});
  EXPECT_NE(r.Out.find("\"scene\":\"title\""), std::string::npos) << r.Out;
}

TEST(HeadlessRun, TheQuitKeyEndsTheRunAfterItsPassAndSavesTheSettings) {
  TempDir root;
  root.Write("data/information.ini", kSettings);
  auto keys = root.Write("keys.txt", "60 f1\n");
  auto r = RunTool({"run", "--root", root.Path().string(), "--boot", "--frames", "600", "--input", keys.string()});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out.rfind("{\"frame\":60,", 0), 0u) << r.Out;
  std::string saved = root.Read("data/information.ini");
  // One second of virtual time was added to the running total.
  EXPECT_NE(saved.find("AllTime=6000\r\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("MyNote=keep me\r\n"), std::string::npos);
  EXPECT_NE(saved.find("Score1_3_1=700\r\n"), std::string::npos);
  EXPECT_EQ(saved.rfind("; player settings\r\n", 0), 0u);
}

TEST(HeadlessRun, DumpListsTheShipFirstAndTheBackgroundSegmentsLast) {
  TempDir root;
  auto r = RunTool({"run", "--root", root.Path().string(), "--frames", "1", "--dump"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  auto lines = r.OutLines();
  ASSERT_EQ(lines.size(), 14u);
  EXPECT_EQ(lines[0],
            "{\"kind\":\"player\",\"x\":200,\"y\":400,\"lives\":3,\"bombs\":3,\"hp\":4,\"power\":1,\"graze\":0,"
            "\"bomb\":0,\"invulnerable\":179,\"alive\":true}");
  // Stage 1 runs set 1: after one step the segments have moved 0.1 towards the viewer.
  EXPECT_EQ(lines[1], "{\"kind\":\"background\",\"set\":1,\"counter\":1}");
  EXPECT_EQ(lines[2], "{\"kind\":\"segment\",\"i\":0,\"x\":0,\"y\":0.2,\"z\":59.9}");
  EXPECT_EQ(lines[3], "{\"kind\":\"segment\",\"i\":1,\"x\":0,\"y\":0.2,\"z\":53.9}");
  EXPECT_EQ(lines[12], "{\"kind\":\"segment\",\"i\":10,\"x\":0,\"y\":0.2,\"z\":-0.1}");
  EXPECT_EQ(lines[13].rfind("{\"frame\":1,", 0), 0u);
}

// The run's own resident memory every 60 passes and after the last one.
TEST(HeadlessRun, RssLogSamplesEverySixtyPassesAndAfterTheLast) {
  TempDir root;
  const std::string log = (root.Path() / "rss.log").string();
  auto r = RunTool({"run", "--root", root.Path().string(), "--stage", "2", "--frames", "130", "--rss-log", log});
  ASSERT_EQ(r.Status, 0) << r.Err;
  std::istringstream lines(root.Read("rss.log"));
  std::vector<int> frames;
  for (std::string line; std::getline(lines, line);) {
    int frame = 0, stage = 0;
    long kb = 0;
    ASSERT_EQ(std::sscanf(line.c_str(), "{\"frame\":%d,\"stage\":%d,\"rss_kb\":%ld}", &frame, &stage, &kb), 3) << line;
    EXPECT_EQ(stage, 2);
    EXPECT_GT(kb, 1000) << "a running game holds more than a megabyte";
    frames.push_back(frame);
  }
  EXPECT_EQ(frames, (std::vector<int>{60, 120, 130}));
  EXPECT_EQ(RunTool({"run", "--root", root.Path().string(), "--rss-log", root.Path().string()}).Status, 1);
}

TEST(HeadlessRun, BadArgumentsAndUnreadableFilesHaveTheirOwnExitStatus) {
  TempDir root;
  EXPECT_EQ(RunTool({"run", "--stage", "2", "--boot"}).Status, 2);
  EXPECT_EQ(RunTool({"run", "--frames", "x"}).Status, 2);
  EXPECT_EQ(RunTool({"run", "--bogus"}).Status, 2);
  EXPECT_EQ(RunTool({"nosuchcommand"}).Status, 2);
  auto missing = RunTool({"run", "--root", root.Path().string(), "--input", (root.Path() / "none.txt").string()});
  EXPECT_EQ(missing.Status, 1);
  EXPECT_TRUE(missing.Out.empty());
  auto keys = root.Write("bad.txt", "1 z\n\n3 warp\n");
  auto bad = RunTool({"run", "--root", root.Path().string(), "--input", keys.string()});
  EXPECT_EQ(bad.Status, 2);
  EXPECT_NE(bad.Err.find(keys.string() + ":3: "), std::string::npos) << bad.Err;
  auto help = RunTool({"run", "--help"});
  EXPECT_EQ(help.Status, 0);
  EXPECT_NE(help.Out.find("--screenshot"), std::string::npos);
}

TEST(HeadlessRun, BrokenPicturesAndSettingsNeverStopTheGame) {
  TempDir root;
  root.Write("data/information.ini", "[Screen]\nFullScreen=banana\n=\n[[[\nScore1_1_1=12x\n");
  root.Write("data/Graphic/Player/1.bmp", "BM this is not a picture");
  root.Write("data/Graphic/Bullet/3.bmp", "");
  root.Write("data/Graphic/Other/10.bmp", std::string(10, 'x'));
  auto r = RunTool({"run", "--root", root.Path().string(), "--frames", "5"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out.rfind("{\"frame\":5,", 0), 0u) << r.Out;
  std::string log = root.Read("Dovivez_DebugLog.txt");
  EXPECT_NE(log.find("1.bmp"), std::string::npos);
}

}  // namespace
}  // namespace vuzed
