// The headless renderer keeps only the newest presented frames, so a run of
// any length draws in the same memory.

#include <gtest/gtest.h>

#include <string>

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
// one state are one call, whatever pictures of up to sixteen they use, and
// whether source alpha is added or laid over; a state changed between them,
// a picture with new pixels, a seventeenth picture (or a picture sampled a
// second way when all sixteen units are taken), a mesh or the 4,097th strip
// of one run starts another. Without recording the counts are the same and
// no list grows.
TEST(NullRenderBackend, CountsDrawCallsAsBatches) {
  struct TRow {
    // s strip, t a picture not used before, T the same picture again, v the
    // same picture with new pixels, f the picture forgotten, r blending on,
    // m mesh; a source alpha added, o source alpha laid over, x a
    // multiplying blend, z depth writes off, p the filter switched between
    // point and linear
    std::string Steps;
    uint64_t DrawCalls;
    uint64_t Sprites;
  };
  std::string sixteenPictures, seventeenPictures;
  for (int k = 0; k < 16; ++k) sixteenPictures += "ts";
  seventeenPictures = sixteenPictures + "ts";
  const TRow rows[] = {
      {"sss", 1, 3},  {"ststTs", 1, 3}, {"stsvs", 2, 3}, {"stsfs", 2, 3}, {"srsrs", 2, 3},
      {"smss", 3, 3}, {"tTTs", 1, 1},   {"", 0, 0},      {sixteenPictures, 1, 16}, {seventeenPictures, 2, 17},
      {"asosas", 1, 3}, {"asosxs", 2, 3}, {"aszs", 2, 2}, {"tspsps", 1, 3}, {sixteenPictures + "ps", 2, 17},
      {std::string(4096, 's'), 1, 4096}, {std::string(4097, 's'), 2, 4097},
  };
  const auto blend = [](NullRenderBackend& backend, uint32_t src, uint32_t dest) {
    backend.SetRenderState(RenderState::AlphaBlendEnable, 1);
    backend.SetRenderState(RenderState::SrcBlend, src);
    backend.SetRenderState(RenderState::DestBlend, dest);
  };
  for (bool record : {true, false}) {
    for (const TRow& row : rows) {
      NullRenderBackend backend;
      backend.Record = record;
      TextureImage images[17];
      int texture = -1;
      GeometryImage geometry;
      bool point = true;  // the device starts with point filtering
      for (char step : row.Steps) {
        ScreenVertex quad[4] = {};
        switch (step) {
          case 's': backend.DrawSpriteStrip(quad); break;
          case 't': ++texture; images[texture].Id = uint32_t(texture + 1); [[fallthrough]];
          case 'T': backend.SetTexture(&images[texture]); break;
          case 'v': ++images[texture].Version; backend.SetTexture(&images[texture]); break;
          case 'f': backend.ForgetTexture(images[texture].Id); break;
          case 'r': backend.SetRenderState(RenderState::AlphaBlendEnable, 1); break;
          case 'm': backend.DrawIndexedTriangleList(geometry, geometry, 0, 0); break;
          case 'a': blend(backend, d3d::BLEND_SRCALPHA, d3d::BLEND_ONE); break;
          case 'o': blend(backend, d3d::BLEND_SRCALPHA, d3d::BLEND_INVSRCALPHA); break;
          case 'x': blend(backend, d3d::BLEND_ZERO, d3d::BLEND_SRCCOLOR); break;
          case 'z': backend.SetRenderState(RenderState::ZWriteEnable, 0); break;
          case 'p':
            point = !point;
            backend.SetSamplerState(SamplerState::MagFilter, point ? d3d::TEXF_POINT : d3d::TEXF_LINEAR);
            break;
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
