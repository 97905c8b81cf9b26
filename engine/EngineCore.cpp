#include "engine/EngineCore.h"

#include <algorithm>
#include <cmath>

#include "engine/EngineErrors.h"
#include "engine/image/ImageCodec.h"

namespace quellor {

namespace {
constexpr float kDegToRad = 0.017453f;

}  // namespace

EngineCore::EngineCore() : clock_(&SystemClock()) {
  matrix_ = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
}

bool EngineCore::Open(int screenW, int screenH) {
  if (screenW <= 0 || screenH <= 0) {
    SetError(EngineError::NoDevice);
    return false;
  }
  screenW_ = screenW;
  screenH_ = screenH;
  lastFlip_ = clock_->Now100ns();
  UpdateProjection();
  return true;
}

int EngineCore::Wrap(int v, int size) {
  if (size <= 0) return 0;
  v %= size;
  return v < 0 ? v + size : v;
}

void EngineCore::SetError(EngineError n, const std::string& extra) {
  lastError_ = static_cast<int>(n);
  errorExtra_ = extra;
}

bool EngineCore::ReadFile(const std::string& path, std::vector<uint8_t>& out, size_t maxBytes) {
  auto it = mounted_.find(path);
  if (it == mounted_.end()) return ReadWholeFile(path, out, maxBytes);
  if (it->second.size() > maxBytes) return false;
  out = it->second;
  return true;
}

void EngineCore::MountFile(const std::string& name, std::vector<uint8_t> bytes) {
  mounted_[name] = std::move(bytes);
}

bool EngineCore::IsMounted(const std::string& name) const { return mounted_.count(name) != 0; }

std::string EngineCore::ErrorText() const { return EngineErrorMessage(lastError_) + errorExtra_; }

// ---- textures -------------------------------------------------------------

Handle EngineCore::AddTexture(Image img) {
  Handle h = NewHandle();
  textures_[h].Pixels = std::move(img);
  OnTextureChanged(h);
  return h;
}

Handle EngineCore::LoadTexture(const std::string& path) {
  Image img;
  std::vector<uint8_t> bytes;
  if (!ReadFile(path, bytes, kMaxImageFileBytes) || !DecodeImage(bytes.data(), bytes.size(), img)) {
    SetError(EngineError::ImageLoad);
    return 0;
  }
  return AddTexture(std::move(img));
}

Handle EngineCore::TextureFromMemory(const uint8_t* data, size_t size) {
  Image img;
  if (!DecodeImage(data, size, img)) {
    SetError(EngineError::ImageLoad);
    return 0;
  }
  return AddTexture(std::move(img));
}

Handle EngineCore::TextureFromImage(const Image& img) {
  if (img.Width <= 0 || img.Height <= 0 ||
      img.Rgba.size() < static_cast<size_t>(img.Width) * img.Height * 4) {
    SetError(EngineError::ImageLoad);
    return 0;
  }
  return AddTexture(img);
}

const TextureData* EngineCore::Texture(Handle tex) const {
  auto it = textures_.find(tex);
  return it == textures_.end() ? nullptr : &it->second;
}

int EngineCore::TextureWidth(Handle tex) const {
  const TextureData* t = Texture(tex);
  return t ? t->Pixels.Width : 0;
}

int EngineCore::TextureHeight(Handle tex) const {
  const TextureData* t = Texture(tex);
  return t ? t->Pixels.Height : 0;
}

bool EngineCore::ResizeTexture(Handle tex, int w, int h) { return Reshape(tex, w, h, false); }
bool EngineCore::TileTexture(Handle tex, int w, int h) { return Reshape(tex, w, h, true); }

bool EngineCore::Reshape(Handle tex, int w, int h, bool tile) {
  auto it = textures_.find(tex);
  if (it == textures_.end() || w <= 0 || h <= 0 || w > kMaxImageSide || h > kMaxImageSide) return false;
  const Image& src = it->second.Pixels;
  Image dst;
  dst.Width = w;
  dst.Height = h;
  dst.Rgba.resize(static_cast<size_t>(w) * h * 4);
  for (int y = 0; y < h; ++y) {
    int sy = tile ? y % src.Height : static_cast<int>(static_cast<int64_t>(y) * src.Height / h);
    for (int x = 0; x < w; ++x) {
      int sx = tile ? x % src.Width : static_cast<int>(static_cast<int64_t>(x) * src.Width / w);
      std::copy_n(&src.Rgba[(static_cast<size_t>(sy) * src.Width + sx) * 4], 4,
                  &dst.Rgba[(static_cast<size_t>(y) * w + x) * 4]);
    }
  }
  it->second.Pixels = std::move(dst);
  ++it->second.Version;
  OnTextureChanged(tex);
  return true;
}

Handle EngineCore::CopyTextureRect(Handle tex, int x, int y, int w, int h) {
  const TextureData* t = Texture(tex);
  if (!t) return 0;
  const Image& src = t->Pixels;
  int x0 = std::max(0, x), y0 = std::max(0, y);
  int x1 = std::min(src.Width, x + w), y1 = std::min(src.Height, y + h);
  if (x1 <= x0 || y1 <= y0) return 0;
  Image piece;
  piece.Width = x1 - x0;
  piece.Height = y1 - y0;
  piece.Rgba.resize(static_cast<size_t>(piece.Width) * piece.Height * 4);
  for (int row = 0; row < piece.Height; ++row)
    std::copy_n(&src.Rgba[(static_cast<size_t>(y0 + row) * src.Width + x0) * 4],
                static_cast<size_t>(piece.Width) * 4,
                &piece.Rgba[static_cast<size_t>(row) * piece.Width * 4]);
  return AddTexture(std::move(piece));
}

void EngineCore::FreeTexture(Handle tex) {
  if (!textures_.erase(tex)) return;
  // An entity never draws with a texture that is gone.
  for (auto& [h, ent] : entities_)
    if (ent.Texture == tex) ent.Texture = 0;
  OnTextureFreed(tex);
}

void EngineCore::ScrollTextureRows(Handle tex, int dx, int dy) {
  auto it = textures_.find(tex);
  if (it == textures_.end() || (dx == 0 && dy == 0)) return;
  Image& img = it->second.Pixels;
  if (img.Height <= 0 || img.Width <= 0) return;
  const size_t rowBytes = static_cast<size_t>(img.Width) * 4;
  // A positive step moves rows up (dy) or columns left (dx), as the border pieces scroll.
  const int rows = Wrap(dy, img.Height), cols = Wrap(dx, img.Width);
  if (rows == 0 && cols == 0) return;
  if (rows != 0)
    std::rotate(img.Rgba.begin(), img.Rgba.begin() + static_cast<ptrdiff_t>(rowBytes * rows),
                img.Rgba.end());
  if (cols != 0)
    for (int y = 0; y < img.Height; ++y) {
      auto row = img.Rgba.begin() + static_cast<ptrdiff_t>(rowBytes * y);
      std::rotate(row, row + static_cast<ptrdiff_t>(cols) * 4, row + static_cast<ptrdiff_t>(rowBytes));
    }
  ++it->second.Version;
  OnTextureChanged(tex);
}

// ---- sprites --------------------------------------------------------------

const SpriteData* EngineCore::Sprite(Handle sprite) const {
  auto it = sprites_.find(sprite);
  return it == sprites_.end() ? nullptr : &it->second;
}

Handle EngineCore::CreateSprite(Handle tex, int frameW, int frameH) {
  const TextureData* t = Texture(tex);
  if (!t) return 0;
  SpriteData s;
  s.Texture = tex;
  int tw = t->Pixels.Width, th = t->Pixels.Height;
  s.FrameW = (frameW > 0 && frameW <= tw) ? frameW : tw;
  s.FrameH = (frameH > 0 && frameH <= th) ? frameH : th;
  s.Columns = std::max(1, tw / s.FrameW);
  s.Frames = std::max(1, s.Columns * std::max(1, th / s.FrameH));
  Handle h = NewHandle();
  sprites_.emplace(h, std::move(s));
  spriteList_.push_back(h);
  return h;
}

Handle EngineCore::LoadSprite(const std::string& path, int frameW, int frameH) {
  Handle tex = LoadTexture(path);
  if (!tex) return 0;
  Handle s = CreateSprite(tex, frameW, frameH);
  sprites_[s].OwnsTexture = true;
  return s;
}

void EngineCore::FreeSprite(Handle sprite) {
  auto it = sprites_.find(sprite);
  if (it == sprites_.end()) return;
  Handle tex = it->second.OwnsTexture ? it->second.Texture : 0;
  sprites_.erase(it);
  spriteList_.erase(std::remove(spriteList_.begin(), spriteList_.end(), sprite), spriteList_.end());
  if (tex) FreeTexture(tex);
}

void EngineCore::DisplaySprite(Handle sprite, int x, int y, int alpha, int frame) {
  auto it = sprites_.find(sprite);
  if (it == sprites_.end()) return;
  SpriteData& s = it->second;
  QueuedDraw d;
  d.X = x;
  d.Y = y;
  d.Alpha = std::clamp(alpha, 0, 255);
  int f = frame >= 0 ? frame : s.Frame;
  d.Frame = std::clamp(f, 0, s.Frames - 1);
  d.RotationRad = s.RotationRad;
  d.ZoomX = s.ZoomX;
  d.ZoomY = s.ZoomY;
  d.SrcBlend = s.SrcBlend;
  d.DestBlend = s.DestBlend;
  s.Queue.push_back(d);
}

void EngineCore::SpriteToFront(Handle sprite, int toEnd) {
  auto it = std::find(spriteList_.begin(), spriteList_.end(), sprite);
  if (it == spriteList_.end()) return;
  spriteList_.erase(it);
  if (toEnd)
    spriteList_.push_back(sprite);
  else
    spriteList_.insert(spriteList_.begin(), sprite);
}

void EngineCore::RotateSprite(Handle sprite, float degrees) {
  auto it = sprites_.find(sprite);
  if (it != sprites_.end()) it->second.RotationRad = degrees * kDegToRad;
}

void EngineCore::TurnSprite(Handle sprite, float degrees) {
  auto it = sprites_.find(sprite);
  if (it != sprites_.end()) it->second.RotationRad += degrees * kDegToRad;
}

void EngineCore::ZoomSprite(Handle sprite, float percentX, float percentY) {
  auto it = sprites_.find(sprite);
  if (it == sprites_.end()) return;
  it->second.ZoomX = percentX / 100.0f;
  it->second.ZoomY = percentY / 100.0f;
}

void EngineCore::SpriteBlending(Handle sprite, int src, int dest) {
  auto it = sprites_.find(sprite);
  if (it == sprites_.end()) return;
  if (src >= 1 && src <= 13) it->second.SrcBlend = src;
  if (dest >= 1 && dest <= 13) it->second.DestBlend = dest;
}

int EngineCore::SpriteWidth(Handle sprite) const {
  const SpriteData* s = Sprite(sprite);
  return s ? s->FrameW : 0;
}

int EngineCore::SpriteHeight(Handle sprite) const {
  const SpriteData* s = Sprite(sprite);
  return s ? s->FrameH : 0;
}

int EngineCore::SpriteFrame(Handle sprite) const {
  const SpriteData* s = Sprite(sprite);
  return s ? s->Frame : 0;
}

void EngineCore::SetSpriteFrame(Handle sprite, int frame) {
  auto it = sprites_.find(sprite);
  if (it == sprites_.end()) return;
  SpriteData& s = it->second;
  s.Frame = std::clamp(frame, 0, s.Frames - 1);
  // An animation goes on from the frame set.
  if (s.MsPerFrame > 0 && s.AnimFrames > 0) {
    int f = std::clamp(s.Frame, 0, s.AnimFrames - 1);
    s.Clock = static_cast<float>(s.AnimDir > 0 ? f : s.AnimFrames - 1 - f) * s.MsPerFrame;
  }
}

void EngineCore::AnimateSprite(Handle sprite, float msPerFrame, int frames, int dir, bool once) {
  auto it = sprites_.find(sprite);
  if (it == sprites_.end()) return;
  SpriteData& s = it->second;
  const int n = frames > 0 && frames <= s.Frames ? frames : s.Frames;
  const int d = dir < 0 ? -1 : 1;
  if (s.MsPerFrame != msPerFrame || s.AnimFrames != n || s.AnimDir != d) {
    // A new rate or range starts from the frame on screen.
    const int step = d > 0 ? std::clamp(s.Frame, 0, n - 1) : n - 1 - std::clamp(s.Frame, 0, n - 1);
    s.Clock = msPerFrame > 0 ? static_cast<float>(step) * msPerFrame : 0;
  }
  s.MsPerFrame = msPerFrame;
  s.AnimFrames = n;
  s.AnimDir = d;
  s.Once = once;
}

void EngineCore::AdvanceAnimations(float ms) {
  if (!(ms > 0)) return;
  for (auto& [h, s] : sprites_) {
    if (!(s.MsPerFrame > 0) || s.AnimFrames <= 1) continue;
    const float cycle = s.MsPerFrame * static_cast<float>(s.AnimFrames);
    s.Clock += ms;
    if (s.Once) s.Clock = std::min(s.Clock, cycle - s.MsPerFrame);
    else s.Clock = std::fmod(s.Clock, cycle);
    int step = std::clamp(static_cast<int>(s.Clock / s.MsPerFrame), 0, s.AnimFrames - 1);
    s.Frame = s.AnimDir > 0 ? step : s.AnimFrames - 1 - step;
  }
}

int EngineCore::SpriteFrameCount(Handle sprite) const {
  const SpriteData* s = Sprite(sprite);
  return s ? s->Frames : 0;
}

float EngineCore::SpriteRotation(Handle sprite) const {
  const SpriteData* s = Sprite(sprite);
  return s ? s->RotationRad / kDegToRad : 0.0f;
}

Handle EngineCore::SpriteTexture(Handle sprite) const {
  const SpriteData* s = Sprite(sprite);
  return s ? s->Texture : 0;
}

void EngineCore::FrameRect(const SpriteData& s, int frame, int* x, int* y, int* w, int* h) const {
  int f = std::clamp(frame, 0, s.Frames - 1);
  *x = (f % s.Columns) * s.FrameW;
  *y = (f / s.Columns) * s.FrameH;
  *w = s.FrameW;
  *h = s.FrameH;
}

bool EngineCore::HasQueuedDraws() const {
  for (const auto& [h, s] : sprites_)
    if (!s.Queue.empty()) return true;
  return false;
}

// ---- backdrop -------------------------------------------------------------

Handle EngineCore::CreateBackdrop(Handle tex) {
  if (!Texture(tex)) return 0;
  Handle h = NewHandle();
  backdrops_[h].Texture = tex;
  return h;
}

void EngineCore::FreeBackdrop(Handle backdrop) { backdrops_.erase(backdrop); }

const BackdropData* EngineCore::Backdrop(Handle backdrop) const {
  auto it = backdrops_.find(backdrop);
  return it == backdrops_.end() ? nullptr : &it->second;
}

void EngineCore::ScrollBackdrop(Handle backdrop, float dy, float dx) {
  auto it = backdrops_.find(backdrop);
  if (it == backdrops_.end()) return;
  BackdropData& b = it->second;
  float tx = dx + b.CarryX, ty = dy + b.CarryY;
  int wx = static_cast<int>(std::trunc(tx)), wy = static_cast<int>(std::trunc(ty));
  b.CarryX = tx - static_cast<float>(wx);
  b.CarryY = ty - static_cast<float>(wy);
  int tw = TextureWidth(b.Texture), th = TextureHeight(b.Texture);
  // A positive dx moves the content to the left: the sample offset grows.
  b.OffsetX = Wrap(b.OffsetX + wx, std::max(1, tw));
  b.OffsetY = Wrap(b.OffsetY + wy, std::max(1, th));
}

// ---- texts ----------------------------------------------------------------

void EngineCore::DrawText(int x, int y, std::string_view text) {
  DrawTextColored(x, y, text, textColor_);
}

void EngineCore::DrawTextColored(int x, int y, std::string_view text, uint32_t argb) {
  // Slots and their strings are reused from frame to frame.
  if (textCount_ == texts_.size()) texts_.emplace_back();
  QueuedText& t = texts_[textCount_++];
  t.X = x;
  t.Y = y;
  t.Text.assign(text);
  t.Argb = argb;
}

// ---- 3D and effects fallbacks ---------------------------------------------

Handle EngineCore::CreateEffect(const std::string&) {
  SetError(EngineError::Shader, "effects are not available in this engine");
  return 0;
}

void EngineCore::EffectFloat(Handle fx, const std::string& name, float v) {
  SetEffectFloat(fx, EffectParam(fx, name), v);
}
void EngineCore::EffectVector(Handle fx, const std::string& name, const float* xyz) {
  SetEffectVector(fx, EffectParam(fx, name), xyz);
}
void EngineCore::EffectMatrix(Handle fx, const std::string& name, const float* m16) {
  SetEffectMatrix(fx, EffectParam(fx, name), m16);
}
void EngineCore::EffectColor(Handle fx, const std::string& name, const float* rgba) {
  SetEffectColor(fx, EffectParam(fx, name), rgba);
}
void EngineCore::EffectTexture(Handle fx, const std::string& name, Handle tex) {
  SetEffectTexture(fx, EffectParam(fx, name), tex);
}

Handle EngineCore::CreateTextureShader(const std::string&, int, int) {
  SetError(EngineError::TextureShader, "texture shaders are not available in this engine");
  return 0;
}

// ---- frame timing -----------------------------------------------------------

void EngineCore::SetScreenFade(float level) {
  // NaN counts as fully faded rather than reaching the blend unchecked.
  screenFade_ = level >= 1.0f ? 1.0f : (level > 0.0f ? level : 0.0f);
}

void EngineCore::FlipBuffers() {
  uint64_t now = clock_->Now100ns();
  lastFrameSeconds_ = static_cast<float>(static_cast<double>(now - lastFlip_) * 1e-7);
  lastFlip_ = now;
  // Animated entities play on in real time.
  for (auto& [h, ent] : entities_)
    if (ent.Animated && !ent.Mesh->Animations.empty()) ent.AnimSeconds += lastFrameSeconds_;
}

int EngineCore::MeasureFps() {
  fpsSum_ += lastFrameSeconds_;
  ++fpsCount_;
  if (fpsSum_ > 0.5f) {
    fpsResult_ = fpsCount_ * 2;
    fpsSum_ = 0;
    fpsCount_ = 0;
  }
  return fpsResult_;
}

// ---- input -------------------------------------------------------------------

void EngineCore::SetKeyState(int dik, bool down) {
  if (dik >= 0 && dik < 256) keys_[dik] = down;
}

void EngineCore::SetMouseButton(int button, bool down) {
  if (button == 0 || button == 1) mouse_[button] = down;
}

bool EngineCore::KeyDown(int dik) const {
  if (dik == -1) return std::any_of(keys_.begin(), keys_.end(), [](bool k) { return k; });
  return dik >= 0 && dik < 256 && keys_[dik];
}

bool EngineCore::KeyHit(int dik) {
  if (dik < 0 || dik >= 256) return false;
  bool hit = keys_[dik] && !keyLatch_[dik];
  keyLatch_[dik] = keys_[dik];
  return hit;
}

bool EngineCore::MouseDown(int button) const {
  return (button == 0 || button == 1) && mouse_[button];
}

}  // namespace quellor
