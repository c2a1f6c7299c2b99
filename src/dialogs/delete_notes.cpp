#include "dialogs/delete_notes.h"

#include <algorithm>
#include <cstdio>

#include "dialogs/note_list.h"
#include "store/body_load_marker.h"
#include "store/data_folder.h"
#include "store/index_file.h"
#include "store/text_utils.h"
#include "ui_strings.h"

namespace velumbrino {
namespace {

// A message lists at most this many names per kind.
constexpr std::size_t kMaxListedNames = 10;

bool IsIndex(std::string_view lower_name) { return lower_name == kIndexFileName; }
bool IsSettings(std::string_view lower_name) { return lower_name == kSettingsFileName; }
bool IsLoadMarker(std::string_view lower_name) { return lower_name == kLoadMarkerFileName; }

std::vector<std::string> CandidateNames(FileSystem& files, const std::string& folder) {
  if (auto listed = files.ListFiles(folder)) return *listed;
  // No listing: the fixed names and the bodies the index knows of.
  std::vector<std::string> names{kSettingsFileName, kIndexFileName};
  const auto line = IndexFile(files, folder + kIndexFileName).ReadFirstLine();
  for (int number : ParseNoteNumbers(line.value_or(""))) {
    names.push_back(BodyFileName(std::to_string(number)));
  }
  return names;
}

bool Remove(FileSystem& files, const std::string& path) {
  // A file that is gone, by this call or another, is no failure.
  return !files.FileExists(path) || files.RemoveFile(path) || !files.FileExists(path);
}

std::string ListedNames(const std::vector<std::string>& names) {
  std::string text;
  const std::size_t shown = std::min(names.size(), kMaxListedNames);
  for (std::size_t i = 0; i < shown; ++i) text += "\r\n    " + names[i];
  if (names.size() > shown) {
    char more[64];
    std::snprintf(more, sizeof more, TXT_DELETE_FAILED_MORE,
                  static_cast<int>(names.size() - shown));
    text += "\r\n    ";
    text += more;
  }
  return text;
}

}  // namespace

std::vector<std::string> DeleteOwnFiles(FileSystem& files, const std::string& folder,
                                        const std::set<int>& kept_notes) {
  std::vector<std::string> doomed;
  for (std::string& name : CandidateNames(files, folder)) {
    if (!IsOwnDataFileName(name)) continue;
    if (!kept_notes.empty()) {
      const std::string lower = LowerAscii(name);
      const auto body = BodyFileNumber(lower);
      // The kept notes still need their files (the marker may list one set aside);
      // leftover temps may go.
      if (IsIndex(lower) || IsSettings(lower) || IsLoadMarker(lower) ||
          (body && kept_notes.count(*body))) {
        continue;
      }
    }
    doomed.push_back(std::move(name));
  }
  // The index goes last: until then the folder still names its notes.
  std::sort(doomed.begin(), doomed.end());
  std::stable_partition(doomed.begin(), doomed.end(),
                        [](const std::string& name) { return !IsIndex(LowerAscii(name)); });
  std::vector<std::string> failed;
  for (const std::string& name : doomed) {
    if (!Remove(files, folder + name)) failed.push_back(name);
  }
  return failed;
}

DeleteOutcome DeleteNotes(NoteCollection& notes, const std::vector<int>& numbers,
                          const std::function<void()>& between_steps) {
  DeleteOutcome outcome;
  // An index held by another program would keep naming the notes: each would come back
  // empty at the next start. They stay open instead, and the user is told.
  const bool index_readable = notes.Index().ReadNumbers().has_value();
  for (int number : numbers) {
    const int position = notes.FindNoteWindow(number);
    if (position == 0) continue;
    if (index_readable && notes.RecycleBody(position)) {
      notes.DeleteNote(number, position);
    } else {
      outcome.kept_notes.push_back(NoteListEntry(notes.At(position).Title()));
    }
    if (between_steps) between_steps();
  }
  // The plan runs last entry first; the user reads the list top down.
  std::reverse(outcome.kept_notes.begin(), outcome.kept_notes.end());
  return outcome;
}

DeleteOutcome DeleteAllNotes(NoteCollection& notes, const std::function<void()>& between_steps) {
  std::vector<int> numbers;
  for (int position = notes.Count(); position >= 1; --position) {
    const long long number = LeadingNumber(notes.At(position).Tag());
    if (number > 0) numbers.push_back(static_cast<int>(number));
  }
  DeleteOutcome outcome = DeleteNotes(notes, numbers, between_steps);

  std::set<int> kept;
  for (int position = 1; position <= notes.Count(); ++position) {
    kept.insert(static_cast<int>(LeadingNumber(notes.At(position).Tag())));
  }
  outcome.kept_files = DeleteOwnFiles(notes.Files(), notes.DataFolderPath(), kept);
  // An index that could not be removed must still give number 1 to the next note.
  const bool index_left =
      std::any_of(outcome.kept_files.begin(), outcome.kept_files.end(),
                  [](const std::string& name) { return IsIndex(LowerAscii(name)); });
  if (index_left && kept.empty()) notes.Index().Write(",");
  return outcome;
}

std::string DeleteFailureMessage(const DeleteOutcome& outcome) {
  std::string message;
  if (!outcome.kept_notes.empty()) {
    message += TXT_DELETE_FAILED_NOTES + ListedNames(outcome.kept_notes);
  }
  if (!outcome.kept_files.empty()) {
    if (!message.empty()) message += "\r\n\r\n";
    message += TXT_DELETE_FAILED_FILES + ListedNames(outcome.kept_files);
  }
  if (!message.empty()) message += std::string("\r\n\r\n") + TXT_DELETE_FAILED_HINT;
  return message;
}

}  // namespace velumbrino
