#include "engine/graphics/engine_log.h"

#include <gtest/gtest.h>

#include "engine/graphics/d3d_names.h"
#include "support/test_dir.h"

namespace vuzed {
namespace {

TEST(EngineLog, LinesAreNumberedIndentedAndTheFirstOfARunRewritesTheFile) {
  test::TempDir dir;
  dir.Write(EngineLog::FileName, "an old run\n");
  EngineLog log;
  log.SetDirectory(dir.Path());
  log.SetOptions({false, true, false});
  log.WriteLog("top");
  log.IndentUp();
  log.IndentUp();
  log.WriteLog("inner");
  log.IndentDown();
  log.WriteDetailLog("detail without DetailedLog");
  log.WriteLog("");
  EXPECT_EQ(dir.Read(EngineLog::FileName), "#00001 | top\n#00002 |     inner\n#00003 |   \n");
  EXPECT_EQ(log.LineCount(), 3);

  // A new run starts over, indent included, and rewrites the file.
  log.ResetRun();
  log.SetOptions({false, true, true});
  log.WriteDetailLog("detail");
  EXPECT_EQ(dir.Read(EngineLog::FileName), "#00001 | detail\n");
  EXPECT_EQ(log.Indent(), 0);
}

TEST(EngineLog, WithoutDebugMessagesNothingIsWrittenOrCounted) {
  test::TempDir dir;
  EngineLog log;
  log.SetDirectory(dir.Path());
  log.SetOptions({true, false, true});
  log.WriteLog("quiet");
  log.WriteDetailLog("quiet");
  EXPECT_EQ(log.LineCount(), 0);
  EXPECT_FALSE(std::filesystem::exists(dir.Path() / EngineLog::FileName));
}

TEST(EngineLog, TwoLogsKeepTheirOwnCountersFilesAndHalts) {
  test::TempDir first, second;
  EngineLog a, b;
  a.SetDirectory(first.Path());
  b.SetDirectory(second.Path());
  a.SetOptions({true, true, false});
  b.SetOptions({false, true, false});
  int haltsA = 0, haltsB = 0;
  a.SetHaltHandler([&] { ++haltsA; });
  b.SetHaltHandler([&] { ++haltsB; });
  a.WriteLog("a1");
  EXPECT_EQ(CheckResult(&b, d3derr::INVALIDCALL, "b1"), d3derr::INVALIDCALL);
  EXPECT_EQ(CheckResult(&a, d3derr::DEVICELOST, "a2"), d3derr::DEVICELOST);
  EXPECT_EQ(first.Read(EngineLog::FileName), "#00001 | a1\n#00002 | a2(Error Code = D3DERR_DEVICELOST)\n");
  EXPECT_EQ(second.Read(EngineLog::FileName), "#00001 | b1(Error Code = D3DERR_INVALIDCALL )\n");
  EXPECT_EQ(haltsA, 1);
  EXPECT_EQ(haltsB, 0);
  // Without a log (an object without a device) a failure is only returned.
  EXPECT_EQ(CheckResult(nullptr, d3derr::DEVICELOST, "nowhere"), d3derr::DEVICELOST);
}

}  // namespace
}  // namespace vuzed
