// The text and shader editor: kinds, Okay per kind, Save and Load with their requesters,
// and the compiler's error position.
#include "app/Dispatch.h"
#include "app/MenuIds.h"
#include "app/dialogs/ShaderText.h"
#include "app/dialogs/TextEditor.h"
#include "project/Ini.h"
#include "project/StatusLog.h"
#include "tests/DialogTestSupport.h"

using namespace quellor;
using namespace quellor::test;

namespace {

class EditorTest : public DialogTest {
 protected:
  // Opens kind `k` through its Edit menu item and types `text` into it.
  void Edit(int menuItem, const std::string& text) {
    DispatchMenu(ctx, menuItem);
    ASSERT_NE(host.TextEditor(), nullptr);
    host.EditorWin.Content = text;
  }
  bool HasLine(const std::string& text) const {
    for (const StatusLine& l : m.Log.Lines)
      if (l.Text == text) return true;
    return false;
  }
};

TEST(EditorKinds, TitlesFoldersPatternsAndLimits) {
  struct Row {
    int Kind;
    const char* Title;
    const char* Folder;
    size_t Limit;
    bool Code;
  };
  const Row rows[] = {{1, "PostFX Shader Editor", "Data/Shader/PostFX/", 10240, true},
                      {2, "Scrolltext 1 Editor", "Data/Text/", 1024, false},
                      {3, "Scrolltext 2 Editor", "Data/Text/", 1024, false},
                      {4, "Texture Shader Editor", "Data/Shader/Texture/", 10240, true},
                      {5, "Pager Text Editor", "Data/Text/", 10240, false},
                      {6, "Vertex Shader Editor", "Data/Shader/Vertex/", 10240, true},
                      {7, "Trainer Text Editor", "Data/Text/", 1024, false}};
  for (const Row& r : rows) {
    const EditorKind* k = FindEditorKind(r.Kind);
    ASSERT_NE(k, nullptr);
    EXPECT_STREQ(k->Title, r.Title);
    EXPECT_STREQ(k->Folder, r.Folder);
    EXPECT_EQ(k->LoadLimit, r.Limit);
    EXPECT_EQ(k->CodeView, r.Code);
    EXPECT_STREQ(k->Pattern, r.Code ? "FX File (*.fx)|*.fx;" : "Text File (*.txt)|*.txt;");
  }
  EXPECT_EQ(FindEditorKind(0), nullptr);
  EXPECT_EQ(FindEditorKind(8), nullptr);
}

TEST_F(EditorTest, OpeningDisablesTheMainWindowAndClosingEnablesIt) {
  m.Scroller[1].Text = "SCROLL TWO";
  DispatchMenu(ctx, menu::kEditScrollText2);
  ASSERT_EQ(host.EditorsOpened.size(), 1u);
  EXPECT_EQ(host.EditorsOpened[0].Title, "Quellor - Scrolltext 2 Editor");
  EXPECT_EQ(host.EditorsOpened[0].Text, "SCROLL TWO");
  EXPECT_FALSE(host.EditorsOpened[0].CodeView);
  EXPECT_FALSE(host.WindowEnabled[WindowId::Main]);
  host.EditorWin.Content = "changed";
  DispatchGadget(ctx, WindowId::TextEditor, editor::kCancel);
  EXPECT_EQ(m.Scroller[1].Text, "SCROLL TWO");  // Cancel changes nothing
  EXPECT_TRUE(host.WindowEnabled[WindowId::Main]);
  EXPECT_FALSE(host.WindowOpen(WindowId::TextEditor));
  EXPECT_EQ(ctx.Dialogs.EditorKind, 0);
}

TEST_F(EditorTest, ScrollTextKeepsOnlyWhatTheFontHolds) {
  Edit(menu::kEditScrollText1, "Hello\r\n{World}\x01\xC3\xA4");
  DispatchGadget(ctx, WindowId::TextEditor, editor::kOkay);
  EXPECT_EQ(m.Scroller[0].Text, "HelloWorld");
  EXPECT_EQ(m.ScrollRun[0].TextLength, 10);
  EXPECT_FALSE(host.WindowOpen(WindowId::TextEditor));
  EXPECT_EQ(FilterScrollEditorText("a`b"), "a`b");  // 96 stays, in its own case
}

TEST_F(EditorTest, TrainerTextGainsGeneratedLines) {
  m.Trainer.YLins = 6;
  Edit(menu::kEditTrainerText, "ONE\r\nTWO\r\nTHREE");
  DispatchGadget(ctx, WindowId::TextEditor, editor::kOkay);
  EXPECT_EQ(m.Trainer.Lines, (std::vector<std::string>{"ONE", "TWO", "THREE", "Generated Text0", "Generated Text1",
                                                       "Generated Text2"}));
  EXPECT_TRUE(HasLine("to less Trainer lines !"));
  EXPECT_TRUE(HasLine("i've added3 generated lines of Text"));

  // Enough lines: nothing is generated or reported.
  m.Log.Lines.clear();
  Edit(menu::kEditTrainerText, JoinTextLines(m.Trainer.Lines));
  DispatchGadget(ctx, WindowId::TextEditor, editor::kOkay);
  EXPECT_EQ(m.Trainer.Lines.size(), 6u);
  EXPECT_FALSE(HasLine("to less Trainer lines !"));
}

TEST_F(EditorTest, PagerTextOpensJoinedAndIsSplitAgain) {
  m.Pager.Lines = {"A", "B"};
  DispatchMenu(ctx, menu::kEditPageText);
  EXPECT_EQ(host.EditorWin.Content, "A\r\nB\r\n");
  host.EditorWin.Content = "X\nY\r\nZ";
  DispatchGadget(ctx, WindowId::TextEditor, editor::kOkay);
  EXPECT_EQ(m.Pager.Lines, (std::vector<std::string>{"X", "Y", "Z"}));
  // An empty text leaves the pager alone.
  Edit(menu::kEditPageText, "");
  DispatchGadget(ctx, WindowId::TextEditor, editor::kOkay);
  EXPECT_EQ(m.Pager.Lines.size(), 3u);
}

TEST(ErrorPosition, MemoryLineAndColumn) {
  auto p = FindErrorPosition("#17 Shader konnte nicht erstellt werden: \nmemory(12,7): error X3000: syntax error");
  ASSERT_TRUE(p);
  EXPECT_EQ(p->Line, 12);
  EXPECT_EQ(p->Column, 7);
  p = FindErrorPosition("a memory(3, 15) b memory(9,9)");  // the first one counts
  ASSERT_TRUE(p);
  EXPECT_EQ(p->Line, 3);
  EXPECT_EQ(p->Column, 15);
  EXPECT_FALSE(FindErrorPosition("memory(12): error"));
  EXPECT_FALSE(FindErrorPosition("memory(x,1)"));
  EXPECT_FALSE(FindErrorPosition("memory(4,2"));
  EXPECT_FALSE(FindErrorPosition("no position"));
}

TEST_F(EditorTest, FailedVertexShaderKeepsTheWindowOpenAtTheFault) {
  e.CompileError = "#17 Shader konnte nicht erstellt werden: \nmemory(2,5): error: unexpected token";
  Edit(menu::kEditVertexShader, "float4 a;\r\nfloat4 b c;\r\n");
  EXPECT_TRUE(host.EditorsOpened.back().CodeView);
  DispatchGadget(ctx, WindowId::TextEditor, editor::kOkay);
  EXPECT_TRUE(host.WindowOpen(WindowId::TextEditor));
  EXPECT_EQ(host.EditorWin.Line, 2);
  EXPECT_EQ(host.EditorWin.Column, 5);
  EXPECT_EQ(host.EditorWin.Marked, 2);
  EXPECT_EQ(m.VertexShader.Code, "float4 a;\r\nfloat4 b c;\r\n");
  EXPECT_EQ(m.VertexShader.Effect, 0u);

  // Mended text compiles, is put on the object and closes the window.
  e.CompileError.clear();
  host.EditorWin.Content = "float4 Vs(float4 p : POSITION) : POSITION { return p; }\r\n"
                           "technique Technique0 { pass p0 { VertexShader = compile vs_2_0 Vs(); } }\r\n";
  DispatchGadget(ctx, WindowId::TextEditor, editor::kOkay);
  EXPECT_FALSE(host.WindowOpen(WindowId::TextEditor));
  EXPECT_NE(m.VertexShader.Effect, 0u);
  EXPECT_EQ(ctx.Dialogs.MarkedLine, 0);
}

TEST_F(EditorTest, PostEffectEditorComesBackWhereItWasLeft) {
  Edit(menu::kEditPostFx, "one\r\ntwo\r\nthree");
  host.EditorWin.Line = 3;
  host.EditorWin.Column = 4;
  DispatchGadget(ctx, WindowId::TextEditor, editor::kOkay);
  EXPECT_EQ(m.PostFX.Code, "one\r\ntwo\r\nthree");
  DispatchMenu(ctx, menu::kEditPostFx);
  EXPECT_EQ(host.EditorWin.Line, 3);
  EXPECT_EQ(host.EditorWin.Column, 4);
  EXPECT_EQ(host.EditorWin.Marked, 0);
}

TEST_F(EditorTest, LoadRefusesFilesOverTheKindsLimit) {
  const std::filesystem::path dir = ScratchDir("editor_load");
  WriteFile(dir / "big.txt", std::string(1024, 'A') + "B");
  WriteFile(dir / "last.txt", "ONE\nTWO");
  m.BaseDir = dir.string();

  Edit(menu::kEditScrollText1, "kept");
  host.OpenAnswers.push_back((dir / "big.txt").string());
  DispatchGadget(ctx, WindowId::TextEditor, editor::kLoad);
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(host.Messages[0].first, "Quellor");
  EXPECT_EQ(host.Messages[0].second, "File to large, sorry its limited to1024 bytes");
  EXPECT_EQ(host.EditorWin.Content, "kept");
  EXPECT_EQ(host.OpenCalls.back().Title, "Please choose a file");
  EXPECT_EQ(host.OpenCalls.back().Filter, "Text File (*.txt)|*.txt;|all Files (*.*)|*.*");
  DispatchGadget(ctx, WindowId::TextEditor, editor::kCancel);

  Edit(menu::kEditPageText, "");
  host.OpenAnswers.push_back((dir / "big.txt").string());
  DispatchGadget(ctx, WindowId::TextEditor, editor::kLoad);
  EXPECT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(host.EditorWin.Content.size(), 1025u + 2);  // its one line gets CR LF
  host.OpenAnswers.push_back((dir / "last.txt").string());
  DispatchGadget(ctx, WindowId::TextEditor, editor::kLoad);
  EXPECT_EQ(host.EditorWin.Content, "ONE\r\nTWO\r\n");
  EXPECT_EQ(ctx.Dialogs.EditorFolder, dir.string() + "/");
}

TEST_F(EditorTest, SaveAddsTheKindsExtension) {
  const std::filesystem::path dir = ScratchDir("editor_save");
  Edit(menu::kEditTrainerText, "line");
  host.SaveAnswers.push_back((dir / "list").string());
  DispatchGadget(ctx, WindowId::TextEditor, editor::kSave);
  EXPECT_EQ(ReadFile(dir / "list.txt"), "line");
  EXPECT_EQ(host.SaveCalls.back().Title, "Save current text to disc");
  EXPECT_EQ(host.SaveCalls.back().Filter, "Text File (*.txt)|*.txt;All files (*.*)|*.*");
  DispatchGadget(ctx, WindowId::TextEditor, editor::kCancel);

  Edit(menu::kEditVertexShader, "code");
  host.SaveAnswers.push_back((dir / "wave").string());
  DispatchGadget(ctx, WindowId::TextEditor, editor::kSave);
  host.SaveAnswers.push_back((dir / "wave.hlsl").string());
  DispatchGadget(ctx, WindowId::TextEditor, editor::kSave);
  EXPECT_EQ(ReadFile(dir / "wave.fx"), "code");
  EXPECT_EQ(ReadFile(dir / "wave.hlsl"), "code");
  EXPECT_FALSE(std::filesystem::exists(dir / "wave.hlsl.fx"));
}

}  // namespace
