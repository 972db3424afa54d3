#pragma once
// The graphics device's window onto the platform. The engine speaks a small
// Direct3D-9-shaped vocabulary (render states, sampler states, texture images,
// four-vertex screen strips); a backend turns it into pixels (OpenGL) or into a
// record of calls (the null backend used by tests and headless runs).

#include <cstdint>
#include <string>
#include <vector>

#include "engine/graphics/d3d_types.h"

namespace vuzed {

// Ids for the images and buffers the backend keeps copies of: unique for the
// life of the process, never 0.
inline uint32_t NextBackendObjectId() {
  static uint32_t next = 1;
  return next++;
}

// Result of the per-frame cooperative-level test.
enum class CooperativeLevel { Ok, Lost, NotReset };

// What the device can do; the texture code rounds sizes by these.
struct DeviceCaps {
  std::string Driver = "null";         // for the device log
  std::string Description = "null renderer";
  uint32_t VendorId = 0, DeviceId = 0, SubSysId = 0, Revision = 0;
  int MaxTextureWidth = 8192;
  int MaxTextureHeight = 8192;
  bool TexturePow2 = false;   // sides must be powers of two
  bool SquareOnly = false;    // width must equal height
  bool BlendOp = true;        // D3DRS_BLENDOP is honoured
  uint64_t AvailableTextureMem = 256ull << 20;
  // Largest triangle count of one indexed draw and largest vertex index; a
  // renderer without such limits reports the largest values it can.
  uint32_t MaxPrimitiveCount = 0xFFFFFFu;
  uint32_t MaxVertexIndex = 0xFFFFFFu;
};

// How the device is created: window or full screen, back buffer size and format.
struct DeviceSettings {
  bool Windowed = true;
  int Width = 640;
  int Height = 480;
  D3DFORMAT BackBufferFormat = fmt::X8R8G8B8;
  D3DFORMAT DepthFormat = fmt::UNKNOWN;  // UNKNOWN: no depth buffer
};

// Level 0 of a texture as the engine keeps it: CPU-side pixels in the texture's
// own format. The backend uploads an image again whenever Version changes.
struct TextureImage {
  uint32_t Id = 0;           // unique for the life of the process
  uint64_t Version = 0;      // bumped after every write to Pixels
  int Width = 0;             // allocated size
  int Height = 0;
  D3DFORMAT Format = fmt::A8R8G8B8;
  int Pitch = 0;             // bytes per row
  const uint8_t* Pixels = nullptr;
};

// A vertex or index buffer as the engine keeps it: CPU-side bytes. The
// backend uploads the block again whenever Version changes. Index buffers hold
// 16-bit indices (Stride 2, FVF 0); vertex buffers hold Count vertices of
// Stride bytes laid out as FVF says, position first.
struct GeometryImage {
  uint32_t Id = 0;        // unique for the life of the process (shared with textures' ids)
  uint64_t Version = 0;   // bumped after every write to Data
  uint32_t FVF = 0;
  int Stride = 0;         // bytes per element
  int Count = 0;          // elements
  const uint8_t* Data = nullptr;
};

// A pre-transformed vertex (D3DFVF_XYZRHW | DIFFUSE | SPECULAR | TEX1): screen
// pixels, y down; colours are ARGB.
struct ScreenVertex {
  float X, Y, Z, Rhw;
  uint32_t Diffuse;
  uint32_t Specular;
  float U, V;
};

class RenderBackend {
 public:
  virtual ~RenderBackend() = default;

  // Device lifetime. CreateDevice replaces any device that exists.
  virtual bool CreateDevice(const DeviceSettings& settings) = 0;
  virtual void ReleaseDevice() = 0;
  virtual bool HasDevice() const = 0;
  virtual DeviceCaps GetCaps() const = 0;
  // True when the device can hold textures of this format.
  virtual bool CheckTextureFormat(D3DFORMAT format) const = 0;
  // True when the back buffer format supports this depth format.
  virtual bool CheckDepthFormat(D3DFORMAT depth) const = 0;
  virtual CooperativeLevel TestCooperativeLevel() = 0;
  virtual bool Reset() = 0;

  // Frame protocol.
  virtual void BeginScene() = 0;
  virtual void Clear(uint32_t flags, uint32_t color, float z, uint32_t stencil) = 0;
  virtual void EndScene() = 0;
  virtual bool Present() = 0;

  // State, as Direct3D 9 names it. Unknown states are stored and ignored.
  virtual void SetRenderState(RenderState state, uint32_t value) = 0;
  virtual void SetTextureStageState(TextureStageState state, uint32_t value) = 0;
  virtual void SetSamplerState(SamplerState state, uint32_t value) = 0;
  virtual uint32_t GetSamplerState(SamplerState state) const = 0;
  // nullptr: draw untextured (vertex colour only).
  virtual void SetTexture(const TextureImage* image) = 0;
  // A texture is gone: drop whatever the backend keeps for this id.
  virtual void ForgetTexture(uint32_t id) = 0;

  // One sprite: a triangle strip of four vertices, in the order given.
  virtual void DrawSpriteStrip(const ScreenVertex (&v)[4]) = 0;

  // The 3D path, as Direct3D 9's fixed function draws it. Matrices follow the
  // row-vector convention: a vertex lands at p x World x View x Projection,
  // then the viewport maps it to pixels. Lights are directional lights lit
  // per vertex; the material and the vertex colours feed them.
  virtual void SetTransform(TransformType type, const TMatrix& matrix) = 0;
  virtual void SetViewport(const TViewport& viewport) = 0;
  virtual void SetLight(uint32_t index, const D3DLight& light) = 0;
  virtual void LightEnable(uint32_t index, bool enable) = 0;
  virtual void SetMaterial(const D3DMaterial& material) = 0;
  // primitiveCount triangles of an indexed triangle list, read from the
  // indices starting at startIndex; indices refer to vertices from 0 on.
  virtual void DrawIndexedTriangleList(const GeometryImage& vertices, const GeometryImage& indices,
                                       int startIndex, int primitiveCount) = 0;
  // A vertex or index buffer is gone: drop whatever the backend keeps for it.
  virtual void ForgetGeometry(uint32_t id) = 0;

  // The last presented frame as 24-bit RGB rows, top row first. False when the
  // backend has no pixels to give (the null backend, or nothing presented).
  virtual bool ReadFrontBuffer(std::vector<uint8_t>& rgb, int& width, int& height) = 0;

  // What the backend has drawn since it was made, for measuring: the draw
  // calls it issued (a run of sprite strips drawn with one state is one call,
  // and so is each mesh) and the sprite strips.
  struct TDrawCounts {
    uint64_t DrawCalls = 0;
    uint64_t Sprites = 0;
  };
  virtual TDrawCounts DrawCounts() const = 0;
};

// Source alpha laid over the target (destination factor INVSRCALPHA) and
// source alpha added to it (ONE) are drawn in one run: which of the two a
// sprite uses travels with its vertices. Blend operations 2-5 subtract or
// take minimum or maximum; any other value adds.
inline bool IsBlendState(RenderState state) {
  return state == RenderState::AlphaBlendEnable || state == RenderState::SrcBlend ||
         state == RenderState::DestBlend || state == RenderState::BlendOp;
}
inline bool SharesBlendRun(uint32_t alphaBlendEnable, uint32_t srcBlend, uint32_t destBlend, uint32_t blendOp) {
  return alphaBlendEnable != 0 && srcBlend == d3d::BLEND_SRCALPHA &&
         (destBlend == d3d::BLEND_ONE || destBlend == d3d::BLEND_INVSRCALPHA) && (blendOp < 2 || blendOp > 5);
}

}  // namespace vuzed
