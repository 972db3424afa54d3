#pragma once
// An off-screen picture: a framebuffer object with an RGBA8 colour buffer and,
// when asked for, a depth (and stencil) buffer. Row 0 is the top of the
// picture, so pixels read back top row first and the window blit flips.

#include <string>

#include "engine/graphics/d3d_types.h"
#include "engine/platform/gl_object.h"

namespace vuzed {

class GlRenderTarget {
 public:
  // depthFormat: UNKNOWN for none; D24S8 adds an 8-bit stencil; D16 and
  // D16_LOCKABLE get 16 bits, every other depth format 24.
  bool Create(int width, int height, D3DFORMAT depthFormat, std::string& error);
  void Release();

  GLuint Framebuffer() const { return Framebuffer_.Get(); }
  int Width() const { return Width_; }
  int Height() const { return Height_; }
  bool HasDepth() const { return bool(Depth_); }
  bool HasStencil() const { return Stencil_; }

 private:
  GlFramebufferName Framebuffer_;
  GlRenderbufferName Color_;
  GlRenderbufferName Depth_;
  bool Stencil_ = false;
  int Width_ = 0, Height_ = 0;
};

}  // namespace vuzed
