// The border: one image, four piece sprites. Top and bottom pieces show the image as it
// is; the right piece shows it turned a quarter clockwise and the left piece a quarter
// counter-clockwise, so the image's top edge always faces the screen edge. The turned
// pieces get their own turned textures rather than a sprite rotation, because the
// rotation pivot differs between engines and the frame places every piece by its top
// left corner. A side piece is therefore CspY wide and CspX high.
#include "engine/EngineErrors.h"
#include "engine/image/ImageCodec.h"
#include "project/Loaders.h"
#include "project/NewIntro.h"
#include "project/loaders/LoaderCommon.h"

namespace quellor {

namespace {
constexpr uint64_t kBorderLimit = 262144;

// clockwise: the source's left column becomes the top row.
Image QuarterTurn(const Image& src, bool clockwise) {
  Image out;
  out.Width = src.Height;
  out.Height = src.Width;
  out.Rgba.resize(src.Rgba.size());
  for (int y = 0; y < out.Height; ++y)
    for (int x = 0; x < out.Width; ++x) {
      int sx = clockwise ? y : src.Width - 1 - y;
      int sy = clockwise ? src.Height - 1 - x : x;
      const uint8_t* p = &src.Rgba[(static_cast<size_t>(sy) * src.Width + sx) * 4];
      uint8_t* q = &out.Rgba[(static_cast<size_t>(y) * out.Width + x) * 4];
      q[0] = p[0];
      q[1] = p[1];
      q[2] = p[2];
      q[3] = p[3];
    }
  return out;
}
}  // namespace

void ReleaseBorder(IntroModel& m, Engine& e) {
  for (Handle& s : m.Border.Sprite) loaders::ReleaseSprite(e, s);
  loaders::ReleaseTexture(e, m.Border.Texture);
  for (Handle& t : m.Border.SideTexture) loaders::ReleaseTexture(e, t);
}

void ZoomBorderPieces(IntroModel& m, Engine& e) {
  const BorderFields& b = m.Border;
  const float along = static_cast<float>(b.SizX), deep = static_cast<float>(b.SizY);
  for (int i = 0; i < 4; ++i) {
    if (b.Sprite[i] == 0) continue;
    if (i < 2)
      e.ZoomSprite(b.Sprite[i], along, deep);
    else
      e.ZoomSprite(b.Sprite[i], deep, along);
  }
}

void LoadBorder(IntroModel& m, Engine& e, const std::string& path) {
  if (path.empty()) return;
  if (!loaders::FitsLimit(m, path, kBorderLimit, "Sorry, Border filesize is to big.")) return;
  Image img;
  std::vector<uint8_t> bytes;
  const bool decoded =
      e.ReadFile(path, bytes, kMaxImageFileBytes) && DecodeImage(bytes.data(), bytes.size(), img);
  Handle texture = decoded ? e.TextureFromImage(img) : 0;
  if (texture == 0) {
    // The old border stays.
    loaders::LogDecodeFailure(m, EngineErrorMessage(EngineError::ImageLoad), path);
    return;
  }
  ReleaseBorder(m, e);
  BorderFields& b = m.Border;
  b.Texture = texture;
  b.SideTexture[0] = e.TextureFromImage(QuarterTurn(img, true));
  b.SideTexture[1] = e.TextureFromImage(QuarterTurn(img, false));
  b.Sprite[0] = e.CreateSprite(b.Texture);
  b.Sprite[1] = e.CreateSprite(b.Texture);
  b.Sprite[2] = e.CreateSprite(b.SideTexture[0]);
  b.Sprite[3] = e.CreateSprite(b.SideTexture[1]);
  b.File = path;
  b.SizX = b.SizY = 100;
  b.CspX = img.Width;
  b.CspY = img.Height;
  // The vertical edges step by the piece width as well: a side piece is turned.
  b.TilesX = m.ScreenX / b.CspX;
  b.TilesY = m.ScreenY / b.CspX;
  for (Handle s : b.Sprite) e.SpriteBlending(s, b.SRC, b.Dest);
  AddToDisplayOrder(m, "Border");
  MarkChanged(m);
  loaders::LogLoaded(m, "Border succesfully loaded.");
}

}  // namespace quellor
