#include "engine/gl/GlyphAtlas.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstring>

namespace quellor {

namespace {
constexpr int kMaxAtlasHeight = 4096;

FT_Face AsFace(void* f) { return static_cast<FT_Face>(f); }

std::string FindFontFile(const std::string& family) {
  std::string path;
  FcPattern* pat = FcNameParse(reinterpret_cast<const FcChar8*>(family.c_str()));
  if (!pat) return path;
  FcConfigSubstitute(nullptr, pat, FcMatchPattern);
  FcDefaultSubstitute(pat);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pat, &result);
  if (match) {
    FcChar8* file = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file)
      path = reinterpret_cast<const char*>(file);
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pat);
  return path;
}
}  // namespace

GlyphAtlas::~GlyphAtlas() {
  if (face_) FT_Done_Face(AsFace(face_));
  if (library_) FT_Done_FreeType(static_cast<FT_Library>(library_));
}

bool GlyphAtlas::Open(const std::string& family, int pixelSize, std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  if (face_) return true;
  std::string file = FindFontFile(family);
  if (file.empty()) return fail("no font matches \"" + family + "\"");
  FT_Library lib = nullptr;
  if (FT_Init_FreeType(&lib) != 0) return fail("FreeType cannot start");
  library_ = lib;
  FT_Face face = nullptr;
  if (FT_New_Face(lib, file.c_str(), 0, &face) != 0) return fail("cannot open font " + file);
  face_ = face;
  if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) != 0) {
    FT_Done_Face(face);
    face_ = nullptr;
    return fail("font " + file + " has no size " + std::to_string(pixelSize));
  }
  fontFile_ = file;
  ascender_ = static_cast<int>((face->size->metrics.ascender + 63) >> 6);
  lineHeight_ = static_cast<int>((face->size->metrics.height + 63) >> 6);
  pixels_.assign(static_cast<size_t>(width_) * height_, 0);
  return true;
}

void GlyphAtlas::Place(int w, int h, int* x, int* y) {
  if (shelfX_ + w + 1 > width_) {
    shelfX_ = 1;
    shelfY_ += shelfH_ + 1;
    shelfH_ = 0;
  }
  if (shelfY_ + h + 1 > height_) {
    if (height_ * 2 <= kMaxAtlasHeight) {
      height_ *= 2;
      pixels_.resize(static_cast<size_t>(width_) * height_, 0);
    } else {
      // Full: start over; the glyphs still in use are rasterised again on demand.
      glyphs_.clear();
      std::fill(pixels_.begin(), pixels_.end(), 0);
      shelfX_ = shelfY_ = 1;
      shelfH_ = 0;
    }
  }
  *x = shelfX_;
  *y = shelfY_;
  shelfX_ += w + 1;
  shelfH_ = std::max(shelfH_, h);
}

const AtlasGlyph& GlyphAtlas::Glyph(uint32_t codePoint) {
  auto it = glyphs_.find(codePoint);
  if (it != glyphs_.end()) return it->second;
  AtlasGlyph g;
  FT_Face face = AsFace(face_);
  if (face && FT_Load_Char(face, codePoint, FT_LOAD_RENDER) == 0) {
    const FT_Bitmap& bm = face->glyph->bitmap;
    g.Advance = static_cast<int>((face->glyph->advance.x + 63) >> 6);
    g.Left = face->glyph->bitmap_left;
    g.Top = face->glyph->bitmap_top;
    int w = static_cast<int>(bm.width), h = static_cast<int>(bm.rows);
    if (w > 0 && h > 0 && w < width_ - 2 && h < kMaxAtlasHeight / 4 &&
        bm.pixel_mode == FT_PIXEL_MODE_GRAY) {
      Place(w, h, &g.X, &g.Y);
      for (int row = 0; row < h; ++row) {
        const uint8_t* src = bm.buffer + static_cast<ptrdiff_t>(row) * bm.pitch;
        std::memcpy(&pixels_[static_cast<size_t>(g.Y + row) * width_ + g.X], src,
                    static_cast<size_t>(w));
      }
      g.W = w;
      g.H = h;
      dirty_ = true;
    }
  }
  return glyphs_[codePoint] = g;
}

GLuint GlyphAtlas::Texture() {
  if (!texture_) {
    glGenTextures(1, &texture_);
    glBindTexture(GL_TEXTURE_2D, texture_);
    // Coverage in red; as a texture it reads white with coverage as alpha, so text
    // goes through the same colour-modulating shader as sprites.
    const GLint swizzle[4] = {GL_ONE, GL_ONE, GL_ONE, GL_RED};
    glTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_RGBA, swizzle);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    textureH_ = 0;
    dirty_ = true;
  }
  if (dirty_) {
    glBindTexture(GL_TEXTURE_2D, texture_);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (textureH_ != height_) {
      glTexImage2D(GL_TEXTURE_2D, 0, GL_R8, width_, height_, 0, GL_RED, GL_UNSIGNED_BYTE,
                   pixels_.data());
      textureH_ = height_;
    } else {
      glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width_, height_, GL_RED, GL_UNSIGNED_BYTE,
                      pixels_.data());
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    dirty_ = false;
  }
  return texture_;
}

void GlyphAtlas::ReleaseTexture() {
  if (texture_) glDeleteTextures(1, &texture_);
  texture_ = 0;
  textureH_ = 0;
  dirty_ = true;
}

std::vector<uint32_t> DecodeText(std::string_view text) {
  std::vector<uint32_t> out;
  DecodeTextInto(text, out);
  return out;
}

void DecodeTextInto(std::string_view text, std::vector<uint32_t>& out) {
  out.clear();
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  const size_t n = text.size();
  size_t i = 0;
  while (i < n) {
    unsigned char c = s[i];
    int extra = c >= 0xF0 && c < 0xF5 ? 3 : c >= 0xE0 ? 2 : c >= 0xC2 && c < 0xE0 ? 1 : 0;
    if (c < 0x80 || extra == 0 || i + extra >= n) {
      out.push_back(c);
      ++i;
      continue;
    }
    uint32_t cp = c & (0x3F >> extra);
    bool ok = true;
    for (int k = 1; k <= extra; ++k) {
      unsigned char cc = s[i + k];
      if ((cc & 0xC0) != 0x80) {
        ok = false;
        break;
      }
      cp = (cp << 6) | (cc & 0x3F);
    }
    // Overlong forms, surrogates and values past Unicode are not valid UTF-8.
    static const uint32_t kMin[4] = {0, 0x80, 0x800, 0x10000};
    if (!ok || cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      out.push_back(c);
      ++i;
      continue;
    }
    out.push_back(cp);
    i += static_cast<size_t>(extra) + 1;
  }
}

}  // namespace quellor
