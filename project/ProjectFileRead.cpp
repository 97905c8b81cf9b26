#include <sys/stat.h>

#include <algorithm>
#include <map>

#include "engine/image/ImageCodec.h"
#include "project/Ini.h"
#include "project/Loaders.h"
#include "project/NewIntro.h"
#include "project/Object3d.h"
#include "project/PathResolve.h"
#include "project/ShaderCode.h"
#include "project/ProjectFields.h"
#include "project/ProjectFile.h"
#include "project/StatusLog.h"
#include "project/CloneTable.h"

namespace quellor {

namespace {

// Reads one group's keys into the model, with the reader's defaults for missing keys.
// Path keys are only collected; the asset rule decides what to load from them.
class ReadVisitor : public FieldVisitor {
 public:
  ReadVisitor(const IniDocument& doc, int group) : doc_(doc), g_(group) {}
  Mode Kind() const override { return Mode::Read; }

  void Long(const std::string& k, int32_t& f, int32_t missing) override {
    auto v = doc_.Value(g_, k);
    f = v ? ParseLong(*v) : missing;
  }
  void Float(const std::string& k, float& f, float missing) override {
    auto v = doc_.Value(g_, k);
    f = v ? ParseFloat(*v) : missing;
  }
  void FloatAsLong(const std::string& k, float& f, float missing) override {
    auto v = doc_.Value(g_, k);
    f = v ? static_cast<float>(ParseLong(*v)) : missing;
  }
  void LongAsFloat(const std::string& k, int32_t& f, int32_t missing) override {
    auto v = doc_.Value(g_, k);
    f = v ? RoundToLong(ParseFloat(*v)) : missing;
  }
  void Text(const std::string& k, std::string& f, const std::string& missing) override {
    auto v = doc_.Value(g_, k);
    f = v ? std::string(*v) : missing;
  }
  void Quoted(const std::string& k, std::string& f) override {
    auto v = doc_.Value(g_, k);
    f = v ? UnquoteText(*v) : std::string();
  }
  void FilePart(const std::string& k, std::string&) override {
    auto v = doc_.Value(g_, k);
    paths_[k] = v ? std::string(*v) : std::string();
  }
  void LineCount(std::string&) override { lineCount_ = Count(); }
  void LineKeys(std::string& text) override {
    std::vector<std::string> lines;
    for (size_t n = 1; n <= lineCount_; ++n) {
      auto v = doc_.Value(g_, "LN" + std::to_string(n));
      lines.push_back(v ? std::string(*v) : std::string());
    }
    text = JoinTextLines(lines);
  }
  void List(std::vector<std::string>& out) override {
    size_t count = Count();
    out.clear();
    for (size_t n = 0; n < count; ++n) {
      auto v = doc_.Value(g_, "P" + std::to_string(n));
      out.push_back(v ? UnquoteText(*v) : std::string());
    }
  }
  // The stored order comes first; names the loaders added that the file does not list
  // keep their relative order above it.
  void Order(std::vector<std::string>& names) override {
    size_t count = Count();
    std::vector<std::string> stored;
    for (size_t n = 0; n <= count; ++n) {
      auto v = doc_.Value(g_, "P" + std::to_string(n));
      if (!v) continue;
      std::string name(*v);
      if (IsKnownOrderName(name) && std::find(stored.begin(), stored.end(), name) == stored.end())
        stored.push_back(name);
    }
    for (const std::string& name : names) {
      if (std::find(stored.begin(), stored.end(), name) == stored.end()) stored.push_back(name);
    }
    names = std::move(stored);
  }

  std::string Path(const std::string& key) const {
    auto it = paths_.find(key);
    return it == paths_.end() ? std::string() : it->second;
  }

 private:
  // "Lines" of this group, bounded by the keys the group really holds.
  size_t Count() const {
    auto v = doc_.Value(g_, "Lines");
    int32_t n = v ? ParseLong(*v) : 0;
    if (n <= 0) return 0;
    return std::min(static_cast<size_t>(n), doc_.KeyCount(g_));
  }
  const IniDocument& doc_;
  int g_;
  size_t lineCount_ = 0;
  std::map<std::string, std::string> paths_;
};

struct Reader {
  IntroModel& m;
  Engine& e;
  const IniDocument& doc;
  bool lastFound_ = false;  // the last asset rule found a file to load

  ReadVisitor Visit(const std::string& groupName) {
    const GroupDef* def = FindGroupDef(groupName);
    ReadVisitor v(doc, doc.FindGroup(groupName));
    def->Visit(m, v, def->Slot);
    return v;
  }

  std::string Stored(const std::string& groupName, const std::string& key) {
    auto v = doc.Value(doc.FindGroup(groupName), key);
    return v ? std::string(*v) : std::string();
  }

  // The asset rule: the stored name in the kind's folder under BaseDir, else the full path.
  // Files the engine holds in memory (an exported intro's own assets) count as present.
  std::string Choose(const std::string& folder, const std::string& stored,
                     const std::string& fullPath) {
    if (!stored.empty()) {
      std::string candidate = ResolvePath(JoinPath(m.BaseDir, folder + quellor::FilePart(stored)));
      if (e.IsMounted(candidate)) return candidate;
      if (PathExists(candidate) && PathIsSafeToRead(candidate)) return candidate;
    }
    if (fullPath.empty()) return std::string();
    if (e.IsMounted(fullPath)) return fullPath;
    std::string full = ResolvePath(fullPath);
    // A relative path is relative to the program folder, wherever the current folder is.
    if (!PathExists(full) && !full.empty() && full[0] != '/') {
      std::string inBase = ResolvePath(JoinPath(m.BaseDir, fullPath));
      if (PathExists(inBase)) full = inBase;
    }
    return PathIsSafeToRead(full) ? full : std::string();
  }

  // Runs a loader on the chosen path. A missing asset keeps its stored full path, so the
  // next save does not lose it; a loaded one keeps the path the loader recorded.
  template <class Load>
  void LoadAsset(std::string& fileField, Handle& handle, const std::string& path, Load load) {
    std::string before = fileField;
    lastFound_ = !path.empty() && PathExists(path);
    if (!path.empty()) load(path);
    if (handle == 0) fileField = before;
    else if (fileField.empty()) fileField = path;
    // The path as the file wrote it, when it names the file loaded: its bytes (8-bit
    // Windows text, say) then save back unchanged.
    else if (!before.empty() && before != fileField && ResolvePath(before) == fileField) fileField = before;
  }

  // A file that was found but could not be read has been reported by its loader.
  void NotFound(Handle handle, const std::string& stored, const std::string& text) {
    if (handle == 0 && !stored.empty() && !lastFound_) AddStatusLine(m, text, kNotFoundMs, kColorError);
  }

  void Settings(int curW, int curH, LoadOutcome& out) {
    Visit("Settings");
    m.IntroName = CutCharacters(m.IntroName, 20);
    // Spaces the cut leaves at the end would not survive the next save and load.
    while (!m.IntroName.empty() && (m.IntroName.back() == ' ' || m.IntroName.back() == '\t'))
      m.IntroName.pop_back();
    m.ExportName = m.IntroName;
    out.FileWidth = m.ScreenX;
    out.FileHeight = m.ScreenY;
    if (m.ScreenX == curW) {
      // The preview keeps its size; an impossible height from a file is not taken.
      if (m.ScreenY < 1 || m.ScreenY > kMaxImageSide) m.ScreenY = curH;
    } else {
      m.ScreenX = curW;
      m.ScreenY = curH;
      for (ScrollerFields& s : m.Scroller) {
        if (s.cspX != 0) s.Slots = ScrollerSlots(m.ScreenX, s.cspX);
      }
      // Only a size a screen can have is worth a restart.
      out.ResolutionMismatch = out.FileWidth >= 1 && out.FileWidth <= kMaxImageSide &&
                               out.FileHeight >= 1 && out.FileHeight <= kMaxImageSide;
    }
  }

  void Overlay(const std::string& overNam) {
    int32_t px = m.OverPX, py = m.OverPY, use = m.OverUSE;
    std::string path = Choose("Data/Overlay/", overNam, m.Over);
    if (!path.empty()) LoadOverlay(m, e, path);
    m.OverPX = px;
    m.OverPY = py;
    m.OverUSE = use;
    if (!overNam.empty() && !PathExists(m.Over) && m.OverW == 0)
      AddStatusLine(m, "Loading Error: Overlay file not found.", kNotFoundMs, kColorError);
  }

  void Gfx(int i) {
    std::string group = "GFX#" + std::to_string(i);
    std::string stored = Stored(group, "Path");
    LoadAsset(m.GFX.File[i], m.GFX.Sprite[i], Choose("Data/Bobs/", stored, m.GFX.File[i]),
              [&](const std::string& p) { LoadGfx(m, e, p, i); });
    Visit(group);
    if (Handle s = m.GFX.Sprite[i]) {
      e.SpriteBlending(s, m.GFX.SRC[i], m.GFX.Dest[i]);
      e.ZoomSprite(s, static_cast<float>(m.GFX.XSize[i]), static_cast<float>(m.GFX.YSize[i]));
      e.RotateSprite(s, m.GFX.Rota[i]);
    }
    NotFound(m.GFX.Sprite[i], stored,
             "Loading Error: GFX #" + std::to_string(i) + " file Not found.");
  }

  void Logo() {
    std::string stored = Stored("Logo", "Path");
    LoadAsset(m.Logo.File, m.Logo.Sprite, Choose("Data/Logo/", stored, m.Logo.File),
              [&](const std::string& p) { LoadLogo(m, e, p); });
    Visit("Logo");
    if (Handle s = m.Logo.Sprite) {
      e.SpriteBlending(s, m.Logo.SRC, m.Logo.Dest);
      e.ZoomSprite(s, static_cast<float>(m.Logo.SizeX), static_cast<float>(m.Logo.SizeY));
    }
    NotFound(m.Logo.Sprite, stored, "Loading Error: Logo file Not found.");
  }

  void Sign() {
    std::string stored = Stored("Sign", "Path");
    LoadAsset(m.Sign.File, m.Sign.Sprite, Choose("Data/Logo/", stored, m.Sign.File),
              [&](const std::string& p) { LoadSign(m, e, p); });
    Visit("Sign");
    if (Handle s = m.Sign.Sprite) e.SpriteBlending(s, m.Sign.SRC, m.Sign.Dest);
    NotFound(m.Sign.Sprite, stored, "Loading Error: Sign file Not found.");
  }

  void Anim(int kind) {
    const char* group = kind == 0 ? "Anim_2d" : "Anim_BOB";
    AnimFields& a = kind == 0 ? m.Anim_2d : m.Anim_BOB;
    std::string stored = Stored(group, "Path");
    LoadAsset(a.File, a.Sprite, Choose("Data/Anim/", stored, a.File),
              [&](const std::string& p) { LoadAnimation(m, e, p, kind); });
    Visit(group);
    if (a.Sprite != 0) {
      // The sheet is cut into frames of the stored size: the sprite is made again with it.
      if (a.FSizeX > 0 && a.FSizeY > 0 &&
          (e.SpriteWidth(a.Sprite) != a.FSizeX || e.SpriteHeight(a.Sprite) != a.FSizeY)) {
        if (Handle framed = e.LoadSprite(ResolvePath(a.File), a.FSizeX, a.FSizeY)) {
          e.FreeSprite(a.Sprite);
          a.Sprite = framed;
        }
      }
      e.SpriteBlending(a.Sprite, a.SRC, a.Dest);
      e.ZoomSprite(a.Sprite, static_cast<float>(a.SizeX), static_cast<float>(a.SizeY));
      e.RotateSprite(a.Sprite, a.Rota);
    }
    NotFound(a.Sprite, stored,
             kind == 0 ? "Loading Error: Anim #1 file Not found."
                       : "Loading Error: Bob Anim file Not found.");
  }

  void AnimClone() {
    Visit("AnimClone");
    if (m.AnimClone.Active != 0 && m.Anim_BOB.Sprite == 0) {
      AddStatusLine(m, "Bob Animation deaktivated, Bob Anim file not loaded !", kMessageMs,
                    kColorError);
      m.AnimClone.Active = 0;
    }
    if (m.AnimClone.Active != 0 && m.AnimClone.Count > 0) GenerateClones(m);
  }

  void Background() {
    std::string stored = Stored("Background", "Path");
    LoadAsset(m.Background.File, m.Background.Texture,
              Choose("Data/Textures/", stored, m.Background.File),
              [&](const std::string& p) { LoadBackground(m, e, p); });
    Visit("Background");
    NotFound(m.Background.Texture, stored, "Loading Error: Background file Not found.");
  }

  void Object3d() {
    Obj3dFields& o = m.Obj3d;
    std::string stored = Stored("3dObject", "Path");
    int32_t type = ParseLong(Stored("3dObject", "Type"));
    Visit("3dObject");  // the loaders place the object at the stored position
    if (type == 0 || type == 10) {
      LoadAsset(o.File, o.Entity, Choose("Data/Objects/", stored, o.File),
                [&](const std::string& p) {
                  if (type == 10) LoadAnimObject3d(m, e, p);
                  else LoadObject3d(m, e, p);
                });
    } else if (type >= 1 && type <= 6) {
      if (CreateObjectPrimitive(m, e, type)) {
        e.ScaleEntity(o.Entity, o.SizX, o.SizY, o.SizZ);
        if (m.Tex3d.Texture != 0) e.EntityTexture(o.Entity, m.Tex3d.Texture);
        AddStatusLine(m, "3d Object succesfully generated.", kMessageMs, kColorSuccess);
      }
    }
    Visit("3dObject");
    o.WorkPos = {o.PosX, o.PosY, o.PosZ};
    if (o.Entity != 0) {
      e.EntityShadow(o.Entity, o.Shadow != 0);
      e.PositionEntity(o.Entity, o.PosX, o.PosY, o.PosZ);
    }
    if (type == 0 || type == 10) NotFound(o.Entity, stored, "Loading Error: 3d Object file Not found.");
  }

  void Texture3d() {
    ReadVisitor v = Visit("3dTexture");
    std::string stored = v.Path("Path");
    if (m.Tex3d.Type != 2) m.TexShader.Code.clear();
    if (m.Tex3d.Type == 1) {
      LoadAsset(m.Tex3d.File, m.Tex3d.Texture, Choose("Data/Textures/", stored, m.Tex3d.File),
                [&](const std::string& p) { LoadTexture(m, e, p, 0); });
      NotFound(m.Tex3d.Texture, stored, "Loading Error: 3d Texture file Not found.");
    } else if (m.Tex3d.Type == 2) {
      ApplyTextureShaderCode();
    }
  }

  // A stored name keeps its full path from [FullPath] when that path names the same file.
  static std::string NameOrFullPath(const std::string& stored, const std::string& fullPath) {
    if (!stored.empty() && quellor::FilePart(fullPath) == stored) return fullPath;
    return stored;
  }

  void VertexShader() {
    VertexShaderFields& s = m.VertexShader;
    std::array<std::string, 3> full = s.TexFile;
    ReadVisitor v = Visit("VertexShader");
    s.File = NameOrFullPath(v.Path("Path"), s.File);
    if (!s.Code.empty() && !CompileVertexShader(m, e)) LogShaderError(m, e);
    for (int k = 1; k <= 3; ++k) {
      std::string stored = v.Path("Path_T" + std::to_string(k));
      s.TexFile[k - 1] = NameOrFullPath(stored, full[k - 1]);
      if (stored.empty()) continue;
      std::string path = Choose("Data/Textures/", stored, s.TexFile[k - 1]);
      LoadAsset(s.TexFile[k - 1], s.Texture[k - 1], path,
                [&](const std::string& p) { LoadTexture(m, e, p, k); });
      NotFound(s.Texture[k - 1], stored, "Loading Error: 3d Texture file Not found.");
    }
  }

  void ApplyTextureShaderCode() {
    if (!m.TexShader.Code.empty() && !CompileTextureShader(m, e)) LogShaderError(m, e);
  }

  void Music() {
    std::string stored = Stored("Music", "Path");
    Visit("Music");
    // The replayers load the tune from `Music.File`, so it names the file the asset rule
    // found; a tune found nowhere keeps its stored path and is reported.
    std::string path = Choose("Data/Music/", stored, m.Music.File);
    bool found = !path.empty() && (e.IsMounted(path) || PathExists(path));
    if (found) m.Music.File = path;
    if (!stored.empty() && !found)
      AddStatusLine(m, "Loading Error: Music file Not found.", kNotFoundMs, kColorError);
  }

  void Fonts() {
    ReadVisitor v = Visit("Fonts");
    std::array<FontGridRecord, 2> grids = {m.FontGrid[0], m.FontGrid[1]};
    for (int f = 1; f <= 2; ++f) {
      FontFields& font = f == 1 ? m.Font1 : m.Font2;
      std::string stored = v.Path(f == 1 ? "Font1" : "Font2");
      m.PendingGrid = grids[f - 1];
      LoadAsset(font.File, font.Image, Choose("Data/Fonts/", stored, font.File),
                [&](const std::string& p) { LoadFont(m, e, p, f); });
      m.FontGrid[f - 1] = grids[f - 1];
      NotFound(font.Image, stored,
               "Loading Error: Font #" + std::to_string(f) + " file Not found.");
    }
  }

  void Scrollers() {
    Visit("Text");
    Visit("Scroller1");
    Visit("Scroller2");
    for (ScrollerFields& s : m.Scroller) {
      s.TablePhase = 0;
      BuildSineTables(s);
      s.Phase = 1;
      s.Angle = 0;
      if (s.cspX != 0) s.Slots = ScrollerSlots(m.ScreenX, s.cspX);
    }
  }

  void PostShader() {
    Visit("PostShader");
    if (m.PostFX.Code.empty()) return;
    if (CompilePostFx(m, e))
      AddStatusLine(m, "PostFX Shader succesfully established.", kMessageMs, kColorSuccess);
    else
      LogShaderError(m, e);
  }

  void Border() {
    BorderFields& b = m.Border;
    std::string stored = Stored("Border", "Path");
    LoadAsset(b.File, b.Texture, Choose("Data/Border/", stored, b.File),
              [&](const std::string& p) { LoadBorder(m, e, p); });
    Visit("Border");
    if (b.Texture != 0) {
      ZoomBorderPieces(m, e);  // the side pieces are turned copies
      for (Handle s : b.Sprite) {
        if (s == 0) continue;
        e.SpriteBlending(s, b.SRC, b.Dest);
      }
      if (b.CspX > 0) {
        b.TilesX = m.ScreenX / b.CspX;
        b.TilesY = m.ScreenY / b.CspX;
      }
    }
    NotFound(b.Texture, stored, "Loading Error: Border file Not found.");
  }

  void Trainer() {
    std::string stored = Stored("Trainer", "Path");
    std::string full = m.TrainerBar.File;  // the bar has no [FullPath] entry
    Visit("Trainer");  // the bar loader rebuilds the trainer text: it needs the stored lines
    LoadAsset(m.TrainerBar.File, m.TrainerBar.Sprite, Choose("Data/TrainerBar/", stored, full),
              [&](const std::string& p) { LoadTrainerBar(m, e, p); });
    Visit("Trainer");
    // Nothing else remembers the bar's name when it is missing.
    if (m.TrainerBar.Sprite == 0 && m.TrainerBar.File.empty()) m.TrainerBar.File = stored;
    NotFound(m.TrainerBar.Sprite, stored, "Loading Error: Trainer Bar file Not found.");
  }

  void Colorizer() {
    ReadVisitor v = Visit("Colorizer");
    for (int n = 1; n <= 3; ++n) {
      std::string stored = v.Path("Ras" + std::to_string(n) + "_Path");
      RasterFields& r = m.Raster;
      LoadAsset(r.Path[n], r.Texture[n], Choose("Data/Raster/", stored, r.Path[n]),
                [&](const std::string& p) { LoadRasterTexture(m, e, p, n, r.txt[n]); });
      NotFound(r.Texture[n], stored, "Loading Error: Raster texture file Not found.");
    }
  }
};

}  // namespace

LoadOutcome LoadProjectText(IntroModel& m, Engine& e, const std::string& bytes,
                            const std::string& fileName) {
  LoadOutcome out;
  out.Attempted = true;
  out.Read = true;
  out.FileName = fileName;
  m.ProjectName = FileStem(fileName);
  int curW = m.ScreenX, curH = m.ScreenY;

  ClearIntro(m, e);
  AddStatusLine(m, " ", kMessageMs, kColorSuccess);
  AddStatusLine(m, "Open" + FilePart(fileName) + " to load.", kMessageMs, kColorInfo);

  IniDocument doc = IniDocument::Parse(bytes);
  Reader r{m, e, doc};
  r.Settings(curW, curH, out);
  r.Visit("FullPath");
  r.Overlay(r.Stored("Settings", "OverNam"));
  for (int i = 1; i <= 5; ++i) r.Gfx(i);
  r.Logo();
  r.Sign();
  r.Anim(0);
  r.Anim(1);
  r.AnimClone();
  r.Visit("Startup_Timer");
  r.Background();
  r.Object3d();
  r.Texture3d();
  r.VertexShader();
  r.Music();
  r.Fonts();
  r.Scrollers();
  r.PostShader();
  r.Border();
  r.Visit("DispOrder");
  r.Visit("Pager");
  m.Pager.Page = 0;
  m.Pager.State = 0;
  r.Trainer();
  r.Colorizer();

  m.Raster.RasterCount = RoundToLong(m.Raster.enb[1] + m.Raster.enb[2] + m.Raster.enb[3]);
  ApplyDisplayOrder(m, e);
  return out;
}

LoadOutcome LoadProject(IntroModel& m, Engine& e, const std::string& name) {
  if (name.empty()) return {};
  std::string fileName = ProjectFileName(name);
  std::string path = ResolvePath(fileName);
  std::vector<uint8_t> bytes;
  struct stat st;
  bool readable = ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
                  static_cast<uint64_t>(st.st_size) <= kMaxProjectFileBytes &&
                  ReadWholeFile(path, bytes, kMaxProjectFileBytes);
  if (!readable) {
    // As if every key were missing: the default width of 800 meets the resolution rule
    // like any stored one.
    LoadOutcome out = LoadProjectText(m, e, std::string(), fileName);
    AddStatusLine(m, "Loading Error: could not read " + FilePart(fileName), kNotFoundMs,
                  kColorError);
    out.Read = false;
    return out;
  }
  return LoadProjectText(m, e, std::string(bytes.begin(), bytes.end()), fileName);
}

std::string ResolutionWarningText(int w, int h, int curW, int curH) {
  const std::string br = "\n";
  return "Warning, this preferences file want another screen Resolution!" + br +
         "This Intro needs. (" + std::to_string(w) + " * " + std::to_string(h) + " )" + br +
         "The view of the 2d parts may look different than it was created." + br + br +
         "Click on [ YES ] to restart Quellor with the right screen resolution," + br +
         "or Click on [ NO ] To keep (" + std::to_string(curW) + " * " + std::to_string(curH) +
         " )" + br;
}

}  // namespace quellor
