// Draws the images that ship with the program (Data/...) and the seed files of the image
// fuzzer (fuzz/seeds/image/). Everything is made here, procedurally or with FreeType from
// the DejaVu fonts, so the repository holds no third-party artwork.
//
//   make_assets [repository root]       (default: the current folder)
#include <ft2build.h>
#include FT_FREETYPE_H

#include <jpeglib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/image/ImageCodec.h"

namespace fs = std::filesystem;
using quellor::Image;

namespace {

constexpr float kPi = 3.14159265358979f;
const char* const kBoldFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
const char* const kPlainFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

struct Colour {
  float R = 0, G = 0, B = 0, A = 1;
};

Colour Mix(Colour a, Colour b, float t) {
  t = std::clamp(t, 0.0f, 1.0f);
  return {a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t, a.A + (b.A - a.A) * t};
}

Colour Rgb(int r, int g, int b, float a = 1) { return {r / 255.0f, g / 255.0f, b / 255.0f, a}; }

float Smooth(float e0, float e1, float x) {
  float t = std::clamp((x - e0) / (e1 - e0), 0.0f, 1.0f);
  return t * t * (3 - 2 * t);
}

// Straight-alpha float canvas with "over" compositing.
struct Canvas {
  int W, H;
  std::vector<Colour> Px;
  Canvas(int w, int h) : W(w), H(h), Px(static_cast<size_t>(w) * h, Colour{0, 0, 0, 0}) {}
  Colour& At(int x, int y) { return Px[static_cast<size_t>(y) * W + x]; }

  void Over(int x, int y, Colour c) {
    if (x < 0 || y < 0 || x >= W || y >= H || c.A <= 0) return;
    Colour& d = At(x, y);
    float a = c.A + d.A * (1 - c.A);
    if (a <= 0) return;
    d.R = (c.R * c.A + d.R * d.A * (1 - c.A)) / a;
    d.G = (c.G * c.A + d.G * d.A * (1 - c.A)) / a;
    d.B = (c.B * c.A + d.B * d.A * (1 - c.A)) / a;
    d.A = a;
  }

  // Rounds to 8 bits, with channel values quantised to `step` to keep the PNGs small.
  Image ToImage(int step = 1) const {
    Image img;
    img.Width = W;
    img.Height = H;
    img.Rgba.reserve(Px.size() * 4);
    auto q = [step](float v) {
      int i = static_cast<int>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255));
      return static_cast<uint8_t>(std::min(255, (i + step / 2) / step * step));
    };
    for (const Colour& c : Px) {
      bool clear = c.A < 0.5f / 255;
      img.Rgba.push_back(clear ? 0 : q(c.R));
      img.Rgba.push_back(clear ? 0 : q(c.G));
      img.Rgba.push_back(clear ? 0 : q(c.B));
      img.Rgba.push_back(q(c.A));
    }
    return img;
  }
};

// Coverage mask (0..1) used for text and its outline and glow.
struct Mask {
  int W, H;
  std::vector<float> V;
  Mask(int w, int h) : W(w), H(h), V(static_cast<size_t>(w) * h, 0) {}
  float Get(int x, int y) const { return x < 0 || y < 0 || x >= W || y >= H ? 0 : V[static_cast<size_t>(y) * W + x]; }

  Mask Dilated(int r) const {
    Mask m(W, H);
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) {
        float best = 0;
        for (int dy = -r; dy <= r; ++dy)
          for (int dx = -r; dx <= r; ++dx)
            if (dx * dx + dy * dy <= r * r + r) best = std::max(best, Get(x + dx, y + dy));
        m.V[static_cast<size_t>(y) * W + x] = best;
      }
    return m;
  }

  Mask Blurred(int r) const {
    Mask a = *this;
    for (int pass = 0; pass < 2; ++pass) {
      Mask b(W, H);
      for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
          float s = 0;
          for (int d = -r; d <= r; ++d) s += a.Get(x + d, y);
          b.V[static_cast<size_t>(y) * W + x] = s / (2 * r + 1);
        }
      for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
          float s = 0;
          for (int d = -r; d <= r; ++d) s += b.Get(x, y + d);
          a.V[static_cast<size_t>(y) * W + x] = s / (2 * r + 1);
        }
    }
    return a;
  }
};

class Font {
 public:
  Font(FT_Library lib, const char* path, int pixels) {
    if (FT_New_Face(lib, path, 0, &face_) != 0) {
      std::fprintf(stderr, "make_assets: cannot open font %s\n", path);
      std::exit(1);
    }
    FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(pixels));
  }
  ~Font() { FT_Done_Face(face_); }
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  int Advance(const std::string& text) {
    int w = 0;
    for (unsigned char ch : text)
      if (FT_Load_Char(face_, ch, FT_LOAD_DEFAULT) == 0) w += static_cast<int>(face_->glyph->advance.x >> 6);
    return w;
  }

  // Draws one glyph's coverage into the mask with its pen at (penX, baseline); returns
  // the advance. With `centreIn` > 0 the inked part is centred in a cell that wide.
  int Draw(Mask& m, unsigned char ch, int penX, int baseline, int centreIn = 0) {
    if (FT_Load_Char(face_, ch, FT_LOAD_RENDER) != 0) return 0;
    const FT_GlyphSlot g = face_->glyph;
    const FT_Bitmap& bm = g->bitmap;
    int left = centreIn > 0 ? penX + (centreIn - static_cast<int>(bm.width)) / 2 : penX + g->bitmap_left;
    for (unsigned row = 0; row < bm.rows; ++row)
      for (unsigned col = 0; col < bm.width; ++col) {
        int x = left + static_cast<int>(col), y = baseline - g->bitmap_top + static_cast<int>(row);
        if (x < 0 || y < 0 || x >= m.W || y >= m.H) continue;
        float v = bm.buffer[row * bm.pitch + col] / 255.0f;
        float& d = m.V[static_cast<size_t>(y) * m.W + x];
        d = std::max(d, v);
      }
    return static_cast<int>(g->advance.x >> 6);
  }

 private:
  FT_Face face_ = nullptr;
};

bool Save(const fs::path& path, const Image& img) {
  fs::create_directories(path.parent_path());
  if (!quellor::WritePngFile(path.string(), img)) {
    std::fprintf(stderr, "make_assets: cannot write %s\n", path.string().c_str());
    return false;
  }
  std::printf("%-40s %4dx%-4d %6ju bytes\n", path.string().c_str(), img.Width, img.Height,
              static_cast<uintmax_t>(fs::file_size(path)));
  return true;
}

// ---- shipped images --------------------------------------------------------

// The default bob: a soft blue ball with a bright core, a highlight and a glow halo.
Image BlueBob() {
  Canvas c(32, 32);
  const float cx = 15.5f, cy = 15.5f;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      float r = std::hypot(x - cx, y - cy);
      float glow = std::pow(std::max(0.0f, 1 - r / 16.0f), 2.0f) * 0.75f;
      c.Over(x, y, {0.25f, 0.45f, 1.0f, glow});
      float d = r / 11.5f;
      Colour ball = Mix(Rgb(200, 230, 255), Rgb(20, 70, 230), std::pow(d, 1.3f));
      ball.A = 1 - Smooth(0.85f, 1.05f, d);
      c.Over(x, y, ball);
      float h = std::hypot(x - (cx - 4), y - (cy - 4));
      c.Over(x, y, {1, 1, 1, 0.85f * std::exp(-h * h / 8.0f) * ball.A});
    }
  return c.ToImage();
}

// Signed distance to a five-pointed star (negative inside).
float StarDistance(float x, float y, float outer, float inner) {
  float px[10], py[10];
  for (int i = 0; i < 10; ++i) {
    float a = -kPi / 2 + i * kPi / 5, rad = (i % 2) ? inner : outer;
    px[i] = std::cos(a) * rad;
    py[i] = std::sin(a) * rad;
  }
  float best = 1e9f;
  bool inside = false;
  for (int i = 0, j = 9; i < 10; j = i++) {
    float ex = px[i] - px[j], ey = py[i] - py[j];
    float t = std::clamp(((x - px[j]) * ex + (y - py[j]) * ey) / (ex * ex + ey * ey), 0.0f, 1.0f);
    best = std::min(best, std::hypot(x - px[j] - ex * t, y - py[j] - ey * t));
    if ((py[i] > y) != (py[j] > y) && x < (px[j] - px[i]) * (y - py[i]) / (py[j] - py[i]) + px[i]) inside = !inside;
  }
  return inside ? -best : best;
}

Image Star() {
  Canvas c(128, 128);
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x) {
      float fx = x + 0.5f - 64, fy = y + 0.5f - 66;
      float d = StarDistance(fx, fy, 56, 23);
      if (d > 0) c.Over(x, y, {1.0f, 0.8f, 0.3f, 0.6f * std::exp(-d / 5.0f)});
      float inside = 1 - Smooth(-0.7f, 0.7f, d);
      float depth = std::clamp(-d / 14.0f, 0.0f, 1.0f);
      Colour fill = Mix(Rgb(255, 120, 20), Rgb(255, 250, 170), depth);
      fill = Mix(fill, Rgb(255, 255, 255), Smooth(-40, 40, -(fx + fy)) * 0.25f);
      fill.A = inside;
      c.Over(x, y, fill);
    }
  return c.ToImage(2);
}

// A 128x128 border piece that tiles in both directions: a metal lattice of diamonds with
// rivets, translucent between the bars.
Image BorderPiece() {
  Canvas c(128, 128);
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x) {
      float u = std::fmod(x + 0.5f, 32.0f) - 16, v = std::fmod(y + 0.5f, 32.0f) - 16;
      float diamond = std::fabs(u) + std::fabs(v);
      float bar = 1 - Smooth(1.5f, 3.0f, std::fabs(diamond - 16));
      float shade = 0.5f + 0.5f * std::sin((x + y) * 2 * kPi / 64);
      Colour fill = Mix(Rgb(20, 30, 70, 0.55f), Rgb(50, 70, 140, 0.55f), shade);
      c.Over(x, y, fill);
      Colour metal = Mix(Rgb(110, 130, 170), Rgb(230, 240, 255), 0.5f + 0.5f * std::sin((u - v) * kPi / 16));
      metal.A = bar;
      c.Over(x, y, metal);
      float rivet = std::hypot(u, v);
      Colour head = Mix(Rgb(255, 240, 200), Rgb(160, 120, 60), rivet / 4);
      head.A = 1 - Smooth(3.5f, 4.5f, rivet);
      c.Over(x, y, head);
    }
  return c.ToImage(4);
}

// A 256x256 plasma whose frequencies divide the size, so it tiles without seams.
Image Background() {
  Canvas c(256, 256);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) {
      float fx = x * 2 * kPi / 256, fy = y * 2 * kPi / 256;
      float v = std::sin(2 * fx) + std::sin(3 * fy) + std::sin(fx + 2 * fy) + std::sin(2 * fx - fy);
      v = v / 8 + 0.5f;  // 0..1
      Colour col = Mix(Rgb(8, 6, 30), Rgb(50, 20, 90), v);
      col = Mix(col, Rgb(20, 90, 140), Smooth(0.6f, 1.0f, v));
      c.Over(x, y, col);
    }
  return c.ToImage(4);
}

// The trainer's highlight bar: a copper-style band, brightest in its middle row, fading out
// at both ends.
Image TrainerBar() {
  Canvas c(512, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 512; ++x) {
      float t = std::sin(kPi * (y + 0.5f) / 32);
      Colour col = Mix(Rgb(10, 30, 120), Rgb(120, 220, 255), t * t);
      col = Mix(col, Rgb(255, 255, 255), Smooth(0.93f, 1.0f, t) * 0.6f);
      float ends = Smooth(0, 40, static_cast<float>(x)) * Smooth(0, 40, static_cast<float>(511 - x));
      col.A = (0.35f + 0.55f * t) * ends;
      c.Over(x, y, col);
    }
  return c.ToImage(2);
}

float SegmentDistance(float px, float py, float ax, float ay, float bx, float by) {
  float ex = bx - ax, ey = by - ay;
  float t = std::clamp(((px - ax) * ex + (py - ay) * ey) / (ex * ex + ey * ey), 0.0f, 1.0f);
  return std::hypot(px - ax - ex * t, py - ay - ey * t);
}

// Eight 32x32 frames of a three-armed spinner; one frame turns it by 15 degrees, so the
// eight frames loop seamlessly (the arms repeat every 120 degrees).
Image Spinner() {
  Canvas c(256, 32);
  const Colour arms[3] = {Rgb(255, 80, 80), Rgb(80, 255, 120), Rgb(90, 140, 255)};
  for (int f = 0; f < 8; ++f)
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        float px = x + 0.5f - 16, py = y + 0.5f - 16;
        for (int a = 0; a < 3; ++a) {
          float ang = f * kPi / 12 + a * 2 * kPi / 3;
          float ex = std::cos(ang) * 12, ey = std::sin(ang) * 12;
          float d = SegmentDistance(px, py, 0, 0, ex, ey);
          float tip = std::hypot(px - ex, py - ey);
          Colour col = Mix(arms[a], Rgb(255, 255, 255), std::exp(-tip * tip / 6));
          col.A = 1 - Smooth(2.5f, 3.5f, d);
          c.Over(f * 32 + x, y, col);
        }
        float r = std::hypot(px, py);
        Colour hub = Mix(Rgb(255, 255, 255), Rgb(180, 180, 200), r / 5);
        hub.A = 1 - Smooth(4.0f, 5.0f, r);
        c.Over(f * 32 + x, y, hub);
      }
  return c.ToImage(2);
}

// Fills the mask's covered pixels with a vertical gradient over [top, bottom), after a
// dark outline and an optional glow.
void PaintText(Canvas& c, const Mask& m, int x0, int y0, int top, int bottom, const std::vector<Colour>& stops,
               Colour outline, int outlineRadius, Colour glow, int glowRadius) {
  if (glowRadius > 0) {
    Mask g = m.Dilated(1).Blurred(glowRadius);
    for (int y = 0; y < m.H; ++y)
      for (int x = 0; x < m.W; ++x) c.Over(x0 + x, y0 + y, {glow.R, glow.G, glow.B, glow.A * std::min(1.0f, g.Get(x, y) * 1.6f)});
  }
  Mask o = m.Dilated(outlineRadius);
  for (int y = 0; y < m.H; ++y)
    for (int x = 0; x < m.W; ++x) c.Over(x0 + x, y0 + y, {outline.R, outline.G, outline.B, outline.A * o.Get(x, y)});
  for (int y = 0; y < m.H; ++y) {
    float t = std::clamp((y - top) / static_cast<float>(std::max(1, bottom - top)), 0.0f, 1.0f) * (stops.size() - 1);
    size_t i = std::min(static_cast<size_t>(t), stops.size() - 2);
    Colour col = Mix(stops[i], stops[i + 1], t - i);
    for (int x = 0; x < m.W; ++x) c.Over(x0 + x, y0 + y, {col.R, col.G, col.B, m.Get(x, y)});
  }
}

// The font sheet: 32x32 cells, 10 per row, 6 rows, characters 32 (space) to 91 ('[').
Image FontSheet(FT_Library lib) {
  Font font(lib, kBoldFont, 26);
  Canvas c(320, 192);
  const std::vector<Colour> stops = {Rgb(255, 250, 170), Rgb(255, 170, 40), Rgb(235, 60, 90)};
  for (int k = 0; k < 60; ++k) {
    Mask m(32, 32);
    font.Draw(m, static_cast<unsigned char>(32 + k), 0, 25, 32);
    PaintText(c, m, (k % 10) * 32, (k / 10) * 32, 6, 26, stops, Rgb(40, 10, 60), 1, {}, 0);
  }
  return c.ToImage(2);
}

// The editor and demo logo: the name in gradient letters with an outline and a glow.
Image Logo(FT_Library lib) {
  Canvas c(400, 100);
  Font big(lib, kBoldFont, 66);
  Font small(lib, kPlainFont, 14);
  const std::string name = "QUELLOR", sub = "intro editor";
  Mask m(400, 100);
  int pen = (400 - big.Advance(name)) / 2;
  for (unsigned char ch : name) pen += big.Draw(m, ch, pen, 68);
  PaintText(c, m, 0, 0, 18, 68, {Rgb(240, 255, 255), Rgb(80, 200, 255), Rgb(40, 60, 220), Rgb(150, 40, 220)},
            Rgb(10, 10, 40), 2, Rgb(60, 160, 255, 0.9f), 4);
  Mask s(400, 100);
  pen = (400 - small.Advance(sub)) / 2;
  for (unsigned char ch : sub) pen += small.Draw(s, ch, pen, 91);
  PaintText(c, s, 0, 0, 80, 92, {Rgb(255, 255, 255), Rgb(170, 200, 255)}, Rgb(10, 10, 40), 1, {}, 0);
  return c.ToImage(2);
}

// A word whose letters are the exact raster key colour (255, 0, 255) inside a dark
// outline: the demo's raster bar fills them with a moving copper.
Image RasterWord(FT_Library lib) {
  Canvas c(400, 80);
  Font big(lib, kBoldFont, 60);
  const std::string word = "RASTER";
  Mask m(400, 80);
  int pen = (400 - big.Advance(word)) / 2;
  for (unsigned char ch : word) pen += big.Draw(m, ch, pen, 64);
  const Colour key = Rgb(255, 0, 255);
  PaintText(c, m, 0, 0, 0, 80, {key, key}, Rgb(20, 0, 40), 2, {}, 0);
  return c.ToImage();
}

// A copper for the raster bars: bands of colour that fade through white, 4 x 64.
Image Copper() {
  Canvas c(4, 64);
  const Colour bands[4] = {Rgb(255, 60, 40), Rgb(255, 200, 40), Rgb(40, 200, 255), Rgb(160, 60, 255)};
  for (int y = 0; y < 64; ++y) {
    const int band = y / 16;
    const float t = std::sin(kPi * (y % 16 + 0.5f) / 16);
    Colour col = Mix(Rgb(10, 0, 30), bands[band], t);
    col = Mix(col, Rgb(255, 255, 255), Smooth(0.85f, 1.0f, t) * 0.7f);
    for (int x = 0; x < 4; ++x) c.Over(x, y, col);
  }
  return c.ToImage(8);
}

// ---- fuzzer seeds ------------------------------------------------------------

using Bytes = std::vector<uint8_t>;

void Put16(Bytes& b, uint32_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(Bytes& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

// Bitmap with a 40-byte info header or a 124-byte V5 header (with masks); `pixels` holds
// the stored rows already padded.
Bytes Bmp(int w, int h, int bpp, uint32_t compression, bool v5, const std::vector<uint32_t>& palette,
          const Bytes& pixels) {
  const uint32_t header = v5 ? 124 : 40;
  const uint32_t offset = 14 + header + static_cast<uint32_t>(palette.size()) * 4;
  Bytes b = {'B', 'M'};
  Put32(b, offset + static_cast<uint32_t>(pixels.size()));
  Put32(b, 0);
  Put32(b, offset);
  Put32(b, header);
  Put32(b, static_cast<uint32_t>(w));
  Put32(b, static_cast<uint32_t>(h));
  Put16(b, 1);
  Put16(b, static_cast<uint32_t>(bpp));
  Put32(b, compression);
  Put32(b, static_cast<uint32_t>(pixels.size()));
  Put32(b, 2835);
  Put32(b, 2835);
  Put32(b, static_cast<uint32_t>(palette.size()));
  Put32(b, 0);
  if (v5) {
    for (uint32_t m : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u}) Put32(b, m);
    while (b.size() < 14 + header) b.push_back(0);
  }
  for (uint32_t c : palette) Put32(b, c);
  b.insert(b.end(), pixels.begin(), pixels.end());
  return b;
}

Bytes Dds(uint32_t w, uint32_t h, uint32_t pfFlags, const char* fourcc, uint32_t bits, const uint32_t masks[4],
          const Bytes& data) {
  Bytes b;
  Put32(b, 0x20534444);
  Put32(b, 124);
  Put32(b, 0x1007);
  Put32(b, h);
  Put32(b, w);
  for (int i = 0; i < 2; ++i) Put32(b, 0);
  Put32(b, 1);
  for (int i = 0; i < 11; ++i) Put32(b, 0);
  Put32(b, 32);
  Put32(b, pfFlags);
  if (fourcc) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(fourcc[i]));
  } else {
    Put32(b, 0);
  }
  Put32(b, bits);
  for (int i = 0; i < 4; ++i) Put32(b, masks ? masks[i] : 0);
  Put32(b, 0x1000);
  for (int i = 0; i < 4; ++i) Put32(b, 0);
  b.insert(b.end(), data.begin(), data.end());
  return b;
}

Bytes Jpeg(const Image& img, bool progressive, bool grey) {
  jpeg_compress_struct c;
  jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* mem = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &mem, &size);
  c.image_width = static_cast<JDIMENSION>(img.Width);
  c.image_height = static_cast<JDIMENSION>(img.Height);
  c.input_components = grey ? 1 : 3;
  c.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 75, TRUE);
  if (progressive) jpeg_simple_progression(&c);
  jpeg_start_compress(&c, TRUE);
  Bytes row(static_cast<size_t>(img.Width) * 3);
  while (c.next_scanline < c.image_height) {
    const uint8_t* src = img.Rgba.data() + static_cast<size_t>(c.next_scanline) * img.Width * 4;
    for (int x = 0; x < img.Width; ++x)
      for (int k = 0; k < (grey ? 1 : 3); ++k) row[x * (grey ? 1 : 3) + k] = src[x * 4 + k];
    JSAMPROW r = row.data();
    jpeg_write_scanlines(&c, &r, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  Bytes out(mem, mem + size);
  std::free(mem);
  return out;
}

bool WriteBytes(const fs::path& path, const Bytes& b) {
  FILE* f = std::fopen(path.string().c_str(), "wb");
  if (!f) return false;
  bool ok = !b.empty() && std::fwrite(b.data(), 1, b.size(), f) == b.size();
  ok = std::fclose(f) == 0 && ok;
  std::printf("%-40s %6zu bytes\n", path.string().c_str(), b.size());
  return ok;
}

bool WriteSeeds(const fs::path& dir) {
  fs::create_directories(dir);
  Image small = BlueBob();  // 32x32 with alpha
  Image tiny;
  tiny.Width = 8;
  tiny.Height = 8;
  for (size_t i = 0; i < 64; ++i) {
    tiny.Rgba.push_back(static_cast<uint8_t>(i * 4));
    tiny.Rgba.push_back(static_cast<uint8_t>(255 - i * 4));
    tiny.Rgba.push_back(static_cast<uint8_t>(i * 37));
    tiny.Rgba.push_back(static_cast<uint8_t>(i < 32 ? 255 : i * 3));
  }
  uint32_t lcg = 12345;
  auto noise = [&lcg](size_t n) {
    Bytes b(n);
    for (uint8_t& v : b) v = static_cast<uint8_t>((lcg = lcg * 1103515245u + 12345u) >> 16);
    return b;
  };
  Bytes rows24, rows32, rows8, rows4, rows1;
  for (int y = 7; y >= 0; --y) {  // bottom-up
    for (int x = 0; x < 8; ++x) {
      const uint8_t* p = tiny.Rgba.data() + (y * 8 + x) * 4;
      rows24.insert(rows24.end(), {p[2], p[1], p[0]});
      rows32.insert(rows32.end(), {p[2], p[1], p[0], p[3]});
      rows8.push_back(static_cast<uint8_t>((x + y) % 4));
    }
    rows4.insert(rows4.end(), {0x01, 0x23, 0x32, 0x10});
    rows1.insert(rows1.end(), {static_cast<uint8_t>(0xA5 >> (y & 1)), 0, 0, 0});
  }
  const std::vector<uint32_t> pal4 = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  const uint32_t argb[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
  const uint32_t lum[4] = {0xFF, 0, 0, 0};
  bool ok = true;
  ok &= WriteBytes(dir / "rgba.png", quellor::EncodePng(tiny));
  ok &= WriteBytes(dir / "ball.png", quellor::EncodePng(small));
  ok &= WriteBytes(dir / "baseline.jpg", Jpeg(small, false, false));
  ok &= WriteBytes(dir / "progressive.jpg", Jpeg(small, true, false));
  ok &= WriteBytes(dir / "grey.jpg", Jpeg(tiny, false, true));
  ok &= WriteBytes(dir / "rgb24.bmp", Bmp(8, 8, 24, 0, false, {}, rows24));
  ok &= WriteBytes(dir / "v5alpha.bmp", Bmp(8, -8, 32, 3, true, {}, rows32));
  ok &= WriteBytes(dir / "pal8.bmp", Bmp(8, 8, 8, 0, false, pal4, rows8));
  ok &= WriteBytes(dir / "pal4.bmp", Bmp(8, 8, 4, 0, false, pal4, rows4));
  ok &= WriteBytes(dir / "pal1.bmp", Bmp(8, 8, 1, 0, false, {0x000000, 0xFFFFFF}, rows1));
  ok &= WriteBytes(dir / "rle8.bmp", Bmp(8, 4, 8, 1, false, pal4, {4, 1, 0, 3, 2, 3, 1, 0, 0, 0, 0, 2, 2, 1, 8, 2, 0, 1}));
  ok &= WriteBytes(dir / "rle4.bmp", Bmp(8, 2, 4, 2, false, pal4, {8, 0x12, 0, 0, 0, 4, 0x30, 0x21, 0, 1}));
  ok &= WriteBytes(dir / "dxt1.dds", Dds(8, 8, 0x4, "DXT1", 0, nullptr, noise(32)));
  ok &= WriteBytes(dir / "dxt3.dds", Dds(8, 4, 0x4, "DXT3", 0, nullptr, noise(32)));
  ok &= WriteBytes(dir / "dxt5.dds", Dds(6, 5, 0x4, "DXT5", 0, nullptr, noise(64)));
  ok &= WriteBytes(dir / "argb.dds", Dds(4, 4, 0x41, nullptr, 32, argb, noise(64)));
  ok &= WriteBytes(dir / "lum8.dds", Dds(4, 4, 0x20000, nullptr, 8, lum, noise(16)));
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path root = argc > 1 ? fs::path(argv[1]) : fs::current_path();
  FT_Library lib;
  if (FT_Init_FreeType(&lib) != 0) {
    std::fprintf(stderr, "make_assets: FreeType did not start\n");
    return 1;
  }
  const fs::path data = root / "Data";
  bool ok = true;
  ok &= Save(data / "Bobs" / "Blue.png", BlueBob());
  ok &= Save(data / "Bobs" / "star.png", Star());
  ok &= Save(data / "Logo" / "quellor.png", Logo(lib));
  ok &= Save(data / "Fonts" / "font32.png", FontSheet(lib));
  ok &= Save(data / "Border" / "border.png", BorderPiece());
  ok &= Save(data / "Textures" / "background.png", Background());
  ok &= Save(data / "TrainerBar" / "bar.png", TrainerBar());
  ok &= Save(data / "Anim" / "spin.png", Spinner());
  ok &= Save(data / "Logo" / "raster.png", RasterWord(lib));
  ok &= Save(data / "Raster" / "copper.png", Copper());
  ok &= WriteSeeds(root / "fuzz" / "seeds" / "image");
  FT_Done_FreeType(lib);
  return ok ? 0 : 1;
}
