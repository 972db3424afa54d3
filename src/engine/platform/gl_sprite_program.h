#pragma once
// The program that draws pre-transformed screen vertices (XYZRHW, diffuse,
// specular, one texture coordinate) the way Direct3D 9's fixed function does:
// texture stage 0 combines the texel with the vertex colour, the specular
// colour is added when enabled, and the alpha test discards fragments.
// Positions are pixels of the render target, y down; row 0 of the target is
// the top of the picture.

#include <cstdint>
#include <string>

#include <epoxy/gl.h>

#include "engine/platform/gl_object.h"

namespace vuzed {

// Everything the fragment stage needs, in Direct3D 9 values.
struct SpriteShading {
  bool Textured = false;  // false: the texture argument reads as opaque white
  bool PointSampled = false;  // the sampler takes the nearest texel
  uint32_t ColorOp = 4, ColorArg1 = 2, ColorArg2 = 1;  // D3DTOP, D3DTA
  uint32_t AlphaOp = 2, AlphaArg1 = 2, AlphaArg2 = 1;
  bool SpecularAdd = false;
  uint32_t AlphaFunc = 0;  // D3DCMP; 0 = alpha test off
  uint32_t AlphaRef = 0;   // 0..255
  bool operator==(const SpriteShading&) const = default;
};

class GlSpriteProgram {
 public:
  // Attribute locations; the vertex array of the backend uses the same.
  static constexpr GLuint kPosition = 0, kDiffuse = 1, kSpecular = 2, kTexCoord = 3;

  bool Build(std::string& error);
  void Release() { Program_.Reset(); }
  // Makes the program current and sets every uniform.
  void Use(int targetWidth, int targetHeight, const SpriteShading& shading);

 private:
  GlProgramName Program_;
  GLint TargetSize_ = -1, Texture_ = -1, Textured_ = -1, PointSampled_ = -1, ColorStage_ = -1, AlphaStage_ = -1,
        SpecularAdd_ = -1, AlphaFunc_ = -1, AlphaRef_ = -1;
};

}  // namespace vuzed
