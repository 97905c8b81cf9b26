// Edit, Extra and Help: the text and shader editors, the intro options window, the
// support forum and the About window.
#include "app/MenuIds.h"
#include "app/commands/CommandTable.h"
#include "app/dialogs/About.h"
#include "app/dialogs/OptionsWindow.h"
#include "app/dialogs/TextEditor.h"

namespace quellor {

void AddDialogCommands(CommandTable& t) {
  // Menu items in menu order; the editor kinds are numbered by what they edit.
  const std::pair<int, int> kEditors[] = {{menu::kEditPostFx, 1},       {menu::kEditTextureShader, 4},
                                          {menu::kEditVertexShader, 6}, {menu::kEditScrollText1, 2},
                                          {menu::kEditScrollText2, 3},  {menu::kEditPageText, 5},
                                          {menu::kEditTrainerText, 7}};
  for (const auto& [item, kind] : kEditors)
    t[item] = [k = kind](AppContext& ctx) { OpenEditor(ctx, k); };
  t[menu::kExtraIntroSetup] = OpenOptionsWindow;
  t[menu::kHelpForum] = OpenForum;
  t[menu::kHelpAbout] = ShowAbout;
}

}  // namespace quellor
