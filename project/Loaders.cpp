#include "project/Loaders.h"

namespace quellor {
// Placeholders until the asset loaders land.
void LoadLogo(IntroModel&, Engine&, const std::string&) {}
void LoadSign(IntroModel&, Engine&, const std::string&) {}
void LoadGfx(IntroModel&, Engine&, const std::string&, int) {}
void LoadOverlay(IntroModel&, Engine&, const std::string&) {}
void LoadBackground(IntroModel&, Engine&, const std::string&) {}
void LoadBorder(IntroModel&, Engine&, const std::string&) {}
void LoadTrainerBar(IntroModel&, Engine&, const std::string&) {}
void LoadAnimation(IntroModel&, Engine&, const std::string&, int) {}
void LoadFont(IntroModel&, Engine&, const std::string&, int) {}
void LoadTexture(IntroModel&, Engine&, const std::string&, int) {}
void LoadRasterTexture(IntroModel&, Engine&, const std::string&, int, int) {}
void LoadObject3d(IntroModel&, Engine&, const std::string&) {}
void LoadAnimObject3d(IntroModel&, Engine&, const std::string&) {}
void LoadPostFxShader(IntroModel&, Engine&, const std::string&) {}
void LoadTextureShader(IntroModel&, Engine&, const std::string&) {}
void LoadVertexShader(IntroModel&, Engine&, const std::string&) {}
void ReleaseFont(IntroModel&, Engine&, int) {}
bool LoadAssetByKind(IntroModel&, Engine&, const std::string&, const std::string&) { return false; }
void RefreshOptionsWindow(IntroModel&) {}
}
