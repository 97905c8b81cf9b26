#pragma once
// Shared pieces of the project-file tests: scratch folders, files, a scripted host.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/Host.h"
#include "engine/image/ImageCodec.h"
#include "engine/recording/RecordingEngine.h"
#include "project/IntroModel.h"
#include "project/Loaders.h"

namespace quellor::testsupport {

namespace fs = std::filesystem;

struct ScratchDir {
  fs::path Path;
  ScratchDir() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    Path = fs::temp_directory_path() /
           (std::string("quellor_") + info->test_suite_name() + "_" + info->name() + "_" +
            std::to_string(::getpid()));
    fs::remove_all(Path);
    fs::create_directories(Path);
  }
  ~ScratchDir() { fs::remove_all(Path); }
  std::string Base() const { return Path.string() + "/"; }
};

inline std::string ReadText(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

inline void WriteText(const fs::path& p, const std::string& text) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << text;
}

inline Image Checker(int w, int h) {
  Image img;
  img.Width = w;
  img.Height = h;
  img.Rgba.resize(static_cast<size_t>(w) * h * 4);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint8_t* p = &img.Rgba[(static_cast<size_t>(y) * w + x) * 4];
      p[0] = static_cast<uint8_t>(x * 7);
      p[1] = static_cast<uint8_t>(y * 5);
      p[2] = ((x / 4 + y / 4) & 1) ? 255 : 0;
      p[3] = 255;
    }
  return img;
}

inline void WritePng(const fs::path& p, int w, int h) {
  fs::create_directories(p.parent_path());
  std::vector<uint8_t> bytes = EncodePng(Checker(w, h));
  std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                           static_cast<std::streamsize>(bytes.size()));
}

inline IntroModel FreshModel(const std::string& base) {
  IntroModel m;
  m.BaseDir = base;
  InitModel(m);
  return m;
}

// Every stored field away from its default (asset paths under `base`), so a field the
// writer or reader drops shows up as a difference.
inline void FillEveryField(IntroModel& m, const std::string& base) {
  m.IntroName = "Round Trip Intro";
  m.FMode = 2; m.Packer = 3; m.WinType = 4; m.ExecPRG = "run me.exe"; m.ExecRun = 1;
  m.ExecNME = 1; m.ONTop = 1; m.MovWin = 1; m.IconC = "C:\\icons\\q.ico";
  m.Over = base + "Data/Overlay/over.png"; m.OverUSE = 1; m.OverPX = 7; m.OverPY = 8;
  auto& c = m.AnimClone;
  c.Active = 0; c.Face = 1; c.PosPS = 2; c.MovPS = 3; c.AnmPS = 1; c.Count = 12; c.XCent = 10;
  c.YCent = 20; c.width = 700; c.height = 500; c.XAdd = 1.5f; c.YAdd = -0.25f; c.Int1 = 3;
  c.Int2 = 4; c.Flt1 = 2.5f; c.Flt2 = 0.125f; c.Spr = 1;
  for (int i = 1; i <= 5; ++i) {
    m.GFX.File[i] = base + "Data/Bobs/gfx" + std::to_string(i) + ".png";
    m.GFX.XPos[i] = 10 * i; m.GFX.YPos[i] = 20 * i; m.GFX.XSize[i] = 50 + i; m.GFX.YSize[i] = 60 + i;
    m.GFX.Layer[i] = i % 3; m.GFX.SRC[i] = i; m.GFX.Dest[i] = 10 - i; m.GFX.Trans[i] = 100 + i;
    m.GFX.Rota[i] = 15.0f * i; m.GFX.AutoRot[i] = 0.5f * i; m.GFX.StartFlag[i] = i;
  }
  m.Logo = {}; m.Logo.File = base + "Data/Logo/logo.png"; m.Logo.PosX = 11; m.Logo.PosY = 12;
  m.Logo.FX = 1; m.Logo.SizeX = 90; m.Logo.SizeY = 80; m.Logo.Layer = 2; m.Logo.SRC = 2;
  m.Logo.Dest = 2; m.Logo.Trans = 200;
  m.Sign.File = base + "Data/Logo/sign.png"; m.Sign.PosX = 13; m.Sign.PosY = 14; m.Sign.IN = 1;
  m.Sign.OUT = 2; m.Sign.Layer = 1; m.Sign.SRC = 3; m.Sign.Dest = 4; m.Sign.Trans = 99;
  for (int k = 0; k < 2; ++k) {
    AnimFields& a = k == 0 ? m.Anim_2d : m.Anim_BOB;
    a.File = base + (k == 0 ? "Data/Anim/anim.png" : "Data/Anim/bob.png");
    a.PosX = 30.0f + k; a.PosY = 40.0f + k; a.SizeX = 120; a.SizeY = 130; a.FSizeX = 16;
    a.FSizeY = 16; a.SRC = 2; a.Dest = 3; a.Layer = 1; a.Trans = 222; a.Frames = 4; a.Speed = 9;
    a.Rota = 45.0f; a.Active = 1; a.Dir = -1; a.Intro = 1; a.Outro = 2; a.Spec = 3; a.CspX = 8;
    a.CspY = 9;
  }
  m.Background.File = base + "Data/Textures/back.png"; m.Background.ScrollX = 2;
  m.Background.ScrollY = -3;
  for (int i = 0; i < 16; ++i) m.StartTimer[i] = 100 * i + 1;
  for (int i = 0; i < 8; ++i) m.StartFlag[i] = i % 2;
  auto& o = m.Obj3d;
  o.File = base + "Data/Objects/thing.3ds"; o.Type = 0; o.Shadow = 1; o.PosX = 1.5f;
  o.PosY = -2.5f; o.PosZ = 12.0f; o.RotX = 0.5f; o.RotY = 0.25f; o.RotZ = 2.0f; o.SizX = 3.0f;
  o.SizY = 4.0f; o.SizZ = 5.0f; o.LightX = 10.0f; o.LightY = 20.0f; o.LightZ = -50.0f;
  o.ST_X = 0.1f; o.ST_Y = 0.2f; o.ST_Z = 0.3f;
  m.Tex3d.Type = 2; m.Tex3d.File = base + "Data/Textures/tex.png";
  m.TexShader.File = base + "Data/Shader/Texture/tex.fx";
  m.TexShader.Code = "float4 Testout(float2 t : POSITION) : COLOR\r\n{\r\nreturn 1;\r\n}\r\n";
  auto& v = m.VertexShader;
  v.File = base + "Data/Shader/Vertex/wave.fx"; v.Code = "technique Technique0\r\n{\r\n}\r\n";
  v.Var1 = 0.25f; v.Var2 = 0.75f; v.Var3 = 1.0f; v.M_opt = 2; v.M_X = 321; v.M_Y = 123;
  v.TexFile = {base + "Data/Textures/t1.png", base + "Data/Textures/t2.png",
               base + "Data/Textures/t3.png"};
  m.Music.File = base + "Data/Music/tune.xm"; m.Music.Type = 0;
  m.Font1.File = base + "Data/Fonts/font1.png"; m.Font2.File = base + "Data/Fonts/font2.png";
  m.Fonts = {1, 2, 3, 2, 4, 5};
  m.FontGrid[0] = {32, 32, 10, 6}; m.FontGrid[1] = {16, 24, 8, 8};
  m.Scroller[0].Text = "  Hello scroller one  "; m.Scroller[1].Text = "second text";
  for (int s = 0; s < 2; ++s) {
    ScrollerFields& f = m.Scroller[s];
    f.File = base + "Data/Text/scroll" + std::to_string(s + 1) + ".txt";
    f.PosY = 300 + s; f.SizX = 150; f.SizY = 160; f.FX = 3 + s; f.cspX = 40; f.Font = s;
    f.Active = 1; f.SSinAdd = 3.5f; f.SSinSiz = 77; f.SinRot = 5; f.SinSTP = 3; f.SinADD = 6.0f;
    f.SinSiz = 90;
  }
  m.PostFX.File = base + "Data/Shader/PostFX/post.fx";
  m.PostFX.Code = "technique PostProcess\r\n{\r\n}\r\n";
  auto& b = m.Border;
  b.File = base + "Data/Border/border.png"; b.SizX = 110; b.SizY = 120; b.CspX = 64; b.CspY = 32;
  b.SRC = 7; b.Dest = 8; b.Scroll = 1; b.Layer = 2; b.Top = 0; b.Bot = 1; b.Rgt = 1; b.Lft = 1;
  m.DisplayOrder = {"GFX2", "Logo", "Font1", "Border", "Sign"};
  auto& p = m.Pager;
  p.YLins = 4; p.perLine = 18; p.FXin = 1; p.FXout = 2; p.Time = 4000; p.XPos = 90; p.YPos = 95;
  p.SizX = 80; p.SizY = 85; p.cspX = 30; p.cspY = 31; p.Spacer = 2; p.Active = 1; p.Font = 1;
  p.Next = 900; p.Po_spd = 3; p.Sc_spd = 4; p.Ro_spd = 5; p.Tr_spd = 6; p.PG_del = 40;
  p.PG_Ldel = 1; p.Po_spd2 = 7; p.Sc_spd2 = 8; p.Ro_spd2 = 9; p.Tr_spd2 = 10; p.PG_del2 = 41;
  p.PG_Ldel2 = 2; p.Spn_pX = 401; p.Spn_pY = 301; p.Spn_Tr = 3; p.Spn_sX = 4; p.Spn_sY = 5;
  p.Spn_Ro = 6; p.Spn_DMI = 7; p.Spn_SM = 8; p.Van_pX = 402; p.Van_pY = 302; p.Van_Tr = 9;
  p.Van_sX = 10; p.Van_sY = 11; p.Van_Ro = 12; p.Van_DMI = 13; p.Van_SM = 14; p.PaSwKey = 15;
  p.InstaC = 16;
  p.Lines = {"  PAGE ONE  ", "", "line three"};
  auto& t = m.Trainer;
  t.YLins = 2; t.perLine = 20; t.XPos = 60; t.YPos = 110; t.SizX = 90; t.SizY = 95; t.cspX = 28;
  t.cspY = 29; t.Spacer = 1; t.Active = 0; t.Font = 1; t.Contr = 1; t.LLExit = 1;
  t.Lines = {"INFINITE LIVES  OFF", "INFINITE TIME   OFF", "INFINITE LIVES  ON", "INFINITE TIME   ON"};
  auto& tb = m.TrainerBar;
  tb.File = base + "Data/TrainerBar/bar.png"; tb.TB_SRC = 2; tb.TB_Dest = 3; tb.TB_Line = 0;
  tb.TB_FSL = 75.0f; tb.TB_Layer = 1; tb.TB_CSX = 300;
  auto& r = m.Raster;
  for (int n = 1; n <= 3; ++n) {
    r.fxt[n] = 0.5f * n; r.txt[n] = n % 2; r.enb[n] = 1.0f; r.val[n] = 0.25f * n;
    r.rgb[n] = {0.1f * n, 0.2f * n, 0.3f * n, 0.0f};
    r.Path[n] = base + "Data/Raster/ras" + std::to_string(n) + ".png";
  }
}

// True once the real asset loaders are in: a logo made here must load.
inline bool LoadersAvailable() {
  ScratchDir s;
  WritePng(s.Path / "probe.png", 8, 8);
  IntroModel m = FreshModel(s.Base());
  RecordingEngine e;
  e.Open(800, 600);
  LoadLogo(m, e, (s.Path / "probe.png").string());
  return m.Logo.Sprite != 0;
}

}  // namespace quellor::testsupport
