#include "engine/platform/gl_shader.h"

namespace vuzed {
namespace {

std::string ShaderLog(GLuint shader) {
  GLint length = 0;
  glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
  std::string log(size_t(length > 0 ? length : 0), '\0');
  if (length > 0) glGetShaderInfoLog(shader, length, nullptr, log.data());
  while (!log.empty() && (log.back() == '\0' || log.back() == '\n')) log.pop_back();
  return log;
}

std::string ProgramLog(GLuint program) {
  GLint length = 0;
  glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
  std::string log(size_t(length > 0 ? length : 0), '\0');
  if (length > 0) glGetProgramInfoLog(program, length, nullptr, log.data());
  while (!log.empty() && (log.back() == '\0' || log.back() == '\n')) log.pop_back();
  return log;
}

GlShaderName Compile(GLenum stage, const char* source, std::string& error) {
  GlShaderName shader(glCreateShader(stage));
  glShaderSource(shader.Get(), 1, &source, nullptr);
  glCompileShader(shader.Get());
  GLint ok = GL_FALSE;
  glGetShaderiv(shader.Get(), GL_COMPILE_STATUS, &ok);
  if (ok != GL_TRUE) {
    error = std::string(stage == GL_VERTEX_SHADER ? "vertex" : "fragment") +
            " shader does not compile: " + ShaderLog(shader.Get());
    return {};
  }
  return shader;
}

}  // namespace

GlProgramName BuildProgram(const char* vertexSource, const char* fragmentSource,
                           const std::vector<GlAttribute>& attributes, const char* output,
                           std::string& error) {
  GlShaderName vs = Compile(GL_VERTEX_SHADER, vertexSource, error);
  if (!vs) return {};
  GlShaderName fs = Compile(GL_FRAGMENT_SHADER, fragmentSource, error);
  if (!fs) return {};
  GlProgramName program(glCreateProgram());
  glAttachShader(program.Get(), vs.Get());
  glAttachShader(program.Get(), fs.Get());
  for (const GlAttribute& a : attributes) glBindAttribLocation(program.Get(), a.Location, a.Name);
  glBindFragDataLocation(program.Get(), 0, output);
  glLinkProgram(program.Get());
  glDetachShader(program.Get(), vs.Get());
  glDetachShader(program.Get(), fs.Get());
  GLint ok = GL_FALSE;
  glGetProgramiv(program.Get(), GL_LINK_STATUS, &ok);
  if (ok != GL_TRUE) {
    error = "shader program does not link: " + ProgramLog(program.Get());
    return {};
  }
  return program;
}

}  // namespace vuzed
