#pragma once
// The intro model: every setting, asset path and engine handle of the intro being
// edited, plus the program-wide fields and the preview's running state. One instance
// is owned by the application; every operation takes it by reference.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/Handle.h"
#include "project/runtime/BobRun.h"
#include "project/runtime/DrawRecord.h"
#include "project/runtime/EffectSlots.h"
#include "project/runtime/FrameClock.h"
#include "project/runtime/IdleScene.h"
#include "project/runtime/PagerRun.h"
#include "project/runtime/ScrollerRun.h"
#include "project/runtime/StatusLog.h"
#include "project/runtime/TrainerRun.h"

namespace quellor {

struct LogoFields {
  std::string File;
  Handle Sprite = 0;
  int32_t PosX = 0, PosY = 0, FX = 0, SizeX = 0, SizeY = 0, Layer = 0;
  int32_t SRC = 5, Dest = 6, Trans = 255;
};

struct SignFields {
  std::string File;
  Handle Sprite = 0;
  int32_t PosX = 0, PosY = 0, IN = 0, OUT = 0, Layer = 0;
  int32_t SRC = 5, Dest = 6, Trans = 255;
};

// Slots 1..5; element 0 is never used.
struct GfxFields {
  std::array<std::string, 6> File{};
  std::array<Handle, 6> Sprite{};
  std::array<int32_t, 6> XPos{}, YPos{}, XSize{}, YSize{}, Layer{};
  std::array<int32_t, 6> SRC{5, 5, 5, 5, 5, 5}, Dest{6, 6, 6, 6, 6, 6};
  std::array<int32_t, 6> Trans{};
  std::array<float, 6> Rota{}, AutoRot{};
  std::array<int32_t, 6> StartFlag{};
};

struct BackgroundFields {
  std::string File;
  Handle Texture = 0, Sprite = 0;
  int32_t ScrollX = 0, ScrollY = 0;
};

struct BorderFields {
  std::string File;
  Handle Texture = 0;
  std::array<Handle, 4> Sprite{};  // top, bottom, right, left
  std::array<Handle, 2> SideTexture{};  // the image turned for the right and left pieces
  int32_t SizX = 0, SizY = 0, Scroll = 0;
  int32_t CspX = 128, CspY = 128;
  int32_t SRC = 5, Dest = 6, Layer = 0;
  int32_t Top = 1, Bot = 1, Rgt = 0, Lft = 0;
  int32_t TilesX = 0, TilesY = 0;
};

// Start-up animation (group Anim_2d) and bob animation (group Anim_BOB).
struct AnimFields {
  std::string File;
  Handle Sprite = 0;
  int32_t FSizeX = 32, FSizeY = 32, Frames = 1, Speed = 20, Active = 0;
  float PosX = 0, PosY = 0;
  int32_t Trans = 255, Layer = 0, SRC = 5, Dest = 6, SizeX = 100, SizeY = 100;
  float Rota = 0;
  int32_t Dir = 1;
  int32_t Intro = 0, Outro = 0, Spec = 0;  // start-up animation only
  int32_t CspX = 32, CspY = 32;            // bob animation only
  int32_t Frame = -1;                      // start-up animation only, not stored
};

struct CloneRecord {
  Handle Sprite = 0;
  float X = 0, Y = 0, Frame = 0, SizeX = 0, SizeY = 0, SpeedX = 0, SpeedY = 0,
        Reserved = 0, PhaseX = 0, PhaseY = 0;
};

struct AnimCloneFields {
  int32_t Active = 0, Face = 0, PosPS = 0, MovPS = 0, AnmPS = 0, Count = 0, XCent = 0,
          YCent = 0, Int1 = 0, Int2 = 0, Spr = 0;
  int32_t width = 800, height = 600;
  float XAdd = 0, YAdd = 0, Flt1 = 0, Flt2 = 0;
  std::vector<CloneRecord> Clones = std::vector<CloneRecord>(11);
};

struct ScrollerFields {
  std::string Text;
  std::string File;
  int32_t PosY = 0, SizX = 200, SizY = 200, FX = 0, cspX = 64, Font = 0, Active = 0;
  int32_t SinSiz = 200;
  float SinADD = 4.0f;
  int32_t SinRot = 10, SinSTP = 2;
  float SSinAdd = 0.0f;
  int32_t SSinSiz = 150;
  std::array<float, 721> SineTable{}, CosineTable{};
  float TablePhase = 0;  // not stored
  int32_t Phase = 1;     // not stored
  float Angle = 0;       // not stored
  int32_t Slots = 0;     // not stored
};

struct FontGridRecord {
  int32_t X = 32, Y = 32, CL = 10, L = 6;
};

struct GlyphRecord {
  Handle Image = 0;   // piece cut from the font image
  Handle Sprite = 0;  // sprite made from the piece
};

struct FontFields {
  std::string File;
  Handle Image = 0;
  std::array<GlyphRecord, 61> Chars{};
};

struct FontsFields {
  int32_t F1Layer = 0, F1SRC = 5, F1Dest = 6;
  int32_t F2Layer = 0, F2SRC = 5, F2Dest = 6;
};

struct PagerFields {
  int32_t YLins = 5, perLine = 20, FXin = 0, FXout = 0, Time = 5000, XPos = 100, YPos = 100,
          SizX = 100, SizY = 100, cspX = 32, cspY = 32, Spacer = 0, Active = 0, Font = 0,
          Next = 1000, Po_spd = 2, Sc_spd = 2, Ro_spd = 2, Tr_spd = 2, PG_del = 50, PG_Ldel = 0,
          Po_spd2 = 2, Sc_spd2 = 2, Ro_spd2 = 2, Tr_spd2 = 2, PG_del2 = 50, PG_Ldel2 = 0,
          Spn_pX = 400, Spn_pY = 300, Spn_Tr = 0, Spn_sX = 0, Spn_sY = 0, Spn_Ro = -1,
          Spn_DMI = 0, Spn_SM = 0, Van_pX = 400, Van_pY = 300, Van_Tr = 0, Van_sX = 0,
          Van_sY = 0, Van_Ro = 1, Van_DMI = 0, Van_SM = 0, PaSwKey = 0, InstaC = 0;
  std::vector<std::string> Lines;
  int32_t Page = 0, State = 0;  // running, not stored
  int32_t LetterCount = 0;      // running, not stored
};

struct TrainerFields {
  int32_t YLins = 6, perLine = 25, XPos = 50, YPos = 100, SizX = 100, SizY = 100, cspX = 32,
          cspY = 32, Spacer = 0, Active = 0, Font = 0, Contr = 0, LLExit = 0;
  std::vector<std::string> Lines;
  std::array<int32_t, 100> Switch{};   // per-line on/off state
  std::array<int32_t, 100> LinePos{};  // per-line y position
};

struct TrainerBarFields {
  std::string File;
  Handle Sprite = 0;
  int32_t TB_SRC = 5, TB_Dest = 6, TB_Line = 1;
  float TB_FSL = 100;
  int32_t TB_Layer = 0, TB_CSX = 0;
};

// Groups 3dObject/3dTexture and the shader slots of the 3D layer.
struct Obj3dFields {
  std::string File;  // key 3dObj
  Handle Entity = 0;
  int32_t Type = 0, Shadow = 0;
  float PosX = 0, PosY = 0, PosZ = 10;
  std::array<float, 3> WorkPos{0, 0, 10};
  float RotX = 1, RotY = 1, RotZ = 1;
  float LightX = 0, LightY = 0, LightZ = -100;
  float ST_X = 0, ST_Y = 0, ST_Z = 0;
  float SizX = 1, SizY = 1, SizZ = 1;  // stored mesh size; scale of a generated object
  float FogStart = 20.0f, FogEnd = 200.0f;
  int32_t AnimSets = 0;
};

struct Tex3dFields {
  int32_t Type = 0;  // 3dTexture.Type: 0 none, 1 image, 2 texture shader
  std::string File;  // key 3dTex
  Handle Texture = 0;
};

struct TexShaderFields {
  std::string File, Code;
  Handle Effect = 0;
  Handle Texture = 0;  // procedural texture filled from the effect
  int32_t State = -1;
};

struct VertexShaderFields {
  std::string File, Code;
  Handle Effect = 0;
  float Var1 = 0.5f, Var2 = 0.5f, Var3 = 0.5f;
  int32_t M_opt = 0, M_X = 400, M_Y = 300;
  std::array<std::string, 3> TexFile{};
  std::array<Handle, 3> Texture{};
};

struct PostFxFields {
  std::string File, Code;
  Handle Effect = 0;
  Handle Target = 0, Target2 = 0;
};

struct MusicFields {
  std::string File;
  Handle Player = 0;
  int32_t Type = 0;  // 0 tracker, 1 SID, 2 Future Composer, 3 V2M
};

// Bars 1..3 use index n; the arrays keep the original's spare elements.
struct RasterFields {
  std::array<float, 5> fxt{}, enb{};
  std::array<int32_t, 5> txt{};
  std::array<float, 5> val{0.5f, 0.5f, 0.5f, 0.5f, 0.5f};
  std::array<std::array<float, 4>, 5> rgb{};  // r, g, b in elements 0..2
  std::array<std::string, 5> Path{};
  std::array<Handle, 5> Texture{};
  int32_t RasterCount = 0;
  Handle Effect = 0;  // built-in recolor effect
  std::string EffectSource;
};

struct IntroModel {
  // Bumped by every command, placement mode and loader that changes the intro; views
  // refresh and unsaved work is noticed by comparing it with the value they last saw.
  uint64_t Revision = 0;

  // Program-wide
  std::string ProgramVersion = "0.67";
  std::string BaseDir;
  std::string ProjectName = "New Intro";
  int32_t LogEnabled = 1;
  int32_t PlayAfterLoad = 1;
  std::string ExportName = "My Intro";
  // Sizes of the packers found at start (index 1 UPX, 2 kkrunchy, 3 mpress); -1 = absent.
  std::array<int64_t, 4> PackerFileSize{-1, -1, -1, -1};
  std::vector<std::string> DisplayOrder;
  std::string WebsiteAddress, ForumAddress;
  int32_t EditMode = 0;
  int32_t ModeAnchorX = 0, ModeAnchorY = 0;  // reference point of the placement mode
  int32_t ModeGfxIndex = 0;                  // GFX layer (1..5) of a GFX placement mode
  std::array<float, 3> ModeStartSize{};      // 3D object size / 100 when its size mode began
  int32_t PreviewMouseX = 0, PreviewMouseY = 0;

  // Settings
  std::string IntroName = "My Intro";
  int32_t ScreenX = 800, ScreenY = 600;
  int32_t FMode = 0, Packer = 1, WinType = 1;
  std::string ExecPRG;
  int32_t ExecRun = 0, ExecNME = 0, ONTop = 0, MovWin = 0;
  std::string IconC;
  std::string Over;
  int32_t OverUSE = 0, OverPX = 0, OverPY = 0, OverW = 0, OverH = 0;

  LogoFields Logo;
  SignFields Sign;
  GfxFields GFX;
  BackgroundFields Background;
  BorderFields Border;
  AnimFields Anim_2d;
  AnimFields Anim_BOB;
  AnimCloneFields AnimClone;
  std::array<int32_t, 16> StartTimer{};
  std::array<int32_t, 8> StartFlag{};  // SF_0..SF_7; SF_9..SF_13 live in GFX.StartFlag

  std::array<ScrollerFields, 2> Scroller{};  // Scroller1, Scroller2
  FontFields Font1, Font2;
  FontsFields Fonts;
  std::array<FontGridRecord, 5> FontGrid{};
  FontGridRecord PendingGrid{32, 32, 10, 6};  // grid handed to the next font load

  PagerFields Pager;
  TrainerFields Trainer;
  TrainerBarFields TrainerBar;

  Obj3dFields Obj3d;
  Tex3dFields Tex3d;
  TexShaderFields TexShader;
  VertexShaderFields VertexShader;
  PostFxFields PostFX;
  MusicFields Music;
  RasterFields Raster;

  // Running state of the preview (never stored)
  FrameClock Clock;
  StatusLog Log;
  DrawList Draws;
  IdleScene Idle;
  std::array<ScrollerRun, 2> ScrollRun{};
  PagerRun PagerState;
  TrainerRun TrainerState;
  BobRun Bobs;
  Handle ScreenTexture = 0;
  // The "mouse" vector both shader effects receive, taken every frame (VertexShader.M_opt).
  std::array<float, 3> ShaderMouse{};
  EffectSlots PostSlots, RasterSlots;  // parameter indices of the post and raster effects
  Handle ModeMarker = 0;  // placement-mode cursor sprite
  std::array<Handle, 3> HelpImages{};
  int32_t ModeMarkerX = 0, ModeMarkerY = 0;
  std::string AboutText;
};

inline void MarkChanged(IntroModel& m) { ++m.Revision; }

// Sets every field to its start-up value (including the four sine tables); BaseDir and
// the clock the model reads stay.
void InitModel(IntroModel& m);

// Builds the sine and cosine tables of scroller s (0 or 1) from its current TablePhase.
void BuildSineTables(ScrollerFields& s);

FontFields& FontOf(IntroModel& m, int fontIndex);  // 0 = font 1, 1 = font 2

}  // namespace quellor
