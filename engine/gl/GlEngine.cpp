#include "engine/gl/GlEngine.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "engine/D3DMatrix.h"
#include "engine/fx/FxTranslator.h"
#include "engine/gl/GlEffects.h"
#include "engine/gl/GlBlend.h"
#include "engine/gl/GlContextProbe.h"
#include "engine/gl/GlEntities.h"
#include "engine/gl/GlProgram.h"
#include "engine/gl/GlyphAtlas.h"
#include "engine/gl/QuadBatch.h"
#include "engine/gl/SpriteQuad.h"

namespace quellor {

namespace {
constexpr int kMaxPoints = 9999;
constexpr int kFontPixels = 13;
constexpr const char* kFontFamily = "DejaVu Sans";
constexpr int kTextShadowOffset = 1;  // pixels right and down

struct GpuTexture {
  GLuint Id = 0;
  uint64_t Version = 0;  // uploaded version of the CPU image; 0 = none yet
  int W = 0, H = 0;
  GLuint Fbo = 0;  // render targets only
};

void ArgbToRgba(uint32_t argb, uint8_t out[4]) {
  out[0] = static_cast<uint8_t>(argb >> 16);
  out[1] = static_cast<uint8_t>(argb >> 8);
  out[2] = static_cast<uint8_t>(argb);
  out[3] = static_cast<uint8_t>(argb >> 24);
}
}  // namespace

struct GlEngine::Gl {
  bool Ready = false;
  GLint MaxTextureSide = 0;
  GLuint QuadProgram = 0, PointProgram = 0;
  GLint QuadScreen = -1, QuadTex = -1;
  GLint PointWorldView = -1, PointProj = -1, PointViewportH = -1, PointTex = -1;
  GLuint ClampSampler = 0, RepeatSampler = 0;
  GLuint WhiteTexture = 0;  // 1 x 1 white: solid quads such as the screen fade
  GLuint PointVao = 0, PointVbo = 0;
  GLuint BackFbo = 0, BackColour = 0, BackDepth = 0;
  int BackW = 0, BackH = 0;
  QuadBatch Quads;
  GlEntities Entities;
  GlyphAtlas Font;
  bool FontTried = false;
  std::unordered_map<Handle, GpuTexture> Textures;
  GpuTexture Scratch;  // what screen effects draw into before it becomes the target
  std::unordered_set<Handle> Targets;
};

GlEngine::GlEngine(std::function<void()> present, bool offscreen)
    : present_(std::move(present)),
      offscreen_(offscreen || !present_),
      gl_(std::make_unique<Gl>()),
      effects_(std::make_unique<GlEffects>(*this)),
      translator_(std::make_unique<FxTranslator>(FxTranslatorOptions{{}, DefaultFxCacheDir(), 5000})) {
  // Entities with an effect are drawn through the effect's passes.
  SetEffectPassBinder(effects_.get());
}

GlEngine::~GlEngine() { ReleaseGl(); }

// ---- set-up -------------------------------------------------------------------

bool GlEngine::Open(int screenW, int screenH) {
  if (!EngineCore::Open(screenW, screenH)) return false;
  if (!InitGl()) return false;
  if (offscreen_ && !MakeBackBuffer()) return false;
  return true;
}

bool GlEngine::InitGl() {
  Gl& g = *gl_;
  if (g.Ready) return true;
  // Without a current context epoxy cannot tell which GL is meant and would abort.
  if (!GlContextIsCurrent()) {
    SetError(EngineError::NoDevice, " (no OpenGL context is current)");
    return false;
  }
  if (epoxy_gl_version() < 33 || epoxy_is_desktop_gl() == 0) {
    SetError(EngineError::NoDevice, " (OpenGL 3.3 core is required)");
    return false;
  }
  std::string log;
  g.QuadProgram = BuildProgram(kQuadVertexShader, kQuadFragmentShader, &log);
  if (g.QuadProgram) g.PointProgram = BuildProgram(kPointVertexShader, kPointFragmentShader, &log);
  if (g.PointProgram && !g.Entities.Init(&log)) {
    glDeleteProgram(g.PointProgram);
    g.PointProgram = 0;
  }
  if (!g.QuadProgram || !g.PointProgram) {
    SetError(EngineError::NoDevice, " (" + log + ")");
    if (g.QuadProgram) glDeleteProgram(g.QuadProgram);
    g.QuadProgram = 0;
    return false;
  }
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &g.MaxTextureSide);
  g.QuadScreen = glGetUniformLocation(g.QuadProgram, "u_screen");
  g.QuadTex = glGetUniformLocation(g.QuadProgram, "u_tex");
  g.PointWorldView = glGetUniformLocation(g.PointProgram, "u_worldView");
  g.PointProj = glGetUniformLocation(g.PointProgram, "u_proj");
  g.PointViewportH = glGetUniformLocation(g.PointProgram, "u_viewportH");
  g.PointTex = glGetUniformLocation(g.PointProgram, "u_tex");

  // Nearest texels: sprites at zoom 100 show their image pixel for pixel.
  glGenSamplers(1, &g.ClampSampler);
  glGenSamplers(1, &g.RepeatSampler);
  for (GLuint s : {g.ClampSampler, g.RepeatSampler}) {
    glSamplerParameteri(s, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glSamplerParameteri(s, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    GLint wrap = s == g.ClampSampler ? GL_CLAMP_TO_EDGE : GL_REPEAT;
    glSamplerParameteri(s, GL_TEXTURE_WRAP_S, wrap);
    glSamplerParameteri(s, GL_TEXTURE_WRAP_T, wrap);
  }
  g.Quads.Init();
  const uint8_t white[4] = {255, 255, 255, 255};
  glGenTextures(1, &g.WhiteTexture);
  glBindTexture(GL_TEXTURE_2D, g.WhiteTexture);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);
  glBindTexture(GL_TEXTURE_2D, 0);

  glGenVertexArrays(1, &g.PointVao);
  glGenBuffers(1, &g.PointVbo);
  glBindVertexArray(g.PointVao);
  glBindBuffer(GL_ARRAY_BUFFER, g.PointVbo);
  glBufferData(GL_ARRAY_BUFFER, kMaxPoints * sizeof(PointVertex), nullptr, GL_DYNAMIC_DRAW);
  glEnableVertexAttribArray(0);
  glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(PointVertex), nullptr);
  glEnableVertexAttribArray(1);
  glVertexAttribPointer(1, 1, GL_FLOAT, GL_FALSE, sizeof(PointVertex),
                        reinterpret_cast<void*>(offsetof(PointVertex, Size)));
  glEnableVertexAttribArray(2);
  glVertexAttribPointer(2, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(PointVertex),
                        reinterpret_cast<void*>(offsetof(PointVertex, Colour)));
  glBindVertexArray(0);
  glBindBuffer(GL_ARRAY_BUFFER, 0);

  if (!g.FontTried) {
    g.FontTried = true;
    std::string why;
    if (!g.Font.Open(kFontFamily, kFontPixels, &why)) SetError(EngineError::Font, " (" + why + ")");
  }
  g.Ready = true;
  return true;
}

bool GlEngine::MakeBackBuffer() {
  Gl& g = *gl_;
  if (g.BackFbo && g.BackW == screenW_ && g.BackH == screenH_) return true;
  if (g.BackFbo) glDeleteFramebuffers(1, &g.BackFbo);
  if (g.BackColour) glDeleteRenderbuffers(1, &g.BackColour);
  if (g.BackDepth) glDeleteRenderbuffers(1, &g.BackDepth);
  glGenFramebuffers(1, &g.BackFbo);
  glGenRenderbuffers(1, &g.BackColour);
  glGenRenderbuffers(1, &g.BackDepth);
  glBindRenderbuffer(GL_RENDERBUFFER, g.BackColour);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, screenW_, screenH_);
  glBindRenderbuffer(GL_RENDERBUFFER, g.BackDepth);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, screenW_, screenH_);
  glBindFramebuffer(GL_FRAMEBUFFER, g.BackFbo);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, g.BackColour);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                            g.BackDepth);
  GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
  if (status != GL_FRAMEBUFFER_COMPLETE) {
    SetError(EngineError::BackBuffer);
    return false;
  }
  g.BackW = screenW_;
  g.BackH = screenH_;
  // Start from an opaque black screen, as a freshly created device shows.
  glViewport(0, 0, screenW_, screenH_);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  return true;
}

void GlEngine::ReleaseGl() {
  Gl& g = *gl_;
  if (!g.Ready) return;
  if (!GlContextIsCurrent()) {
    // The context went first and took every object with it.
    g.Textures.clear();
    g.Scratch = GpuTexture{};
    effects_->ReleaseAll(false);
    g.Entities.Abandon();
    g.Ready = false;
    return;
  }
  effects_->ReleaseAll(true);
  for (GpuTexture* t : {&g.Scratch}) {
    if (t->Fbo) glDeleteFramebuffers(1, &t->Fbo);
    if (t->Id) glDeleteTextures(1, &t->Id);
    *t = GpuTexture{};
  }
  for (auto& [h, t] : g.Textures) {
    if (t.Fbo) glDeleteFramebuffers(1, &t.Fbo);
    if (t.Id) glDeleteTextures(1, &t.Id);
  }
  g.Textures.clear();
  g.Quads.Release();
  g.Entities.Release();
  g.Font.ReleaseTexture();
  if (g.QuadProgram) glDeleteProgram(g.QuadProgram);
  if (g.PointProgram) glDeleteProgram(g.PointProgram);
  if (g.ClampSampler) glDeleteSamplers(1, &g.ClampSampler);
  if (g.RepeatSampler) glDeleteSamplers(1, &g.RepeatSampler);
  if (g.WhiteTexture) glDeleteTextures(1, &g.WhiteTexture);
  g.WhiteTexture = 0;
  if (g.PointVao) glDeleteVertexArrays(1, &g.PointVao);
  if (g.PointVbo) glDeleteBuffers(1, &g.PointVbo);
  if (g.BackFbo) glDeleteFramebuffers(1, &g.BackFbo);
  if (g.BackColour) glDeleteRenderbuffers(1, &g.BackColour);
  if (g.BackDepth) glDeleteRenderbuffers(1, &g.BackDepth);
  g.QuadProgram = g.PointProgram = g.ClampSampler = g.RepeatSampler = 0;
  g.PointVao = g.PointVbo = g.BackFbo = g.BackColour = g.BackDepth = 0;
  g.BackW = g.BackH = 0;
  g.Ready = false;
}

unsigned GlEngine::BackBufferFramebuffer() const { return gl_->BackFbo; }

bool GlEngine::GlReady() const { return gl_->Ready; }

// ---- textures -------------------------------------------------------------------

void GlEngine::OnTextureChanged(Handle) {
  // Pixels reach the GPU when the texture is next drawn (GlTexture compares versions).
}

void GlEngine::OnTextureFreed(Handle tex) {
  Gl& g = *gl_;
  g.Targets.erase(tex);
  auto it = g.Textures.find(tex);
  if (it == g.Textures.end()) return;
  if (g.Ready) {
    if (it->second.Fbo) glDeleteFramebuffers(1, &it->second.Fbo);
    if (it->second.Id) glDeleteTextures(1, &it->second.Id);
  }
  g.Textures.erase(it);
}

unsigned GlEngine::GlTexture(Handle tex) {
  Gl& g = *gl_;
  if (!g.Ready) return 0;
  const TextureData* td = Texture(tex);
  if (!td) return 0;
  GpuTexture& t = g.Textures[tex];
  if (t.Id && t.Version == td->Version) return t.Id;
  const Image& img = td->Pixels;
  // An image the GPU cannot hold is not drawn at all rather than drawn as a black box.
  if (img.Width > g.MaxTextureSide || img.Height > g.MaxTextureSide) return 0;
  if (!t.Id) glGenTextures(1, &t.Id);
  glBindTexture(GL_TEXTURE_2D, t.Id);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  // Row 0 of the image goes to t = 0: every engine texture, render targets included,
  // holds its top row first.
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, img.Width, img.Height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
               img.Rgba.data());
  t.W = img.Width;
  t.H = img.Height;
  t.Version = td->Version;
  if (g.Targets.count(tex) && !t.Fbo) {
    glGenFramebuffers(1, &t.Fbo);
    glBindFramebuffer(GL_FRAMEBUFFER, t.Fbo);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, t.Id, 0);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
      glDeleteFramebuffers(1, &t.Fbo);
      t.Fbo = 0;
      SetError(EngineError::BackBuffer);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, BackBufferFramebuffer());
  }
  return t.Id;
}

Handle GlEngine::CreateRenderTarget(int w, int h) {
  Image img;
  img.Width = std::clamp(w, 1, 16384);
  img.Height = std::clamp(h, 1, 16384);
  // Opaque black, like a fresh X8R8G8B8 surface: copies back to the screen keep it opaque.
  img.Rgba.assign(static_cast<size_t>(img.Width) * img.Height * 4, 0);
  for (size_t i = 3; i < img.Rgba.size(); i += 4) img.Rgba[i] = 255;
  Handle target = AddTexture(std::move(img));
  gl_->Targets.insert(target);
  GlTexture(target);
  return target;
}

void GlEngine::FreeRenderTarget(Handle target) {
  if (IsRenderTarget(target)) FreeTexture(target);
}

bool GlEngine::IsRenderTarget(Handle tex) const { return gl_->Targets.count(tex) != 0; }

unsigned GlEngine::TargetFramebuffer(Handle target) const {
  if (!IsRenderTarget(target)) return 0;
  auto it = gl_->Textures.find(target);
  return it == gl_->Textures.end() ? 0 : it->second.Fbo;
}

// ---- quad passes ------------------------------------------------------------------

void GlEngine::BeginQuadPass(int fbW, int fbH, bool topRowFirst) {
  Gl& g = *gl_;
  glViewport(0, 0, fbW, fbH);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glDisable(GL_SCISSOR_TEST);
  glEnable(GL_BLEND);
  glDepthMask(GL_TRUE);
  glUseProgram(g.QuadProgram);
  glActiveTexture(GL_TEXTURE0);
  glUniform1i(g.QuadTex, 0);
  // Quads are in screen pixels whatever the framebuffer size.
  const float w = static_cast<float>(std::max(1, screenW_));
  const float h = static_cast<float>(std::max(1, screenH_));
  if (topRowFirst)
    glUniform4f(g.QuadScreen, 2.0f / w, 2.0f / h, 0.0f, -1.0f);
  else
    glUniform4f(g.QuadScreen, 2.0f / w, -2.0f / h, 0.0f, 1.0f);
}

void GlEngine::QueueBackdrops() {
  Gl& g = *gl_;
  std::vector<Handle>& order = backdropOrder_;
  order.clear();
  for (const auto& [h, b] : backdrops_) order.push_back(h);
  std::sort(order.begin(), order.end());  // creation order
  const float sw = static_cast<float>(screenW_), sh = static_cast<float>(screenH_);
  const float xs[4] = {0, sw, sw, 0};
  const float ys[4] = {0, 0, sh, sh};
  const uint8_t white[4] = {255, 255, 255, 255};
  for (Handle h : order) {
    const BackdropData& b = backdrops_.at(h);
    GLuint id = GlTexture(b.Texture);
    const TextureData* td = Texture(b.Texture);
    if (!id || !td) continue;
    const float u0 = static_cast<float>(b.OffsetX) / static_cast<float>(td->Pixels.Width);
    const float v0 = static_cast<float>(b.OffsetY) / static_cast<float>(td->Pixels.Height);
    g.Quads.Add(id, g.RepeatSampler, MapD3DBlend(5, 6), xs, ys, u0, v0, u0 + 1.0f, v0 + 1.0f,
                white);
  }
}

void GlEngine::QueueSprites() {
  Gl& g = *gl_;
  Handle lastTex = 0;
  GLuint lastId = 0;
  float invW = 1, invH = 1;
  DrainQueue([&](Handle, const SpriteData& s, const QueuedDraw& d) {
    if (s.Texture != lastTex || !lastId) {
      const TextureData* td = Texture(s.Texture);
      lastTex = s.Texture;
      lastId = td ? GlTexture(s.Texture) : 0;
      if (td) {
        invW = 1.0f / static_cast<float>(td->Pixels.Width);
        invH = 1.0f / static_cast<float>(td->Pixels.Height);
      }
    }
    if (!lastId) return;  // the sprite's texture was freed under it
    int fx, fy, fw, fh;
    FrameRect(s, d.Frame, &fx, &fy, &fw, &fh);
    SpriteCorners c = PlaceSprite(d.X, d.Y, fw, fh, d.ZoomX, d.ZoomY, d.RotationRad);
    const uint8_t colour[4] = {255, 255, 255, static_cast<uint8_t>(d.Alpha)};
    g.Quads.Add(lastId, g.ClampSampler, MapD3DBlend(d.SrcBlend, d.DestBlend), c.X, c.Y,
                static_cast<float>(fx) * invW, static_cast<float>(fy) * invH,
                static_cast<float>(fx + fw) * invW, static_cast<float>(fy + fh) * invH, colour);
  });
}

void GlEngine::QueueTexts() {
  Gl& g = *gl_;
  std::span<const QueuedText> texts = QueuedTexts();
  if (texts.empty() || !g.Font.IsOpen()) {
    ClearTexts();
    return;
  }
  std::vector<uint32_t>& cps = decodedScratch_;
  // Rasterise first: the atlas may grow, which changes every glyph's coordinates.
  for (const QueuedText& t : texts) {
    DecodeTextInto(t.Text, cps);
    for (uint32_t cp : cps)
      if (cp != '\n' && cp != '\r') g.Font.Glyph(cp);
  }
  GLuint atlas = g.Font.Texture();
  const float iw = 1.0f / static_cast<float>(g.Font.AtlasWidth());
  const float ih = 1.0f / static_cast<float>(g.Font.AtlasHeight());
  const GlBlendPair blend = MapD3DBlend(5, 6);
  // One run of the text's glyphs, moved by (dx, dy), in one colour.
  auto addGlyphs = [&](const QueuedText& t, int dx, int dy, const uint8_t colour[4]) {
    int penX = t.X + dx;
    int baseline = t.Y + dy + g.Font.Ascender();
    for (uint32_t cp : cps) {
      if (cp == '\n') {
        penX = t.X + dx;
        baseline += g.Font.LineHeight();
        continue;
      }
      if (cp == '\r') continue;
      const AtlasGlyph& gl = g.Font.Glyph(cp);
      if (gl.W > 0) {
        const float x0 = static_cast<float>(penX + gl.Left);
        const float y0 = static_cast<float>(baseline - gl.Top);
        const float x1 = x0 + static_cast<float>(gl.W), y1 = y0 + static_cast<float>(gl.H);
        const float xs[4] = {x0, x1, x1, x0};
        const float ys[4] = {y0, y0, y1, y1};
        g.Quads.Add(atlas, g.ClampSampler, blend, xs, ys, static_cast<float>(gl.X) * iw,
                    static_cast<float>(gl.Y) * ih, static_cast<float>(gl.X + gl.W) * iw,
                    static_cast<float>(gl.Y + gl.H) * ih, colour);
      }
      penX += gl.Advance;
    }
  };
  for (const QueuedText& t : texts) {
    uint8_t colour[4];
    ArgbToRgba(t.Argb, colour);
    // Texts lie straight on the picture: a dark copy one pixel down and right keeps
    // them readable over bright and busy areas. It shares the text's alpha and batch.
    const uint8_t shadow[4] = {0, 0, 0, colour[3]};
    DecodeTextInto(t.Text, cps);
    addGlyphs(t, kTextShadowOffset, kTextShadowOffset, shadow);
    addGlyphs(t, 0, 0, colour);
  }
  ClearTexts();
}

std::string GlEngine::FontFile() const { return gl_->Font.FontFile(); }

// ---- frame ------------------------------------------------------------------------

void GlEngine::RenderWorld() {
  Gl& g = *gl_;
  if (!g.Ready) {
    // Nothing to draw on, but the queues must not grow from frame to frame.
    DrainQueue([](Handle, const SpriteData&, const QueuedDraw&) {});
    ClearTexts();
    return;
  }
  glBindFramebuffer(GL_FRAMEBUFFER, g.BackFbo);
  glViewport(0, 0, screenW_, screenH_);
  glDisable(GL_SCISSOR_TEST);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glDepthMask(GL_TRUE);
  uint8_t c[4];
  ArgbToRgba(clearColor_, c);
  // Alpha 1: the screen is opaque whatever the clear colour's alpha says.
  glClearColor(c[0] / 255.0f, c[1] / 255.0f, c[2] / 255.0f, 1.0f);
  glClearDepth(1.0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

  // Backdrop, then the entities over it, then the queued sprites and texts on top.
  BeginQuadPass(screenW_, screenH_, false);
  QueueBackdrops();
  lastDrawCalls_ = g.Quads.Draw();
  lastEntitiesDrawn_ = g.Entities.Draw(*this);
  if (lastEntitiesDrawn_ > 0) BeginQuadPass(screenW_, screenH_, false);
  QueueSprites();
  QueueTexts();
  lastDrawCalls_ += g.Quads.Draw();
}

void GlEngine::FlushText() {
  Gl& g = *gl_;
  if (!g.Ready) {
    ClearTexts();
    return;
  }
  glBindFramebuffer(GL_FRAMEBUFFER, g.BackFbo);
  BeginQuadPass(screenW_, screenH_, false);
  QueueTexts();
  lastDrawCalls_ = g.Quads.Draw();
}

void GlEngine::RenderOverlayToTarget(Handle target) {
  Gl& g = *gl_;
  GLuint fbo = IsRenderTarget(target) && GlTexture(target) ? TargetFramebuffer(target) : 0;
  if (!fbo) {
    // No such target: the overlay is dropped rather than left to pile up.
    DrainQueue([](Handle, const SpriteData&, const QueuedDraw&) {});
    ClearTexts();
    return;
  }
  const GpuTexture& t = g.Textures.at(target);
  glBindFramebuffer(GL_FRAMEBUFFER, fbo);
  BeginQuadPass(t.W, t.H, true);
  QueueSprites();
  QueueTexts();
  lastDrawCalls_ = g.Quads.Draw();
  glBindFramebuffer(GL_FRAMEBUFFER, g.BackFbo);
}

void GlEngine::GrabScreen(Handle target) {
  Gl& g = *gl_;
  GLuint fbo = IsRenderTarget(target) && GlTexture(target) ? TargetFramebuffer(target) : 0;
  if (!fbo) return;
  const GpuTexture& t = g.Textures.at(target);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, g.BackFbo);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, fbo);
  // The back buffer holds its bottom row first, targets their top row: flip.
  glBlitFramebuffer(0, 0, screenW_, screenH_, 0, t.H, t.W, 0, GL_COLOR_BUFFER_BIT, GL_NEAREST);
  glBindFramebuffer(GL_FRAMEBUFFER, g.BackFbo);
}

void GlEngine::CopyTargetToScreen(Handle target) {
  Gl& g = *gl_;
  GLuint fbo = IsRenderTarget(target) && GlTexture(target) ? TargetFramebuffer(target) : 0;
  if (!fbo) return;
  const GpuTexture& t = g.Textures.at(target);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, fbo);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, g.BackFbo);
  glBlitFramebuffer(0, 0, t.W, t.H, 0, screenH_, screenW_, 0, GL_COLOR_BUFFER_BIT, GL_NEAREST);
  glBindFramebuffer(GL_FRAMEBUFFER, g.BackFbo);
}

unsigned GlEngine::ScratchFramebuffer(Handle target) {
  Gl& g = *gl_;
  if (!g.Ready || !IsRenderTarget(target) || !GlTexture(target)) return 0;
  const GpuTexture& t = g.Textures.at(target);
  GpuTexture& s = g.Scratch;
  if (s.Fbo && s.W == t.W && s.H == t.H) return s.Fbo;
  if (!s.Id) glGenTextures(1, &s.Id);
  glBindTexture(GL_TEXTURE_2D, s.Id);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, t.W, t.H, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
  glBindTexture(GL_TEXTURE_2D, 0);
  if (!s.Fbo) glGenFramebuffers(1, &s.Fbo);
  glBindFramebuffer(GL_FRAMEBUFFER, s.Fbo);
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, s.Id, 0);
  const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  glBindFramebuffer(GL_FRAMEBUFFER, g.BackFbo);
  if (!complete) return 0;
  s.W = t.W;
  s.H = t.H;
  return s.Fbo;
}

void GlEngine::SwapScratchInto(Handle target) {
  Gl& g = *gl_;
  auto it = g.Textures.find(target);
  if (it == g.Textures.end()) return;
  std::swap(it->second.Id, g.Scratch.Id);
  std::swap(it->second.Fbo, g.Scratch.Fbo);
}

void GlEngine::DrawPoints(const PointVertex* pts, int count, Handle tex, const float* world16) {
  Gl& g = *gl_;
  if (!g.Ready || !pts || count <= 0) return;
  count = std::min(count, kMaxPoints);
  GLuint texId = GlTexture(tex);
  if (!texId) return;
  D3DMatrix world = MatrixIdentity();
  if (world16) std::copy(world16, world16 + 16, world.begin());
  const D3DMatrix worldView = MatrixMultiply(world, View());

  glBindFramebuffer(GL_FRAMEBUFFER, g.BackFbo);
  glViewport(0, 0, screenW_, screenH_);
  glUseProgram(g.PointProgram);
  glUniformMatrix4fv(g.PointWorldView, 1, GL_FALSE, worldView.data());
  glUniformMatrix4fv(g.PointProj, 1, GL_FALSE, Projection().data());
  glUniform1f(g.PointViewportH, static_cast<float>(screenH_));
  glUniform1i(g.PointTex, 0);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, texId);
  glBindSampler(0, g.ClampSampler);
  glEnable(GL_PROGRAM_POINT_SIZE);
  glEnable(GL_BLEND);
  glBlendFuncSeparate(GL_ONE, GL_ONE, GL_ZERO, GL_ONE);  // additive; alpha stays opaque
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glDepthMask(GL_FALSE);

  glBindVertexArray(g.PointVao);
  glBindBuffer(GL_ARRAY_BUFFER, g.PointVbo);
  glBufferData(GL_ARRAY_BUFFER, kMaxPoints * sizeof(PointVertex), nullptr, GL_DYNAMIC_DRAW);
  glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(count) * sizeof(PointVertex), pts);
  glDrawArrays(GL_POINTS, 0, count);
  glBindVertexArray(0);

  glDepthMask(GL_TRUE);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_PROGRAM_POINT_SIZE);
}

void GlEngine::SetEffectPassBinder(EffectPassBinder* binder) { gl_->Entities.SetEffectPassBinder(binder); }

void GlEngine::OnEntityFreed(Handle entity) {
  if (gl_->Ready && GlContextIsCurrent()) gl_->Entities.Forget(entity);
}

void GlEngine::DrawScreenFade() {
  Gl& g = *gl_;
  const float fade = ScreenFade();
  if (fade >= 1.0f) return;
  glBindFramebuffer(GL_FRAMEBUFFER, g.BackFbo);
  BeginQuadPass(screenW_, screenH_, false);
  const float sw = static_cast<float>(screenW_), sh = static_cast<float>(screenH_);
  const float xs[4] = {0, sw, sw, 0};
  const float ys[4] = {0, 0, sh, sh};
  const uint8_t black[4] = {0, 0, 0, static_cast<uint8_t>(std::lrint((1.0f - fade) * 255.0f))};
  g.Quads.Add(g.WhiteTexture, g.ClampSampler, MapD3DBlend(5, 6), xs, ys, 0, 0, 1, 1, black);
  g.Quads.Draw();
}

void GlEngine::FlipBuffers() {
  if (gl_->Ready) {
    DrawScreenFade();
    if (present_)
      present_();
    else
      glFlush();
  }
  EngineCore::FlipBuffers();
}

Image GlEngine::ReadScreen() {
  Image img;
  Gl& g = *gl_;
  if (!g.Ready || screenW_ <= 0 || screenH_ <= 0) return img;
  img.Width = screenW_;
  img.Height = screenH_;
  const size_t row = static_cast<size_t>(screenW_) * 4;
  std::vector<uint8_t> raw(row * screenH_);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, g.BackFbo);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glReadPixels(0, 0, screenW_, screenH_, GL_RGBA, GL_UNSIGNED_BYTE, raw.data());
  img.Rgba.resize(raw.size());
  for (int y = 0; y < screenH_; ++y)
    std::memcpy(&img.Rgba[static_cast<size_t>(y) * row],
                &raw[static_cast<size_t>(screenH_ - 1 - y) * row], row);
  return img;
}

}  // namespace quellor
