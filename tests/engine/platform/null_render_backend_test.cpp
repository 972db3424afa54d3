// The headless renderer keeps only the newest presented frames, so a run of
// any length draws in the same memory.

#include <gtest/gtest.h>

#include "engine/platform/null_render_backend.h"

namespace vuzed {
namespace {

TEST(NullRenderBackend, KeepsOnlyTheNewestPresentedFrames) {
  for (size_t keep : {size_t(1), size_t(3)}) {
    NullRenderBackend backend;
    backend.KeepFrames = keep;
    for (int frame = 0; frame < 1000; ++frame) {
      ScreenVertex quad[4] = {};
      quad[0].X = float(frame);
      backend.DrawSpriteStrip(quad);
      backend.Present();
    }
    EXPECT_EQ(backend.PresentCount, 1000);
    ASSERT_EQ(backend.Frames.size(), keep);
    for (size_t i = 0; i < keep; ++i) {
      ASSERT_EQ(backend.Frames[i].size(), 1u);
      EXPECT_EQ(backend.Frames[i][0].Vertices[0].X, float(1000 - keep + i)) << "keep " << keep;
    }
  }
}

}  // namespace
}  // namespace vuzed
