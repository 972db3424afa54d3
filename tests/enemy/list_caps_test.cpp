// Runaway scripts meet the list caps: a familiar that doubles every frame and
// a gunner that fires a thousand bullets a frame (tests/data/floods) fill
// their lists to the cap and no further, each overflowing line reported once.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "enemy/enemy_control.h"
#include "support/test_dir.h"
#include "support/tool_runner.h"

namespace vuzed {
namespace {

long long Field(const std::string& line, const std::string& name) {
  const std::string key = "\"" + name + "\":";
  const size_t at = line.find(key);
  return at == std::string::npos ? -1 : std::atoll(line.c_str() + at + key.size());
}

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST(ListCaps, RunawayFamiliarsAndBulletsStopAtTheCapWithOneReportPerLine) {
  test::TempDir root;
  std::filesystem::copy(std::filesystem::path(VUZED_TEST_DATA) / "floods", root.Path(),
                        std::filesystem::copy_options::recursive);
  const auto r = test::RunTool({"run", "--root", root.Path().string(), "--frames", "150", "--trace", "1", "--invincible",
                                "--stats"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  long long enemies = 0, bullets = 0;
  for (const std::string& line : r.OutLines()) {
    enemies = std::max(enemies, Field(line, "enemies"));
    bullets = std::max(bullets, Field(line, "bullets"));
  }
  EXPECT_EQ(enemies, static_cast<long long>(kMaxEnemies));
  EXPECT_EQ(bullets, static_cast<long long>(kMaxBullets));
  EXPECT_EQ(Count(r.Err, FullListText(TCappedList::Enemies)), 2u) << r.Err;  // the familiar's line and MAIN's
  EXPECT_EQ(Count(r.Err, FullListText(TCappedList::Bullets)), 1u) << r.Err;
  // The run's figures see the same peaks as the trace.
  EXPECT_NE(r.Err.find("stats: 150 passes in "), std::string::npos) << r.Err;
  // The worst frame names its pass.
  const size_t worst = r.Err.find(" ms (pass ");
  ASSERT_NE(worst, std::string::npos) << r.Err;
  const long long worstPass = std::stoll(r.Err.substr(worst + 10));
  EXPECT_GE(worstPass, 1);
  EXPECT_LE(worstPass, 150);
  EXPECT_NE(r.Err.find("; peak " + std::to_string(kMaxEnemies) + " enemies, " + std::to_string(kMaxBullets) + " bullets, "),
            std::string::npos)
      << r.Err;
}

}  // namespace
}  // namespace vuzed
