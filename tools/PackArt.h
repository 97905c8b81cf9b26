#pragma once
// Small procedural painter for the images of the editor's resource packs: a float RGBA
// canvas with anti-aliased shapes and FreeType text. Used only by make_packs.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "engine/Engine.h"

namespace quellor::art {

struct Color {
  float R = 0, G = 0, B = 0, A = 1;
};

inline Color Mix(Color a, Color b, float t) {
  return {a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t, a.A + (b.A - a.A) * t};
}

// Coverage of a shape at a pixel, 0..1, from a signed distance (negative inside).
inline float Coverage(float dist) { return std::clamp(0.5f - dist, 0.0f, 1.0f); }

class Canvas {
 public:
  Canvas(int w, int h) : W(w), H(h), px_(size_t(w) * h) {}

  // Source-over blending of colour c with extra coverage.
  void Blend(int x, int y, Color c, float cover) {
    if (x < 0 || y < 0 || x >= W || y >= H) return;
    float a = std::clamp(c.A * cover, 0.0f, 1.0f);
    if (a <= 0) return;
    Color& d = px_[size_t(y) * W + x];
    float outA = a + d.A * (1 - a);
    if (outA <= 0) return;
    d.R = (c.R * a + d.R * d.A * (1 - a)) / outA;
    d.G = (c.G * a + d.G * d.A * (1 - a)) / outA;
    d.B = (c.B * a + d.B * d.A * (1 - a)) / outA;
    d.A = outA;
  }

  // Paints every pixel whose signed distance (from sdf) is below 0.5, coloured by paint.
  void Shape(const std::function<float(float, float)>& sdf,
             const std::function<Color(float, float)>& paint, int x0 = 0, int y0 = 0, int x1 = -1,
             int y1 = -1) {
    if (x1 < 0) x1 = W;
    if (y1 < 0) y1 = H;
    for (int y = std::max(0, y0); y < std::min(H, y1); ++y)
      for (int x = std::max(0, x0); x < std::min(W, x1); ++x) {
        float cx = x + 0.5f, cy = y + 0.5f;
        float cov = Coverage(sdf(cx, cy));
        if (cov > 0) Blend(x, y, paint(cx, cy), cov);
      }
  }

  void Fill(const std::function<Color(float, float)>& paint) {
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) Blend(x, y, paint(x + 0.5f, y + 0.5f), 1);
  }

  Image ToImage() const {
    Image img;
    img.Width = W;
    img.Height = H;
    img.Rgba.resize(size_t(W) * H * 4);
    for (size_t i = 0; i < px_.size(); ++i) {
      const Color& c = px_[i];
      img.Rgba[i * 4 + 0] = uint8_t(std::lround(std::clamp(c.R, 0.f, 1.f) * 255));
      img.Rgba[i * 4 + 1] = uint8_t(std::lround(std::clamp(c.G, 0.f, 1.f) * 255));
      img.Rgba[i * 4 + 2] = uint8_t(std::lround(std::clamp(c.B, 0.f, 1.f) * 255));
      img.Rgba[i * 4 + 3] = uint8_t(std::lround(std::clamp(c.A, 0.f, 1.f) * 255));
    }
    return img;
  }

  const int W, H;

 private:
  std::vector<Color> px_;
};

// Signed distances of the basic shapes.
inline float SdCircle(float x, float y, float cx, float cy, float r) {
  return std::hypot(x - cx, y - cy) - r;
}
inline float SdSegment(float x, float y, float ax, float ay, float bx, float by, float halfWidth) {
  float px = x - ax, py = y - ay, dx = bx - ax, dy = by - ay;
  float len2 = dx * dx + dy * dy;
  float t = len2 > 0 ? std::clamp((px * dx + py * dy) / len2, 0.0f, 1.0f) : 0.0f;
  return std::hypot(px - dx * t, py - dy * t) - halfWidth;
}
inline float SdRoundRect(float x, float y, float cx, float cy, float hw, float hh, float r) {
  float qx = std::fabs(x - cx) - hw + r, qy = std::fabs(y - cy) - hh + r;
  return std::hypot(std::max(qx, 0.f), std::max(qy, 0.f)) + std::min(std::max(qx, qy), 0.f) - r;
}
// Triangle a-b-c (any winding).
inline float SdTriangle(float x, float y, float ax, float ay, float bx, float by, float cx, float cy) {
  float d = std::min({SdSegment(x, y, ax, ay, bx, by, 0), SdSegment(x, y, bx, by, cx, cy, 0),
                      SdSegment(x, y, cx, cy, ax, ay, 0)});
  auto side = [&](float px, float py, float qx, float qy) {
    return (qx - px) * (y - py) - (qy - py) * (x - px);
  };
  float s1 = side(ax, ay, bx, by), s2 = side(bx, by, cx, cy), s3 = side(cx, cy, ax, ay);
  bool inside = (s1 >= 0 && s2 >= 0 && s3 >= 0) || (s1 <= 0 && s2 <= 0 && s3 <= 0);
  return inside ? -d : d;
}

// Arrow from (ax, ay) to (bx, by) with a triangular head at b.
inline void Arrow(Canvas& c, float ax, float ay, float bx, float by, float width, Color col) {
  float dx = bx - ax, dy = by - ay, len = std::hypot(dx, dy);
  if (len <= 0) return;
  dx /= len;
  dy /= len;
  float head = width * 3.2f;
  float baseX = bx - dx * head, baseY = by - dy * head;
  float nx = -dy * head * 0.75f, ny = dx * head * 0.75f;
  c.Shape([&](float x, float y) { return SdSegment(x, y, ax, ay, baseX, baseY, width / 2); },
          [&](float, float) { return col; });
  c.Shape([&](float x, float y) {
            return SdTriangle(x, y, bx, by, baseX + nx, baseY + ny, baseX - nx, baseY - ny);
          },
          [&](float, float) { return col; });
}

// Text through FreeType; without the font file the painter simply draws no text.
class Text {
 public:
  explicit Text(const std::string& fontPath) {
    if (FT_Init_FreeType(&lib_) != 0) return;
    if (FT_New_Face(lib_, fontPath.c_str(), 0, &face_) != 0) face_ = nullptr;
  }
  ~Text() {
    if (face_) FT_Done_Face(face_);
    if (lib_) FT_Done_FreeType(lib_);
  }
  Text(const Text&) = delete;
  Text& operator=(const Text&) = delete;

  bool Ok() const { return face_ != nullptr; }

  int Width(const std::string& s, int px) {
    int w = 0;
    Render(s, px, 0, 0, [&](int x, int, float) { w = std::max(w, x + 1); });
    return w;
  }

  // Coverage mask of the text with its baseline at y, for painting effects.
  std::vector<float> Mask(const std::string& s, int px, int x, int y, int w, int h) {
    std::vector<float> m(size_t(w) * h, 0.f);
    Render(s, px, x, y, [&](int gx, int gy, float a) {
      if (gx >= 0 && gy >= 0 && gx < w && gy < h) m[size_t(gy) * w + gx] = std::max(m[size_t(gy) * w + gx], a);
    });
    return m;
  }

  void Draw(Canvas& c, const std::string& s, int px, int x, int y, Color col) {
    Render(s, px, x, y, [&](int gx, int gy, float a) { c.Blend(gx, gy, col, a); });
  }

 private:
  void Render(const std::string& s, int px, int x, int y,
              const std::function<void(int, int, float)>& put) {
    if (!face_ || FT_Set_Pixel_Sizes(face_, 0, FT_UInt(px)) != 0) return;
    int penX = x;
    for (unsigned char ch : s) {
      if (FT_Load_Char(face_, ch, FT_LOAD_RENDER) != 0) continue;
      FT_GlyphSlot g = face_->glyph;
      for (unsigned r = 0; r < g->bitmap.rows; ++r)
        for (unsigned col = 0; col < g->bitmap.width; ++col) {
          uint8_t v = g->bitmap.buffer[r * g->bitmap.pitch + col];
          if (v) put(penX + g->bitmap_left + int(col), y - g->bitmap_top + int(r), v / 255.f);
        }
      penX += int(g->advance.x >> 6);
    }
  }

  FT_Library lib_ = nullptr;
  FT_Face face_ = nullptr;
};

// Paints a coverage mask: dilated dark outline, then the fill coloured per pixel.
inline void PaintMask(Canvas& c, const std::vector<float>& mask, int outline, Color outlineCol,
                      const std::function<Color(float, float)>& fill) {
  if (outline > 0) {
    for (int y = 0; y < c.H; ++y)
      for (int x = 0; x < c.W; ++x) {
        float m = 0;
        for (int dy = -outline; dy <= outline; ++dy)
          for (int dx = -outline; dx <= outline; ++dx) {
            int sx = x + dx, sy = y + dy;
            if (dx * dx + dy * dy > outline * outline + outline) continue;
            if (sx >= 0 && sy >= 0 && sx < c.W && sy < c.H) m = std::max(m, mask[size_t(sy) * c.W + sx]);
          }
        if (m > 0) c.Blend(x, y, outlineCol, m);
      }
  }
  for (int y = 0; y < c.H; ++y)
    for (int x = 0; x < c.W; ++x) {
      float m = mask[size_t(y) * c.W + x];
      if (m > 0) c.Blend(x, y, fill(x + 0.5f, y + 0.5f), m);
    }
}

}  // namespace quellor::art
