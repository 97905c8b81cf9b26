#include "engine/gl/GlProgram.h"

#include <vector>

namespace quellor {

namespace {
GLuint Compile(GLenum type, const char* src, std::string* log) {
  GLuint s = glCreateShader(type);
  glShaderSource(s, 1, &src, nullptr);
  glCompileShader(s);
  GLint ok = 0;
  glGetShaderiv(s, GL_COMPILE_STATUS, &ok);
  if (!ok) {
    GLint len = 0;
    glGetShaderiv(s, GL_INFO_LOG_LENGTH, &len);
    std::vector<char> buf(static_cast<size_t>(len > 0 ? len : 1) + 1, '\0');
    glGetShaderInfoLog(s, static_cast<GLsizei>(buf.size()), nullptr, buf.data());
    if (log) *log = buf.data();
    glDeleteShader(s);
    return 0;
  }
  return s;
}
}  // namespace

GLuint BuildProgram(const char* vertexSrc, const char* fragmentSrc, std::string* log) {
  GLuint vs = Compile(GL_VERTEX_SHADER, vertexSrc, log);
  if (!vs) return 0;
  GLuint fs = Compile(GL_FRAGMENT_SHADER, fragmentSrc, log);
  if (!fs) {
    glDeleteShader(vs);
    return 0;
  }
  GLuint p = glCreateProgram();
  glAttachShader(p, vs);
  glAttachShader(p, fs);
  glLinkProgram(p);
  glDeleteShader(vs);
  glDeleteShader(fs);
  GLint ok = 0;
  glGetProgramiv(p, GL_LINK_STATUS, &ok);
  if (!ok) {
    GLint len = 0;
    glGetProgramiv(p, GL_INFO_LOG_LENGTH, &len);
    std::vector<char> buf(static_cast<size_t>(len > 0 ? len : 1) + 1, '\0');
    glGetProgramInfoLog(p, static_cast<GLsizei>(buf.size()), nullptr, buf.data());
    if (log) *log = buf.data();
    glDeleteProgram(p);
    return 0;
  }
  return p;
}

// u_screen maps pixels to clip space: x * s.x - 1, y * s.y + s.w. The y sign depends
// on whether the framebuffer holds its top row first (render targets) or last.
const char* const kQuadVertexShader = R"(#version 330 core
layout(location = 0) in vec2 a_pos;
layout(location = 1) in vec2 a_uv;
layout(location = 2) in vec4 a_colour;
uniform vec4 u_screen;
out vec2 v_uv;
out vec4 v_colour;
void main() {
  gl_Position = vec4(a_pos.x * u_screen.x - 1.0, a_pos.y * u_screen.y + u_screen.w, 0.0, 1.0);
  v_uv = a_uv;
  v_colour = a_colour;
}
)";

const char* const kQuadFragmentShader = R"(#version 330 core
in vec2 v_uv;
in vec4 v_colour;
uniform sampler2D u_tex;
out vec4 o_colour;
void main() { o_colour = texture(u_tex, v_uv) * v_colour; }
)";

// Matrices come in Direct3D layout (row vectors); uploaded untransposed they act as
// column-vector matrices here. Depth goes from Direct3D's 0..1 to GL's -1..1. The
// point size follows Direct3D's scaling with A = B = 0, C = 1: size * height / distance.
const char* const kPointVertexShader = R"(#version 330 core
layout(location = 0) in vec3 a_pos;
layout(location = 1) in float a_size;
layout(location = 2) in vec4 a_colour;
uniform mat4 u_worldView;
uniform mat4 u_proj;
uniform float u_viewportH;
out vec4 v_colour;
void main() {
  vec4 eye = u_worldView * vec4(a_pos, 1.0);
  vec4 clip = u_proj * eye;
  clip.z = clip.z * 2.0 - clip.w;
  gl_Position = clip;
  float dist = max(length(eye.xyz), 1e-4);
  gl_PointSize = max(1.0, u_viewportH * a_size / dist);
  v_colour = a_colour.zyxw;  // bytes B, G, R, A of an ARGB word
}
)";

const char* const kPointFragmentShader = R"(#version 330 core
in vec4 v_colour;
uniform sampler2D u_tex;
out vec4 o_colour;
void main() { o_colour = texture(u_tex, gl_PointCoord) * v_colour; }
)";

}  // namespace quellor
