#pragma once
// The shared text and shader editor: seven kinds (post effect, two scroll texts, texture
// shader, pager text, vertex shader, trainer text), each with its title, folder, pattern
// and load limit, and what "Okay", "Save" and "Load" do for it.
#include <cstddef>
#include <string>
#include <vector>

#include "app/AppContext.h"

namespace quellor {

namespace editor {
// Gadget numbers of the editor window's buttons.
constexpr int kOkay = 2001, kCancel = 2002, kLoad = 2003, kSave = 2004;
}  // namespace editor

struct EditorKind {
  int Number;          // 1..7
  const char* Title;   // "PostFX Shader Editor", ...
  const char* Folder;  // below the base folder
  const char* Pattern;
  size_t LoadLimit;    // bytes
  bool CodeView;
  const char* Extension;  // added by Save to a name without one
};

// The kind with that number; null for anything but 1..7.
const EditorKind* FindEditorKind(int number);

// The model's text that editor kind `number` opens with.
std::string EditorText(const IntroModel& m, int number);

// A scroll text as the scroller takes it: a character stays when its upper-case form has
// a code from 32 to 96 (in its own case); line ends and everything else go.
std::string FilterScrollEditorText(const std::string& text);

// Trainer lines from the editor text, padded with "Generated Text0", "Generated Text1", ...
// up to `lines`; `added` tells how many were generated.
std::vector<std::string> TrainerLinesFromText(const std::string& text, int32_t lines, int& added);

// The save name: ".fx" or ".txt" (by kind) appended when the chosen name has no extension.
std::string EditorSaveName(const std::string& chosen, const EditorKind& kind);

// The requester functions every part of the editor uses: the open function appends
// "|all Files (*.*)|*.*" to the pattern, the save function "All files (*.*)|*.*".
std::string EditorOpenRequester(Host& host, const std::string& title, const std::string& path,
                                const std::string& pattern, int patternIndex);
std::string EditorSaveRequester(Host& host, const std::string& title, const std::string& path,
                                const std::string& pattern);

// Edit menu: opens the editor for a kind with the model's current text; the main window
// is disabled until it closes.
void OpenEditor(AppContext& ctx, int number);
// The editor window's buttons.
void EditorOkay(AppContext& ctx);
void EditorSave(AppContext& ctx);
void EditorLoad(AppContext& ctx);
// Cancel and the close box: no change, the main window is enabled again.
void CloseEditor(AppContext& ctx);
void HandleEditorGadget(AppContext& ctx, int gadget);

}  // namespace quellor
