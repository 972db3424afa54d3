#pragma once
// Direct3D 9 numbering kept by the engine: pixel formats, result codes, render
// and sampler states. Stored data, logs and the blend table use these exact
// values, so they never change.

#include <cstdint>

#include "engine/graphics/vz_math.h"

namespace vuzed {

using D3DFORMAT = uint32_t;
using HRESULT = int32_t;

namespace fmt {
constexpr D3DFORMAT UNKNOWN = 0;
constexpr D3DFORMAT R8G8B8 = 20;
constexpr D3DFORMAT A8R8G8B8 = 21;
constexpr D3DFORMAT X8R8G8B8 = 22;
constexpr D3DFORMAT R5G6B5 = 23;
constexpr D3DFORMAT X1R5G5B5 = 24;
constexpr D3DFORMAT A1R5G5B5 = 25;
constexpr D3DFORMAT A4R4G4B4 = 26;
constexpr D3DFORMAT R3G3B2 = 27;
constexpr D3DFORMAT A8 = 28;
constexpr D3DFORMAT A8R3G3B2 = 29;
constexpr D3DFORMAT X4R4G4B4 = 30;
constexpr D3DFORMAT A8P8 = 40;
constexpr D3DFORMAT P8 = 41;
constexpr D3DFORMAT L8 = 50;
constexpr D3DFORMAT A8L8 = 51;
constexpr D3DFORMAT A4L4 = 52;
constexpr D3DFORMAT V8U8 = 60;
constexpr D3DFORMAT L6V5U5 = 61;
constexpr D3DFORMAT X8L8V8U8 = 62;
constexpr D3DFORMAT Q8W8V8U8 = 63;
constexpr D3DFORMAT V16U16 = 64;
constexpr D3DFORMAT D16_LOCKABLE = 70;
constexpr D3DFORMAT D32 = 71;
constexpr D3DFORMAT D15S1 = 73;
constexpr D3DFORMAT D24S8 = 75;
constexpr D3DFORMAT D24X8 = 77;
constexpr D3DFORMAT D24X4S4 = 79;
constexpr D3DFORMAT D16 = 80;
constexpr D3DFORMAT VERTEXDATA = 100;
constexpr D3DFORMAT INDEX16 = 101;
constexpr D3DFORMAT INDEX32 = 102;

constexpr D3DFORMAT FourCC(char a, char b, char c, char d) {
  return uint32_t(uint8_t(a)) | (uint32_t(uint8_t(b)) << 8) | (uint32_t(uint8_t(c)) << 16) |
         (uint32_t(uint8_t(d)) << 24);
}
constexpr D3DFORMAT DXT1 = FourCC('D', 'X', 'T', '1');
constexpr D3DFORMAT DXT2 = FourCC('D', 'X', 'T', '2');
constexpr D3DFORMAT DXT3 = FourCC('D', 'X', 'T', '3');
constexpr D3DFORMAT DXT4 = FourCC('D', 'X', 'T', '4');
constexpr D3DFORMAT DXT5 = FourCC('D', 'X', 'T', '5');
constexpr D3DFORMAT YUY2 = FourCC('Y', 'U', 'Y', '2');
constexpr D3DFORMAT UYVY = FourCC('U', 'Y', 'V', 'Y');
}  // namespace fmt

// Result codes, as the Direct3D 9 headers define them.
namespace d3derr {
constexpr HRESULT MakeHResult(uint32_t code) { return HRESULT(0x88760000u | code); }
constexpr HRESULT OK = 0;
constexpr HRESULT WRONGTEXTUREFORMAT = MakeHResult(2072);
constexpr HRESULT UNSUPPORTEDCOLOROPERATION = MakeHResult(2073);
constexpr HRESULT UNSUPPORTEDCOLORARG = MakeHResult(2074);
constexpr HRESULT UNSUPPORTEDALPHAOPERATION = MakeHResult(2075);
constexpr HRESULT UNSUPPORTEDALPHAARG = MakeHResult(2076);
constexpr HRESULT TOOMANYOPERATIONS = MakeHResult(2077);
constexpr HRESULT CONFLICTINGTEXTUREFILTER = MakeHResult(2078);
constexpr HRESULT UNSUPPORTEDFACTORVALUE = MakeHResult(2079);
constexpr HRESULT CONFLICTINGRENDERSTATE = MakeHResult(2081);
constexpr HRESULT UNSUPPORTEDTEXTUREFILTER = MakeHResult(2082);
constexpr HRESULT CONFLICTINGTEXTUREPALETTE = MakeHResult(2086);
constexpr HRESULT DRIVERINTERNALERROR = MakeHResult(2087);
constexpr HRESULT NOTFOUND = MakeHResult(2150);
constexpr HRESULT MOREDATA = MakeHResult(2151);
constexpr HRESULT DEVICELOST = MakeHResult(2152);
constexpr HRESULT DEVICENOTRESET = MakeHResult(2153);
constexpr HRESULT NOTAVAILABLE = MakeHResult(2154);
constexpr HRESULT OUTOFVIDEOMEMORY = MakeHResult(380);
constexpr HRESULT INVALIDDEVICE = MakeHResult(2155);
constexpr HRESULT INVALIDCALL = MakeHResult(2156);
constexpr HRESULT DRIVERINVALIDCALL = MakeHResult(2157);
// Engine failures without a device result pass 1.
constexpr HRESULT ENGINE_FAIL = 1;
}  // namespace d3derr

// Render states the engine sets (Direct3D 9 numbering).
enum class RenderState : uint32_t {
  ZEnable = 7,
  FillMode = 8,
  CullMode = 22,
  ZWriteEnable = 14,
  AlphaTestEnable = 15,
  SrcBlend = 19,
  DestBlend = 20,
  ZFunc = 23,
  AlphaRef = 24,
  AlphaFunc = 25,
  AlphaBlendEnable = 27,
  SpecularEnable = 29,
  Wrap0 = 128,
  Lighting = 137,
  Ambient = 139,                // global ambient colour, ARGB; the engine leaves it at 0
  ColorVertex = 141,            // vertex colours may stand in for the material
  LocalViewer = 142,
  NormalizeNormals = 143,
  DiffuseMaterialSource = 145,  // D3DMCS: 0 material, 1 vertex diffuse, 2 vertex specular
  SpecularMaterialSource = 146,
  AmbientMaterialSource = 147,
  EmissiveMaterialSource = 148,
  BlendOp = 171,
};

// Which matrix SetTransform replaces.
enum class TransformType : uint32_t { View = 2, Projection = 3, World = 256 };

enum class SamplerState : uint32_t { AddressU = 1, AddressV = 2, MagFilter = 5, MinFilter = 6 };

enum class TextureStageState : uint32_t {
  ColorOp = 1,
  ColorArg1 = 2,
  ColorArg2 = 3,
  AlphaOp = 4,
  AlphaArg1 = 5,
  AlphaArg2 = 6,
};

namespace d3d {
// D3DBLEND
constexpr uint32_t BLEND_ZERO = 1, BLEND_ONE = 2, BLEND_SRCCOLOR = 3, BLEND_INVSRCCOLOR = 4,
                   BLEND_SRCALPHA = 5, BLEND_INVSRCALPHA = 6;
// D3DBLENDOP
constexpr uint32_t BLENDOP_ADD = 1;
// D3DCMPFUNC
constexpr uint32_t CMP_LESSEQUAL = 4, CMP_GREATER = 5, CMP_ALWAYS = 8;
// D3DTEXTUREFILTERTYPE
constexpr uint32_t TEXF_NONE = 0, TEXF_POINT = 1, TEXF_LINEAR = 2;
// D3DFILLMODE
constexpr uint32_t FILL_SOLID = 3;
// D3DTEXTUREOP and arguments
constexpr uint32_t TOP_MODULATE = 4, TA_DIFFUSE = 0, TA_TEXTURE = 2;
// D3DCLEAR flags
constexpr uint32_t CLEAR_TARGET = 1, CLEAR_ZBUFFER = 2, CLEAR_STENCIL = 4;
// D3DPOOL
constexpr uint32_t POOL_DEFAULT = 0, POOL_MANAGED = 1;
// D3DLOCK
constexpr uint32_t LOCK_READONLY = 0x10;
}  // namespace d3d

// Flexible vertex format bits of the vertices the engine draws.
namespace fvf {
constexpr uint32_t XYZ = 0x002, XYZRHW = 0x004, NORMAL = 0x010, DIFFUSE = 0x040, SPECULAR = 0x080,
                   TEX1 = 0x100;
constexpr uint32_t POSITION_MASK = 0x400E, TEXCOUNT_MASK = 0xF00, TEXCOUNT_SHIFT = 8;
}  // namespace fvf

// D3DVIEWPORT9: the area the 3D world is drawn into, in back-buffer pixels.
struct TViewport {
  int X = 0, Y = 0, Width = 0, Height = 0;
  float MinZ = 0, MaxZ = 1;
  bool operator==(const TViewport&) const = default;
};

// D3DMATERIAL9, with the frame's defaults.
struct D3DMaterial {
  TColorValue Diffuse{1, 1, 1, 1};
  TColorValue Ambient{1, 1, 1, 1};
  TColorValue Specular{1, 1, 1, 1};
  TColorValue Emissive{0, 0, 0, 1};
  float Power = 10;
  bool operator==(const D3DMaterial&) const = default;
};

// D3DLIGHT9. Type 1 point, 2 spot, 3 directional; the engine makes only
// directional lights (white diffuse, shining along +z) until told otherwise.
struct D3DLight {
  static constexpr uint32_t Point = 1, Spot = 2, Directional = 3;
  uint32_t Type = Directional;
  TColorValue Diffuse{1, 1, 1, 0};
  TColorValue Specular{};
  TColorValue Ambient{};
  TVector Position{};
  TVector Direction{0, 0, 1};
  float Range = 0, Falloff = 0, Attenuation0 = 0, Attenuation1 = 0, Attenuation2 = 0, Theta = 0, Phi = 0;
  bool operator==(const D3DLight&) const = default;
};

// MakeColor: A<<24 | R<<16 | G<<8 | B, every component masked to 8 bits.
constexpr uint32_t MakeColor(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
  return ((a & 255u) << 24) | ((r & 255u) << 16) | ((g & 255u) << 8) | (b & 255u);
}

}  // namespace vuzed
