#include "engine/sound/sound_log.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/test_dir.h"

namespace vuzed {
namespace {

std::string LogText(const test::TempDir& dir) { return dir.Read(TZudezuLog::FileName); }

TEST(ZudezuLog, MessagesAreNumberedAndTheFirstOfARunRewritesTheFile) {
  test::TempDir dir;
  dir.Write(TZudezuLog::FileName, "an old run\n");
  TZudezuLog log;
  log.SetDirectory(dir.Path());
  log.SetOptions({false, true, false});
  log.Message("first");
  log.Message("second");
  EXPECT_EQ(LogText(dir), "debug#00001 ... first\ndebug#00002 ... second\n");
}

TEST(ZudezuLog, DeviceFailuresCarryTheirCodeAndHaltOnlyWhenAsked) {
  test::TempDir dir;
  TZudezuLog log;
  log.SetDirectory(dir.Path());
  int halts = 0;
  log.SetHaltHandler([&] { ++halts; });
  log.SetOptions({true, true, false});
  EXPECT_EQ(log.Check(0, "fine"), 0);
  EXPECT_EQ(halts, 0);
  EXPECT_EQ(log.Check(dserr::InvalidParam, "ロック"), dserr::InvalidParam);
  EXPECT_EQ(halts, 1);
  EXPECT_EQ(LogText(dir), "debug#00001 ... ロック(Error Code(80070057))\n");
  // A plain message never halts.
  log.Message("loader");
  EXPECT_EQ(halts, 1);
  log.SetOptions({false, true, false});
  log.Check(dserr::BadFormat, "format");
  EXPECT_EQ(halts, 1);
}

TEST(ZudezuLog, TheGameSettingNeitherLogsNorThrowsAndExceptOnErrorThrows) {
  test::TempDir dir;
  TZudezuLog log;
  log.SetDirectory(dir.Path());
  log.Message("quiet");
  EXPECT_FALSE(std::filesystem::exists(dir.Path() / TZudezuLog::FileName));
  log.SetOptions({false, false, true});
  try {
    log.Message("loud");
    FAIL() << "no exception";
  } catch (const EZudezu& e) {
    EXPECT_STREQ(e.what(), "loud");
  }
}

}  // namespace
}  // namespace vuzed
