#pragma once
// One loader per asset kind: size gate, release of the slot's previous object, engine
// object creation, starting placement, display-order name, options refresh, log line.
#include <string>

#include "engine/Engine.h"
#include "project/IntroModel.h"

namespace quellor {

void LoadLogo(IntroModel& m, Engine& e, const std::string& path);
void LoadSign(IntroModel& m, Engine& e, const std::string& path);
void LoadGfx(IntroModel& m, Engine& e, const std::string& path, int slot);  // 1..5
void LoadOverlay(IntroModel& m, Engine& e, const std::string& path);
void LoadBackground(IntroModel& m, Engine& e, const std::string& path);
void LoadBorder(IntroModel& m, Engine& e, const std::string& path);
// The bar's size and place follow the trainer text: the caller lays the trainer out
// again (RestartTrainer) after a load.
void LoadTrainerBar(IntroModel& m, Engine& e, const std::string& path);
void LoadAnimation(IntroModel& m, Engine& e, const std::string& path, int kind);  // 0 start-up, 1 bob
void LoadFont(IntroModel& m, Engine& e, const std::string& path, int font);      // 1 or 2
void LoadTexture(IntroModel& m, Engine& e, const std::string& path, int slot);   // 0..3
void LoadRasterTexture(IntroModel& m, Engine& e, const std::string& path, int bar, int stretch);
// The 3D object. The old object is freed only once the new file has been decoded: a
// file the engine refuses keeps the old object and logs the engine's error #20 with
// the file's name in red. The mesh is shrunk by the divisor of its largest dimension
// (200 above 1000, 50 above 100, else 10) and placed at 3dObject.PosX/PosY/PosZ.
void LoadObject3d(IntroModel& m, Engine& e, const std::string& path);
// The same with the frame hierarchy and its animation sets (counted into Obj3d.AnimSets).
void LoadAnimObject3d(IntroModel& m, Engine& e, const std::string& path);
void LoadPostFxShader(IntroModel& m, Engine& e, const std::string& path);
// The texture shader paints the object's 256 x 256 texture; the vertex shader is the
// effect the object is drawn with. A failed compile logs the engine's error text.
void LoadTextureShader(IntroModel& m, Engine& e, const std::string& path);
void LoadVertexShader(IntroModel& m, Engine& e, const std::string& path);

// Releases font n (1 or 2): image, character sprites, file name and grid record.
void ReleaseFont(IntroModel& m, Engine& e, int font);
// Frees the border texture, its turned copies and the four piece sprites.
void ReleaseBorder(IntroModel& m, Engine& e);
// Zooms the border pieces by (Border.SizX, Border.SizY). The side pieces are turned
// copies, so they take the two factors swapped: every piece then runs CspX along its
// edge and CspY deep, as the tiles are laid out. Use this instead of zooming the four
// sprites alike.
void ZoomBorderPieces(IntroModel& m, Engine& e);

// Recomputes scroller s's character spacing from character 1 of the font it uses,
// and its Slots when the spacing is positive.
void UpdateScrollerSpacing(IntroModel& m, Engine& e, int s);

// Loads an asset by a short kind name as used on the command line and in tests:
// logo, sign, gfx1..gfx5, overlay, background, border, trainerbar, anim, bobanim,
// font1, font2, tex0..tex3, raster1..raster3, object, animobject. Returns false for an
// unknown kind.
bool LoadAssetByKind(IntroModel& m, Engine& e, const std::string& kind, const std::string& path);

}  // namespace quellor
