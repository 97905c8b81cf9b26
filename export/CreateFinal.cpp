#include "export/CreateFinal.h"

#include <cstring>
#include <filesystem>
#include <optional>

#include "engine/fx/FxBundle.h"
#include "engine/image/ImageCodec.h"
#include "export/PeIcon.h"
#include "export/StubImage.h"
#include "export/slots/SlotIo.h"
#include "project/FileReplace.h"
#include "project/PathResolve.h"
#include "project/ProcessStart.h"
#include "project/StatusLog.h"

namespace quellor {

namespace {

using slots::SlotId;

constexpr uint32_t kLogLineStepMs = 200;
constexpr size_t kMaxIconBytes = 16u << 20;

struct PlannedSlot {
  SlotId Id;
  std::vector<uint8_t> Bytes;
};

// Fills the slots of one stub image from the model, in the written order.
class SlotPlan {
 public:
  SlotPlan(IntroModel& m, Engine& e, const StubImage& stub)
      : m_(m), e_(e), stub_(stub), at_(FindSlots(stub.Buffer.data(), stub.Size)) {}

  void Build();
  // The translations of every effect text the player will compile; a text that does
  // not translate is left out, as the editor shows the intro without that effect.
  void Translations(FxTranslator& t);
  // The first slot whose bytes do not fit its room, if any: its tag and the sizes.
  bool Fits(std::string* why) const;
  void CopyInto(std::vector<uint8_t>& image) const;
  const std::vector<std::string>& Lines() const { return lines_; }

 private:
  bool Has(SlotId id) const { return at_[static_cast<int>(id)] >= 0; }
  size_t Room(SlotId id) const { return SlotRoom(stub_, at_[static_cast<int>(id)]); }
  // An asset file's bytes; empty when it does not open. A file larger than its slot is
  // remembered as a refusal without being read.
  std::optional<std::vector<uint8_t>> Asset(SlotId id, const std::string& path);
  void Put(SlotId id, std::vector<uint8_t> payload = {}, slots::SlotExtras extras = {});
  void Line(const std::string& text, size_t length) { lines_.push_back(text + std::to_string(length)); }
  std::string Refusal(SlotId id, uint64_t bytes) const {
    return std::string(SlotTag(id)) + " does not fit its slot (" + std::to_string(bytes) +
           " bytes, room for " + std::to_string(Room(id)) + ")";
  }
  // Asset slot with the usual rule: a named file that opens; logs `text` + length.
  void AssetSlot(SlotId id, const std::string& path, const char* text);

  IntroModel& m_;
  Engine& e_;
  const StubImage& stub_;
  std::array<int64_t, slots::kSlotCount> at_;
  std::vector<PlannedSlot> planned_;
  std::vector<std::string> lines_;
  std::string refusal_;
  bool textureShader_ = false;  // the texture slot holds shader code
};

std::optional<std::vector<uint8_t>> SlotPlan::Asset(SlotId id, const std::string& path) {
  if (path.empty()) return std::nullopt;
  const std::string file = ResolvePath(path);
  std::error_code ec;
  if (!PathIsSafeToRead(file) || !std::filesystem::is_regular_file(file, ec)) return std::nullopt;
  const uintmax_t size = std::filesystem::file_size(file, ec);
  if (ec) return std::nullopt;
  if (Has(id) && size > Room(id)) {
    if (refusal_.empty()) refusal_ = Refusal(id, size);
    return std::nullopt;
  }
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(file, bytes, static_cast<size_t>(size))) return std::nullopt;
  return bytes;
}

void SlotPlan::Put(SlotId id, std::vector<uint8_t> payload, slots::SlotExtras extras) {
  if (!Has(id)) return;
  slots::SlotWriter w(std::move(payload));
  slots::VisitSlot(id, m_, extras, w);
  planned_.push_back({id, w.Bytes()});
}

void SlotPlan::AssetSlot(SlotId id, const std::string& path, const char* text) {
  if (!Has(id)) return;
  auto bytes = Asset(id, path);
  if (!bytes) return;
  const size_t n = bytes->size();
  Put(id, std::move(*bytes));
  Line(text, n);
}

std::vector<uint8_t> TextBytes(const std::string& s) { return {s.begin(), s.end()}; }

bool HasFolder(const std::string& path) { return path.find_first_of("/\\") != std::string::npos; }

void SlotPlan::Build() {
  Put(SlotId::Settings);
  if (m_.OverUSE == 1) AssetSlot(SlotId::Overlay, m_.Over, "Overlay GFX included - length: ");
  Put(SlotId::Scroller1);
  Put(SlotId::Scroller2);
  Put(SlotId::StartTimers);
  AssetSlot(SlotId::Logo, m_.Logo.File, "Logo included - length: ");
  AssetSlot(SlotId::Sign, m_.Sign.File, "Sign included - length: ");
  if (m_.AnimClone.Active == 1 && !m_.Anim_BOB.File.empty()) Put(SlotId::BobClones);
  for (int i = 1; i <= 5; ++i) {
    if (m_.GFX.Sprite[i] == 0) continue;
    const std::string text = "GFX #" + std::to_string(i) + " included - length: ";
    AssetSlot(slots::GfxSlot(i), m_.GFX.File[i], text.c_str());
  }
  AssetSlot(SlotId::StartAnim, m_.Anim_2d.File, "StartUp Anim included - length: ");
  AssetSlot(SlotId::BobAnim, m_.Anim_BOB.File, "Bob Anim included - length: ");
  AssetSlot(SlotId::Font1, m_.Font1.File, "Font 1 included - length: ");
  AssetSlot(SlotId::Font2, m_.Font2.File, "Font 2 included - length: ");
  if (!m_.Music.File.empty()) {
    // A bare file name means the music folder; the model keeps the longer name.
    if (!HasFolder(m_.Music.File)) m_.Music.File = "Data\\Music\\" + m_.Music.File;
    // The number is the file's length, as on every other line.
    AssetSlot(SlotId::Music, m_.Music.File, "Music included - type: ");
  }
  AssetSlot(SlotId::Background, m_.Background.File, "Background included - length: ");

  if (m_.Obj3d.Entity != 0) {
    slots::SlotExtras x;
    Obj3dFields& o = m_.Obj3d;
    e_.EntitySize(o.Entity, &x.Object.Extent[0], &x.Object.Extent[1], &x.Object.Extent[2]);
    e_.EntityPosition(o.Entity, &x.Object.Position[0], &x.Object.Position[1], &x.Object.Position[2]);
    std::vector<uint8_t> bytes;
    if (o.Type == 0 && Has(SlotId::Object3d)) bytes = Asset(SlotId::Object3d, o.File).value_or(bytes);
    const size_t n = bytes.size();
    Put(SlotId::Object3d, std::move(bytes), x);
    if (n > 0 && Has(SlotId::Object3d)) Line("3d Object included - length: ", n);
  }
  if (m_.Obj3d.Entity != 0 && m_.Tex3d.Texture != 0 && Has(SlotId::Texture3d)) {
    slots::SlotExtras x;
    std::optional<std::vector<uint8_t>> payload;
    if (!m_.TexShader.Code.empty()) {
      x.TextureKind = 1;
      textureShader_ = true;
      payload = TextBytes(m_.TexShader.Code);
    } else if (!m_.Tex3d.File.empty()) {
      payload = Asset(SlotId::Texture3d, m_.Tex3d.File);
    }
    if (payload) {
      const size_t n = payload->size();
      Put(SlotId::Texture3d, std::move(*payload), x);
      Line(x.TextureKind == 1 ? "Texture Shader included - length: " : "3d Texture included - length: ", n);
    }
  }
  Put(SlotId::VertexShader, TextBytes(m_.VertexShader.Code));
  for (int k = 1; k <= 3; ++k) {
    const std::string text = "Vertex Shader Texture #" + std::to_string(k) + " included - length: ";
    AssetSlot(slots::VsTextureSlot(k), m_.VertexShader.TexFile[k - 1], text.c_str());
  }
  if (m_.Pager.Active == 1 && Has(SlotId::Pager)) {
    std::string text = slots::JoinLinesCrLf(m_.Pager.Lines);
    Put(SlotId::Pager, TextBytes(text));
    Line("Pager Text included - length: ", text.size());
  }
  if (m_.Trainer.Active == 1) {
    std::string text = slots::JoinLinesCrLf(m_.Trainer.Lines);
    Put(SlotId::Trainer, TextBytes(text));
    AssetSlot(SlotId::TrainerBar, m_.TrainerBar.File, "TrainerBar included - length: ");
    if (Has(SlotId::Trainer)) Line("Trainer Text included - length: ", text.size());
  }
  if (!m_.PostFX.Code.empty() && Has(SlotId::PostFx)) {
    Put(SlotId::PostFx, TextBytes(m_.PostFX.Code));
    Line("PostFX included - length: ", m_.PostFX.Code.size());
  }
  if (Has(SlotId::Rasters)) {
    Put(SlotId::Rasters);
    for (int n = 1; n <= 3; ++n) {
      if (m_.Raster.enb[n] == 0.0f) continue;
      const std::string text = "Raster Texture #" + std::to_string(n) + " included - length: ";
      AssetSlot(slots::RasterSlot(n), m_.Raster.Path[n], text.c_str());
    }
  }
  if (m_.ExecRun == 1 && !m_.ExecPRG.empty()) {
    if (m_.ExecPRG.size() > slots::kExecChars) m_.ExecPRG.resize(slots::kExecChars);
    Put(SlotId::ExecAfter);
    if (Has(SlotId::ExecAfter)) lines_.push_back("Execution after exit enabled  > \"" + m_.ExecPRG + "\"");
  }
  Put(SlotId::Texts);
  AssetSlot(SlotId::Border, m_.Border.File, "Border Texture included - length: ");
  if (!m_.DisplayOrder.empty() && Has(SlotId::Order)) {
    std::vector<uint8_t> bytes;
    for (int32_t code : slots::DisplayOrderCodes(m_.DisplayOrder)) slots::PutLong(bytes, code);
    planned_.push_back({SlotId::Order, std::move(bytes)});
  }
}

void SlotPlan::Translations(FxTranslator& t) {
  if (!Has(SlotId::FxTranslations)) return;
  std::vector<std::pair<FxKind, std::string>> sources;
  if (!m_.PostFX.Code.empty() && Has(SlotId::PostFx)) sources.emplace_back(FxKind::Effect, m_.PostFX.Code);
  if (!m_.VertexShader.Code.empty()) sources.emplace_back(FxKind::Effect, m_.VertexShader.Code);
  if (textureShader_) sources.emplace_back(FxKind::TextureShader, m_.TexShader.Code);
  if (!m_.Raster.EffectSource.empty()) sources.emplace_back(FxKind::Effect, m_.Raster.EffectSource);
  if (sources.empty()) return;
  std::vector<FxBundleEntry> entries = TranslateForBundle(t, sources);
  if (entries.empty()) return;
  std::vector<uint8_t> bundle = EncodeFxBundle(entries);
  if (bundle.size() + 4 > Room(SlotId::FxTranslations)) {  // after its length long
    if (refusal_.empty())
      refusal_ = "the effect translations do not fit their slot (" + std::to_string(bundle.size()) +
                 " bytes, room for " + std::to_string(Room(SlotId::FxTranslations)) + ")";
    return;
  }
  Put(SlotId::FxTranslations, std::move(bundle));
}

bool SlotPlan::Fits(std::string* why) const {
  if (!refusal_.empty()) {
    *why = refusal_;
    return false;
  }
  for (const PlannedSlot& p : planned_) {
    if (p.Bytes.size() <= Room(p.Id)) continue;
    *why = Refusal(p.Id, p.Bytes.size());
    return false;
  }
  return true;
}

void SlotPlan::CopyInto(std::vector<uint8_t>& image) const {
  for (const PlannedSlot& p : planned_)
    std::memcpy(image.data() + at_[static_cast<int>(p.Id)], p.Bytes.data(), p.Bytes.size());
}

int64_t FileSize(const std::string& path) {
  std::error_code ec;
  const std::string p = ResolvePath(path);
  if (path.empty() || !PathIsSafeToRead(p) || !std::filesystem::is_regular_file(p, ec)) return -1;
  const uintmax_t size = std::filesystem::file_size(p, ec);
  return ec ? -1 : static_cast<int64_t>(size);
}

// Replaces the image's icon when one is chosen; a non-PE image is left as it is.
void ApplyIcon(IntroModel& m, std::vector<uint8_t>& image, const std::string& target) {
  if (m.IconC.empty() || FileSize(m.IconC) <= 0) return;
  if (!IsPeImage(image)) {
    AddStatusLine(m, "Icon not replaced: " + FilePart(target) + " is no Windows executable.",
                  kMessageMs, kColorInfo);
    return;
  }
  std::vector<uint8_t> ico;
  if (!ReadWholeFile(ResolvePath(m.IconC), ico, kMaxIconBytes)) return;
  std::vector<uint8_t> patched = image;
  // A failing icon is not reported: the executable stays as it was.
  if (ReplaceIconInImage(ico, patched) == IconResult::Replaced) image.swap(patched);
}

}  // namespace

std::string FinalTargetName(const std::string& target) {
  return HasExtension(target) ? target : target + ".exe";
}

std::string StubErrorText(int32_t musicType, uint32_t tl, int64_t fl) {
  return std::string("I cant create a final execution file") + "\r" +
         "because the resource file is corrupted" + "\r" + "Error code (v" +
         std::to_string(kExportFormatVersion) + ") - t:" + std::to_string(musicType) +
         " , TL:" + std::to_string(tl) + " , FL:" + std::to_string(fl);
}

ExportResult CreateFinal(IntroModel& m, Engine& e, const std::string& target, const ExportEnv& env) {
  ExportResult result;
  result.Target = ResolvePath(FinalTargetName(target));

  StubImage stub;
  const std::string stubName = StubFileName(m.Music.Type);
  if (stubName.empty() || !LoadStub(JoinPath(env.StubFolder, stubName), stub)) {
    result.Error = StubErrorText(m.Music.Type, stub.TL, stub.FL);
    if (env.ErrorBox) env.ErrorBox(kExportErrorTitle, result.Error);
    return result;
  }

  SlotPlan plan(m, e, stub);
  plan.Build();
  FxTranslator translator(env.Translator);
  plan.Translations(translator);
  std::string why;
  if (!plan.Fits(&why)) {
    result.Error = "Create Final stopped: " + why + ".";
    AddStatusLine(m, result.Error, kMessageMs, kColorError);
    return result;
  }
  std::vector<uint8_t>& image = stub.Buffer;
  plan.CopyInto(image);
  image.resize(stub.Size);
  uint32_t lifetime = kMessageMs;
  for (const std::string& line : plan.Lines()) {
    AddStatusLine(m, line, lifetime, kColorInfo);
    lifetime += kLogLineStepMs;
  }

  ApplyIcon(m, image, result.Target);
  if (!ReplaceFileContents(result.Target, image.data(), image.size(), 0755)) {
    result.Error = "Create Final: could not write " + FilePart(result.Target);
    AddStatusLine(m, result.Error, kMessageMs, kColorError);
    return result;
  }
  result.Written = true;
  result.ImageBytes = image.size();

  PackerRun run;
  const std::string base = env.PackerBase.empty() ? m.BaseDir : env.PackerBase;
  if (PackerCommand(m.Packer, m.PackerFileSize, base, result.Target, run)) {
    // A packer that fails to start is not reported.
    result.PackerStarted = env.StartPacker ? env.StartPacker(run)
                                           : StartDetached(run.Program, run.Parameters, run.WorkDir);
  }
  return result;
}

}  // namespace quellor
