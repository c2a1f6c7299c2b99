#pragma once
// The show-notes and delete-notes dialogs list every open note by title, entry k standing for
// the note window at position k. Their buttons act from the last entry to the first, so the
// positions still to be handled stay valid while windows close. The Win32 dialogs only fill
// their list from here and carry out the plans.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "store/note_collection.h"

namespace velumbrino {

inline constexpr const char* kShowNotesHelpTopic = "mostrar.htm";
inline constexpr const char* kDeleteNotesHelpTopic = "excluir_notas.htm";

// The title as listed: "[Em Branco]" when it is empty or only blanks, else unchanged.
std::string NoteListEntry(std::string_view title);

struct NoteListModel {
  std::vector<std::string> entries;  // collection order
  std::vector<bool> selected;        // same size as entries
};
// Every note, the visible ones selected.
NoteListModel ShowNotesList(NoteCollection& notes);
// Every note, none selected.
NoteListModel DeleteNotesList(NoteCollection& notes);

struct VisibilityStep {
  int position = 0;  // collection position, from 1
  bool visible = false;
  friend bool operator==(const VisibilityStep&, const VisibilityStep&) = default;
};
// "&Selecionadas": each entry shown when selected and hidden when not, last entry first.
std::vector<VisibilityStep> ShowSelectedPlan(const std::vector<bool>& selected);
// "&Todas": every entry shown, last entry first.
std::vector<VisibilityStep> ShowAllPlan(int count);
// Carries out the steps; `between_steps` (may be empty) runs after each one, where the
// Win32 side lets pending window messages run. Positions beyond the collection are skipped.
void ApplyVisibilityPlan(NoteCollection& notes, const std::vector<VisibilityStep>& plan,
                         const std::function<void()>& between_steps = {});

// "&Selecionadas" of the delete dialog: the numbers of the selected notes, last entry first.
std::vector<int> DeleteSelectedPlan(NoteCollection& notes, const std::vector<bool>& selected);

}  // namespace velumbrino
