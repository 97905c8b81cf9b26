#include "app/dialogs/TextEditor.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "app/dialogs/DialogViews.h"
#include "app/dialogs/ShaderText.h"
#include "project/Ini.h"
#include "project/PathResolve.h"
#include "project/StatusLog.h"
#include "render/PagerTrainer.h"
#include "render/TextOptions.h"

namespace quellor {

namespace {

constexpr const char* kFxPattern = "FX File (*.fx)|*.fx;";
constexpr const char* kTextPattern = "Text File (*.txt)|*.txt;";

const EditorKind kKinds[] = {
    {1, "PostFX Shader Editor", "Data/Shader/PostFX/", kFxPattern, 10240, true, ".fx"},
    {2, "Scrolltext 1 Editor", "Data/Text/", kTextPattern, 1024, false, ".txt"},
    {3, "Scrolltext 2 Editor", "Data/Text/", kTextPattern, 1024, false, ".txt"},
    {4, "Texture Shader Editor", "Data/Shader/Texture/", kFxPattern, 10240, true, ".fx"},
    {5, "Pager Text Editor", "Data/Text/", kTextPattern, 10240, false, ".txt"},
    {6, "Vertex Shader Editor", "Data/Shader/Vertex/", kFxPattern, 10240, true, ".fx"},
    {7, "Trainer Text Editor", "Data/Text/", kTextPattern, 1024, false, ".txt"},
};

// The folder part of a path, with its separator.
std::string FolderOf(const std::string& path) {
  size_t cut = path.find_last_of("/\\");
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

bool WriteWhole(const std::string& path, const std::string& text) {
  std::string temp = path + ".tmp";
  FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  ok = std::fclose(f) == 0 && ok;
  if (ok) ok = std::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) std::remove(temp.c_str());
  return ok;
}

void Finish(AppContext& ctx, EditorView& view) {
  view.Caret(ctx.Dialogs.PostFxLine, ctx.Dialogs.PostFxColumn);
  CloseEditor(ctx);
}

}  // namespace

const EditorKind* FindEditorKind(int number) {
  for (const EditorKind& k : kKinds)
    if (k.Number == number) return &k;
  return nullptr;
}

std::string EditorText(const IntroModel& m, int number) {
  switch (number) {
    case 1: return m.PostFX.Code;
    case 2: return m.Scroller[0].Text;
    case 3: return m.Scroller[1].Text;
    case 4: return m.TexShader.Code;
    case 5: return JoinTextLines(m.Pager.Lines);
    case 6: return m.VertexShader.Code;
    case 7: return JoinTextLines(m.Trainer.Lines);
    default: return {};
  }
}

std::string FilterScrollEditorText(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char ch : text) {
    int upper = std::toupper(static_cast<unsigned char>(ch));
    if (upper >= 32 && upper <= 96) out.push_back(ch);
  }
  return out;
}

std::vector<std::string> TrainerLinesFromText(const std::string& text, int32_t lines, int& added) {
  std::vector<std::string> out = SplitTextLines(text);
  added = 0;
  // The trainer holds at most 100 option lines; a larger YLins cannot be filled anyway.
  const size_t want = static_cast<size_t>(std::clamp<int32_t>(lines, 0, 200));
  while (out.size() < want) out.push_back("Generated Text" + std::to_string(added++));
  return out;
}

std::string EditorSaveName(const std::string& chosen, const EditorKind& kind) {
  if (chosen.empty() || HasExtension(chosen)) return chosen;
  return chosen + kind.Extension;
}

std::string EditorOpenRequester(Host& host, const std::string& title, const std::string& path,
                                const std::string& pattern, int patternIndex) {
  return host.OpenFileDialog(title, path, pattern + "|all Files (*.*)|*.*", &patternIndex);
}

std::string EditorSaveRequester(Host& host, const std::string& title, const std::string& path,
                                const std::string& pattern) {
  return host.SaveFileDialog(title, path, pattern + "All files (*.*)|*.*");
}

void OpenEditor(AppContext& ctx, int number) {
  const EditorKind* kind = FindEditorKind(number);
  if (!kind) return;
  IntroModel& m = ctx.Model;
  EditorSetup setup;
  setup.Title = std::string("Quellor - ") + kind->Title;
  setup.Text = EditorText(m, number);
  setup.CodeView = kind->CodeView;
  ctx.Win.EnableWindow(WindowId::Main, false);
  EditorView* view = ctx.Win.OpenTextEditor(setup);
  if (!view) {
    ctx.Win.EnableWindow(WindowId::Main, true);
    return;
  }
  DialogState& d = ctx.Dialogs;
  d.EditorKind = number;
  d.EditorFolder = ResolvePath(JoinPath(m.BaseDir, kind->Folder));
  d.EditorPattern = kind->Pattern;
  d.MarkedLine = 0;
  view->MarkLine(0);
  if (number == 1) view->SetCaret(d.PostFxLine, d.PostFxColumn);
}

void EditorOkay(AppContext& ctx) {
  EditorView* view = ctx.Win.TextEditor();
  if (!view) return;
  IntroModel& m = ctx.Model;
  Engine& e = ctx.Eng;
  const std::string text = view->Text();
  switch (ctx.Dialogs.EditorKind) {
    case 1: ApplyShaderText(ctx, ShaderSlot::PostFx, text); break;
    case 2:
    case 3: {
      const int s = ctx.Dialogs.EditorKind - 2;
      m.Scroller[s].Text = FilterScrollEditorText(text);
      m.ScrollRun[s].TextLength = static_cast<int32_t>(m.Scroller[s].Text.size());
      break;
    }
    case 4:
      if (!text.empty()) ApplyShaderText(ctx, ShaderSlot::Texture, text);
      break;
    case 5:
      if (!text.empty()) {
        m.Pager.Lines = SplitTextLines(text);
        RestartPager(m, e);
      }
      break;
    case 6: {
      CompileResult r = ApplyShaderText(ctx, ShaderSlot::Vertex, text);
      if (!r.Ok) {
        // The window stays open on the fault.
        if (r.Where) {
          view->SetCaret(r.Where->Line, r.Where->Column);
          view->MarkLine(r.Where->Line);
          ctx.Dialogs.MarkedLine = r.Where->Line;
        }
        return;
      }
      break;
    }
    case 7: {
      int added = 0;
      m.Trainer.Lines = TrainerLinesFromText(text, m.Trainer.YLins, added);
      if (added > 0) {
        AddStatusLine(m, "to less Trainer lines !", kMessageMs, kColorInfo);
        AddStatusLine(m, "i've added" + std::to_string(added) + " generated lines of Text", kMessageMs, kColorInfo);
      }
      if (m.Trainer.Active == 1) RestartTrainer(m, e);
      break;
    }
    default: break;
  }
  MarkChanged(m);
  Finish(ctx, *view);
}

void EditorSave(AppContext& ctx) {
  EditorView* view = ctx.Win.TextEditor();
  const EditorKind* kind = FindEditorKind(ctx.Dialogs.EditorKind);
  if (!view || !kind) return;
  std::string chosen = EditorSaveRequester(ctx.Win, "Save current text to disc", ctx.Dialogs.EditorFolder,
                                           ctx.Dialogs.EditorPattern);
  if (chosen.empty()) return;
  std::string path = EditorSaveName(chosen, *kind);
  if (!WriteWhole(path, view->Text()))
    AddStatusLine(ctx.Model, "Saving Error: could not write " + FilePart(path), kMessageMs, kColorError);
}

void EditorLoad(AppContext& ctx) {
  EditorView* view = ctx.Win.TextEditor();
  const EditorKind* kind = FindEditorKind(ctx.Dialogs.EditorKind);
  if (!view || !kind) return;
  std::string path =
      EditorOpenRequester(ctx.Win, "Please choose a file", ctx.Dialogs.EditorFolder, ctx.Dialogs.EditorPattern, 0);
  if (path.empty()) return;
  std::error_code ec;
  const std::string resolved = ResolvePath(path);
  auto size = std::filesystem::file_size(resolved, ec);
  if (!ec && size > kind->LoadLimit) {
    ctx.Win.MessageBox("Quellor",
                       "File to large, sorry its limited to" + std::to_string(kind->LoadLimit) + " bytes");
    return;
  }
  std::string content;
  // An unreadable file leaves the text area empty.
  if (ec || !PathIsSafeToRead(resolved) || !ReadTextFile(resolved, kind->LoadLimit, content, nullptr))
    content.clear();
  view->SetText(content.empty() ? std::string() : JoinTextLines(SplitTextLines(content)));
  IntroModel& m = ctx.Model;
  switch (kind->Number) {
    case 1: m.PostFX.File = path; break;
    case 2: m.Scroller[0].File = path; break;
    case 3: m.Scroller[1].File = path; break;
    case 4: m.TexShader.File = path; break;
    default: break;
  }
  ctx.Dialogs.EditorFolder = FolderOf(path);
}

void CloseEditor(AppContext& ctx) {
  ctx.Win.EnableWindow(WindowId::Main, true);
  if (ctx.Win.WindowOpen(WindowId::TextEditor)) ctx.Win.CloseWindow(WindowId::TextEditor);
  ctx.Dialogs.EditorKind = 0;
  ctx.Dialogs.MarkedLine = 0;
}

void HandleEditorGadget(AppContext& ctx, int gadget) {
  switch (gadget) {
    case editor::kOkay: EditorOkay(ctx); break;
    case editor::kCancel: CloseEditor(ctx); break;
    case editor::kLoad: EditorLoad(ctx); break;
    case editor::kSave: EditorSave(ctx); break;
    default: break;
  }
}

}  // namespace quellor
