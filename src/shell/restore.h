#pragma once
// Re-creates every stored note window at start-up, one note at a time, so that the caller
// paces them (a pause before each note) from its own message loop, with no loop of its own.

#include <memory>
#include <optional>
#include <vector>

#include "store/note_collection.h"

namespace velumbrino {

// One window for each valid, distinct positive number of the index, in index order; its
// stored title, position, body, colours, alarm flag, visibility, opacity and pin applied.
// TotalForms is read but never creates or drops notes.
class NoteRestorer {
 public:
  NoteRestorer(NoteCollection& notes, const DefaultFont& font);
  bool Done() const { return finished_; }
  // Restores the next note; the call after the last note ends the restore (the last note
  // has been drawn by then). Nothing once done.
  void RestoreNext();
  int Restored() const { return static_cast<int>(next_); }
  // The number of the note the next call restores; nothing once every note is restored.
  std::optional<int> NextNumber() const {
    if (next_ < numbers_.size()) return numbers_[next_];
    return std::nullopt;
  }
  // The note whose body load never returned in the last run: set aside from this start on,
  // shown with an explanation instead of its body. The user is to be told of it once.
  std::optional<int> NewlySetAside() const { return newly_set_aside_; }

 private:
  NoteCollection& notes_;
  const DefaultFont& font_;
  // Reads take the file as first read for the whole restore (see SettingsFile::Snapshot).
  std::unique_ptr<SettingsFile::Snapshot> snapshot_;
  std::vector<int> numbers_;
  std::size_t next_ = 0;
  bool finished_ = false;
  std::optional<int> newly_set_aside_;
};

// Every note at once (tools and tests). Returns the number restored.
int RestoreNotes(NoteCollection& notes, const DefaultFont& font);

}  // namespace velumbrino
