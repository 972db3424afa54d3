#pragma once
// What both drawing paths share after their vertices: texture stage 0 combines
// the texel with the interpolated diffuse colour the way Direct3D 9's fixed
// function does, the specular colour is added when enabled, and the alpha
// test discards fragments. The sprite program and the mesh program each pair
// their own vertex stage with this fragment stage; their vertex stages write
// vDiffuse, vSpecular and vTexCoord.

#include <epoxy/gl.h>

#include <cstdint>

namespace vuzed {

// Texture units the fragment stage reads: each vertex names its unit (its
// slot), so sprites of up to this many pictures go in one draw call. The
// slot's bits: the unit (0-15); 16 when the unit samples the nearest texel;
// 32 when there is no texture; 64 when the vertex is added to the target
// rather than laid over it (see SpriteShading::SharedBlend).
constexpr int kSpriteTextureUnits = 16;
constexpr int32_t kPointSampledSlot = 16;
constexpr int32_t kUntexturedSlot = 32;
constexpr int32_t kAddedSlot = 64;

// Everything the fragment stage needs, in Direct3D 9 values.
struct SpriteShading {
  bool Textured = false;  // false: the texture argument reads as opaque white
  int32_t TextureSlot = kUntexturedSlot;  // a mesh's texture (sprites carry theirs)
  uint32_t ColorOp = 4, ColorArg1 = 2, ColorArg2 = 1;  // D3DTOP, D3DTA
  uint32_t AlphaOp = 2, AlphaArg1 = 2, AlphaArg2 = 1;
  bool SpecularAdd = false;
  uint32_t AlphaFunc = 0;  // D3DCMP; 0 = alpha test off
  uint32_t AlphaRef = 0;   // 0..255
  // Blending of source alpha over the target (INVSRCALPHA) and source alpha
  // added to it (ONE) share one blend state: the colour leaves the stage
  // multiplied by its alpha, and a second output says per vertex how much of
  // the target stays (1 - alpha, or all of it). Both give what Direct3D's
  // factors give, alpha channel included.
  bool SharedBlend = false;
  bool operator==(const SpriteShading&) const = default;
};

extern const char* const kStageFragmentSource;

// The fragment stage's uniforms in one linked program.
class GlStageUniforms {
 public:
  void Locate(GLuint program);
  // The program must be current.
  void Set(const SpriteShading& shading) const;

 private:
  GLint Textures_ = -1, TextureSlot_ = -1, Textured_ = -1, ColorStage_ = -1, AlphaStage_ = -1,
        SpecularAdd_ = -1, AlphaFunc_ = -1, AlphaRef_ = -1, SharedBlend_ = -1;
};

}  // namespace vuzed
