#include "engine/platform/gl_sprite_program.h"

#include "engine/platform/gl_shader.h"
#include "engine/platform/gl_stage_shading.h"

namespace vuzed {
namespace {

constexpr const char* kVertexSource = R"(#version 330 core
in vec4 aPosition;  // x, y in pixels, z in 0..1, rhw
in vec4 aDiffuse;
in vec4 aSpecular;
in vec2 aTexCoord;
in int aTextureSlot;
uniform vec2 uTargetSize;
out vec4 vDiffuse;
out vec4 vSpecular;
out vec2 vTexCoord;
flat out int vTextureSlot;
void main() {
  // Direct3D 9 puts pixel centres on whole coordinates, OpenGL half a pixel
  // further on: the shift lands every vertex on the pixels Direct3D covers.
  vec2 ndc = (aPosition.xy + 0.5) / uTargetSize * 2.0 - 1.0;
  // Scaling by 1/rhw gives the perspective-correct interpolation Direct3D
  // applies to pre-transformed vertices; a non-positive rhw counts as 1.
  float w = aPosition.w > 0.0 ? 1.0 / aPosition.w : 1.0;
  gl_Position = vec4(ndc, aPosition.z * 2.0 - 1.0, 1.0) * w;
  vDiffuse = aDiffuse;
  vSpecular = aSpecular;
  vTexCoord = aTexCoord;
  vTextureSlot = aTextureSlot;
}
)";


}  // namespace

bool GlSpriteProgram::Build(std::string& error) {
  Program_ = BuildProgram(kVertexSource, kStageFragmentSource,
                          {{kPosition, "aPosition"},
                           {kDiffuse, "aDiffuse"},
                           {kSpecular, "aSpecular"},
                           {kTexCoord, "aTexCoord"},
                           {kTextureSlot, "aTextureSlot"}},
                          "fragColor", error);
  if (!Program_) return false;
  GLuint p = Program_.Get();
  TargetSize_ = glGetUniformLocation(p, "uTargetSize");
  Stage_.Locate(p);
  return true;
}

void GlSpriteProgram::Use(int targetWidth, int targetHeight, const SpriteShading& s) {
  glUseProgram(Program_.Get());
  glUniform2f(TargetSize_, float(targetWidth), float(targetHeight));
  Stage_.Set(s);
}

}  // namespace vuzed
