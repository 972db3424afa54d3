#include "engine/platform/gl_render_target.h"

namespace vuzed {

bool GlRenderTarget::Create(int width, int height, D3DFORMAT depthFormat, std::string& error) {
  Release();
  GLint maxSize = 0;
  glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &maxSize);
  if (width <= 0 || height <= 0 || width > maxSize || height > maxSize) {
    error = "render target size " + std::to_string(width) + "x" + std::to_string(height) +
            " is not possible";
    return false;
  }
  Framebuffer_ = GlFramebufferName::Generate();
  glBindFramebuffer(GL_FRAMEBUFFER, Framebuffer_.Get());
  Color_ = GlRenderbufferName::Generate();
  glBindRenderbuffer(GL_RENDERBUFFER, Color_.Get());
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, Color_.Get());
  if (depthFormat != fmt::UNKNOWN) {
    Stencil_ = depthFormat == fmt::D24S8;
    GLenum storage = Stencil_ ? GL_DEPTH24_STENCIL8
                     : (depthFormat == fmt::D16 || depthFormat == fmt::D16_LOCKABLE)
                         ? GL_DEPTH_COMPONENT16
                         : GL_DEPTH_COMPONENT24;
    Depth_ = GlRenderbufferName::Generate();
    glBindRenderbuffer(GL_RENDERBUFFER, Depth_.Get());
    glRenderbufferStorage(GL_RENDERBUFFER, storage, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER,
                              Stencil_ ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT,
                              GL_RENDERBUFFER, Depth_.Get());
  }
  glBindRenderbuffer(GL_RENDERBUFFER, 0);
  GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
  if (status != GL_FRAMEBUFFER_COMPLETE) {
    error = "off-screen frame buffer is incomplete (status " + std::to_string(status) + ")";
    Release();
    return false;
  }
  Width_ = width;
  Height_ = height;
  return true;
}

void GlRenderTarget::Release() {
  if (Framebuffer_) glBindFramebuffer(GL_FRAMEBUFFER, 0);
  Framebuffer_.Reset();
  Color_.Reset();
  Depth_.Reset();
  Stencil_ = false;
  Width_ = Height_ = 0;
}

}  // namespace vuzed
