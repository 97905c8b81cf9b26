#pragma once
// What the shell remembers about its dialogs between events.
#include <cstdint>
#include <string>

namespace quellor {

struct DialogState {
  // Options window: the model revision it shows, and a control a refresh must leave alone
  // because the user is typing in it.
  uint64_t OptionsRevision = 0;
  int KeepGadget = 0;

  // Text editor: the open kind (0: none), the folder and pattern of its requesters.
  int EditorKind = 0;
  std::string EditorFolder;
  std::string EditorPattern;
  // Where the post-effect editor was left at its last "Okay" (line, column from 1).
  int PostFxLine = 1, PostFxColumn = 1;
  // Line of the last failed vertex shader compile; 0: none.
  int MarkedLine = 0;
};

}  // namespace quellor
