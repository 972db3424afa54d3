#pragma once
// The real renderer: OpenGL 3.3 core on the platform window's context.
//
// The back buffer is an off-screen picture of the device's size (640 x 480),
// with a depth buffer when the device asked for one;
// Present copies it to the window, scaled to fit and letterboxed, and keeps a
// copy that ReadFrontBuffer returns. Render, texture-stage and sampler states
// keep Direct3D 9's numbers and defaults; the ones a 2D sprite depends on
// (blending, alpha test, depth test, culling, stage 0 colour and alpha
// operations, filters and addressing) are honoured, every other one is
// stored. Sprites of one state run are sent to OpenGL together, in order:
// the pictures they use are bound to up to 16 texture units at once, each
// with the sampler of the filters and addressing it is drawn with, and each
// vertex names its unit, so a change of picture or filter does not end a run.
// Meshes are drawn at once through the mesh program (transforms, per-vertex
// lighting, the same texture stage), with their vertex and index bytes kept
// on the GPU until their version changes.

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "engine/platform/gl_geometry_cache.h"
#include "engine/platform/gl_mesh_program.h"
#include "engine/platform/gl_object.h"
#include "engine/platform/gl_render_target.h"
#include "engine/platform/gl_sprite_program.h"
#include "engine/platform/gl_texture_cache.h"
#include "engine/platform/render_backend.h"

struct SDL_Window;

namespace vuzed {

class GlRenderBackend : public RenderBackend {
 public:
  // The window's OpenGL context must be current while the backend is used;
  // the backend must be destroyed before the context.
  explicit GlRenderBackend(SDL_Window* window);
  ~GlRenderBackend() override;
  GlRenderBackend(const GlRenderBackend&) = delete;
  GlRenderBackend& operator=(const GlRenderBackend&) = delete;

  bool CreateDevice(const DeviceSettings& settings) override;
  void ReleaseDevice() override;
  bool HasDevice() const override { return Device_; }
  DeviceCaps GetCaps() const override { return Caps_; }
  bool CheckTextureFormat(D3DFORMAT format) const override;
  bool CheckDepthFormat(D3DFORMAT depth) const override;
  // An OpenGL context is never lost.
  CooperativeLevel TestCooperativeLevel() override { return CooperativeLevel::Ok; }
  // Returns every state to its default, as a Direct3D reset does; textures stay.
  bool Reset() override;

  void BeginScene() override {}
  void Clear(uint32_t flags, uint32_t color, float z, uint32_t stencil) override;
  void EndScene() override { Flush(); }
  bool Present() override;

  void SetRenderState(RenderState state, uint32_t value) override;
  void SetTextureStageState(TextureStageState state, uint32_t value) override;
  void SetSamplerState(SamplerState state, uint32_t value) override;
  uint32_t GetSamplerState(SamplerState state) const override;
  void SetTexture(const TextureImage* image) override;
  void ForgetTexture(uint32_t id) override;
  void DrawSpriteStrip(const ScreenVertex (&v)[4]) override;
  bool ReadFrontBuffer(std::vector<uint8_t>& rgb, int& width, int& height) override;

  void SetTransform(TransformType type, const TMatrix& matrix) override;
  void SetViewport(const TViewport& viewport) override;
  void SetLight(uint32_t index, const D3DLight& light) override;
  void LightEnable(uint32_t index, bool enable) override;
  void SetMaterial(const D3DMaterial& material) override;
  void DrawIndexedTriangleList(const GeometryImage& vertices, const GeometryImage& indices, int startIndex,
                               int primitiveCount) override;
  void ForgetGeometry(uint32_t id) override;

  // Why the last CreateDevice failed.
  const std::string& LastError() const { return LastError_; }
  // OpenGL draw calls made so far; a run of sprites in one state costs one.
  uint64_t DrawCallCount() const { return DrawCalls_; }
  TDrawCounts DrawCounts() const override { return {DrawCalls_, Sprites_}; }
  size_t CachedGeometryCount() const { return Geometry_.Size(); }
  uint64_t GeometryUploadCount() const { return Geometry_.UploadCount(); }
  size_t CachedTextureCount() const { return Textures_.Size(); }

 private:
  void ResetStates();
  uint32_t RenderStateValue(uint32_t state) const;
  uint32_t StageStateValue(uint32_t state) const;
  // The sampler object for the sampler states set now (made on first use).
  GLuint CurrentSampler();
  // The unit holding the texture set now with the sampler states set now,
  // binding it to a unit first when none does; -1: no texture, or one that
  // cannot be drawn.
  int CurrentUnit();
  // The current unit, whether it samples the nearest texel and whether it is
  // added, as the fragment stage reads them (kUntexturedSlot: no texture).
  int32_t CurrentTextureSlot();
  // Whether the blend states set now are ones SpriteShading::SharedBlend covers.
  bool SharedBlend() const;
  void ForgetUnits();
  void ApplyDrawState();
  SpriteShading StageShading() const;
  void ApplyPipelineState();
  MeshShading CurrentMeshShading(uint32_t fvf) const;
  // False (said once per buffer) for buffers that cannot be drawn.
  bool BindMeshBuffers(const GeometryImage& vertices, const GeometryImage& indices);
  void Flush();

  SDL_Window* Window_;
  DeviceCaps Caps_;
  bool Device_ = false;
  std::string LastError_;

  GlRenderTarget Scene_;
  GlRenderTarget Front_;  // the last presented frame
  bool Presented_ = false;
  GlSpriteProgram Sprite_;
  GlMeshProgram MeshProgram_;
  GlVertexArrayName MeshArray_;
  GlGeometryCache Geometry_;
  std::unordered_set<uint32_t> ReportedGeometry_;
  GlVertexArrayName VertexArray_;
  GlBufferName Vertices_;
  GlBufferName Indices_;
  // One sampler per set of filters and addressing used: magnification,
  // minification, address u, address v.
  std::map<std::array<uint32_t, 4>, GlSamplerName> Samplers_;
  // The sampler of the states set now, while SamplerKnown_ (asked at every
  // change of texture, which a crowded sprite queue makes at most sprites).
  GLuint Sampler_ = 0;
  bool SamplerKnown_ = false;
  GlTextureCache Textures_;

  std::unordered_map<uint32_t, uint32_t> RenderStates_;
  int32_t AddedSlot_ = 0;  // kAddedSlot while the target blend factor is ONE
  std::unordered_map<uint32_t, uint32_t> StageStates_;
  std::unordered_map<uint32_t, uint32_t> SamplerStates_;
  // The textures bound to the units, in the order they were taken; a unit is
  // reused only after the sprites that read it are drawn.
  struct TBoundTexture {
    uint32_t Id = 0;  // 0: free
    uint64_t Version = 0;
    GLuint Sampler = 0;
  };
  std::array<TBoundTexture, kSpriteTextureUnits> Units_{};
  int UnitsTaken_ = 0;
  const TextureImage* Image_ = nullptr;  // the texture set now
  uint32_t ImageId_ = 0;
  int Unit_ = -1;                        // its unit, while UnitKnown_
  bool UnitKnown_ = true;
  std::unordered_set<uint32_t> ReportedTextures_;

  TMatrix World_, View_, Projection_;
  TViewport Viewport_;
  std::map<uint32_t, D3DLight> Lights_;
  std::map<uint32_t, bool> LightsEnabled_;
  D3DMaterial Material_;

  bool StateDirty_ = true;
  // A sprite vertex as the sprite program reads it: the engine's vertex and
  // the unit of its texture.
  struct TSpriteVertex {
    ScreenVertex Vertex;
    int32_t TextureUnit;
  };
  std::vector<TSpriteVertex> Pending_;
  uint64_t DrawCalls_ = 0;
  uint64_t Sprites_ = 0;
};

}  // namespace vuzed
