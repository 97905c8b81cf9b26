// Builds the editor's resource packs from procedurally drawn images:
//   Quellor0.bin: chooser banner, red pill, blue pill, About text (NUL-terminated)
//   Quellor4.bin: help images 1..3 of the placement modes, welcome logo
// Usage: make_packs <output dir> [--fuzz-seeds <seed dir>]
// With --fuzz-seeds it also writes small JCALG1 streams and packs as fuzzing seeds.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/image/ImageCodec.h"
#include "export/PackFile.h"
#include "tools/PackArt.h"

using namespace quellor;
using namespace quellor::art;

namespace {

const char* kFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

const char* kAboutText =
    "An editor for demo-scene style intros: logos, scrollers, pager and trainer "
    "texts, bobs, raster bars, a shaded 3D object, post effects and music, "
    "exported as one standalone program.\n"
    "\n"
    "Made by the Quellor team.\n"
    "\n"
    "Quellor stands on the shoulders of these libraries, with thanks to their authors:\n"
    "  wxWidgets - windows, menus and dialogs\n"
    "  libepoxy - OpenGL function loading\n"
    "  Mesa - OpenGL and EGL\n"
    "  FreeType - font rendering\n"
    "  libpng - PNG images\n"
    "  libjpeg - JPEG images\n"
    "  SDL2 - sound output\n"
    "  libmodplug - tracker modules\n"
    "  libsidplayfp - C64 SID tunes\n"
    "  Assimp - 3D object files\n"
    "  glslang and SPIRV-Cross - shader translation\n"
    "  GLM - 3D mathematics\n"
    "\n"
    "Greetings to every scener who still makes intros.\n";

Color Rgb(int r, int g, int b, float a = 1) { return {r / 255.f, g / 255.f, b / 255.f, a}; }

// Deterministic pseudo-random numbers so that every build makes identical packs.
struct Lcg {
  uint32_t s;
  float Next() {
    s = s * 1664525u + 1013904223u;
    return (s >> 8) / 16777216.f;
  }
};

std::vector<uint8_t> Png(const Canvas& c) { return EncodePng(c.ToImage()); }

std::vector<uint8_t> Banner(Text& text) {
  Canvas c(393, 96);
  c.Fill([](float, float y) { return Mix(Rgb(8, 10, 40), Rgb(52, 12, 70), y / 96.f); });
  Lcg rnd{7};
  for (int i = 0; i < 90; ++i) {
    float x = rnd.Next() * 393, y = rnd.Next() * 96, b = 0.3f + 0.7f * rnd.Next();
    c.Shape([&](float px, float py) { return SdCircle(px, py, x, y, 0.6f + b * 0.5f); },
            [&](float, float) { return Color{b, b, 1, b}; }, int(x) - 3, int(y) - 3, int(x) + 4, int(y) + 4);
  }
  // Three copper-style bars swinging across the banner.
  const Color bars[3] = {Rgb(255, 60, 60), Rgb(60, 255, 120), Rgb(80, 140, 255)};
  for (int b = 0; b < 3; ++b)
    c.Fill([&](float x, float y) {
      float centre = 48 + 30 * std::sin(x / 393.f * 6.2832f + b * 2.1f);
      float d = std::fabs(y - centre) / 7.f;
      Color col = bars[b];
      col.A = d < 1 ? 0.55f * (1 - d * d) : 0;
      return col;
    });
  std::string title = "QUELLOR";
  int w = text.Width(title, 46);
  std::vector<float> mask = text.Mask(title, 46, (393 - w) / 2, 62, c.W, c.H);
  PaintMask(c, mask, 3, Rgb(10, 5, 30), [](float, float y) {
    return Mix(Rgb(255, 250, 160), Rgb(255, 120, 20), std::clamp((y - 20) / 44.f, 0.f, 1.f));
  });
  std::string sub = "intro editor v0.67";
  text.Draw(c, sub, 12, 393 - text.Width(sub, 12) - 8, 88, Rgb(220, 220, 255));
  return Png(c);
}

// A capsule lying on the diagonal, one half coloured, the other half pale.
std::vector<uint8_t> Pill(Color tint) {
  Canvas c(100, 100);
  const float ax = 24, ay = 76, bx = 76, by = 24, r = 19;
  c.Shape([&](float x, float y) { return SdSegment(x, y, ax + 4, ay + 4, bx + 4, by + 4, r); },
          [](float, float) { return Color{0, 0, 0, 0.35f}; });
  const float mx = (ax + bx) / 2, my = (ay + by) / 2;
  const float ux = (bx - ax), uy = (by - ay), ulen = std::hypot(ux, uy);
  c.Shape([&](float x, float y) { return SdSegment(x, y, ax, ay, bx, by, r); },
          [&](float x, float y) {
            float along = ((x - mx) * ux + (y - my) * uy) / ulen;            // <0: lower half
            float across = ((x - mx) * -uy + (y - my) * ux) / ulen / r;      // -1..1
            Color base = along > 0 ? tint : Mix(tint, Rgb(245, 245, 245), 0.8f);
            float shade = 0.55f + 0.45f * (1 - across * across);
            Color col{base.R * shade, base.G * shade, base.B * shade, 1};
            float hi = std::exp(-std::pow((across + 0.45f) * 5.f, 2.f));  // glossy stripe
            return Mix(col, Color{1, 1, 1, 1}, 0.6f * hi);
          });
  // Seam between the halves.
  c.Shape([&](float x, float y) {
            float along = ((x - mx) * ux + (y - my) * uy) / ulen;
            return std::max(std::fabs(along) - 0.7f, SdSegment(x, y, ax, ay, bx, by, r - 1));
          },
          [](float, float) { return Color{0, 0, 0, 0.35f}; });
  return Png(c);
}

// Computer mouse seen from above with the right button lit, centred at (cx, cy).
void Mouse(Canvas& c, float cx, float cy) {
  c.Shape([&](float x, float y) {
            float t = (y - (cy - 80)) / 40.f;
            if (t < 0 || t > 1) return 99.f;
            float wx = cx + 10 * std::sin(t * 3.1416f);
            return std::fabs(x - wx) - 1.5f;
          },
          [](float, float) { return Rgb(200, 200, 210); });
  auto body = [&](float x, float y) { return SdRoundRect(x, y, cx, cy, 30, 42, 28); };
  c.Shape(body, [&](float x, float y) {
    float t = (y - (cy - 42)) / 84.f;
    Color col = Mix(Rgb(240, 240, 245), Rgb(150, 150, 165), t);
    float rim = std::clamp(-body(x, y) / 4.f, 0.f, 1.f);
    return Mix(Rgb(60, 60, 70), col, rim);
  });
  // Right button, lit red: the one to hold.
  c.Shape([&](float x, float y) {
            return std::max(body(x, y) + 2, std::max(cx + 1.5f - x, y - (cy - 8)));
          },
          [](float, float) { return Rgb(235, 40, 40); });
  c.Shape([&](float x, float y) { return SdSegment(x, y, cx, cy - 41, cx, cy - 8, 1.0f); },
          [](float, float) { return Rgb(60, 60, 70); });
  c.Shape([&](float x, float y) { return std::max(body(x, y), std::fabs(y - (cy - 8)) - 1.0f); },
          [](float, float) { return Rgb(60, 60, 70); });
  // Scroll wheel.
  c.Shape([&](float x, float y) { return SdSegment(x, y, cx, cy - 30, cx, cy - 20, 3); },
          [](float, float) { return Rgb(90, 90, 100); });
}

enum class HelpKind { Size, Move, UpDown };

std::vector<uint8_t> HelpImage(Text& text, HelpKind kind) {
  Canvas c(256, 256);
  c.Shape([](float x, float y) { return SdRoundRect(x, y, 128, 128, 126, 126, 18); },
          [](float, float y) { return Mix(Rgb(16, 24, 64, 0.9f), Rgb(40, 12, 60, 0.9f), y / 256.f); });
  c.Shape([](float x, float y) { return std::fabs(SdRoundRect(x, y, 128, 128, 125, 125, 17)) - 1.2f; },
          [](float, float) { return Rgb(150, 180, 255); });
  const float cx = 128, cy = 132;
  const Color arrow = Rgb(255, 210, 60);
  switch (kind) {
    case HelpKind::Size:
      for (int sx = -1; sx <= 1; sx += 2)
        for (int sy = -1; sy <= 1; sy += 2)
          Arrow(c, cx + sx * 44.f, cy + sy * 50.f, cx + sx * 86.f, cy + sy * 78.f, 6, arrow);
      break;
    case HelpKind::Move:
      Arrow(c, cx - 42, cy, cx - 100, cy, 7, arrow);
      Arrow(c, cx + 42, cy, cx + 100, cy, 7, arrow);
      Arrow(c, cx, cy + 50, cx, cy + 80, 7, arrow);
      Arrow(c, cx - 38, cy - 56, cx - 64, cy - 84, 7, arrow);  // upward, beside the cable
      Arrow(c, cx + 38, cy - 56, cx + 64, cy - 84, 7, arrow);
      break;
    case HelpKind::UpDown:
      Arrow(c, cx + 52, cy - 10, cx + 52, cy - 78, 8, arrow);
      Arrow(c, cx + 52, cy + 10, cx + 52, cy + 74, 8, arrow);
      Arrow(c, cx - 52, cy - 10, cx - 52, cy - 78, 8, arrow);
      Arrow(c, cx - 52, cy + 10, cx - 52, cy + 74, 8, arrow);
      break;
  }
  Mouse(c, cx, cy);
  const char* title = kind == HelpKind::Size ? "SIZE" : kind == HelpKind::Move ? "MOVE / SIZE / TURN" : "UP / DOWN";
  text.Draw(c, title, 18, (256 - text.Width(title, 18)) / 2, 30, Rgb(255, 255, 255));
  const std::string l1 = "hold right button + move";
  const std::string l2 = "left button: done";
  text.Draw(c, l1, 12, (256 - text.Width(l1, 12)) / 2, 230, Rgb(255, 120, 120));
  text.Draw(c, l2, 12, (256 - text.Width(l2, 12)) / 2, 246, Rgb(200, 210, 255));
  return Png(c);
}

std::vector<uint8_t> WelcomeLogo(Text& text) {
  Canvas c(512, 160);
  std::string title = "QUELLOR";
  int size = 100;
  while (size > 20 && text.Width(title, size) > 480) size -= 2;
  int w = text.Width(title, size);
  std::vector<float> mask = text.Mask(title, size, (512 - w) / 2, 108, c.W, c.H);
  // Soft shadow behind the letters.
  std::vector<float> glow = text.Mask(title, size, (512 - w) / 2 + 5, 113, c.W, c.H);
  PaintMask(c, glow, 0, Color{}, [](float, float) { return Color{0, 0, 0, 0.5f}; });
  PaintMask(c, mask, 4, Rgb(12, 6, 40), [](float x, float y) {
    float t = std::clamp((y - 30) / 80.f, 0.f, 1.f);
    Color top = Mix(Rgb(120, 240, 255), Rgb(255, 255, 255), 0.5f + 0.5f * std::sin(x / 40.f));
    return t < 0.5f ? Mix(top, Rgb(40, 90, 255), t * 2) : Mix(Rgb(40, 90, 255), Rgb(230, 60, 220), (t - 0.5f) * 2);
  });
  std::string sub = "demo-scene intro editor";
  text.Draw(c, sub, 22, (512 - text.Width(sub, 22)) / 2, 148, Rgb(255, 220, 120));
  return Png(c);
}

bool WriteFile(const std::filesystem::path& p, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(p.string().c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return (std::fclose(f) == 0) && ok;
}

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

bool WriteSeeds(const std::filesystem::path& dir) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::create_directories(dir / "jcalg1", ec);
  fs::create_directories(dir / "pack", ec);
  std::vector<uint8_t> text = Bytes(std::string(kAboutText).substr(0, 600));
  std::vector<uint8_t> zeros(3000, 0);
  zeros[1500] = 1;
  std::vector<uint8_t> mixed;
  Lcg rnd{99};
  for (int i = 0; i < 1200; ++i) mixed.push_back(i % 300 < 150 ? uint8_t(rnd.Next() * 256) : uint8_t(i / 7));
  std::vector<uint8_t> seven;  // narrow byte range: 7-bit literals
  for (int i = 0; i < 700; ++i) seven.push_back(uint8_t(0xC0 + (i * 37 % 97)));
  std::vector<uint8_t> noise;  // incompressible: raw blocks
  for (int i = 0; i < 600; ++i) noise.push_back(uint8_t(rnd.Next() * 256));
  Jcalg1Options noSum;
  noSum.WithChecksum = false;
  bool ok = true;
  ok &= WriteFile(dir / "jcalg1" / "text.jc", Jcalg1Compress(text.data(), text.size()));
  ok &= WriteFile(dir / "jcalg1" / "zeros.jc", Jcalg1Compress(zeros.data(), zeros.size()));
  ok &= WriteFile(dir / "jcalg1" / "mixed.jc", Jcalg1Compress(mixed.data(), mixed.size()));
  ok &= WriteFile(dir / "jcalg1" / "seven.jc", Jcalg1Compress(seven.data(), seven.size(), noSum));
  ok &= WriteFile(dir / "jcalg1" / "raw.jc", Jcalg1Compress(noise.data(), noise.size()));
  ok &= WriteFile(dir / "jcalg1" / "empty.jc", Jcalg1Compress(nullptr, 0));
  // Plain data (no "JC" signature) drives the encoder round trip of the harness.
  ok &= WriteFile(dir / "jcalg1" / "plain.txt", text);
  ok &= WriteFile(dir / "pack" / "two.bin", BuildPack({text, Bytes("stored")}));
  ok &= WriteFile(dir / "pack" / "four.bin", BuildPack({zeros, mixed, Bytes("ab"), Bytes(std::string("x\0", 2))}));
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  if (argc < 2) {
    std::fprintf(stderr, "usage: make_packs <output dir> [--fuzz-seeds <dir>]\n");
    return 2;
  }
  fs::path out = argv[1];
  std::error_code ec;
  fs::create_directories(out, ec);

  Text text(kFont);
  if (!text.Ok()) std::fprintf(stderr, "make_packs: %s not readable, images without text\n", kFont);

  std::string about = kAboutText;
  std::vector<uint8_t> aboutBytes(about.begin(), about.end());
  aboutBytes.push_back(0);
  std::vector<std::vector<uint8_t>> pack0 = {Banner(text), Pill(Rgb(220, 30, 40)),
                                             Pill(Rgb(40, 90, 230)), aboutBytes};
  std::vector<std::vector<uint8_t>> pack4 = {HelpImage(text, HelpKind::Size),
                                             HelpImage(text, HelpKind::Move),
                                             HelpImage(text, HelpKind::UpDown), WelcomeLogo(text)};
  for (const auto& e : pack0)
    if (e.empty()) return std::fprintf(stderr, "make_packs: image encoding failed\n"), 1;
  for (const auto& e : pack4)
    if (e.empty()) return std::fprintf(stderr, "make_packs: image encoding failed\n"), 1;

  if (!WritePackFile((out / "Quellor0.bin").string(), pack0) ||
      !WritePackFile((out / "Quellor4.bin").string(), pack4)) {
    std::fprintf(stderr, "make_packs: cannot write packs to %s\n", out.string().c_str());
    return 1;
  }
  if (argc >= 4 && std::strcmp(argv[2], "--fuzz-seeds") == 0 && !WriteSeeds(argv[3])) {
    std::fprintf(stderr, "make_packs: cannot write seeds to %s\n", argv[3]);
    return 1;
  }
  return 0;
}
