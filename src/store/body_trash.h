#pragma once
// A deleted note's body goes to the Recycle Bin under a name of its own, so that it can come
// back; a body that comes back to the data folder is taken in as a note again at start-up.
//
// The name: "<title> <yyyy-mm-dd> <hh>h<mm>m<ss>.vmb", the title with the characters a file
// name cannot hold replaced by '_' (at most 40 characters; "Nota" when there is none) and the
// time of the delete; " (2)", " (3)", ... before ".vmb" when that name is taken. No note body
// ("stickieN.vmb") can have such a name, so a body restored from the bin never lands on the
// file of a note made since.

#include <string>
#include <string_view>
#include <vector>

#include "store/clock.h"
#include "store/file_system.h"
#include "store/note_collection.h"

namespace velumbrino {

// The name a body takes before it goes to the bin (without the " (n)" of a taken name).
std::string RecycledBodyName(std::string_view title, const LocalTime& deleted_at);

// Renames `folder` + `body_name` to its recycled name and sends it to the Recycle Bin (deleted
// where the bin cannot take it). A body that neither could take gets its own name back. True
// when no file is left under `body_name`.
bool RecycleBody(FileSystem& files, const std::string& folder, const std::string& body_name,
                 std::string_view title, const LocalTime& deleted_at);

// The title a note taken in from `file_name` gets: the name without ".vmb", and for a
// recycled name without its date and time.
std::string TitleFromBodyFileName(std::string_view file_name);

// Takes in as new notes the body files of the data folder that no index entry names: a
// recycled body brought back (a name as above), or a "stickieN.vmb" whose number is in no
// index entry. Other files, ".vmb" or not, are left alone. Each
// gets the smallest free number, its file is renamed to that note's body name (never over
// another file), it is visible at the place of a new note, titled from its file name; the
// index lists it last. Run before the restore, which then opens them like every note.
// Returns their titles in the order taken (file name order).
std::vector<std::string> AdoptBodies(NoteCollection& notes);

// The tray balloon that names the notes taken in.
std::string NotesCameBackNotice(const std::vector<std::string>& titles);

}  // namespace velumbrino
