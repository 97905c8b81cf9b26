// Plain textures: the 3D object's texture, the vertex-shader textures and the raster bars.
#include "project/Loaders.h"
#include "project/loaders/LoaderCommon.h"

namespace quellor {

namespace {
constexpr uint64_t kTextureLimit = 262144;
constexpr uint64_t kRasterLimit = 1024;
}  // namespace

void LoadTexture(IntroModel& m, Engine& e, const std::string& path, int slot) {
  if (path.empty() || slot < 0 || slot > 3) return;
  if (!loaders::FitsLimit(m, path, kTextureLimit, "Sorry, Texture filesize is to big.")) return;
  if (slot == 0) {
    if (!loaders::ReplaceTexture(m, e, path, m.Tex3d.Texture)) return;
    m.Tex3d.File = path;
    if (m.Obj3d.Entity != 0) e.EntityTexture(m.Obj3d.Entity, m.Tex3d.Texture);
    m.TexShader.State = 0;
    m.Tex3d.Type = 1;
    MarkChanged(m);
    loaders::LogLoaded(m, "3d Texture succesfully loaded.");
    return;
  }
  if (!loaders::ReplaceTexture(m, e, path, m.VertexShader.Texture[slot - 1])) return;
  m.VertexShader.TexFile[slot - 1] = path;
  MarkChanged(m);
  loaders::LogLoaded(m, "Texture #" + std::to_string(slot) + " succesfully loaded.");
}

void LoadRasterTexture(IntroModel& m, Engine& e, const std::string& path, int bar, int stretch) {
  if (path.empty() || bar < 1 || bar > 3) return;
  if (!loaders::FitsLimit(m, path, kRasterLimit, "Sorry, Raster Texture filesize is to big."))
    return;
  Handle& tex = m.Raster.Texture[bar];
  if (!loaders::ReplaceTexture(m, e, path, tex)) return;
  m.Raster.txt[bar] = stretch;
  m.Raster.Path[bar] = path;
  loaders::LogLoaded(m, "Raster Texture #" + std::to_string(bar) + " succesfully loaded.");
  // Texture mode "Among" (1) repeats the raster down to the screen height, so its bars
  // keep their size; "Stretch" (0) leaves it to be stretched over the screen.
  if (stretch == 1 && e.TextureHeight(tex) != m.ScreenY)
    e.TileTexture(tex, e.TextureWidth(tex), m.ScreenY);
  MarkChanged(m);
}

}  // namespace quellor
