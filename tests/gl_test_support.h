#pragma once
// Shared headless GL set-up for the GL tests: one EGL context for the whole test
// binary, and small image helpers for pixel checks.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "engine/gl/GlEngine.h"

namespace quellor::gltest {

// The process-wide headless context, created on first use; null when EGL is missing.
inline EglContext* Context() {
  static std::string error;
  static std::unique_ptr<EglContext> ctx = EglContext::Create(&error);
  if (ctx) ctx->MakeCurrent();
  return ctx.get();
}

#define QUELLOR_REQUIRE_GL()                                              \
  do {                                                                    \
    if (!::quellor::gltest::Context()) GTEST_SKIP() << "no headless EGL"; \
  } while (0)

inline Image Solid(int w, int h, uint32_t argb) {
  Image img;
  img.Width = w;
  img.Height = h;
  img.Rgba.resize(static_cast<size_t>(w) * h * 4);
  for (size_t i = 0; i < img.Rgba.size(); i += 4) {
    img.Rgba[i] = static_cast<uint8_t>(argb >> 16);
    img.Rgba[i + 1] = static_cast<uint8_t>(argb >> 8);
    img.Rgba[i + 2] = static_cast<uint8_t>(argb);
    img.Rgba[i + 3] = static_cast<uint8_t>(argb >> 24);
  }
  return img;
}

// An image whose every texel is distinct: r = x, g = y, b = 200 - x - y (mod 256).
inline Image Gradient(int w, int h) {
  Image img;
  img.Width = w;
  img.Height = h;
  img.Rgba.resize(static_cast<size_t>(w) * h * 4);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint8_t* p = &img.Rgba[(static_cast<size_t>(y) * w + x) * 4];
      p[0] = static_cast<uint8_t>(x * 7);
      p[1] = static_cast<uint8_t>(y * 7);
      p[2] = static_cast<uint8_t>(200 - x - y);
      p[3] = 255;
    }
  return img;
}

struct Rgb {
  int R, G, B;
};

inline Rgb PixelAt(const Image& img, int x, int y) {
  const uint8_t* p = &img.Rgba[(static_cast<size_t>(y) * img.Width + x) * 4];
  return {p[0], p[1], p[2]};
}

inline bool Same(Rgb a, Rgb b, int tol = 0) {
  return std::abs(a.R - b.R) <= tol && std::abs(a.G - b.G) <= tol && std::abs(a.B - b.B) <= tol;
}

}  // namespace quellor::gltest
