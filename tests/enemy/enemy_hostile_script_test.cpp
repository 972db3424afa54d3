// A hostile stage end to end (tests/data/enemy/hostile): a hundred thousand
// bullets asked for in one frame, lasers from far off the screen, pictures
// that do not exist, infinite and NaN positions. The game goes on, says once
// why the flood stopped, and every odd bullet either flies or is dropped.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/test_dir.h"
#include "support/tool_runner.h"

namespace vuzed {
namespace {

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST(EnemyHostileScript, FloodsLasersFromAfarAndBrokenNumbersEndInNeitherACrashNorAHang) {
  test::TempDir root;
  std::filesystem::copy(std::filesystem::path(VUZED_TEST_DATA) / "enemy/hostile", root.Path(),
                        std::filesystem::copy_options::recursive);
  const auto r = test::RunTool({"run", "--root", root.Path().string(), "--stage", "1", "--frames", "20", "--dump"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  // The flood stops at the line budget with one message for its place.
  EXPECT_EQ(Count(r.Err, "more than 100000 lines in one frame"), 1u) << r.Err;
  EXPECT_NE(r.Err.find("Stage1.txt:22:"), std::string::npos) << r.Err;
  const std::string summary = r.OutLines().back();
  EXPECT_NE(summary.find("\"frame\":20"), std::string::npos);
  // Tens of thousands of bullets from the flood fly on; the lasers from far
  // away have no segment and are gone, as are bullets at infinite or NaN
  // places.
  EXPECT_GT(Count(r.Out, "\"kind\":\"bullet\""), 20000u);
  EXPECT_EQ(Count(r.Out, "TEnemyTamaLaser"), 0u);
  EXPECT_EQ(Count(r.Out, "\"x\":null,\"y\":null,\"angle\""), 0u);
}

}  // namespace
}  // namespace vuzed
