#include "engine/platform/gl_stage_shading.h"

namespace vuzed {

// D3DTA: 0 diffuse, 1 current (the diffuse colour at stage 0), 2 texture,
// 3 texture factor (white), 4 specular; modifiers 0x10 complement, 0x20
// alpha replicate. D3DTOP: 1 disable, 2 select arg 1, 3 select arg 2,
// 4 modulate, 5 modulate 2x, 6 modulate 4x, 7 add, 8 add signed, 10 subtract.
// D3DCMP: 1 never, 2 less, 3 equal, 4 less-equal, 5 greater, 6 not equal,
// 7 greater-equal, 8 always; compared on the alpha as an 8-bit value.
const char* const kStageFragmentSource = R"(#version 330 core
in vec4 vDiffuse;
in vec4 vSpecular;
in vec2 vTexCoord;
flat in int vTextureSlot;  // unit | 16 nearest texel | 32 no texture | 64 added
uniform sampler2D uTextures[16];
uniform bool uTextured;
uniform ivec3 uColorStage;  // op, arg 1, arg 2
uniform ivec3 uAlphaStage;
uniform bool uSpecularAdd;
uniform int uAlphaFunc;
uniform float uAlphaRef;
uniform bool uSharedBlend;
layout(location = 0, index = 0) out vec4 fragColor;
layout(location = 0, index = 1) out vec4 keptTarget;  // alpha: the share of the target kept

vec4 Argument(int arg, vec4 texel) {
  int source = arg & 15;
  vec4 v = vDiffuse;
  if (source == 2) v = texel;
  else if (source == 3) v = vec4(1.0);
  else if (source == 4) v = vSpecular;
  if ((arg & 16) != 0) v = vec4(1.0) - v;
  if ((arg & 32) != 0) v = vec4(v.a);
  return v;
}

vec4 Combine(ivec3 stage, vec4 texel) {
  if (stage.x == 1) return vDiffuse;
  vec4 a = Argument(stage.y, texel);
  vec4 b = Argument(stage.z, texel);
  vec4 r;
  if (stage.x == 2) r = a;
  else if (stage.x == 3) r = b;
  else if (stage.x == 5) r = a * b * 2.0;
  else if (stage.x == 6) r = a * b * 4.0;
  else if (stage.x == 7) r = a + b;
  else if (stage.x == 8) r = a + b - 0.5;
  else if (stage.x == 10) r = a - b;
  else r = a * b;
  return clamp(r, 0.0, 1.0);
}

bool AlphaPasses(float alpha) {
  float a = floor(clamp(alpha, 0.0, 1.0) * 255.0 + 0.5);
  if (uAlphaFunc == 1) return false;
  if (uAlphaFunc == 2) return a < uAlphaRef;
  if (uAlphaFunc == 3) return a == uAlphaRef;
  if (uAlphaFunc == 4) return a <= uAlphaRef;
  if (uAlphaFunc == 5) return a > uAlphaRef;
  if (uAlphaFunc == 6) return a != uAlphaRef;
  if (uAlphaFunc == 7) return a >= uAlphaRef;
  return true;
}

// Direct3D samples pixel x of a picture drawn at its own size exactly on the
// left edge of texel x. The rasteriser there snaps texture coordinates to a
// 1/256-texel grid, so a value a rounding error short of the edge still takes
// texel x; nearest-texel sampling here does the same by moving half a step on.
vec4 Texel(sampler2D picture) {
  vec2 uv = vTexCoord;
  if ((vTextureSlot & 16) != 0) uv += vec2(1.0 / 512.0) / vec2(textureSize(picture, 0));
  return texture(picture, uv);
}

// This GLSL indexes an array of samplers only by constants. The slot is flat,
// the same for the whole primitive, so every pixel of a 2x2 block takes the
// same branch.
vec4 SlotTexel(int slot) {
  switch (slot & 15) {
    case 0: return Texel(uTextures[0]);
    case 1: return Texel(uTextures[1]);
    case 2: return Texel(uTextures[2]);
    case 3: return Texel(uTextures[3]);
    case 4: return Texel(uTextures[4]);
    case 5: return Texel(uTextures[5]);
    case 6: return Texel(uTextures[6]);
    case 7: return Texel(uTextures[7]);
    case 8: return Texel(uTextures[8]);
    case 9: return Texel(uTextures[9]);
    case 10: return Texel(uTextures[10]);
    case 11: return Texel(uTextures[11]);
    case 12: return Texel(uTextures[12]);
    case 13: return Texel(uTextures[13]);
    case 14: return Texel(uTextures[14]);
    case 15: return Texel(uTextures[15]);
  }
  return vec4(1.0);
}

void main() {
  vec4 texel = (uTextured && (vTextureSlot & 32) == 0) ? SlotTexel(vTextureSlot) : vec4(1.0);
  vec4 color = vec4(Combine(uColorStage, texel).rgb, Combine(uAlphaStage, texel).a);
  if (uSpecularAdd) color.rgb = min(color.rgb + vSpecular.rgb, vec3(1.0));
  if (!AlphaPasses(color.a)) discard;
  if (uSharedBlend) {
    // Source factor SRCALPHA on colour and alpha alike, applied here.
    fragColor = color * color.a;
    keptTarget = vec4((vTextureSlot & 64) != 0 ? 0.0 : color.a);
  } else {
    fragColor = color;
    keptTarget = vec4(0.0);
  }
}
)";

void GlStageUniforms::Locate(GLuint p) {
  Textures_ = glGetUniformLocation(p, "uTextures");
  TextureSlot_ = glGetUniformLocation(p, "uTextureSlot");
  Textured_ = glGetUniformLocation(p, "uTextured");
  ColorStage_ = glGetUniformLocation(p, "uColorStage");
  AlphaStage_ = glGetUniformLocation(p, "uAlphaStage");
  SpecularAdd_ = glGetUniformLocation(p, "uSpecularAdd");
  AlphaFunc_ = glGetUniformLocation(p, "uAlphaFunc");
  AlphaRef_ = glGetUniformLocation(p, "uAlphaRef");
  SharedBlend_ = glGetUniformLocation(p, "uSharedBlend");
}

void GlStageUniforms::Set(const SpriteShading& s) const {
  static constexpr GLint kUnits[kSpriteTextureUnits] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
  glUniform1iv(Textures_, kSpriteTextureUnits, kUnits);
  if (TextureSlot_ >= 0) glUniform1i(TextureSlot_, s.TextureSlot);
  glUniform1i(Textured_, s.Textured ? 1 : 0);
  glUniform3i(ColorStage_, GLint(s.ColorOp), GLint(s.ColorArg1), GLint(s.ColorArg2));
  glUniform3i(AlphaStage_, GLint(s.AlphaOp), GLint(s.AlphaArg1), GLint(s.AlphaArg2));
  glUniform1i(SpecularAdd_, s.SpecularAdd ? 1 : 0);
  glUniform1i(AlphaFunc_, GLint(s.AlphaFunc));
  glUniform1f(AlphaRef_, float(s.AlphaRef & 255u));
  glUniform1i(SharedBlend_, s.SharedBlend ? 1 : 0);
}

}  // namespace vuzed
