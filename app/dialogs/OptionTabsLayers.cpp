// Tabs "3d Layer" and "2d Layer".
#include "app/dialogs/OptionActions.h"
#include "app/dialogs/OptionTable.h"

namespace quellor::options {

namespace {
void Place(Control& c, int x, int y, int w, int h) { c.X = x, c.Y = y, c.W = w, c.H = h; }
}  // namespace

void Add3dTab(TableBuilder& b) {
  b.Frame("obj.frame", "", 5, 5, 250, 54, {240}, 0);
  b.Check("3dObject.Shadow", "enable Shadows").After = SwitchShadow;

  b.Frame("obj.start", "Rotation Start at", 5, 64, 250, 106, {240}, 70);
  b.Edit("3dObject.ST_X", "X", Input::Decimal, "0");
  b.Edit("3dObject.ST_Y", "Y", Input::Decimal, "0");
  b.Edit("3dObject.ST_Z", "Z", Input::Decimal, "0");

  b.Frame("obj.rotation", "Object Rotation", 5, 175, 250, 132, {240}, 70);
  b.Edit("3dObject.RotX", "X Axis", Input::Decimal, "0");
  b.Edit("3dObject.RotY", "Y Axis", Input::Decimal, "0");
  b.Edit("3dObject.RotZ", "Z Axis", Input::Decimal, "0");
  b.Button("obj.reset", "Reset", PressResetRotation);

  b.Frame("obj.light", "Light Position", 260, 5, 250, 106, {240}, 70);
  for (const char* axis : {"X", "Y", "Z"})
    b.Edit(std::string("3dObject.Light") + axis, axis, Input::Decimal, "0").After = MoveLight;

  b.Frame("obj.position", "Object Position", 260, 116, 250, 106, {240}, 70);
  b.Edit("3dObject.PosX", "X Pos", Input::Decimal, "0").After = MoveObject;
  b.Edit("3dObject.PosY", "Y Pos", Input::Decimal, "0").After = MoveObject;
  b.Edit("3dObject.PosZ", "Z Pos", Input::Decimal, "10").After = MoveObject;

  b.Frame("obj.fog", "Fog Settings", 260, 227, 250, 80, {240}, 70);
  const char* fog[] = {"Start", "End"};
  const char* fogInitial[] = {"10", "200"};
  for (int i = 0; i < 2; ++i) {
    Control& c = b.Add(Kind::ReadOnly, "obj.fog" + std::to_string(i), fog[i]);
    c.Initial = fogInitial[i];
    c.Slot = i;
    c.Get = GetFog;
  }

  b.Frame("obj.vars", "Shader Editor [ VAR ]", 515, 5, 265, 190, {}, 0);
  for (int i = 0; i < 3; ++i)
    Place(b.Track("VertexShader.Var" + std::to_string(i + 1)), 30 + 80 * i, 24, 40, 156);

  b.Frame("obj.mouse", "Shader Mouse Position", 515, 200, 265, 106, {255}, 70);
  b.Combo("VertexShader.M_opt", "", kShaderMouseModes);
  b.Edit("VertexShader.M_X", "Mouse X", Input::Digits, "400");
  b.Edit("VertexShader.M_Y", "Mouse Y", Input::Digits, "300");
}

void Add2dTab(TableBuilder& b) {
  for (int n = 1; n <= 3; ++n) {
    const std::string k = "Colorizer.Ras" + std::to_string(n) + "_";
    b.Frame("raster.frame" + std::to_string(n), "Color " + std::to_string(n), 5 + (n - 1) * 260, 5, 255, 108,
            {125, 120}, 42);
    Control& active = b.Check(k + "enb", "Active");
    active.After = CountRasters;
    Control& swatch = b.Add(Kind::Swatch, "raster.swatch" + std::to_string(n), "");
    swatch.Slot = n;
    swatch.Get = GetRasterColour;
    swatch.Set = SetRasterColour;
    swatch.After = PressRasterColour;
    b.Combo(k + "txt", "", kTextureModes);
    b.Button("raster.texture" + std::to_string(n), "Texture", PressRasterTexture).Slot = n;
    b.Combo(k + "fxt", "", kColourEffects);
    b.Edit(k + "val", "value", Input::Decimal, "0.5");
  }

  for (int i = 1; i <= 5; ++i) {
    const std::string k = "GFX#" + std::to_string(i) + ".";
    b.Frame("gfx.frame" + std::to_string(i), "GFX# " + std::to_string(i), 5 + (i - 1) * 155, 118, 150, 132,
            {140}, 52);
    b.Edit(k + "Trans", "Trans", Input::Digits, "255");
    Control& rota = b.Edit(k + "Rota", "Rotation", Input::Decimal, "0");
    rota.After = TurnGfx;
    rota.Slot = i;
    b.Blend(k + "SRC", "Source", ReapplyBlend, kGfx + i);
    b.Blend(k + "Dest", "Destination", ReapplyBlend, kGfx + i);
  }

  b.Frame("display.frame", "Display Manager", 5, 255, 500, 168, {}, 0);
  Place(b.Add(Kind::LayerList, kLayerList, ""), 8, 22, 330, 138);
  Place(b.Button("display.up", "Up", PressRowUp), 350, 22, 80, 28);
  Place(b.Button("display.down", "Down", PressRowDown), 350, 54, 80, 28);
  Place(b.Button("display.apply", "Apply", PressApplyDisplay), 350, 130, 80, 28);

  b.Frame("display.entry", "Edit Entry", 510, 255, 270, 56, {260}, 0);
  Control& layer = b.Combo(kLayerEdit, "", kLayerChoices);
  layer.Key.clear();
  layer.Set = ChangeRowLayer;
}

}  // namespace quellor::options
