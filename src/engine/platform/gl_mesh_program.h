#pragma once
// The program that draws indexed meshes the way Direct3D 9's fixed function
// does: world, view and projection as row-vector matrices, directional
// lights lit per vertex, then the same texture stage as the sprites.
//
// Per vertex, with lighting on (all in view space, L the unit vector towards
// a light, V towards the eye, H = normalise(L + V)):
//   diffuse  = Ce + Ca x (global ambient + sum of light ambients)
//              + Cd x sum of (light diffuse x max(N.L, 0)),  alpha = Cd alpha
//   specular = Cs x sum over lights with N.L > 0 of (light specular x max(N.H, 0)^power)
// each clamped to 0..1, where Cd, Cs, Ca and Ce are the material's colours or
// the vertex's own diffuse or specular colour where the material sources say
// so. With lighting off the vertex colours pass as they are (white diffuse and
// black specular when the vertex has none).

#include <cstdint>
#include <array>
#include <string>

#include <epoxy/gl.h>

#include "engine/graphics/d3d_types.h"
#include "engine/platform/gl_object.h"
#include "engine/platform/gl_stage_shading.h"

namespace vuzed {

// Where each lit colour comes from: 0 the material, 1 the vertex diffuse, 2
// the vertex specular colour (D3DMCS numbering).
struct MaterialSources {
  int Diffuse = 1, Specular = 2, Ambient = 0, Emissive = 0;
};

// One enabled light, ready for the shader.
struct MeshLight {
  TVector TowardsLight;  // view space, unit length
  TColorValue Diffuse, Specular, Ambient;
};

struct MeshShading {
  TMatrix WorldView;
  TMatrix Projection;
  float PixelOffsetX = 0, PixelOffsetY = 0;  // one pixel of the viewport in clip units per w
  bool Lighting = true;
  bool LocalViewer = true;
  MaterialSources Sources;
  D3DMaterial Material;
  TColorValue GlobalAmbient;
  std::array<MeshLight, 8> Lights;  // the first LightCount are lit
  int LightCount = 0;
  SpriteShading Stage;
};

class GlMeshProgram {
 public:
  static constexpr int kMaxLights = int(std::tuple_size_v<decltype(MeshShading::Lights)>);
  // Attribute locations; the backend's mesh vertex array uses the same.
  static constexpr GLuint kPosition = 0, kNormal = 1, kDiffuse = 2, kSpecular = 3, kTexCoord = 4;

  bool Build(std::string& error);
  void Release() { Program_.Reset(); }
  void Use(const MeshShading& shading);

 private:
  GlProgramName Program_;
  GLint WorldView_ = -1, Projection_ = -1, PixelOffset_ = -1, Lighting_ = -1, LocalViewer_ = -1, Sources_ = -1,
        MatDiffuse_ = -1, MatAmbient_ = -1, MatSpecular_ = -1, MatEmissive_ = -1, Power_ = -1, GlobalAmbient_ = -1,
        LightCount_ = -1, LightDir_ = -1, LightDiffuse_ = -1, LightSpecular_ = -1, LightAmbient_ = -1;
  GlStageUniforms Stage_;
};

}  // namespace vuzed
