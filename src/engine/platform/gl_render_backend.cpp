#include "engine/platform/gl_render_backend.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>

#include "engine/graphics/fvf_layout.h"
#include "engine/platform/gl_letterbox.h"

namespace vuzed {
namespace {

// The vertex buffer holds up to this many sprites per draw call; 16-bit
// indices reach 65536 vertices.
constexpr int kMaxBatchSprites = 4096;
constexpr size_t kMaxBatchVertices = size_t(kMaxBatchSprites) * 4;

static_assert(sizeof(ScreenVertex) == 32, "ScreenVertex is the 32-byte D3DFVF 1C4 vertex");
static_assert(offsetof(ScreenVertex, Diffuse) == 16 && offsetof(ScreenVertex, Specular) == 20 &&
              offsetof(ScreenVertex, U) == 24);

// Direct3D 9 state numbers used here beyond the engine's RenderState list.
constexpr uint32_t kCullMode = 22;           // D3DRS_CULLMODE: 1 none, 2 clockwise, 3 counter-clockwise
constexpr uint32_t kSamplerAddressU = 1;     // D3DSAMP_ADDRESSU
constexpr uint32_t kSamplerAddressV = 2;     // D3DSAMP_ADDRESSV
constexpr uint32_t kTopDisable = 1;          // D3DTOP_DISABLE

struct StateDefault {
  uint32_t State;
  uint32_t Value;
};

// Direct3D 9's values after device creation and after a reset. ZENABLE is
// true only when the device has a depth buffer.
constexpr StateDefault kRenderStateDefaults[] = {
    {uint32_t(RenderState::FillMode), d3d::FILL_SOLID},
    {uint32_t(RenderState::ZWriteEnable), 1},
    {uint32_t(RenderState::AlphaTestEnable), 0},
    {uint32_t(RenderState::SrcBlend), d3d::BLEND_ONE},
    {uint32_t(RenderState::DestBlend), d3d::BLEND_ZERO},
    {kCullMode, 3},
    {uint32_t(RenderState::ZFunc), d3d::CMP_LESSEQUAL},
    {uint32_t(RenderState::AlphaRef), 0},
    {uint32_t(RenderState::AlphaFunc), d3d::CMP_ALWAYS},
    {uint32_t(RenderState::AlphaBlendEnable), 0},
    {uint32_t(RenderState::SpecularEnable), 0},
    {uint32_t(RenderState::Wrap0), 0},
    {uint32_t(RenderState::Lighting), 1},
    {uint32_t(RenderState::Ambient), 0},
    {uint32_t(RenderState::ColorVertex), 1},
    {uint32_t(RenderState::LocalViewer), 1},
    {uint32_t(RenderState::NormalizeNormals), 0},
    {uint32_t(RenderState::DiffuseMaterialSource), 1},
    {uint32_t(RenderState::SpecularMaterialSource), 2},
    {uint32_t(RenderState::AmbientMaterialSource), 0},
    {uint32_t(RenderState::EmissiveMaterialSource), 0},
    {uint32_t(RenderState::BlendOp), d3d::BLENDOP_ADD},
};

// Stage 0: colour = texture x diffuse, alpha = texture alpha.
constexpr StateDefault kStageStateDefaults[] = {
    {uint32_t(TextureStageState::ColorOp), d3d::TOP_MODULATE},
    {uint32_t(TextureStageState::ColorArg1), d3d::TA_TEXTURE},
    {uint32_t(TextureStageState::ColorArg2), 1},  // D3DTA_CURRENT
    {uint32_t(TextureStageState::AlphaOp), 2},    // D3DTOP_SELECTARG1
    {uint32_t(TextureStageState::AlphaArg1), d3d::TA_TEXTURE},
    {uint32_t(TextureStageState::AlphaArg2), 1},
};

constexpr StateDefault kSamplerStateDefaults[] = {
    {kSamplerAddressU, 1},  // D3DTADDRESS_WRAP
    {kSamplerAddressV, 1},
    {uint32_t(SamplerState::MagFilter), d3d::TEXF_POINT},
    {uint32_t(SamplerState::MinFilter), d3d::TEXF_POINT},
};

// D3DBLEND 1..11 to OpenGL; anything else reads as the state's default.
GLenum BlendFactor(uint32_t blend, GLenum fallback) {
  constexpr GLenum kFactors[] = {GL_ZERO,
                                 GL_ONE,
                                 GL_SRC_COLOR,
                                 GL_ONE_MINUS_SRC_COLOR,
                                 GL_SRC_ALPHA,
                                 GL_ONE_MINUS_SRC_ALPHA,
                                 GL_DST_ALPHA,
                                 GL_ONE_MINUS_DST_ALPHA,
                                 GL_DST_COLOR,
                                 GL_ONE_MINUS_DST_COLOR,
                                 GL_SRC_ALPHA_SATURATE};
  if (blend >= 1 && blend <= std::size(kFactors)) return kFactors[blend - 1];
  return fallback;
}

// D3DBLENDOP 1 add, 2 subtract, 3 reverse subtract, 4 min, 5 max.
GLenum BlendEquation(uint32_t op) {
  constexpr GLenum kEquations[] = {GL_FUNC_ADD, GL_FUNC_SUBTRACT, GL_FUNC_REVERSE_SUBTRACT, GL_MIN,
                                   GL_MAX};
  if (op >= 1 && op <= std::size(kEquations)) return kEquations[op - 1];
  return GL_FUNC_ADD;
}

// D3DCMP 1..8.
GLenum CompareFunction(uint32_t cmp) {
  constexpr GLenum kFunctions[] = {GL_NEVER,   GL_LESS,     GL_EQUAL,  GL_LEQUAL,
                                   GL_GREATER, GL_NOTEQUAL, GL_GEQUAL, GL_ALWAYS};
  if (cmp >= 1 && cmp <= std::size(kFunctions)) return kFunctions[cmp - 1];
  return GL_ALWAYS;
}

// D3DTEXTUREFILTERTYPE: none and point sample the nearest texel, linear and
// the better filters blend.
GLint FilterMode(uint32_t filter) { return filter >= d3d::TEXF_LINEAR ? GL_LINEAR : GL_NEAREST; }

// D3DTEXTUREADDRESS 1 wrap, 2 mirror, 3 clamp, 4 border, 5 mirror once.
GLint AddressMode(uint32_t address) {
  switch (address) {
    case 2: return GL_MIRRORED_REPEAT;
    case 3: return GL_CLAMP_TO_EDGE;
    case 4: return GL_CLAMP_TO_BORDER;
    case 5: return GL_MIRRORED_REPEAT;
    default: return GL_REPEAT;
  }
}

// Errors left behind by earlier calls are not the set-up's; OpenGL keeps at
// most one per kind.
void DiscardGlErrors() {
  for (int i = 0; i < 16; ++i)
    if (glGetError() == GL_NO_ERROR) return;
}

float Channel(uint32_t argb, int shift) { return float((argb >> shift) & 255u) / 255.0f; }

}  // namespace

GlRenderBackend::GlRenderBackend(SDL_Window* window) : Window_(window) {
  auto text = [](GLenum name) {
    const GLubyte* s = glGetString(name);
    return s ? std::string(reinterpret_cast<const char*>(s)) : std::string();
  };
  Caps_.Driver = text(GL_RENDERER);
  Caps_.Description = "OpenGL " + text(GL_VERSION);
  GLint maxSize = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
  Caps_.MaxTextureWidth = Caps_.MaxTextureHeight = maxSize > 0 ? maxSize : 2048;
  Caps_.TexturePow2 = false;
  Caps_.SquareOnly = false;
  Caps_.BlendOp = true;
  // 16-bit indices reach 65536 vertices; a draw call has no triangle limit.
  Caps_.MaxVertexIndex = 0xFFFF;
  Caps_.MaxPrimitiveCount = 0xFFFFFF;
  Textures_.SetMaxSize(Caps_.MaxTextureWidth);
  ResetStates();
}

GlRenderBackend::~GlRenderBackend() { ReleaseDevice(); }

bool GlRenderBackend::CheckTextureFormat(D3DFORMAT format) const {
  return GlCanUploadFormat(format);
}

bool GlRenderBackend::CheckDepthFormat(D3DFORMAT depth) const {
  return depth == fmt::D16 || depth == fmt::D16_LOCKABLE || depth == fmt::D32 ||
         depth == fmt::D24S8 || depth == fmt::D24X8;
}

bool GlRenderBackend::CreateDevice(const DeviceSettings& settings) {
  ReleaseDevice();
  LastError_.clear();
  DiscardGlErrors();
  if (settings.DepthFormat != fmt::UNKNOWN && !CheckDepthFormat(settings.DepthFormat)) {
    LastError_ = "depth format " + std::to_string(settings.DepthFormat) + " is not supported";
    return false;
  }
  std::string error;
  if (!Scene_.Create(settings.Width, settings.Height, settings.DepthFormat, error) ||
      !Front_.Create(settings.Width, settings.Height, fmt::UNKNOWN, error) || !Sprite_.Build(error) ||
      !MeshProgram_.Build(error)) {
    LastError_ = error;
    ReleaseDevice();
    return false;
  }

  VertexArray_ = GlVertexArrayName::Generate();
  glBindVertexArray(VertexArray_.Get());
  Vertices_ = GlBufferName::Generate();
  glBindBuffer(GL_ARRAY_BUFFER, Vertices_.Get());
  constexpr GLsizei kStride = sizeof(TSpriteVertex);
  glEnableVertexAttribArray(GlSpriteProgram::kPosition);
  glVertexAttribPointer(GlSpriteProgram::kPosition, 4, GL_FLOAT, GL_FALSE, kStride,
                        reinterpret_cast<const void*>(offsetof(ScreenVertex, X)));
  // ARGB colours are the bytes B, G, R, A in memory: the BGRA size reads them.
  glEnableVertexAttribArray(GlSpriteProgram::kDiffuse);
  glVertexAttribPointer(GlSpriteProgram::kDiffuse, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, kStride,
                        reinterpret_cast<const void*>(offsetof(ScreenVertex, Diffuse)));
  glEnableVertexAttribArray(GlSpriteProgram::kSpecular);
  glVertexAttribPointer(GlSpriteProgram::kSpecular, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, kStride,
                        reinterpret_cast<const void*>(offsetof(ScreenVertex, Specular)));
  glEnableVertexAttribArray(GlSpriteProgram::kTexCoord);
  glVertexAttribPointer(GlSpriteProgram::kTexCoord, 2, GL_FLOAT, GL_FALSE, kStride,
                        reinterpret_cast<const void*>(offsetof(ScreenVertex, U)));
  glEnableVertexAttribArray(GlSpriteProgram::kTextureSlot);
  glVertexAttribIPointer(GlSpriteProgram::kTextureSlot, 1, GL_INT, kStride,
                         reinterpret_cast<const void*>(offsetof(TSpriteVertex, TextureUnit)));

  // Each sprite is the strip 0 1 2 3, drawn as the triangles 0 1 2 and 2 1 3
  // (the strip's own second triangle, with the strip's winding).
  std::vector<uint16_t> indices;
  indices.reserve(size_t(kMaxBatchSprites) * 6);
  for (int q = 0; q < kMaxBatchSprites; ++q) {
    uint16_t b = uint16_t(q * 4);
    for (uint16_t i : {0, 1, 2, 2, 1, 3}) indices.push_back(uint16_t(b + i));
  }
  Indices_ = GlBufferName::Generate();
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, Indices_.Get());
  glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * sizeof(uint16_t)),
               indices.data(), GL_STATIC_DRAW);

  MeshArray_ = GlVertexArrayName::Generate();

  GLint units = 0;
  glGetIntegerv(GL_MAX_TEXTURE_IMAGE_UNITS, &units);
  if (units < kSpriteTextureUnits) {
    LastError_ = "OpenGL gives " + std::to_string(units) + " texture units; the renderer needs " +
                 std::to_string(kSpriteTextureUnits);
    ReleaseDevice();
    return false;
  }
  glActiveTexture(GL_TEXTURE0);

  glBindFramebuffer(GL_FRAMEBUFFER, Scene_.Framebuffer());
  glViewport(0, 0, Scene_.Width(), Scene_.Height());
  glDisable(GL_SCISSOR_TEST);
  glDisable(GL_STENCIL_TEST);
  glFrontFace(GL_CCW);
  Pending_.reserve(kMaxBatchVertices);
  if (GLenum glError = glGetError(); glError != GL_NO_ERROR) {
    LastError_ = "OpenGL error " + std::to_string(glError) + " while setting up the renderer";
    ReleaseDevice();
    return false;
  }

  Device_ = true;
  ResetStates();
  return true;
}

void GlRenderBackend::ReleaseDevice() {
  Pending_.clear();
  Textures_.Clear();
  ReportedTextures_.clear();
  Units_ = {};
  UnitsTaken_ = 0;
  Image_ = nullptr;
  Unit_ = -1;
  UnitKnown_ = true;
  Sprite_.Release();
  MeshProgram_.Release();
  MeshArray_.Reset();
  Geometry_.Clear();
  ReportedGeometry_.clear();
  VertexArray_.Reset();
  Vertices_.Reset();
  Indices_.Reset();
  Samplers_.clear();
  SamplerKnown_ = false;
  Scene_.Release();
  Front_.Release();
  Presented_ = false;
  Device_ = false;
}

bool GlRenderBackend::Reset() {
  Flush();
  ResetStates();
  return Device_;
}

void GlRenderBackend::ResetStates() {
  RenderStates_.clear();
  for (const StateDefault& d : kRenderStateDefaults) RenderStates_[d.State] = d.Value;
  RenderStates_[uint32_t(RenderState::ZEnable)] = Scene_.HasDepth() ? 1 : 0;
  AddedSlot_ = RenderStateValue(uint32_t(RenderState::DestBlend)) == d3d::BLEND_ONE ? kAddedSlot : 0;
  StageStates_.clear();
  for (const StateDefault& d : kStageStateDefaults) StageStates_[d.State] = d.Value;
  SamplerStates_.clear();
  for (const StateDefault& d : kSamplerStateDefaults) SamplerStates_[d.State] = d.Value;
  SamplerKnown_ = false;
  ForgetUnits();
  World_ = View_ = Projection_ = TMatrix{};
  Viewport_ = TViewport{0, 0, Scene_.Width(), Scene_.Height(), 0, 1};
  Lights_.clear();
  LightsEnabled_.clear();
  Material_ = D3DMaterial{};
  StateDirty_ = true;
}

uint32_t GlRenderBackend::RenderStateValue(uint32_t state) const {
  auto it = RenderStates_.find(state);
  return it == RenderStates_.end() ? 0 : it->second;
}

uint32_t GlRenderBackend::StageStateValue(uint32_t state) const {
  auto it = StageStates_.find(state);
  return it == StageStates_.end() ? 0 : it->second;
}

// Bullets that are added and bullets laid over the target alternate all the
// time; while both blend the source alpha, they stay in one run.
void GlRenderBackend::SetRenderState(RenderState state, uint32_t value) {
  auto it = RenderStates_.find(uint32_t(state));
  if (it != RenderStates_.end() && it->second == value) return;
  const bool sharedBefore = IsBlendState(state) && SharedBlend();
  RenderStates_[uint32_t(state)] = value;
  if (IsBlendState(state)) {
    AddedSlot_ = RenderStateValue(uint32_t(RenderState::DestBlend)) == d3d::BLEND_ONE ? kAddedSlot : 0;
    if (sharedBefore && SharedBlend()) return;
  }
  Flush();
  StateDirty_ = true;
}

bool GlRenderBackend::SharedBlend() const {
  auto rs = [&](RenderState s) { return RenderStateValue(uint32_t(s)); };
  return SharesBlendRun(rs(RenderState::AlphaBlendEnable), rs(RenderState::SrcBlend), rs(RenderState::DestBlend),
                        rs(RenderState::BlendOp));
}

void GlRenderBackend::SetTextureStageState(TextureStageState state, uint32_t value) {
  auto [it, fresh] = StageStates_.try_emplace(uint32_t(state), value);
  if (!fresh && it->second == value) return;
  Flush();
  it->second = value;
  StateDirty_ = true;
}

// Sampler states pick the sampler of the next texture's unit; they end no run.
void GlRenderBackend::SetSamplerState(SamplerState state, uint32_t value) {
  auto [it, fresh] = SamplerStates_.try_emplace(uint32_t(state), value);
  if (!fresh && it->second == value) return;
  it->second = value;
  UnitKnown_ = false;
  SamplerKnown_ = false;
}

uint32_t GlRenderBackend::GetSamplerState(SamplerState state) const {
  auto it = SamplerStates_.find(uint32_t(state));
  return it == SamplerStates_.end() ? 0 : it->second;
}

GLuint GlRenderBackend::CurrentSampler() {
  if (SamplerKnown_) return Sampler_;
  const std::array<uint32_t, 4> key = {GetSamplerState(SamplerState::MagFilter),
                                       GetSamplerState(SamplerState::MinFilter), GetSamplerState(SamplerState(kSamplerAddressU)),
                                       GetSamplerState(SamplerState(kSamplerAddressV))};
  auto [it, fresh] = Samplers_.try_emplace(key);
  if (fresh) {
    it->second = GlSamplerName::Generate();
    const GLuint s = it->second.Get();
    glSamplerParameteri(s, GL_TEXTURE_MAG_FILTER, FilterMode(key[0]));
    glSamplerParameteri(s, GL_TEXTURE_MIN_FILTER, FilterMode(key[1]));
    glSamplerParameteri(s, GL_TEXTURE_WRAP_S, AddressMode(key[2]));
    glSamplerParameteri(s, GL_TEXTURE_WRAP_T, AddressMode(key[3]));
  }
  Sampler_ = it->second.Get();
  SamplerKnown_ = true;
  return Sampler_;
}

void GlRenderBackend::ForgetUnits() {
  if (Device_) {
    for (int unit = 0; unit < UnitsTaken_; ++unit) {
      glActiveTexture(GLenum(GL_TEXTURE0 + unit));
      glBindTexture(GL_TEXTURE_2D, 0);
      glBindSampler(GLuint(unit), 0);
    }
    glActiveTexture(GL_TEXTURE0);
  }
  Units_ = {};
  UnitsTaken_ = 0;
  Image_ = nullptr;
  Unit_ = -1;
  UnitKnown_ = true;
}

// The texture's unit is found when something is drawn with it.
void GlRenderBackend::SetTexture(const TextureImage* image) {
  if (!Device_) return;
  Image_ = image;
  ImageId_ = image ? image->Id : 0;
  UnitKnown_ = false;
}

// A texture's pixels changed while sprites that read the old ones wait, or
// every unit is taken: only then does the run end here.
int GlRenderBackend::CurrentUnit() {
  if (UnitKnown_) return Unit_;
  UnitKnown_ = true;
  Unit_ = -1;
  if (!Image_) return Unit_;
  const TextureImage& image = *Image_;
  const GLuint sampler = CurrentSampler();
  int unit = -1;
  bool changed = false;
  for (int k = 0; k < UnitsTaken_; ++k) {
    const TBoundTexture& bound = Units_[size_t(k)];
    if (bound.Id != image.Id) continue;
    changed = changed || bound.Version != image.Version;
    if (bound.Sampler == sampler) unit = k;
  }
  if (changed) {
    // One OpenGL texture serves every unit the id is bound to.
    Flush();
    for (int k = 0; k < UnitsTaken_; ++k)
      if (Units_[size_t(k)].Id == image.Id) Units_[size_t(k)].Version = image.Version;
  } else if (unit >= 0) {
    return Unit_ = unit;
  }
  if (unit < 0) {
    if (UnitsTaken_ == kSpriteTextureUnits) {
      Flush();
      UnitsTaken_ = 0;
    }
    unit = UnitsTaken_++;
  }
  glActiveTexture(GLenum(GL_TEXTURE0 + unit));
  std::string problem;
  const bool drawable = Textures_.Bind(image, problem);
  if (!drawable) glBindTexture(GL_TEXTURE_2D, 0);
  glActiveTexture(GL_TEXTURE0);
  if (!drawable) {
    // Drawn untextured; said once per texture.
    if (ReportedTextures_.insert(image.Id).second)
      std::fprintf(stderr, "renderer: %s; drawn without it\n", problem.c_str());
    Units_[size_t(unit)] = {};
    return Unit_;
  }
  glBindSampler(GLuint(unit), sampler);
  Units_[size_t(unit)] = {image.Id, image.Version, sampler};
  return Unit_ = unit;
}

int32_t GlRenderBackend::CurrentTextureSlot() {
  const int unit = CurrentUnit();
  if (unit < 0) return kUntexturedSlot | AddedSlot_;
  const bool point = FilterMode(GetSamplerState(SamplerState::MagFilter)) == GL_NEAREST;
  return unit | (point ? kPointSampledSlot : 0) | AddedSlot_;
}

void GlRenderBackend::ForgetTexture(uint32_t id) {
  if (!Device_) return;
  bool bound = false;
  for (int k = 0; k < UnitsTaken_; ++k) bound = bound || Units_[size_t(k)].Id == id;
  if (bound) {
    Flush();
    for (int k = 0; k < UnitsTaken_; ++k)
      if (Units_[size_t(k)].Id == id) Units_[size_t(k)] = {};
  }
  if (Image_ && ImageId_ == id) {
    Image_ = nullptr;
    Unit_ = -1;
    UnitKnown_ = true;
  }
  Textures_.Forget(id);
  ReportedTextures_.erase(id);
}

SpriteShading GlRenderBackend::StageShading() const {
  auto rs = [&](RenderState s) { return RenderStateValue(uint32_t(s)); };
  auto ts = [&](TextureStageState s) { return StageStateValue(uint32_t(s)); };
  SpriteShading shading;
  shading.ColorOp = ts(TextureStageState::ColorOp);
  shading.ColorArg1 = ts(TextureStageState::ColorArg1);
  shading.ColorArg2 = ts(TextureStageState::ColorArg2);
  shading.AlphaOp = ts(TextureStageState::AlphaOp);
  // A disabled colour stage disables the alpha stage with it.
  if (shading.ColorOp == kTopDisable) shading.AlphaOp = kTopDisable;
  shading.AlphaArg1 = ts(TextureStageState::AlphaArg1);
  shading.AlphaArg2 = ts(TextureStageState::AlphaArg2);
  shading.SpecularAdd = rs(RenderState::SpecularEnable) != 0;
  shading.AlphaFunc = rs(RenderState::AlphaTestEnable) != 0 ? rs(RenderState::AlphaFunc) : 0;
  if (shading.AlphaFunc > d3d::CMP_ALWAYS) shading.AlphaFunc = d3d::CMP_ALWAYS;
  shading.AlphaRef = rs(RenderState::AlphaRef);
  shading.SharedBlend = SharedBlend();
  return shading;
}

void GlRenderBackend::ApplyDrawState() {
  // Sprites say their texture, or none, in their vertices.
  SpriteShading shading = StageShading();
  shading.Textured = true;
  Sprite_.Use(Scene_.Width(), Scene_.Height(), shading);
  // Screen vertices are target pixels whatever the 3D viewport is.
  glViewport(0, 0, Scene_.Width(), Scene_.Height());
  glDepthRange(0.0, 1.0);
  ApplyPipelineState();
}

void GlRenderBackend::ApplyPipelineState() {
  auto rs = [&](RenderState s) { return RenderStateValue(uint32_t(s)); };
  if (SharedBlend()) {
    // The fragment stage has applied the source factor and says how much of
    // the target stays.
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC1_ALPHA);
    glBlendEquation(GL_FUNC_ADD);
  } else if (rs(RenderState::AlphaBlendEnable) != 0) {
    glEnable(GL_BLEND);
    uint32_t src = rs(RenderState::SrcBlend), dest = rs(RenderState::DestBlend);
    GLenum glSrc = BlendFactor(src, GL_ONE), glDest = BlendFactor(dest, GL_ZERO);
    // D3DBLEND_BOTHSRCALPHA (12) and BOTHINVSRCALPHA (13) set both factors.
    if (src == 12) {
      glSrc = GL_SRC_ALPHA;
      glDest = GL_ONE_MINUS_SRC_ALPHA;
    } else if (src == 13) {
      glSrc = GL_ONE_MINUS_SRC_ALPHA;
      glDest = GL_SRC_ALPHA;
    }
    glBlendFunc(glSrc, glDest);
    glBlendEquation(BlendEquation(rs(RenderState::BlendOp)));
  } else {
    glDisable(GL_BLEND);
  }

  // Without a depth buffer every fragment passes and nothing is written.
  if (rs(RenderState::ZEnable) != 0)
    glEnable(GL_DEPTH_TEST);
  else
    glDisable(GL_DEPTH_TEST);
  glDepthFunc(CompareFunction(rs(RenderState::ZFunc)));
  glDepthMask(rs(RenderState::ZWriteEnable) != 0 ? GL_TRUE : GL_FALSE);

  // Screen y runs down in both Direct3D and the render target's rows, so a
  // triangle Direct3D sees as clockwise is counter-clockwise to OpenGL.
  // D3DFILL: 1 point, 2 wireframe, 3 solid.
  const uint32_t fill = rs(RenderState::FillMode);
  glPolygonMode(GL_FRONT_AND_BACK, fill == 1 ? GL_POINT : fill == 2 ? GL_LINE : GL_FILL);

  switch (RenderStateValue(kCullMode)) {
    case 1:
      glDisable(GL_CULL_FACE);
      break;
    case 2:
      glEnable(GL_CULL_FACE);
      glCullFace(GL_FRONT);
      break;
    default:
      glEnable(GL_CULL_FACE);
      glCullFace(GL_BACK);
      break;
  }
}

void GlRenderBackend::DrawSpriteStrip(const ScreenVertex (&v)[4]) {
  if (!Device_) return;
  if (Pending_.size() + 4 > kMaxBatchVertices) Flush();
  if (StateDirty_) {
    ApplyDrawState();
    StateDirty_ = false;
  }
  const int32_t slot = CurrentTextureSlot();
  for (const ScreenVertex& vertex : v) Pending_.push_back({vertex, slot});
  ++Sprites_;
}

void GlRenderBackend::Flush() {
  if (Pending_.empty()) return;
  glBindVertexArray(VertexArray_.Get());
  glBindBuffer(GL_ARRAY_BUFFER, Vertices_.Get());
  // A fresh store each time: the driver need not wait for the last draw.
  glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(Pending_.size() * sizeof(TSpriteVertex)),
               Pending_.data(), GL_STREAM_DRAW);
  glDrawElements(GL_TRIANGLES, GLsizei(Pending_.size() / 4 * 6), GL_UNSIGNED_SHORT, nullptr);
  ++DrawCalls_;
  Pending_.clear();
}

void GlRenderBackend::Clear(uint32_t flags, uint32_t color, float z, uint32_t stencil) {
  if (!Device_) return;
  Flush();
  GLbitfield bits = 0;
  if (flags & d3d::CLEAR_TARGET) {
    glClearColor(Channel(color, 16), Channel(color, 8), Channel(color, 0), Channel(color, 24));
    bits |= GL_COLOR_BUFFER_BIT;
  }
  if ((flags & d3d::CLEAR_ZBUFFER) && Scene_.HasDepth()) {
    glDepthMask(GL_TRUE);
    glClearDepth(std::isnan(z) ? 1.0 : std::clamp(double(z), 0.0, 1.0));
    bits |= GL_DEPTH_BUFFER_BIT;
  }
  if ((flags & d3d::CLEAR_STENCIL) && Scene_.HasStencil()) {
    glStencilMask(0xFF);
    glClearStencil(GLint(stencil & 0xFF));
    bits |= GL_STENCIL_BUFFER_BIT;
  }
  if (bits) glClear(bits);
  glDepthMask(RenderStateValue(uint32_t(RenderState::ZWriteEnable)) != 0 ? GL_TRUE : GL_FALSE);
}

bool GlRenderBackend::Present() {
  if (!Device_) return false;
  Flush();
  const int w = Scene_.Width(), h = Scene_.Height();
  // Keep the frame for ReadFrontBuffer.
  glBindFramebuffer(GL_READ_FRAMEBUFFER, Scene_.Framebuffer());
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, Front_.Framebuffer());
  glBlitFramebuffer(0, 0, w, h, 0, 0, w, h, GL_COLOR_BUFFER_BIT, GL_NEAREST);

  // Into the window: black bars, then the picture flipped so that row 0
  // (the top) lands at the top of the window.
  int windowW = 0, windowH = 0;
  SDL_GL_GetDrawableSize(Window_, &windowW, &windowH);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  PixelRect fit = FitLetterbox(w, h, windowW, windowH);
  if (fit.Width > 0 && fit.Height > 0) {
    GLenum filter = (fit.Width == w && fit.Height == h) ? GL_NEAREST : GL_LINEAR;
    glBlitFramebuffer(0, 0, w, h, fit.X, fit.Y + fit.Height, fit.X + fit.Width, fit.Y,
                      GL_COLOR_BUFFER_BIT, filter);
  }
  SDL_GL_SwapWindow(Window_);
  glBindFramebuffer(GL_FRAMEBUFFER, Scene_.Framebuffer());
  Presented_ = true;
  return true;
}

bool GlRenderBackend::ReadFrontBuffer(std::vector<uint8_t>& rgb, int& width, int& height) {
  if (!Device_ || !Presented_) return false;
  width = Front_.Width();
  height = Front_.Height();
  rgb.assign(size_t(width) * size_t(height) * 3, 0);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, Front_.Framebuffer());
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  glBindFramebuffer(GL_READ_FRAMEBUFFER, Scene_.Framebuffer());
  return true;
}

void GlRenderBackend::SetTransform(TransformType type, const TMatrix& matrix) {
  switch (type) {
    case TransformType::World: World_ = matrix; break;
    case TransformType::View: View_ = matrix; break;
    case TransformType::Projection: Projection_ = matrix; break;
  }
}

void GlRenderBackend::SetViewport(const TViewport& viewport) { Viewport_ = viewport; }
void GlRenderBackend::SetLight(uint32_t index, const D3DLight& light) { Lights_[index] = light; }
void GlRenderBackend::LightEnable(uint32_t index, bool enable) { LightsEnabled_[index] = enable; }
void GlRenderBackend::SetMaterial(const D3DMaterial& material) { Material_ = material; }

void GlRenderBackend::ForgetGeometry(uint32_t id) {
  if (!Device_) return;
  Geometry_.Forget(id);
  ReportedGeometry_.erase(id);
}

// Where the lit colours come from. Vertex colours stand in for the material
// only while COLORVERTEX is on and the vertex carries that colour.
MeshShading GlRenderBackend::CurrentMeshShading(uint32_t fvf) const {
  auto rs = [&](RenderState s) { return RenderStateValue(uint32_t(s)); };
  MeshShading shading;
  shading.WorldView = MatrixMultiply(World_, View_);
  shading.Projection = Projection_;
  if (Viewport_.Width > 0 && Viewport_.Height > 0) {
    shading.PixelOffsetX = 1.0f / float(Viewport_.Width);
    shading.PixelOffsetY = 1.0f / float(Viewport_.Height);
  }
  shading.Lighting = rs(RenderState::Lighting) != 0;
  shading.LocalViewer = rs(RenderState::LocalViewer) != 0;
  const bool colorVertex = rs(RenderState::ColorVertex) != 0;
  const bool hasDiffuse = (fvf & fvf::DIFFUSE) != 0, hasSpecular = (fvf & fvf::SPECULAR) != 0;
  auto source = [&](RenderState state) {
    const uint32_t s = rs(state);
    if (!colorVertex) return 0;
    if (s == 1 && hasDiffuse) return 1;
    if (s == 2 && hasSpecular) return 2;
    return 0;
  };
  shading.Sources.Diffuse = source(RenderState::DiffuseMaterialSource);
  shading.Sources.Specular = source(RenderState::SpecularMaterialSource);
  shading.Sources.Ambient = source(RenderState::AmbientMaterialSource);
  shading.Sources.Emissive = source(RenderState::EmissiveMaterialSource);
  shading.Material = Material_;
  const uint32_t ambient = rs(RenderState::Ambient);
  shading.GlobalAmbient = TColorValue{Channel(ambient, 16), Channel(ambient, 8), Channel(ambient, 0), Channel(ambient, 24)};
  // Every light is lit as a directional light along its direction, turned
  // into view space; a light shines along its direction, so L points back.
  for (const auto& [index, on] : LightsEnabled_) {
    if (!on || shading.LightCount >= GlMeshProgram::kMaxLights) continue;
    auto it = Lights_.find(index);
    const D3DLight light = it == Lights_.end() ? D3DLight{} : it->second;
    const TVector inView = TransformDirection(light.Direction, View_);
    shading.Lights[size_t(shading.LightCount++)] =
        MeshLight{VectorNormalize(VectorScale(inView, -1)), light.Diffuse, light.Specular, light.Ambient};
  }
  shading.Stage = StageShading();
  return shading;
}

bool GlRenderBackend::BindMeshBuffers(const GeometryImage& vertices, const GeometryImage& indices) {
  const int size = FVFVertexSize(vertices.FVF);
  std::string problem;
  if ((vertices.FVF & fvf::POSITION_MASK) != fvf::XYZ)
    problem = "vertex format " + std::to_string(vertices.FVF) + " has no x, y, z position";
  else if (size < 0 || vertices.Stride < size)
    problem = "vertex size " + std::to_string(vertices.Stride) + " is too small for format " +
              std::to_string(vertices.FVF);
  else if (!vertices.Data || !indices.Data || vertices.Count <= 0 || indices.Count <= 0)
    problem = "an empty vertex or index buffer";
  if (problem.empty()) {
    glBindVertexArray(MeshArray_.Get());
    Geometry_.Bind(indices, GL_ELEMENT_ARRAY_BUFFER);
    if (Geometry_.MaxIndex(indices.Id) >= vertices.Count)
      problem = "an index past the " + std::to_string(vertices.Count) + " vertices of its buffer";
  }
  if (!problem.empty()) {
    if (ReportedGeometry_.insert(vertices.Id).second)
      std::fprintf(stderr, "renderer: mesh not drawn: %s\n", problem.c_str());
    return false;
  }

  // Position, then normal, point size, diffuse, specular, texture sets.
  Geometry_.Bind(vertices, GL_ARRAY_BUFFER);
  const GLsizei stride = vertices.Stride;
  size_t offset = 0;
  auto attribute = [&](GLuint location, bool present, GLint count, GLenum type, GLboolean normalised, size_t bytes) {
    if (present) {
      glEnableVertexAttribArray(location);
      glVertexAttribPointer(location, count, type, normalised, stride, reinterpret_cast<const void*>(offset));
      offset += bytes;
    } else {
      glDisableVertexAttribArray(location);
    }
  };
  attribute(GlMeshProgram::kPosition, true, 3, GL_FLOAT, GL_FALSE, 12);
  attribute(GlMeshProgram::kNormal, (vertices.FVF & fvf::NORMAL) != 0, 3, GL_FLOAT, GL_FALSE, 12);
  if (vertices.FVF & 0x020) offset += 4;  // D3DFVF_PSIZE
  attribute(GlMeshProgram::kDiffuse, (vertices.FVF & fvf::DIFFUSE) != 0, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, 4);
  attribute(GlMeshProgram::kSpecular, (vertices.FVF & fvf::SPECULAR) != 0, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, 4);
  // The first texture set: two singles unless its format bits say 1, 3 or 4.
  const uint32_t sets = (vertices.FVF & fvf::TEXCOUNT_MASK) >> fvf::TEXCOUNT_SHIFT;
  const uint32_t setFormat = (vertices.FVF >> 16) & 3u;
  attribute(GlMeshProgram::kTexCoord, sets > 0, setFormat == 3 ? 1 : 2, GL_FLOAT, GL_FALSE, 0);
  // Values for what the vertex does not carry: no normal, white diffuse,
  // black specular, texture coordinate 0.
  glVertexAttrib3f(GlMeshProgram::kNormal, 0, 0, 0);
  glVertexAttrib4f(GlMeshProgram::kDiffuse, 1, 1, 1, 1);
  glVertexAttrib4f(GlMeshProgram::kSpecular, 0, 0, 0, 0);
  glVertexAttrib2f(GlMeshProgram::kTexCoord, 0, 0);
  return true;
}

void GlRenderBackend::DrawIndexedTriangleList(const GeometryImage& vertices, const GeometryImage& indices,
                                              int startIndex, int primitiveCount) {
  if (!Device_ || startIndex < 0 || primitiveCount <= 0 || startIndex >= indices.Count) return;
  primitiveCount = std::min(primitiveCount, (indices.Count - startIndex) / 3);
  if (primitiveCount <= 0) return;
  const int32_t slot = CurrentTextureSlot();
  Flush();
  if (!BindMeshBuffers(vertices, indices)) return;

  MeshShading shading = CurrentMeshShading(vertices.FVF);
  shading.Stage.Textured = (slot & kUntexturedSlot) == 0;
  shading.Stage.TextureSlot = slot;
  MeshProgram_.Use(shading);
  ApplyPipelineState();
  glViewport(Viewport_.X, Viewport_.Y, Viewport_.Width, Viewport_.Height);
  glDepthRange(double(Viewport_.MinZ), double(Viewport_.MaxZ));
  glDrawElements(GL_TRIANGLES, GLsizei(primitiveCount) * 3, GL_UNSIGNED_SHORT,
                 reinterpret_cast<const void*>(size_t(startIndex) * sizeof(uint16_t)));
  ++DrawCalls_;
  // The next sprite run sets its own program, viewport and vertex array again.
  StateDirty_ = true;
}

}  // namespace vuzed
