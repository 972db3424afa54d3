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
// slot also says whether the unit samples the nearest texel; -1 is no
// texture.
constexpr int kSpriteTextureUnits = 16;
constexpr int32_t kPointSampledSlot = 16;

// Everything the fragment stage needs, in Direct3D 9 values.
struct SpriteShading {
  bool Textured = false;  // false: the texture argument reads as opaque white
  int32_t TextureSlot = -1;  // a mesh's texture (sprites carry theirs)
  uint32_t ColorOp = 4, ColorArg1 = 2, ColorArg2 = 1;  // D3DTOP, D3DTA
  uint32_t AlphaOp = 2, AlphaArg1 = 2, AlphaArg2 = 1;
  bool SpecularAdd = false;
  uint32_t AlphaFunc = 0;  // D3DCMP; 0 = alpha test off
  uint32_t AlphaRef = 0;   // 0..255
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
        SpecularAdd_ = -1, AlphaFunc_ = -1, AlphaRef_ = -1;
};

}  // namespace vuzed
