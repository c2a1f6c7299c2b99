#pragma once
// Re-creates every stored note window at start-up.

#include <functional>

#include "store/note_collection.h"

namespace velumbrino {

struct RestorePacing {
  // Before each note: the 50 ms pause and the processing of pending window messages.
  std::function<void()> before_note = [] {};
  // After each note: pending window messages.
  std::function<void()> after_note = [] {};
};

// One window for each valid, distinct positive number of the index, in index order; its
// stored title, position, body, colours, alarm flag, visibility, opacity and pin applied.
// TotalForms is read but never creates or drops notes. Returns the number restored.
int RestoreNotes(NoteCollection& notes, const DefaultFont& font, const RestorePacing& pacing);

}  // namespace velumbrino
