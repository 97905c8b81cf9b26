#pragma once
// Command numbers of the main menu bar. Only the menu bar and the dispatch read them.
namespace quellor::menu {

// File
constexpr int kFileNew = 100;
constexpr int kFileLoad = 101;
constexpr int kFileSave = 102;
constexpr int kFileCreateFinal = 103;
constexpr int kFileQuit = 104;

// Edit
constexpr int kEditPostFx = 200;
constexpr int kEditTextureShader = 201;
constexpr int kEditVertexShader = 202;
constexpr int kEditScrollText1 = 203;
constexpr int kEditScrollText2 = 204;
constexpr int kEditPageText = 205;
constexpr int kEditTrainerText = 206;

// Effects > Logo
constexpr int kLogoLoad = 300;
constexpr int kLogoPosition = 301;
constexpr int kLogoSize = 302;
constexpr int kLogoEffectNone = 303;
constexpr int kLogoRemove = 304;

// Effects > Sign
constexpr int kSignLoad = 310;
constexpr int kSignPosition = 311;
constexpr int kSignRemove = 312;

// Effects > Background Picture
constexpr int kBackgroundLoad = 320;
constexpr int kBackgroundRemove = 321;

// Effects > 3d Layer
constexpr int kObjLoad = 400;
constexpr int kObjLoadAnim = 401;
constexpr int kObjCreateCube = 402;  // Cube .. Pyramid are kObjCreateCube + 0 .. 5
constexpr int kObjCreatePyramid = 407;
constexpr int kObjTexLoad = 410;
constexpr int kObjTexShader = 411;
constexpr int kObjTexRemove = 412;
constexpr int kObjShaderLoad = 420;
constexpr int kObjShaderRemove = 421;
constexpr int kObjShaderTexLoad1 = 430;    // Load Texture #n: kObjShaderTexLoad1 + 2 * (n - 1)
constexpr int kObjShaderTexRemove1 = 431;  // Remove Texture #n: kObjShaderTexRemove1 + 2 * (n - 1)
constexpr int kObjPosition = 440;
constexpr int kObjResize = 441;
constexpr int kObjRemove = 442;

// Effects > Music, PostFX Shader
constexpr int kMusicLoad = 450;
constexpr int kMusicRemove = 451;
constexpr int kPostFxLoad = 460;
constexpr int kPostFxRemove = 461;

// Effects > Fonts
constexpr int kFontLoad1 = 470;
constexpr int kFontRemove1 = 471;
constexpr int kFontLoad2 = 472;
constexpr int kFontRemove2 = 473;

// Effects > GFX > GFX #n: kGfxBase + 10 * n + action
constexpr int kGfxBase = 500;
constexpr int kGfxLoad = 0, kGfxPosition = 1, kGfxSize = 2, kGfxRotate = 3, kGfxRemove = 4;
constexpr int GfxItem(int n, int action) { return kGfxBase + 10 * n + action; }

// Effects > 2d Anim > Anim n (n = 1 start-up animation, 2 bob animation): kAnimBase + 10 * n + action
constexpr int kAnimBase = 600;
constexpr int kAnimLoad = 0, kAnimPosition = 1, kAnimSize = 2, kAnimRotate = 3, kAnimRemove = 4;
constexpr int AnimItem(int n, int action) { return kAnimBase + 10 * n + action; }

// Effects > Scroller > Scroller n: kScrollerBase + 20 * n + item
constexpr int kScrollerBase = 700;
constexpr int kScrollerPosition = 0, kScrollerSize = 1, kScrollerActive = 2;
constexpr int kScrollerEffect = 10;  // + FX value 0..7
constexpr int ScrollerItem(int n, int item) { return kScrollerBase + 20 * n + item; }

// Effects > Pager
constexpr int kPagerPosition = 800;
constexpr int kPagerSize = 801;
constexpr int kPagerLineSpace = 802;
constexpr int kPagerActive = 803;

// Effects > Trainer
constexpr int kTrainerPosition = 810;
constexpr int kTrainerSize = 811;
constexpr int kTrainerLineSpace = 812;
constexpr int kTrainerBarSize = 813;
constexpr int kTrainerActive = 814;

// Effects > Border
constexpr int kBorderLoad = 820;
constexpr int kBorderResize = 821;
constexpr int kBorderRemove = 822;

// Extra, Help
constexpr int kExtraIntroSetup = 900;
constexpr int kHelpForum = 910;
constexpr int kHelpAbout = 911;

}  // namespace quellor::menu
