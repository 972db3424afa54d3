#include "engine/platform/file_resolver.h"

#include <gtest/gtest.h>

#include "support/test_dir.h"

namespace vuzed {
namespace {

TEST(FileResolver, BackslashesAndAnyCaseFindTheFile) {
  test::TempDir dir;
  dir.Write("data/Graphic/Enemy/small/3.bmp", "x");
  FileResolver files(dir.Path());
  auto p = files.Resolve("DATA\\GRAPHIC\\ENEMY\\SMALL\\3.BMP");
  ASSERT_TRUE(p);
  EXPECT_EQ(*p, dir.Path() / "data/Graphic/Enemy/small/3.bmp");
  EXPECT_TRUE(files.Exists("data\\Graphic\\Enemy\\small\\3.bmp"));
  EXPECT_TRUE(files.Exists("data/graphic/enemy/SMALL/3.bmp"));
  EXPECT_FALSE(files.Exists("data\\Graphic\\Enemy\\small\\4.bmp"));
  EXPECT_FALSE(files.Exists("data\\Graphic\\Enemy\\big\\3.bmp"));
  EXPECT_FALSE(files.Exists(""));
}

TEST(FileResolver, ExactSpellingWinsOverOtherCases) {
  test::TempDir dir;
  dir.Write("data/a.txt", "lower");
  dir.Write("data/A.txt", "upper");
  FileResolver files(dir.Path());
  EXPECT_EQ(files.Resolve("data\\A.txt")->filename(), "A.txt");
  EXPECT_EQ(files.Resolve("data\\a.txt")->filename(), "a.txt");
}

}  // namespace
}  // namespace vuzed
