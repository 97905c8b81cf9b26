#pragma once
// OpenGL 3.3 core implementation of the engine. It runs on whatever context the host
// has made current: the editor window's canvas, the player's window, or a headless EGL
// context, where an offscreen framebuffer serves as the back buffer.
#include <functional>
#include <memory>

#include "engine/EngineCore.h"

namespace quellor {

class GlEngine : public EngineCore {
 public:
  // `present` swaps the window's buffers; leave it empty for offscreen rendering.
  explicit GlEngine(std::function<void()> present = {}, bool offscreen = false);
  ~GlEngine() override;
  // (overrides of the drawing operations; see GlEngine.cpp)
};

// A headless EGL context (surfaceless, Mesa llvmpipe when no GPU) made current on
// creation. Create() returns null and sets `error` when EGL is unavailable.
class EglContext {
 public:
  static std::unique_ptr<EglContext> Create(std::string* error = nullptr);
  virtual ~EglContext() = default;
};

}  // namespace quellor
