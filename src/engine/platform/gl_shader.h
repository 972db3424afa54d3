#pragma once
// Compiling and linking GLSL programs. Each drawing path of the backend (screen
// sprites now, lit meshes later) is one program built with BuildProgram.

#include <epoxy/gl.h>

#include <string>
#include <vector>

#include "engine/platform/gl_object.h"

namespace vuzed {

struct GlAttribute {
  GLuint Location;
  const char* Name;
};

// Compiles both stages, binds the attribute locations and the fragment output
// 0, and links. An empty handle with the compiler's log in error on failure.
GlProgramName BuildProgram(const char* vertexSource, const char* fragmentSource,
                           const std::vector<GlAttribute>& attributes, const char* output,
                           std::string& error);

}  // namespace vuzed
