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

// Draw calls are counted as the OpenGL backend batches: strips drawn with
// one state are one call; a state set between them, or a mesh, starts
// another. Without recording the counts are the same and no list grows.
TEST(NullRenderBackend, CountsDrawCallsAsBatches) {
  struct TRow {
    const char* Steps;  // s strip, t texture change, T the same texture again, r render state, m mesh
    uint64_t DrawCalls;
    uint64_t Sprites;
  };
  const TRow rows[] = {
      {"sss", 1, 3}, {"stsTs", 2, 3}, {"srs", 2, 2}, {"smss", 3, 3}, {"tTTs", 1, 1}, {"", 0, 0},
  };
  for (bool record : {true, false}) {
    for (const TRow& row : rows) {
      NullRenderBackend backend;
      backend.Record = record;
      TextureImage images[2];
      images[0].Id = 1;
      images[1].Id = 2;
      int texture = 0;
      GeometryImage geometry;
      for (const char* step = row.Steps; *step; ++step) {
        ScreenVertex quad[4] = {};
        switch (*step) {
          case 's': backend.DrawSpriteStrip(quad); break;
          case 't': texture ^= 1; backend.SetTexture(&images[texture]); break;
          case 'T': backend.SetTexture(&images[texture]); break;
          case 'r': backend.SetRenderState(RenderState::AlphaBlendEnable, 1); break;
          case 'm': backend.DrawIndexedTriangleList(geometry, geometry, 0, 0); break;
        }
      }
      EXPECT_EQ(backend.DrawCounts().DrawCalls, row.DrawCalls) << row.Steps;
      EXPECT_EQ(backend.DrawCounts().Sprites, row.Sprites) << row.Steps;
      EXPECT_EQ(backend.Draws.size(), record ? row.Sprites : 0u) << row.Steps;
      if (!record) {
        EXPECT_TRUE(backend.StateCalls.empty() && backend.MeshDraws.empty()) << row.Steps;
      }
    }
  }
}

}  // namespace
}  // namespace vuzed
