#include "engine/platform/gl_mesh_program.h"

#include <algorithm>

#include "engine/platform/gl_shader.h"

namespace vuzed {
namespace {

// Matrices go up as they are stored (row after row); GLSL reads that as the
// transpose, so M * v there is the engine's v x M.
constexpr const char* kVertexSource = R"(#version 330 core
in vec3 aPosition;
in vec3 aNormal;
in vec4 aDiffuse;
in vec4 aSpecular;
in vec2 aTexCoord;
uniform mat4 uWorldView;
uniform mat4 uProjection;
uniform vec2 uPixelOffset;
uniform bool uLighting;
uniform bool uLocalViewer;
uniform ivec4 uSources;  // diffuse, specular, ambient, emissive
uniform vec4 uMatDiffuse;
uniform vec4 uMatAmbient;
uniform vec4 uMatSpecular;
uniform vec4 uMatEmissive;
uniform float uPower;
uniform vec4 uGlobalAmbient;
uniform int uLightCount;
uniform vec3 uLightDir[8];
uniform vec4 uLightDiffuse[8];
uniform vec4 uLightSpecular[8];
uniform vec4 uLightAmbient[8];
uniform int uTextureSlot;
out vec4 vDiffuse;
out vec4 vSpecular;
out vec2 vTexCoord;
flat out int vTextureSlot;

vec4 Source(int source, vec4 material) {
  if (source == 1) return aDiffuse;
  if (source == 2) return aSpecular;
  return material;
}

void main() {
  vec4 viewPosition = uWorldView * vec4(aPosition, 1.0);
  vec4 clip = uProjection * viewPosition;
  // Direct3D's clip space has y up and z from 0 to w; the render target's row
  // 0 is the top of the picture. Pixel centres sit half a pixel further on in
  // OpenGL than in Direct3D.
  gl_Position = vec4(clip.x + uPixelOffset.x * clip.w, -clip.y + uPixelOffset.y * clip.w,
                     2.0 * clip.z - clip.w, clip.w);
  vTexCoord = aTexCoord;
  vTextureSlot = uTextureSlot;
  if (!uLighting) {
    vDiffuse = aDiffuse;
    vSpecular = aSpecular;
    return;
  }
  vec4 cd = Source(uSources.x, uMatDiffuse);
  vec4 cs = Source(uSources.y, uMatSpecular);
  vec4 ca = Source(uSources.z, uMatAmbient);
  vec4 ce = Source(uSources.w, uMatEmissive);
  vec3 n = mat3(uWorldView) * aNormal;
  float length2 = dot(n, n);
  n = length2 > 0.0 ? n * inversesqrt(length2) : vec3(0.0);
  vec3 towardsEye = uLocalViewer ? -viewPosition.xyz : vec3(0.0, 0.0, -1.0);
  float eyeLength2 = dot(towardsEye, towardsEye);
  towardsEye = eyeLength2 > 0.0 ? towardsEye * inversesqrt(eyeLength2) : vec3(0.0, 0.0, -1.0);
  vec3 ambient = uGlobalAmbient.rgb;
  vec3 diffuse = vec3(0.0);
  vec3 specular = vec3(0.0);
  for (int i = 0; i < uLightCount; ++i) {
    vec3 l = uLightDir[i];
    ambient += uLightAmbient[i].rgb;
    float nl = dot(n, l);
    if (nl > 0.0) {
      diffuse += uLightDiffuse[i].rgb * nl;
      vec3 h = towardsEye + l;
      float h2 = dot(h, h);
      float nh = h2 > 0.0 ? dot(n, h * inversesqrt(h2)) : 0.0;
      if (nh > 0.0) specular += uLightSpecular[i].rgb * pow(nh, uPower);
    }
  }
  vDiffuse = vec4(clamp(ce.rgb + ca.rgb * ambient + cd.rgb * diffuse, 0.0, 1.0), clamp(cd.a, 0.0, 1.0));
  vSpecular = vec4(clamp(cs.rgb * specular, 0.0, 1.0), 0.0);
}
)";

void SetColor(GLint location, const TColorValue& c) { glUniform4f(location, c.R, c.G, c.B, c.A); }

}  // namespace

bool GlMeshProgram::Build(std::string& error) {
  Program_ = BuildProgram(kVertexSource, kStageFragmentSource,
                          {{kPosition, "aPosition"},
                           {kNormal, "aNormal"},
                           {kDiffuse, "aDiffuse"},
                           {kSpecular, "aSpecular"},
                           {kTexCoord, "aTexCoord"}},
                          "fragColor", error);
  if (!Program_) return false;
  GLuint p = Program_.Get();
  WorldView_ = glGetUniformLocation(p, "uWorldView");
  Projection_ = glGetUniformLocation(p, "uProjection");
  PixelOffset_ = glGetUniformLocation(p, "uPixelOffset");
  Lighting_ = glGetUniformLocation(p, "uLighting");
  LocalViewer_ = glGetUniformLocation(p, "uLocalViewer");
  Sources_ = glGetUniformLocation(p, "uSources");
  MatDiffuse_ = glGetUniformLocation(p, "uMatDiffuse");
  MatAmbient_ = glGetUniformLocation(p, "uMatAmbient");
  MatSpecular_ = glGetUniformLocation(p, "uMatSpecular");
  MatEmissive_ = glGetUniformLocation(p, "uMatEmissive");
  Power_ = glGetUniformLocation(p, "uPower");
  GlobalAmbient_ = glGetUniformLocation(p, "uGlobalAmbient");
  LightCount_ = glGetUniformLocation(p, "uLightCount");
  LightDir_ = glGetUniformLocation(p, "uLightDir");
  LightDiffuse_ = glGetUniformLocation(p, "uLightDiffuse");
  LightSpecular_ = glGetUniformLocation(p, "uLightSpecular");
  LightAmbient_ = glGetUniformLocation(p, "uLightAmbient");
  Stage_.Locate(p);
  return true;
}

void GlMeshProgram::Use(const MeshShading& s) {
  glUseProgram(Program_.Get());
  glUniformMatrix4fv(WorldView_, 1, GL_FALSE, &s.WorldView.M[0][0]);
  glUniformMatrix4fv(Projection_, 1, GL_FALSE, &s.Projection.M[0][0]);
  glUniform2f(PixelOffset_, s.PixelOffsetX, s.PixelOffsetY);
  glUniform1i(Lighting_, s.Lighting ? 1 : 0);
  glUniform1i(LocalViewer_, s.LocalViewer ? 1 : 0);
  glUniform4i(Sources_, s.Sources.Diffuse, s.Sources.Specular, s.Sources.Ambient, s.Sources.Emissive);
  SetColor(MatDiffuse_, s.Material.Diffuse);
  SetColor(MatAmbient_, s.Material.Ambient);
  SetColor(MatSpecular_, s.Material.Specular);
  SetColor(MatEmissive_, s.Material.Emissive);
  glUniform1f(Power_, s.Material.Power);
  SetColor(GlobalAmbient_, s.GlobalAmbient);
  const int count = std::min(s.LightCount, kMaxLights);
  glUniform1i(LightCount_, count);
  GLfloat dir[kMaxLights * 3] = {}, diffuse[kMaxLights * 4] = {}, specular[kMaxLights * 4] = {},
          ambient[kMaxLights * 4] = {};
  for (int i = 0; i < count; ++i) {
    const MeshLight& l = s.Lights[size_t(i)];
    dir[i * 3] = l.TowardsLight.X;
    dir[i * 3 + 1] = l.TowardsLight.Y;
    dir[i * 3 + 2] = l.TowardsLight.Z;
    const TColorValue* colours[3] = {&l.Diffuse, &l.Specular, &l.Ambient};
    GLfloat* targets[3] = {diffuse, specular, ambient};
    for (int k = 0; k < 3; ++k) {
      targets[k][i * 4] = colours[k]->R;
      targets[k][i * 4 + 1] = colours[k]->G;
      targets[k][i * 4 + 2] = colours[k]->B;
      targets[k][i * 4 + 3] = colours[k]->A;
    }
  }
  glUniform3fv(LightDir_, kMaxLights, dir);
  glUniform4fv(LightDiffuse_, kMaxLights, diffuse);
  glUniform4fv(LightSpecular_, kMaxLights, specular);
  glUniform4fv(LightAmbient_, kMaxLights, ambient);
  Stage_.Set(s.Stage);
}

}  // namespace vuzed
