#pragma once
// Deleting notes from the delete-notes dialog, their bodies sent to the Recycle Bin. A note
// whose body file cannot be removed is not deleted at all: its window, keys and index entry
// stay, so no body is left orphaned, and the user is told which notes remain. "&Todas" removes only the program's own files
// from the data folder; anything else the user keeps there, and every subfolder, stays.

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "store/data_folder.h"
#include "store/file_system.h"
#include "store/note_collection.h"

namespace velumbrino {

struct DeleteOutcome {
  std::vector<std::string> kept_notes;  // list entries of the notes that stay, list order
  std::vector<std::string> kept_files;  // other own files that could not be removed
};

// Deletes the notes in the order given (the dialog's plan: last entry first). Numbers
// without a window are skipped. `between_steps` (may be empty) runs after each note.
DeleteOutcome DeleteNotes(NoteCollection& notes, const std::vector<int>& numbers,
                          const std::function<void()>& between_steps = {});

// "&Todas": every note, last first, then the program's remaining files in the data folder.
// When every note went, the folder holds none of the program's files and the next new note
// is note 1 with the index ",1,".
DeleteOutcome DeleteAllNotes(NoteCollection& notes,
                             const std::function<void()>& between_steps = {});

// Removes the program's own files from `folder` (with its trailing separator), indice.dat
// last. While notes are kept, their body files, indice.dat, config.cfg and carregando.dat
// stay. Without a folder listing, the names the index and the fixed file names give are tried. Returns the
// names that could not be removed.
std::vector<std::string> DeleteOwnFiles(FileSystem& files, const std::string& folder,
                                        const std::set<int>& kept_notes);

// The message for an incomplete delete (empty when it was complete).
std::string DeleteFailureMessage(const DeleteOutcome& outcome);

}  // namespace velumbrino
