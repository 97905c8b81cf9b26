#pragma once
// Small GLSL program helpers and the engine's built-in shader sources.
#include <epoxy/gl.h>

#include <string>

namespace quellor {

// Compiles and links a vertex + fragment program; 0 with the driver's log in `log`.
GLuint BuildProgram(const char* vertexSrc, const char* fragmentSrc, std::string* log);

// Textured, colour-modulated 2D quads in screen pixels (sprites, backdrop, text).
extern const char* const kQuadVertexShader;
extern const char* const kQuadFragmentShader;
// Additive point sprites under a world-view and projection matrix.
extern const char* const kPointVertexShader;
extern const char* const kPointFragmentShader;

}  // namespace quellor
