#include "player/IntroSlots.h"

#include <cstring>

#include "engine/image/ImageCodec.h"
#include "export/slots/SlotIo.h"

namespace quellor {

namespace {

using slots::SlotId;

// Where the project reader looks for each kind's file (its folder below the base
// folder), so an embedded file is found by the same rule as a file on disk.
std::string EmbeddedName(const char* folder, const std::string& name) {
  return std::string(kEmbeddedRoot) + "/Data/" + folder + "/" + name;
}

// Mesh loaders may go by the extension, so the object keeps the one its bytes show.
std::string ObjectName(const std::vector<uint8_t>& b) {
  if (b.size() >= 4 && std::memcmp(b.data(), "xof ", 4) == 0) return "object.x";
  if (b.size() >= 4 && std::memcmp(b.data(), "BB3D", 4) == 0) return "object.b3d";
  if (b.size() >= 2 && b[0] == 0x4D && b[1] == 0x4D) return "object.3ds";
  return "object";
}

class Reader {
 public:
  Reader(const SlotBytes& bytes, EmbeddedIntro& out) : bytes_(bytes), out_(out), m_(*out.Model) {}

  // Reads one slot; returns its payload.
  std::vector<uint8_t> Read(SlotId id) {
    slots::SlotReader r(bytes_[static_cast<int>(id)]);
    slots::VisitSlot(id, m_, extras_, r);
    if (!r.Ok()) out_.Damaged.push_back(id);
    return std::move(r.PayloadBytes());
  }

  // An asset slot: its file goes under the kind's folder and into the model's field.
  void Asset(SlotId id, const char* folder, const std::string& name, std::string& field) {
    std::vector<uint8_t> bytes = Read(id);
    field.clear();
    if (bytes.empty()) return;
    field = EmbeddedName(folder, name);
    out_.Files.push_back({field, std::move(bytes)});
  }

  std::string Text(SlotId id) {
    std::vector<uint8_t> bytes = Read(id);
    return std::string(bytes.begin(), bytes.end());
  }

  slots::SlotExtras& Extras() { return extras_; }

 private:
  const SlotBytes& bytes_;
  EmbeddedIntro& out_;
  IntroModel& m_;
  slots::SlotExtras extras_;
};

}  // namespace

bool ReadIntroSlots(const SlotBytes& bytes, EmbeddedIntro& out, std::string* error) {
  out = EmbeddedIntro{};
  IntroModel& m = *out.Model;
  InitModel(m);
  Reader r(bytes, out);

  r.Read(SlotId::Settings);
  if (m.ScreenX < 1 || m.ScreenY < 1 || m.ScreenX > kMaxImageSide || m.ScreenY > kMaxImageSide) {
    if (error)
      *error = m.ScreenX == 0 && m.ScreenY == 0
                   ? "this player holds no intro"
                   : "the intro's screen size " + std::to_string(m.ScreenX) + " x " +
                         std::to_string(m.ScreenY) + " cannot be opened";
    return false;
  }
  m.ExportName = m.IntroName;
  m.AnimClone.width = m.ScreenX;
  m.AnimClone.height = m.ScreenY;

  r.Asset(SlotId::Overlay, "Overlay", "overlay", m.Over);
  r.Read(SlotId::Scroller1);
  r.Read(SlotId::Scroller2);
  r.Read(SlotId::StartTimers);
  r.Asset(SlotId::Logo, "Logo", "logo", m.Logo.File);
  r.Asset(SlotId::Sign, "Logo", "sign", m.Sign.File);
  r.Read(SlotId::BobClones);
  for (int i = 1; i <= 5; ++i)
    r.Asset(slots::GfxSlot(i), "Bobs", "gfx" + std::to_string(i), m.GFX.File[i]);
  r.Asset(SlotId::StartAnim, "Anim", "startanim", m.Anim_2d.File);
  r.Asset(SlotId::BobAnim, "Anim", "bobanim", m.Anim_BOB.File);
  // The animations' Active switches are not stored: a sheet that came along is active.
  m.Anim_2d.Active = m.Anim_2d.File.empty() ? 0 : 1;
  m.Anim_BOB.Active = m.Anim_BOB.File.empty() ? 0 : 1;
  r.Asset(SlotId::Font1, "Fonts", "font1", m.Font1.File);
  r.Asset(SlotId::Font2, "Fonts", "font2", m.Font2.File);

  std::string musicName;
  r.Asset(SlotId::Music, "Music", "music", musicName);
  if (!musicName.empty()) out.Music = out.Files.back().Bytes;
  m.Music.File = musicName;

  r.Asset(SlotId::Background, "Textures", "background", m.Background.File);

  Obj3dFields& o = m.Obj3d;
  std::vector<uint8_t> object = r.Read(SlotId::Object3d);
  const slots::ObjectPlacement& place = r.Extras().Object;
  o.File.clear();
  if (!place.Present) {
    o.Type = 0;  // no object at all
  } else {
    o.SizX = place.Extent[0];
    o.SizY = place.Extent[1];
    o.SizZ = place.Extent[2];
    o.PosX = place.Position[0];
    o.PosY = place.Position[1];
    o.PosZ = place.Position[2];
    o.WorkPos = {o.PosX, o.PosY, o.PosZ};
    if (!object.empty()) {
      o.File = EmbeddedName("Objects", ObjectName(object));
      out.Files.push_back({o.File, std::move(object)});
    }
  }

  // Texture of the 3D object: image bytes (kind 0) or texture shader code (kind 1).
  std::vector<uint8_t> texture = r.Read(SlotId::Texture3d);
  m.Tex3d.Type = 0;
  if (!texture.empty() && r.Extras().TextureKind == 1) {
    m.TexShader.Code.assign(texture.begin(), texture.end());
    m.Tex3d.Type = 2;
  } else if (!texture.empty()) {
    m.Tex3d.File = EmbeddedName("Textures", "texture3d");
    m.Tex3d.Type = 1;
    out.Files.push_back({m.Tex3d.File, std::move(texture)});
  }

  m.VertexShader.Code = r.Text(SlotId::VertexShader);
  for (int k = 1; k <= 3; ++k)
    r.Asset(slots::VsTextureSlot(k), "Textures", "shadertex" + std::to_string(k),
            m.VertexShader.TexFile[k - 1]);
  m.Pager.Lines = slots::SplitLinesCrLf(r.Text(SlotId::Pager));
  m.Trainer.Lines = slots::SplitLinesCrLf(r.Text(SlotId::Trainer));
  r.Asset(SlotId::TrainerBar, "TrainerBar", "trainerbar", m.TrainerBar.File);
  m.PostFX.Code = r.Text(SlotId::PostFx);
  r.Read(SlotId::Rasters);
  for (int n = 1; n <= 3; ++n)
    r.Asset(slots::RasterSlot(n), "Raster", "raster" + std::to_string(n), m.Raster.Path[n]);
  r.Read(SlotId::ExecAfter);
  m.ExecRun = m.ExecPRG.empty() ? 0 : 1;
  r.Read(SlotId::Texts);
  r.Asset(SlotId::Border, "Border", "border", m.Border.File);

  // The display order: longs up to the first that is no name's code.
  std::span<const uint8_t> order = bytes[static_cast<int>(SlotId::Order)];
  std::vector<int32_t> codes;
  for (size_t at = 0; at + 4 <= order.size() && codes.size() < 13; at += 4)
    codes.push_back(slots::GetLong(order.data() + at));
  m.DisplayOrder = slots::DisplayOrderNames(codes.data(), codes.size());

  std::vector<uint8_t> translations = r.Read(SlotId::FxTranslations);
  if (!translations.empty() && !DecodeFxBundle(translations, out.Translations))
    out.Damaged.push_back(SlotId::FxTranslations);
  return true;
}

}  // namespace quellor
