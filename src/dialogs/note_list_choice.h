#pragma once
// What the show-notes or delete-notes dialog ended with: the button and the entries chosen.

#include <vector>

namespace velumbrino {

enum class NoteListMode { kShow, kDelete };
enum class NoteListAction { kCancel, kSelected, kAll };

struct NoteListChoice {
  NoteListAction action = NoteListAction::kCancel;
  std::vector<bool> selected;  // one per list entry
};

}  // namespace velumbrino
