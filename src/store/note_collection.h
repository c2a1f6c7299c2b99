#pragma once
// The open note windows and the rules that keep them in step with the data folder: numbering,
// creating, finding, saving and deleting notes. Positions run from 1 in creation order.

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "store/body_load_marker.h"
#include "store/clock.h"
#include "store/file_system.h"
#include "store/index_file.h"
#include "store/note_window.h"
#include "store/settings_file.h"

namespace velumbrino {

class NoteCollection {
 public:
  NoteCollection(FileSystem& files, NoteWindowFactory& factory, std::string data_folder_path);

  const std::string& DataFolderPath() const { return data_folder_; }
  FileSystem& Files() { return files_; }
  SettingsFile& Settings() { return settings_; }
  IndexFile& Index() { return index_; }

  int Count() const { return static_cast<int>(windows_.size()); }
  // Position 1..Count().
  NoteWindow& At(int position) { return *windows_.at(static_cast<std::size_t>(position - 1)); }
  // Position of the window whose tag is `number`, 0 when none.
  int FindNoteWindow(int number) const;

  // Smallest free number, appended to indice.dat at once. 0 when the index can't be written.
  int NextNoteNumber();
  // Opens a note window at the end of the collection with the default font applied.
  // `show` is false for restore, which decides visibility itself.
  NoteWindow& CreateNote(const std::string& number, bool app_ready, const DefaultFont& font,
                         bool show = true);

  // Everything at exit: TotalForms, each note's keys and body (newest first), the index.
  // A body is written only when it changed since it was loaded or saved, or has no file:
  // the control's own save drops what it cannot write back (tables, fields, characters
  // outside the code page), so an untouched body keeps its exact bytes.
  // False when anything could not be written (the files that were written are complete).
  bool SaveAllNotes();
  // One note's own data (Top, Left, Tag, Titulo, Visivel and body), without the index.
  bool SaveNote(int position);
  // Full delete with the window at `position`, or only the alarm keys when it is 0.
  void DeleteNote(int number, int position);
  // Sends the body of the note at `position` to the Recycle Bin (see body_trash.h), named
  // with the clock's time (the year 2000 without a clock). True when no body is left.
  bool RecycleBody(int position);
  void SetClock(const Clock& clock) { clock_ = &clock; }
  // The pin toggle of the window at `position`: OnTop written at once, every pinned note
  // placed at the top of the topmost band again.
  void TogglePin(int position);
  // Only the exact text "False" means not pinned.
  bool StoredPinned(const std::string& number) const;

  std::string BodyPath(const std::string& number) const;
  // Loads the note's stored body with the load marker written around the load.
  // With end_load false the record stays until the next load or an EndLoad of the caller's,
  // so that a note which brings the program down when first drawn is caught as well.
  bool LoadStoredBody(NoteWindow& window, bool end_load = true);
  BodyLoadMarker& LoadMarker() { return load_marker_; }
  // A stored body that exists but could not be read (locked, too large) is never
  // overwritten by the empty body its note was opened with.
  void KeepStoredBody(const std::string& number) { kept_bodies_.insert(number); }
  // Such a body (and a set-aside one) is shown read-only; nothing may change it this run.
  bool StoredBodyKept(int number) const { return kept_bodies_.count(std::to_string(number)) > 0; }

 private:
  FileSystem& files_;
  NoteWindowFactory& factory_;
  std::string data_folder_;
  SettingsFile settings_;
  IndexFile index_;
  std::vector<std::unique_ptr<NoteWindow>> windows_;
  std::set<std::string> kept_bodies_;
  BodyLoadMarker load_marker_;
  const Clock* clock_ = nullptr;

  bool SaveBodyOf(NoteWindow& window);
};

}  // namespace velumbrino
