#pragma once
// Owning handles for OpenGL object names. A handle deletes its object when it
// goes away, so the GL context must still be current then: the backend drops
// all of its handles in ReleaseDevice, before the platform destroys the context.

#include <epoxy/gl.h>

#include <utility>

namespace vuzed {

enum class GlKind { Texture, Buffer, VertexArray, Framebuffer, Renderbuffer, Sampler, Program, Shader };

template <GlKind Kind>
class GlObject {
 public:
  GlObject() = default;
  explicit GlObject(GLuint name) : Name_(name) {}
  ~GlObject() { Reset(); }
  GlObject(GlObject&& other) noexcept : Name_(std::exchange(other.Name_, 0)) {}
  GlObject& operator=(GlObject&& other) noexcept {
    if (this != &other) {
      Reset();
      Name_ = std::exchange(other.Name_, 0);
    }
    return *this;
  }
  GlObject(const GlObject&) = delete;
  GlObject& operator=(const GlObject&) = delete;

  // Generates a fresh object name (not for programs and shaders).
  static GlObject Generate() {
    GLuint name = 0;
    if constexpr (Kind == GlKind::Texture) glGenTextures(1, &name);
    if constexpr (Kind == GlKind::Buffer) glGenBuffers(1, &name);
    if constexpr (Kind == GlKind::VertexArray) glGenVertexArrays(1, &name);
    if constexpr (Kind == GlKind::Framebuffer) glGenFramebuffers(1, &name);
    if constexpr (Kind == GlKind::Renderbuffer) glGenRenderbuffers(1, &name);
    if constexpr (Kind == GlKind::Sampler) glGenSamplers(1, &name);
    return GlObject(name);
  }

  GLuint Get() const { return Name_; }
  explicit operator bool() const { return Name_ != 0; }

  void Reset() {
    if (Name_ == 0) return;
    if constexpr (Kind == GlKind::Texture) glDeleteTextures(1, &Name_);
    if constexpr (Kind == GlKind::Buffer) glDeleteBuffers(1, &Name_);
    if constexpr (Kind == GlKind::VertexArray) glDeleteVertexArrays(1, &Name_);
    if constexpr (Kind == GlKind::Framebuffer) glDeleteFramebuffers(1, &Name_);
    if constexpr (Kind == GlKind::Renderbuffer) glDeleteRenderbuffers(1, &Name_);
    if constexpr (Kind == GlKind::Sampler) glDeleteSamplers(1, &Name_);
    if constexpr (Kind == GlKind::Program) glDeleteProgram(Name_);
    if constexpr (Kind == GlKind::Shader) glDeleteShader(Name_);
    Name_ = 0;
  }

 private:
  GLuint Name_ = 0;
};

using GlTextureName = GlObject<GlKind::Texture>;
using GlBufferName = GlObject<GlKind::Buffer>;
using GlVertexArrayName = GlObject<GlKind::VertexArray>;
using GlFramebufferName = GlObject<GlKind::Framebuffer>;
using GlRenderbufferName = GlObject<GlKind::Renderbuffer>;
using GlSamplerName = GlObject<GlKind::Sampler>;
using GlProgramName = GlObject<GlKind::Program>;
using GlShaderName = GlObject<GlKind::Shader>;

}  // namespace vuzed
