#include "engine/platform/gl_letterbox.h"

#include <gtest/gtest.h>

namespace vuzed {
namespace {

TEST(FitLetterbox, SameSizeFillsTheWindow) {
  EXPECT_EQ(FitLetterbox(640, 480, 640, 480), (PixelRect{0, 0, 640, 480}));
}

TEST(FitLetterbox, WideWindowGetsBarsLeftAndRight) {
  EXPECT_EQ(FitLetterbox(640, 480, 1920, 1080), (PixelRect{240, 0, 1440, 1080}));
}

TEST(FitLetterbox, TallWindowGetsBarsAboveAndBelow) {
  EXPECT_EQ(FitLetterbox(640, 480, 800, 1000), (PixelRect{0, 200, 800, 600}));
}

TEST(FitLetterbox, IntegerScaleIsExact) {
  EXPECT_EQ(FitLetterbox(640, 480, 1280, 960), (PixelRect{0, 0, 1280, 960}));
}

TEST(FitLetterbox, OddSizesStayInsideTheWindow) {
  PixelRect r = FitLetterbox(640, 480, 1366, 768);
  EXPECT_EQ(r.Height, 768);
  EXPECT_EQ(r.Width, 1024);
  EXPECT_EQ(r.X, 171);
  EXPECT_LE(r.X + r.Width, 1366);
  PixelRect tiny = FitLetterbox(640, 480, 1, 1000);
  EXPECT_EQ(tiny.Width, 1);
  EXPECT_GE(tiny.Height, 1);
  EXPECT_LE(tiny.Y + tiny.Height, 1000);
}

TEST(FitLetterbox, EmptySizesGiveNothing) {
  EXPECT_EQ(FitLetterbox(640, 480, 0, 480), PixelRect{});
  EXPECT_EQ(FitLetterbox(640, 480, -5, 480), PixelRect{});
  EXPECT_EQ(FitLetterbox(0, 480, 640, 480), PixelRect{});
}

}  // namespace
}  // namespace vuzed
