#include "export/slots/SlotLayout.h"

#include <array>

#include "project/Ini.h"

namespace quellor::slots {

namespace {

// Display-order codes: position in this list + 1.
constexpr std::array<const char*, 13> kOrderNames = {
    "Logo", "Font1", "Font2", "Border", "Anim", "Bob_Anim", "Sign",
    "TrainerBar", "GFX1", "GFX2", "GFX3", "GFX4", "GFX5"};

void Image(SlotVisitor& v) { v.Payload(PayloadKind::Bytes); }

void Scroller(ScrollerFields& s, SlotVisitor& v) {
  v.Long(s.PosY);
  v.Long(s.SizX);
  v.Long(s.SizY);
  v.Long(s.FX);
  v.Long(s.cspX);
  v.Long(s.Font);
  v.Long(s.Active);
  v.Float(s.SSinAdd);
  v.Long(s.SSinSiz);
  v.Long(s.SinRot);
  v.Long(s.SinSTP);
  v.NearestLong(s.SinADD);
  v.Long(s.SinSiz);
}

void Animation(AnimFields& a, bool bob, SlotVisitor& v) {
  v.PayloadLength();
  v.NearestLong(a.PosX);
  v.NearestLong(a.PosY);
  for (int32_t* f : {&a.SizeX, &a.SizeY, &a.FSizeX, &a.FSizeY, &a.Frames, &a.Speed}) v.Long(*f);
  v.NearestLong(a.Rota);
  for (int32_t* f : {&a.SRC, &a.Dest, &a.Layer, &a.Trans, &a.Dir}) v.Long(*f);
  if (bob) {
    v.Long(a.CspX);
    v.Long(a.CspY);
  } else {
    v.Long(a.Intro);
    v.Long(a.Outro);
    v.Long(a.Spec);
  }
  Image(v);
}

void LengthAndImage(SlotVisitor& v) {
  v.PayloadLength();
  Image(v);
}

void Pager(PagerFields& p, SlotVisitor& v) {
  int32_t* fields[] = {
      &p.YLins,   &p.perLine, &p.FXin,    &p.FXout,   &p.Time,    &p.XPos,    &p.YPos,
      &p.SizX,    &p.SizY,    &p.cspX,    &p.cspY,    &p.Spacer,  &p.Active,  &p.Po_spd,
      &p.Sc_spd,  &p.Ro_spd,  &p.Tr_spd,  &p.PG_del,  &p.PG_Ldel, &p.Po_spd2, &p.Sc_spd2,
      &p.Ro_spd2, &p.Tr_spd2, &p.PG_del2, &p.PG_Ldel2, &p.Spn_pX, &p.Spn_pY,  &p.Spn_Tr,
      &p.Spn_sX,  &p.Spn_sY,  &p.Spn_Ro,  &p.Spn_DMI, &p.Spn_SM,  &p.Van_pX,  &p.Van_pY,
      &p.Van_Tr,  &p.Van_sX,  &p.Van_sY,  &p.Van_Ro,  &p.Van_DMI, &p.Van_SM,  &p.Font,
      &p.Next,    &p.PaSwKey, &p.InstaC};
  static_assert(sizeof fields / sizeof fields[0] == 45);
  for (int32_t* f : fields) v.Long(*f);
  v.PayloadLength();
  v.Payload(PayloadKind::Text);
}

void Trainer(IntroModel& m, SlotVisitor& v) {
  TrainerFields& t = m.Trainer;
  TrainerBarFields& b = m.TrainerBar;
  for (int32_t* f : {&t.YLins, &t.perLine, &t.XPos, &t.YPos, &t.SizX, &t.SizY, &t.cspX, &t.cspY,
                     &t.Spacer, &t.Active, &t.Font, &t.Contr, &t.LLExit, &b.TB_SRC, &b.TB_Dest,
                     &b.TB_Line})
    v.Long(*f);
  v.NearestLong(b.TB_FSL);
  v.Long(b.TB_Layer);
  v.Long(b.TB_CSX);
  v.Long(m.TrainerState.BarX);  // the bar's offset; the trainer lays it out again anyway
  v.PayloadLength();
  v.Payload(PayloadKind::Text);
}

void Object3d(IntroModel& m, SlotExtras& x, SlotVisitor& v) {
  Obj3dFields& o = m.Obj3d;
  v.PayloadLength();
  v.Long(o.Shadow);
  v.Long(o.Type);
  v.Presence(x.Object.Present);
  for (float& f : x.Object.Extent) v.Float(f);
  for (float& f : x.Object.Position) v.Float(f);
  for (float* f : {&o.RotX, &o.RotY, &o.RotZ, &o.ST_X, &o.ST_Y, &o.ST_Z, &o.LightX, &o.LightY,
                   &o.LightZ, &o.FogStart, &o.FogEnd})
    v.Float(*f);
  Image(v);
}

void Rasters(RasterFields& r, SlotVisitor& v) {
  for (int n = 1; n <= 3; ++n) {
    v.Float(r.fxt[n]);
    v.Long(r.txt[n]);
    v.Float(r.enb[n]);
    v.Float(r.val[n]);
    for (int c = 0; c < 3; ++c) v.Float(r.rgb[n][c]);
  }
}

}  // namespace

void VisitSlot(SlotId id, IntroModel& m, SlotExtras& x, SlotVisitor& v) {
  switch (id) {
    case SlotId::Settings:
      v.Long(m.WinType);
      v.Long(m.ScreenX);
      v.Long(m.ScreenY);
      v.Constant(67);  // format version
      v.Long(m.FMode);
      v.Constant(0);
      v.Long(m.ONTop);
      v.Long(m.MovWin);
      v.Text(m.IntroName, kNameChars);
      return;
    case SlotId::Overlay:
      v.PayloadLength();
      v.Long(m.OverUSE);
      v.Long(m.OverPX);
      v.Long(m.OverPY);
      Image(v);
      return;
    case SlotId::Scroller1:
    case SlotId::Scroller2:
      Scroller(m.Scroller[id == SlotId::Scroller1 ? 0 : 1], v);
      return;
    case SlotId::StartTimers: {
      // Entries 9 and 15 have no item.
      for (int i = 0; i < 16; ++i) {
        if (i == 9 || i == 15) v.Constant(0);
        else v.Long(m.StartTimer[i]);
      }
      for (int32_t& f : m.StartFlag) v.Long(f);
      for (int i = 1; i <= 5; ++i) v.Long(m.GFX.StartFlag[i]);
      return;
    }
    case SlotId::Logo: {
      LogoFields& l = m.Logo;
      v.PayloadLength();
      for (int32_t* f : {&l.PosX, &l.PosY, &l.FX, &l.SizeX, &l.SizeY, &l.SRC, &l.Dest, &l.Layer, &l.Trans})
        v.Long(*f);
      Image(v);
      return;
    }
    case SlotId::Sign: {
      SignFields& s = m.Sign;
      v.PayloadLength();
      for (int32_t* f : {&s.PosX, &s.PosY, &s.IN, &s.OUT, &s.SRC, &s.Dest, &s.Layer, &s.Trans})
        v.Long(*f);
      Image(v);
      return;
    }
    case SlotId::BobClones: {
      AnimCloneFields& c = m.AnimClone;
      for (int32_t* f : {&c.Face, &c.PosPS, &c.MovPS, &c.AnmPS, &c.Count, &c.XCent, &c.YCent,
                         &c.width, &c.height})
        v.Long(*f);
      v.Float(c.XAdd);
      v.Float(c.YAdd);
      v.Long(c.Int1);
      v.Long(c.Int2);
      v.Float(c.Flt1);
      v.Float(c.Flt2);
      v.Long(c.Spr);
      v.Long(c.Active);
      return;
    }
    case SlotId::Gfx1:
    case SlotId::Gfx2:
    case SlotId::Gfx3:
    case SlotId::Gfx4:
    case SlotId::Gfx5: {
      const int i = static_cast<int>(id) - static_cast<int>(SlotId::Gfx1) + 1;
      GfxFields& g = m.GFX;
      v.PayloadLength();
      for (int32_t* f : {&g.XPos[i], &g.YPos[i], &g.XSize[i], &g.YSize[i], &g.Layer[i], &g.SRC[i],
                         &g.Dest[i], &g.Trans[i]})
        v.Long(*f);
      v.Float(g.Rota[i]);
      v.Float(g.AutoRot[i]);
      Image(v);
      return;
    }
    case SlotId::StartAnim: Animation(m.Anim_2d, false, v); return;
    case SlotId::BobAnim: Animation(m.Anim_BOB, true, v); return;
    case SlotId::Font1: {
      FontsFields& f = m.Fonts;
      v.PayloadLength();
      for (int32_t* p : {&f.F1SRC, &f.F1Dest, &f.F1Layer, &f.F2SRC, &f.F2Dest, &f.F2Layer}) v.Long(*p);
      for (FontGridRecord* g : {&m.FontGrid[0], &m.FontGrid[1]}) {
        v.Long(g->X);
        v.Long(g->Y);
        v.Long(g->CL);
        v.Long(g->L);
      }
      Image(v);
      return;
    }
    case SlotId::Font2:
    case SlotId::VsTexture1:
    case SlotId::VsTexture2:
    case SlotId::VsTexture3:
    case SlotId::TrainerBar:
    case SlotId::Raster1:
    case SlotId::Raster2:
    case SlotId::Raster3:
      LengthAndImage(v);
      return;
    case SlotId::Music:
      v.Constant(0);
      LengthAndImage(v);
      return;
    case SlotId::Background:
      v.PayloadLength();
      v.Long(m.Background.ScrollX);
      v.Long(m.Background.ScrollY);
      Image(v);
      return;
    case SlotId::Object3d: Object3d(m, x, v); return;
    case SlotId::Texture3d:
      v.PayloadLength();
      v.Long(x.TextureKind);
      v.Payload(x.TextureKind == 1 ? PayloadKind::Text : PayloadKind::Bytes);
      return;
    case SlotId::VertexShader: {
      VertexShaderFields& s = m.VertexShader;
      v.PayloadLength();
      v.Float(s.Var1);
      v.Float(s.Var2);
      v.Float(s.Var3);
      v.Long(s.M_opt);
      v.Long(s.M_X);
      v.Long(s.M_Y);
      v.Payload(PayloadKind::Text);
      return;
    }
    case SlotId::Pager: Pager(m.Pager, v); return;
    case SlotId::Trainer: Trainer(m, v); return;
    case SlotId::PostFx:
      v.PayloadLength();
      v.Payload(PayloadKind::Text);
      return;
    case SlotId::Rasters: Rasters(m.Raster, v); return;
    case SlotId::ExecAfter: v.Text(m.ExecPRG, kExecChars); return;
    case SlotId::Texts: {
      v.TextField(m.Scroller[0].Text, kTextFieldBytes);
      v.TextField(m.Scroller[1].Text, kTextFieldBytes);
      // The two spare fields hold "no".
      std::string spare[2] = {"no", "no"};
      v.TextField(spare[0], kTextFieldBytes);
      v.TextField(spare[1], kTextFieldBytes);
      return;
    }
    case SlotId::Border: {
      BorderFields& b = m.Border;
      v.PayloadLength();
      for (int32_t* f : {&b.SizX, &b.SizY, &b.CspX, &b.CspY, &b.SRC, &b.Dest, &b.Scroll, &b.Layer,
                         &b.Top, &b.Bot, &b.Rgt, &b.Lft})
        v.Long(*f);
      Image(v);
      return;
    }
    case SlotId::Order: return;
    case SlotId::FxTranslations:
      v.PayloadLength();
      v.Payload(PayloadKind::Bytes);
      return;
  }
}

std::vector<int32_t> DisplayOrderCodes(const std::vector<std::string>& names) {
  std::vector<int32_t> codes;
  for (const std::string& n : names)
    for (size_t i = 0; i < kOrderNames.size(); ++i)
      if (n == kOrderNames[i]) codes.push_back(static_cast<int32_t>(i + 1));
  return codes;
}

std::vector<std::string> DisplayOrderNames(const int32_t* codes, size_t count) {
  std::vector<std::string> names;
  for (size_t i = 0; i < count; ++i) {
    const int32_t c = codes[i];
    if (c < 1 || c > static_cast<int32_t>(kOrderNames.size())) break;
    names.emplace_back(kOrderNames[static_cast<size_t>(c - 1)]);
  }
  return names;
}

std::string JoinLinesCrLf(const std::vector<std::string>& lines) {
  std::string out;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) out += "\r\n";
    out += lines[i];
  }
  return out;
}

std::vector<std::string> SplitLinesCrLf(const std::string& text) {
  if (text.empty()) return {};
  // The joined text has no line end after its last line; an empty last line still counts.
  return SplitTextLines(text + "\r\n");
}

}  // namespace quellor::slots
