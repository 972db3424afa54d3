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
#include "engine/platform/gl_stage_shading.h"

namespace vuzed {


class GlSpriteProgram {
 public:
  // Attribute locations; the vertex array of the backend uses the same.
  static constexpr GLuint kPosition = 0, kDiffuse = 1, kSpecular = 2, kTexCoord = 3, kTextureSlot = 4;

  bool Build(std::string& error);
  void Release() { Program_.Reset(); }
  // Makes the program current and sets every uniform.
  void Use(int targetWidth, int targetHeight, const SpriteShading& shading);

 private:
  GlProgramName Program_;
  GLint TargetSize_ = -1;
  GlStageUniforms Stage_;
};

}  // namespace vuzed
