#include "project/ProjectFields.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>

#include "engine/Engine.h"
#include "project/Ini.h"

namespace quellor {

namespace {

using Mode = FieldVisitor::Mode;

std::string N(const char* prefix, int n) { return prefix + std::to_string(n); }

void VisitSettings(IntroModel& m, FieldVisitor& v, int) {
  v.Text("IntroName", m.IntroName, "My Intro");
  int32_t version = 67;  // always written as 67; a stored value is not used
  v.Long("Version", version, 0);
  v.Long("ScreenX", m.ScreenX, 800);
  v.Long("ScreenY", m.ScreenY, 600);
  v.Long("FMode", m.FMode, 1);
  v.Long("Packer", m.Packer, 1);
  v.Long("WinType", m.WinType, 0);
  v.Text("ExecPRG", m.ExecPRG, "");
  v.Long("ExecRun", m.ExecRun, 0);
  v.Long("ExecNME", m.ExecNME, 0);
  v.Long("ONTop", m.ONTop, 0);
  v.Long("MovWin", m.MovWin, 0);
  v.FilePart("OverNam", m.Over);
  v.Text("IconC", m.IconC, "");
  v.Long("OverPX", m.OverPX, 0);
  v.Long("OverPY", m.OverPY, 0);
  v.Long("OverUSE", m.OverUSE, 0);
}

void VisitAnimClone(IntroModel& m, FieldVisitor& v, int) {
  AnimCloneFields& c = m.AnimClone;
  v.Long("Active", c.Active, 0);
  v.Long("Face", c.Face, 0);
  v.Long("PosPS", c.PosPS, 0);
  v.Long("MovPS", c.MovPS, 0);
  v.Long("AnmPS", c.AnmPS, 0);
  v.Long("Count", c.Count, 0);
  if ((v.Kind() == Mode::Read || v.Kind() == Mode::Set) && c.Count > kMaxBobClones) c.Count = kMaxBobClones;
  v.Long("XCent", c.XCent, 0);
  v.Long("YCent", c.YCent, 0);
  v.Long("width", c.width, m.ScreenX);
  v.Long("height", c.height, m.ScreenY);
  v.Float("XAdd", c.XAdd, 0);
  v.Float("YAdd", c.YAdd, 0);
  v.Long("Int1", c.Int1, 0);
  v.Long("Int2", c.Int2, 0);
  v.Float("Flt1", c.Flt1, 0);
  v.Float("Flt2", c.Flt2, 0);
  v.Long("Spr", c.Spr, 0);
}

void VisitGfx(IntroModel& m, FieldVisitor& v, int i) {
  GfxFields& g = m.GFX;
  v.Long("XPos", g.XPos[i], 0);
  v.Long("YPos", g.YPos[i], 0);
  v.Long("XSize", g.XSize[i], 100);
  v.Long("YSize", g.YSize[i], 100);
  v.Long("Layer", g.Layer[i], 0);
  v.Long("SRC", g.SRC[i], 5);
  v.Long("Dest", g.Dest[i], 6);
  v.Long("Trans", g.Trans[i], 255);
  v.FloatAsLong("Rota", g.Rota[i], 0);
  v.Float("AutoRot", g.AutoRot[i], 0);
  v.FilePart("Path", g.File[i]);
}

void VisitLogo(IntroModel& m, FieldVisitor& v, int) {
  LogoFields& l = m.Logo;
  v.FilePart("Path", l.File);
  v.Long("PosX", l.PosX, 0);
  v.Long("PosY", l.PosY, 0);
  v.Long("FX", l.FX, 0);
  v.Long("SizeX", l.SizeX, 0);
  v.Long("SizeY", l.SizeY, 0);
  v.Long("SRC", l.SRC, 5);
  v.Long("Dest", l.Dest, 6);
  v.Long("Layer", l.Layer, 0);
  v.Long("Trans", l.Trans, 255);
}

void VisitSign(IntroModel& m, FieldVisitor& v, int) {
  SignFields& s = m.Sign;
  v.FilePart("Path", s.File);
  v.Long("PosX", s.PosX, 0);
  v.Long("PosY", s.PosY, 0);
  v.Long("IN", s.IN, 0);
  v.Long("OUT", s.OUT, 0);
  v.Long("SRC", s.SRC, 5);
  v.Long("Dest", s.Dest, 6);
  v.Long("Layer", s.Layer, 0);
  v.Long("Trans", s.Trans, 255);
}

// Slot 0: start-up animation (Anim_2d), slot 1: bob animation (Anim_BOB).
void VisitAnim(IntroModel& m, FieldVisitor& v, int kind) {
  AnimFields& a = kind == 0 ? m.Anim_2d : m.Anim_BOB;
  v.FilePart("Path", a.File);
  v.FloatAsLong("PosX", a.PosX, 0);
  v.FloatAsLong("PosY", a.PosY, 0);
  v.Long("SizeX", a.SizeX, 0);
  v.Long("SizeY", a.SizeY, 0);
  v.Long("FSizeX", a.FSizeX, 32);
  v.Long("FSizeY", a.FSizeY, 32);
  v.Long("SRC", a.SRC, 5);
  v.Long("Dest", a.Dest, 6);
  v.Long("Layer", a.Layer, 0);
  v.Long("Trans", a.Trans, 255);
  v.Long("Frames", a.Frames, 1);
  v.Long("Speed", a.Speed, 30);
  v.FloatAsLong("Rota", a.Rota, 0);
  v.Long("Active", a.Active, 0);
  v.Long("Dir", a.Dir, 0);
  if (kind == 0) {
    v.Long("Intro", a.Intro, 0);
    v.Long("Outro", a.Outro, 0);
    v.Long("Spec", a.Spec, 0);
  } else {
    v.Long("CspX", a.CspX, 32);
    v.Long("CspY", a.CspY, 32);
  }
}

void VisitBackground(IntroModel& m, FieldVisitor& v, int) {
  v.FilePart("Path", m.Background.File);
  v.Long("ScrollX", m.Background.ScrollX, 0);
  v.Long("ScrollY", m.Background.ScrollY, 0);
}

void VisitStartupTimer(IntroModel& m, FieldVisitor& v, int) {
  for (int i = 0; i < 16; ++i) v.Long(N("ST_", i), m.StartTimer[i], 0);
  for (int i = 0; i < 8; ++i) v.Long(N("SF_", i), m.StartFlag[i], 0);
  for (int i = 1; i <= 5; ++i) v.Long(N("SF_", 8 + i), m.GFX.StartFlag[i], 0);
}

void VisitObject3d(IntroModel& m, FieldVisitor& v, int) {
  Obj3dFields& o = m.Obj3d;
  v.FilePart("Path", o.File);
  v.Long("Type", o.Type, 0);
  v.Long("Shadow", o.Shadow, 0);
  // Position and size are written as the object stands now.
  bool live = v.Kind() == Mode::Write && o.Entity != 0;
  float pos[3] = {o.PosX, o.PosY, o.PosZ};
  if (live) {
    pos[0] = o.WorkPos[0];
    pos[1] = o.WorkPos[1];
    pos[2] = o.WorkPos[2];
  }
  float size[3] = {o.SizX, o.SizY, o.SizZ};
  if (live && v.Eng()) v.Eng()->EntitySize(o.Entity, &size[0], &size[1], &size[2]);
  float* posRef[3] = {&o.PosX, &o.PosY, &o.PosZ};
  float* sizeRef[3] = {&o.SizX, &o.SizY, &o.SizZ};
  if (live) {
    for (int k = 0; k < 3; ++k) posRef[k] = &pos[k];
    for (int k = 0; k < 3; ++k) sizeRef[k] = &size[k];
  }
  v.Float("PosX", *posRef[0], 0);
  v.Float("PosY", *posRef[1], 0);
  v.Float("PosZ", *posRef[2], 10);
  v.Float("RotX", o.RotX, 0);
  v.Float("RotY", o.RotY, 0);
  v.Float("RotZ", o.RotZ, 0);
  v.Float("SizX", *sizeRef[0], 1);
  v.Float("SizY", *sizeRef[1], 1);
  v.Float("SizZ", *sizeRef[2], 1);
  v.Float("LightX", o.LightX, 0);
  v.Float("LightY", o.LightY, 0);
  v.Float("LightZ", o.LightZ, -100);
  v.Float("ST_X", o.ST_X, 0);
  v.Float("ST_Y", o.ST_Y, 0);
  v.Float("ST_Z", o.ST_Z, 0);
}

void VisitTexture3d(IntroModel& m, FieldVisitor& v, int) {
  if (v.Kind() != Mode::Write) {
    v.Long("Type", m.Tex3d.Type, 0);
    // Whichever file the type needs; the reader picks by type.
    v.FilePart("Path", m.Tex3d.Type == 2 ? m.TexShader.File : m.Tex3d.File);
    v.LineCount(m.TexShader.Code);
    v.LineKeys(m.TexShader.Code);
    return;
  }
  if (!m.Tex3d.File.empty()) {
    v.Long("Type", m.Tex3d.Type, 0);
    v.FilePart("Path", m.Tex3d.File);
  }
  if (!m.TexShader.Code.empty()) {
    int32_t shaderType = 2;  // replaces the image type written above
    v.Long("Type", shaderType, 0);
    v.LineCount(m.TexShader.Code);
    v.FilePart("Path", m.TexShader.File);
    v.LineKeys(m.TexShader.Code);
  }
}

void VisitVertexShader(IntroModel& m, FieldVisitor& v, int) {
  VertexShaderFields& s = m.VertexShader;
  v.Float("Var1", s.Var1, 0.5f);
  v.Float("Var2", s.Var2, 0.5f);
  v.Float("Var3", s.Var3, 0.5f);
  v.Long("M_opt", s.M_opt, 0);
  v.Long("M_X", s.M_X, 0);
  v.Long("M_Y", s.M_Y, 0);
  v.LineCount(s.Code);
  v.FilePart("Path", s.File);
  v.FilePart("Path_T1", s.TexFile[0]);
  v.FilePart("Path_T2", s.TexFile[1]);
  v.FilePart("Path_T3", s.TexFile[2]);
  v.LineKeys(s.Code);
}

void VisitMusic(IntroModel& m, FieldVisitor& v, int) {
  v.FilePart("Path", m.Music.File);
  v.Long("Type", m.Music.Type, 0);
}

void VisitFonts(IntroModel& m, FieldVisitor& v, int) {
  v.FilePart("Font1", m.Font1.File);
  v.FilePart("Font2", m.Font2.File);
  v.Long("F1SRC", m.Fonts.F1SRC, 5);
  v.Long("F1Dest", m.Fonts.F1Dest, 6);
  v.Long("F1Layer", m.Fonts.F1Layer, 0);
  v.Long("F2SRC", m.Fonts.F2SRC, 5);
  v.Long("F2Dest", m.Fonts.F2Dest, 6);
  v.Long("F2Layer", m.Fonts.F2Layer, 0);
  for (int f = 0; f < 2; ++f) {
    std::string p = "F" + std::to_string(f + 1) + "_";
    v.Long(p + "X", m.FontGrid[f].X, 32);
    v.Long(p + "Y", m.FontGrid[f].Y, 32);
    v.Long(p + "CL", m.FontGrid[f].CL, 10);
    v.Long(p + "L", m.FontGrid[f].L, 6);
  }
}

void VisitText(IntroModel& m, FieldVisitor& v, int) {
  v.Quoted("Scroll1", m.Scroller[0].Text);
  v.Quoted("Scroll2", m.Scroller[1].Text);
}

void VisitScroller(IntroModel& m, FieldVisitor& v, int s) {
  ScrollerFields& c = m.Scroller[s];
  v.Long("PosY", c.PosY, 0);
  v.Long("SizX", c.SizX, 0);
  v.Long("SizY", c.SizY, 0);
  v.Long("FX", c.FX, 0);
  v.Long("cspX", c.cspX, 0);
  v.Long("Font", c.Font, 0);
  v.Long("Active", c.Active, 0);
  v.Float("SSinAdd", c.SSinAdd, s == 0 ? 5.0f : 2.0f);
  v.Long("SSinSiz", c.SSinSiz, s == 0 ? 150 : 100);
  v.Long("SinRot", c.SinRot, 10);
  v.Long("SinSTP", c.SinSTP, 2);
  v.FloatAsLong("SinADD", c.SinADD, 4);
  v.Long("SinSiz", c.SinSiz, 200);
  v.FilePart("Path", c.File);
}

void VisitPostShader(IntroModel& m, FieldVisitor& v, int) {
  v.LineCount(m.PostFX.Code);
  v.FilePart("Path", m.PostFX.File);
  v.LineKeys(m.PostFX.Code);
}

void VisitBorder(IntroModel& m, FieldVisitor& v, int) {
  BorderFields& b = m.Border;
  v.Long("SizX", b.SizX, 0);
  v.Long("SizY", b.SizY, 0);
  v.Long("CspX", b.CspX, 0);
  v.Long("CspY", b.CspY, 0);
  v.FilePart("Path", b.File);
  v.Long("Src", b.SRC, 5);
  v.Long("Dest", b.Dest, 6);
  v.Long("Scroll", b.Scroll, 0);
  v.Long("Layer", b.Layer, 0);
  v.Long("Top", b.Top, 1);
  v.Long("Bot", b.Bot, 1);
  v.Long("Rgt", b.Rgt, 0);
  v.Long("Lft", b.Lft, 0);
}

void VisitDispOrder(IntroModel& m, FieldVisitor& v, int) { v.Order(m.DisplayOrder); }

void VisitPager(IntroModel& m, FieldVisitor& v, int) {
  PagerFields& p = m.Pager;
  v.Long("YLins", p.YLins, 0);
  v.Long("perLine", p.perLine, 0);
  v.Long("FXin", p.FXin, 0);
  v.Long("FXout", p.FXout, 0);
  v.Long("Time", p.Time, 0);
  v.Long("XPos", p.XPos, 0);
  v.Long("YPos", p.YPos, 0);
  v.Long("SizX", p.SizX, 0);
  v.Long("SizY", p.SizY, 0);
  v.Long("cspX", p.cspX, 0);
  v.Long("cspY", p.cspY, 0);
  v.Long("Spacer", p.Spacer, 0);
  v.Long("Active", p.Active, 0);
  v.List(p.Lines);
  v.Long("Po_spd", p.Po_spd, 2);
  v.Long("Sc_spd", p.Sc_spd, 2);
  v.Long("Ro_spd", p.Ro_spd, 2);
  v.Long("Tr_spd", p.Tr_spd, 2);
  v.Long("PG_del", p.PG_del, 50);
  v.Long("PG_Ldel", p.PG_Ldel, 0);
  v.Long("Po_spd2", p.Po_spd2, 2);
  v.Long("Sc_spd2", p.Sc_spd2, 2);
  v.Long("Ro_spd2", p.Ro_spd2, 2);
  v.Long("Tr_spd2", p.Tr_spd2, 2);
  v.Long("PG_del2", p.PG_del2, 50);
  v.Long("PG_Ldel2", p.PG_Ldel2, 0);
  v.Long("Spn_pX", p.Spn_pX, 400);
  v.Long("Spn_pY", p.Spn_pY, 300);
  v.Long("Spn_Tr", p.Spn_Tr, 0);
  v.Long("Spn_sX", p.Spn_sX, 100);
  v.Long("Spn_sY", p.Spn_sY, 100);
  v.Long("Spn_Ro", p.Spn_Ro, -1);
  v.Long("Spn_DMI", p.Spn_DMI, 0);
  v.Long("Spn_SM", p.Spn_SM, 0);
  v.Long("Van_pX", p.Van_pX, 400);
  v.Long("Van_pY", p.Van_pY, 300);
  v.Long("Van_Tr", p.Van_Tr, 0);
  v.Long("Van_sX", p.Van_sX, 100);
  v.Long("Van_sY", p.Van_sY, 100);
  v.Long("Van_Ro", p.Van_Ro, -1);
  v.Long("Van_DMI", p.Van_DMI, 0);
  v.Long("Van_SM", p.Van_SM, 0);
  v.Long("Font", p.Font, 0);
  v.Long("Next", p.Next, 0);
  v.Long("PaSwKey", p.PaSwKey, 0);
  v.Long("InstaC", p.InstaC, 0);
}

void VisitTrainer(IntroModel& m, FieldVisitor& v, int) {
  TrainerFields& t = m.Trainer;
  TrainerBarFields& b = m.TrainerBar;
  v.FilePart("Path", b.File);
  v.Long("YLins", t.YLins, 6);
  v.Long("perLine", t.perLine, 25);
  v.Long("XPos", t.XPos, 50);
  v.Long("YPos", t.YPos, 100);
  v.Long("SizX", t.SizX, 100);
  v.Long("SizY", t.SizY, 100);
  v.Long("cspX", t.cspX, 32);
  v.Long("cspY", t.cspY, 32);
  v.Long("Spacer", t.Spacer, 0);
  v.Long("Active", t.Active, 0);
  v.Long("Font", t.Font, 0);
  v.Long("Contr", t.Contr, 0);
  v.Long("LLExit", t.LLExit, 0);
  v.Long("TB_SRC", b.TB_SRC, 5);
  v.Long("TB_Dest", b.TB_Dest, 6);
  v.Long("TB_Line", b.TB_Line, 1);
  v.FloatAsLong("TB_FSL", b.TB_FSL, 100);
  v.Long("TB_Layer", b.TB_Layer, 0);
  v.Long("TB_CSX", b.TB_CSX, 0);
  v.List(t.Lines);
}

void VisitColorizer(IntroModel& m, FieldVisitor& v, int) {
  RasterFields& r = m.Raster;
  for (int n = 1; n <= 3; ++n) {
    std::string p = "Ras" + std::to_string(n) + "_";
    v.Float(p + "fxt", r.fxt[n], 0);
    v.LongAsFloat(p + "txt", r.txt[n], 0);
    v.Float(p + "enb", r.enb[n], 0);
    v.Float(p + "val", r.val[n], 0.5f);
    v.Float(p + "r", r.rgb[n][0], 0);
    v.Float(p + "g", r.rgb[n][1], 0);
    v.Float(p + "b", r.rgb[n][2], 0);
    v.FilePart(p + "Path", r.Path[n]);
  }
}

void VisitFullPath(IntroModel& m, FieldVisitor& v, int) {
  v.Text("Over", m.Over, "");
  v.Text("Logo", m.Logo.File, "");
  v.Text("Sign", m.Sign.File, "");
  v.Text("Anim1", m.Anim_2d.File, "");
  v.Text("BackG", m.Background.File, "");
  v.Text("Anim2", m.Anim_BOB.File, "");
  v.Text("3dObj", m.Obj3d.File, "");
  v.Text("3dTex", m.Tex3d.File, "");
  v.Text("3dShad", m.TexShader.File, "");
  v.Text("Tex_0", m.VertexShader.File, "");
  v.Text("Tex_1", m.VertexShader.TexFile[0], "");
  v.Text("Tex_2", m.VertexShader.TexFile[1], "");
  v.Text("Tex_3", m.VertexShader.TexFile[2], "");
  v.Text("Music", m.Music.File, "");
  v.Text("Font1", m.Font1.File, "");
  v.Text("Font2", m.Font2.File, "");
  v.Text("Scroll1", m.Scroller[0].File, "");
  v.Text("Scroll2", m.Scroller[1].File, "");
  v.Text("PostFX", m.PostFX.File, "");
  v.Text("Border", m.Border.File, "");
  for (int n = 1; n <= 3; ++n) v.Text(N("Ras", n), m.Raster.Path[n], "");
  for (int i = 1; i <= 5; ++i) v.Text(N("GFX#", i), m.GFX.File[i], "");
}

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

// Visits until the one field whose key matches; blocks are skipped.
class OneKeyVisitor : public FieldVisitor {
 public:
  explicit OneKeyVisitor(const std::string& key) : key_(key) {}
  bool Done() const { return done_; }
  void LineCount(std::string&) override {}
  void LineKeys(std::string&) override {}
  void List(std::vector<std::string>&) override {}
  void Order(std::vector<std::string>&) override {}

 protected:
  bool Hit(const std::string& k) {
    if (done_ || !SameName(k, key_)) return false;
    done_ = true;
    return true;
  }

 private:
  std::string key_;
  bool done_ = false;
};

// Sets the one field whose key matches; blocks cannot be set this way.
class SetVisitor : public OneKeyVisitor {
 public:
  SetVisitor(const std::string& key, const std::string& value) : OneKeyVisitor(key), value_(value) {}
  Mode Kind() const override { return Mode::Set; }

  void Long(const std::string& k, int32_t& f, int32_t) override {
    if (Hit(k)) f = ParseLong(value_);
  }
  void Float(const std::string& k, float& f, float) override {
    if (Hit(k)) f = ParseFloat(value_);
  }
  void FloatAsLong(const std::string& k, float& f, float) override {
    if (Hit(k)) f = static_cast<float>(ParseLong(value_));
  }
  void LongAsFloat(const std::string& k, int32_t& f, int32_t) override {
    if (Hit(k)) f = RoundToLong(ParseFloat(value_));
  }
  void Text(const std::string& k, std::string& f, const std::string&) override {
    if (Hit(k)) f = OneLine(value_);
  }
  void Quoted(const std::string& k, std::string& f) override {
    if (Hit(k)) f = OneLine(value_);
  }
  void FilePart(const std::string& k, std::string& f) override {
    if (Hit(k)) f = OneLine(value_);
  }
 private:
  std::string value_;
};

// Reads the one field whose key matches, in the form an edit field shows it.
class GetVisitor : public OneKeyVisitor {
 public:
  explicit GetVisitor(const std::string& key) : OneKeyVisitor(key) {}
  Mode Kind() const override { return Mode::Get; }
  const std::string& Value() const { return value_; }

  void Long(const std::string& k, int32_t& f, int32_t) override {
    if (Hit(k)) value_ = std::to_string(f);
  }
  void Float(const std::string& k, float& f, float) override {
    if (Hit(k)) value_ = ShortFloat(f);
  }
  void FloatAsLong(const std::string& k, float& f, float) override {
    if (Hit(k)) value_ = std::to_string(RoundToLong(f));
  }
  void LongAsFloat(const std::string& k, int32_t& f, int32_t) override {
    if (Hit(k)) value_ = std::to_string(f);
  }
  void Text(const std::string& k, std::string& f, const std::string&) override {
    if (Hit(k)) value_ = f;
  }
  void Quoted(const std::string& k, std::string& f) override {
    if (Hit(k)) value_ = f;
  }
  void FilePart(const std::string& k, std::string& f) override {
    if (Hit(k)) value_ = f;
  }
 private:
  static std::string ShortFloat(float f) {
    char buf[32];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, f);
    return ec == std::errc() ? std::string(buf, end) : std::string("0");
  }
  std::string value_;
};

}  // namespace

const std::vector<GroupDef>& ProjectGroups() {
  static const std::vector<GroupDef> groups = [] {
    std::vector<GroupDef> g;
    g.push_back({"Settings", VisitSettings, 0});
    g.push_back({"AnimClone", VisitAnimClone, 0});
    for (int i = 1; i <= 5; ++i) g.push_back({N("GFX#", i), VisitGfx, i});
    g.push_back({"Logo", VisitLogo, 0});
    g.push_back({"Sign", VisitSign, 0});
    g.push_back({"Anim_2d", VisitAnim, 0});
    g.push_back({"Background", VisitBackground, 0});
    g.push_back({"Anim_BOB", VisitAnim, 1});
    g.push_back({"Startup_Timer", VisitStartupTimer, 0});
    g.push_back({"3dObject", VisitObject3d, 0});
    g.push_back({"3dTexture", VisitTexture3d, 0});
    g.push_back({"VertexShader", VisitVertexShader, 0});
    g.push_back({"Music", VisitMusic, 0});
    g.push_back({"Fonts", VisitFonts, 0});
    g.push_back({"Text", VisitText, 0});
    g.push_back({"Scroller1", VisitScroller, 0});
    g.push_back({"Scroller2", VisitScroller, 1});
    g.push_back({"PostShader", VisitPostShader, 0});
    g.push_back({"Border", VisitBorder, 0});
    g.push_back({"DispOrder", VisitDispOrder, 0});
    g.push_back({"Pager", VisitPager, 0});
    g.push_back({"Trainer", VisitTrainer, 0});
    g.push_back({"Colorizer", VisitColorizer, 0});
    g.push_back({"FullPath", VisitFullPath, 0});
    return g;
  }();
  return groups;
}

const GroupDef* FindGroupDef(const std::string& name) {
  for (const GroupDef& g : ProjectGroups()) {
    if (SameName(g.Name, name)) return &g;
  }
  return nullptr;
}

const std::vector<std::string>& KnownOrderNames() {
  static const std::vector<std::string> names = {
      "Sign", "Logo", "Font1", "Font2", "Border", "Anim", "Bob_Anim", "TrainerBar",
      "GFX1", "GFX2", "GFX3", "GFX4", "GFX5"};
  return names;
}

bool IsKnownOrderName(const std::string& name) {
  for (const std::string& n : KnownOrderNames()) {
    if (n == name) return true;
  }
  return false;
}

namespace {
// Splits "Group.Key" (or a lone Settings key) into its group definition and key.
const GroupDef* SplitFieldName(const std::string& groupDotKey, std::string& key) {
  // The group name may itself hold no dot; the key is what follows the last one.
  size_t dot = groupDotKey.rfind('.');
  std::string group = dot == std::string::npos ? "Settings" : groupDotKey.substr(0, dot);
  key = dot == std::string::npos ? groupDotKey : groupDotKey.substr(dot + 1);
  const GroupDef* g = FindGroupDef(group);
  return key.empty() ? nullptr : g;
}
}  // namespace

bool GetFieldByName(const IntroModel& m, const std::string& groupDotKey, std::string& out) {
  std::string key;
  const GroupDef* g = SplitFieldName(groupDotKey, key);
  if (!g) return false;
  GetVisitor v(key);
  // The visitors take the model by reference for writing; a Get visitor only reads.
  g->Visit(const_cast<IntroModel&>(m), v, g->Slot);
  if (v.Done()) out = v.Value();
  return v.Done();
}

bool SetFieldByName(IntroModel& m, const std::string& groupDotKey, const std::string& value) {
  std::string key;
  const GroupDef* g = SplitFieldName(groupDotKey, key);
  if (!g) return false;
  SetVisitor v(key, value);
  g->Visit(m, v, g->Slot);
  if (v.Done() && (g->Visit == VisitScroller)) {
    ScrollerFields& s = m.Scroller[g->Slot];
    s.TablePhase = 0;
    BuildSineTables(s);
    if (s.cspX != 0) s.Slots = ScrollerSlots(m.ScreenX, s.cspX);
  }
  return v.Done();
}

int32_t ScrollerSlots(int32_t screenX, int32_t cspX) {
  if (cspX == 0) return 0;
  int64_t slots = int64_t{screenX} / cspX + 1;
  return static_cast<int32_t>(std::clamp<int64_t>(slots, INT32_MIN, INT32_MAX));
}

bool ApplySetArgument(IntroModel& m, const std::string& assignment) {
  size_t eq = assignment.find('=');
  if (eq == std::string::npos) return false;
  auto trim = [](std::string s) {
    size_t b = s.find_first_not_of(" \t");
    size_t e = s.find_last_not_of(" \t");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
  };
  return SetFieldByName(m, trim(assignment.substr(0, eq)), trim(assignment.substr(eq + 1)));
}

}  // namespace quellor
