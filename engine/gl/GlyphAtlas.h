#pragma once
// The engine's text font: a face found through fontconfig, rendered with FreeType at
// a fixed pixel size, glyphs packed on demand into one single-channel atlas texture.
#include <epoxy/gl.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quellor {

struct AtlasGlyph {
  int X = 0, Y = 0, W = 0, H = 0;  // cell in the atlas
  int Left = 0, Top = 0;           // bitmap offset from the pen position (Top: above baseline)
  int Advance = 0;
};

class GlyphAtlas {
 public:
  GlyphAtlas() = default;
  GlyphAtlas(const GlyphAtlas&) = delete;
  GlyphAtlas& operator=(const GlyphAtlas&) = delete;
  ~GlyphAtlas();

  // Looks up `family` (a fontconfig pattern such as "DejaVu Sans") and opens it at
  // `pixelSize`. False with a reason in `error` when no font can be opened.
  bool Open(const std::string& family, int pixelSize, std::string* error);
  bool IsOpen() const { return face_ != nullptr; }
  const std::string& FontFile() const { return fontFile_; }

  // Glyph of a code point, rasterised into the atlas on first use; a missing glyph
  // gives the face's replacement glyph.
  const AtlasGlyph& Glyph(uint32_t codePoint);
  int Ascender() const { return ascender_; }
  int LineHeight() const { return lineHeight_; }

  // GL texture of the atlas with every glyph rasterised so far (needs a context).
  GLuint Texture();
  int AtlasWidth() const { return width_; }
  int AtlasHeight() const { return height_; }
  void ReleaseTexture();

 private:
  void Place(int w, int h, int* x, int* y);

  void* library_ = nullptr;  // FT_Library
  void* face_ = nullptr;     // FT_Face
  std::string fontFile_;
  int ascender_ = 0, lineHeight_ = 0;
  int width_ = 512, height_ = 256;
  std::vector<uint8_t> pixels_;
  int shelfX_ = 1, shelfY_ = 1, shelfH_ = 0;
  std::unordered_map<uint32_t, AtlasGlyph> glyphs_;
  GLuint texture_ = 0;
  int textureH_ = 0;
  bool dirty_ = true;
};

// Decodes UTF-8; bytes that do not form a valid sequence stand for themselves
// (Latin-1), so texts from older files still show their accented letters.
std::vector<uint32_t> DecodeText(std::string_view text);
// Same, into a vector whose storage is reused.
void DecodeTextInto(std::string_view text, std::vector<uint32_t>& out);

}  // namespace quellor
