#include "store/body_trash.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "store/body_load_marker.h"
#include "store/data_folder.h"
#include "store/index_file.h"
#include "store/note_keys.h"
#include "ui_strings.h"

namespace velumbrino {

namespace {

constexpr std::size_t kMaxTitleChars = 40;
constexpr std::size_t kMaxCopies = 1000;
// " yyyy-mm-dd hhhmmmss" with '0' for a digit: the date and time part of a recycled name.
constexpr std::string_view kTimePattern = " 0000-00-00 00h00m00";
constexpr std::string_view kBodyExtension = ".vmb";
// The balloon names at most this many notes.
constexpr std::size_t kMaxNamedNotes = 5;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string SafeTitle(std::string_view title) {
  std::string safe;
  std::size_t chars = 0;
  for (const char c : title) {
    const auto byte = static_cast<unsigned char>(c);
    const bool continuation = (byte & 0xC0) == 0x80;
    if (!continuation && ++chars > kMaxTitleChars) break;
    const bool forbidden = byte < 0x20 || byte == 0x7F ||
                           std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
    safe += forbidden ? '_' : c;
  }
  // Blanks at the ends would be lost or hard to see in a file name.
  const std::size_t first = safe.find_first_not_of(' ');
  if (first == std::string::npos) return TXT_DELETED_NOTE_FILE_NAME;
  return safe.substr(first, safe.find_last_not_of(' ') - first + 1);
}

bool MatchesTimePattern(std::string_view text) {
  if (text.size() != kTimePattern.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (kTimePattern[i] == '0' ? !IsDigit(text[i]) : text[i] != kTimePattern[i]) return false;
  }
  return true;
}

// Without a trailing " (n)", as a taken name or a restore beside a file of that name gets.
std::string_view WithoutCopyNumber(std::string_view stem) {
  if (!stem.ends_with(')')) return stem;
  const std::size_t open = stem.rfind(" (");
  if (open == std::string_view::npos || open + 3 > stem.size() - 1) return stem;
  const std::string_view digits = stem.substr(open + 2, stem.size() - open - 3);
  return std::all_of(digits.begin(), digits.end(), IsDigit) ? stem.substr(0, open) : stem;
}

// A name this program gives a body on its way to the bin, maybe with a " (n)".
bool IsRecycledBodyName(std::string_view file_name) {
  if (!HasBodyExtension(file_name)) return false;
  file_name.remove_suffix(kBodyExtension.size());
  const std::string_view dated = WithoutCopyNumber(file_name);
  return dated.size() > kTimePattern.size() &&
         MatchesTimePattern(dated.substr(dated.size() - kTimePattern.size()));
}

}  // namespace

std::string RecycledBodyName(std::string_view title, const LocalTime& deleted_at) {
  char time[32];
  std::snprintf(time, sizeof time, " %04d-%02d-%02d %02dh%02dm%02d", deleted_at.year,
                deleted_at.month, deleted_at.day, deleted_at.hour, deleted_at.minute,
                deleted_at.second);
  return SafeTitle(title) + time + std::string(kBodyExtension);
}

bool RecycleBody(FileSystem& files, const std::string& folder, const std::string& body_name,
                 std::string_view title, const LocalTime& deleted_at) {
  const std::string body = folder + body_name;
  if (!files.FileExists(body)) return true;
  std::string name = RecycledBodyName(title, deleted_at);
  const std::string stem = name.substr(0, name.size() - kBodyExtension.size());
  for (std::size_t copy = 2; files.FileExists(folder + name); ++copy) {
    if (copy > kMaxCopies) return false;
    name = stem + " (" + std::to_string(copy) + ")" + std::string(kBodyExtension);
  }
  // A body that cannot be renamed (open in another program) stays with its note.
  if (!files.Rename(body, folder + name)) return false;
  if (files.RecycleFile(folder + name)) return true;
  files.Rename(folder + name, body);
  return !files.FileExists(body);
}

std::string TitleFromBodyFileName(std::string_view file_name) {
  std::string_view stem = file_name;
  if (HasBodyExtension(stem)) stem.remove_suffix(kBodyExtension.size());
  const std::string_view dated = WithoutCopyNumber(stem);
  if (dated.size() > kTimePattern.size() &&
      MatchesTimePattern(dated.substr(dated.size() - kTimePattern.size()))) {
    return std::string(dated.substr(0, dated.size() - kTimePattern.size()));
  }
  return std::string(stem);
}

std::vector<std::string> AdoptBodies(NoteCollection& notes) {
  FileSystem& files = notes.Files();
  const std::string& folder = notes.DataFolderPath();
  auto names = files.ListFiles(folder);
  if (!names) return {};
  // An index held open by another program reads as empty: every body would look unindexed.
  const std::optional<std::vector<int>> indexed = notes.Index().ReadNumbers();
  if (!indexed) return {};
  std::vector<int> numbers = *indexed;
  std::vector<std::string> taken_in;
  std::set<int> body_files;
  for (const std::string& name : *names) {
    // Other ".vmb" files (a copy the user keeps, "stickie07.vmb") are the user's own.
    const std::optional<int> own = BodyFileNumber(name);
    if (!own && !IsRecycledBodyName(name)) continue;
    if (own) body_files.insert(*own);
    if (!own || std::find(numbers.begin(), numbers.end(), *own) == numbers.end()) {
      taken_in.push_back(name);
    }
  }
  if (taken_in.empty()) return {};
  std::sort(taken_in.begin(), taken_in.end());

  // Numbers the body-load record names are not handed out either: it would set the new note
  // aside.
  std::vector<int> recorded;
  if (const auto record = files.ReadFile(folder + kLoadMarkerFileName)) {
    const LoadMarkerContents contents = ParseLoadMarker(*record);
    recorded.assign(contents.set_aside.begin(), contents.set_aside.end());
    if (contents.loading) recorded.push_back(*contents.loading);
  }

  std::vector<IniEdit> edits;
  std::vector<std::string> titles;
  for (const std::string& name : taken_in) {
    const std::optional<int> own = BodyFileNumber(name);
    std::vector<int> taken = numbers;
    taken.insert(taken.end(), recorded.begin(), recorded.end());
    for (int present : body_files) {
      if (present != own) taken.push_back(present);
    }
    const int number = SmallestFreeNumber(taken);
    const std::string n = std::to_string(number);
    if (number != own && !files.Rename(folder + name, folder + BodyFileName(n))) continue;
    if (own) body_files.erase(*own);
    body_files.insert(number);
    numbers.push_back(number);
    titles.push_back(TitleFromBodyFileName(name));
    // A new note's keys: no stored place (it opens where a new note does), colours,
    // transparency, pin or alarm an earlier note of that number left behind.
    std::vector<NoteKeyEdit> keys{{NoteKey::kTop, std::nullopt},
                                  {NoteKey::kLeft, std::nullopt},
                                  {NoteKey::kTag, n},
                                  {NoteKey::kTitulo, titles.back()},
                                  {NoteKey::kVisivel, "True"},
                                  {NoteKey::kOnTop, std::nullopt},
                                  {NoteKey::kColor1, std::nullopt},
                                  {NoteKey::kColor2, std::nullopt},
                                  {NoteKey::kOpacidade, std::nullopt}};
    for (NoteKey key : kAlarmKeys) keys.push_back({key, std::nullopt});
    for (IniEdit& edit : NoteSettings(notes.Settings(), n).Edits(keys)) {
      edits.push_back(std::move(edit));
    }
  }
  if (titles.empty()) return {};
  notes.Settings().Apply(edits);
  // Until the index names them, the renamed files are taken in again at the next start.
  if (!notes.Index().WriteNumbers(numbers)) return {};
  return titles;
}

std::string NotesCameBackNotice(const std::vector<std::string>& titles) {
  std::string text = TXT_NOTES_CAME_BACK;
  const std::size_t named = std::min(titles.size(), kMaxNamedNotes);
  for (std::size_t i = 0; i < named; ++i) {
    text += "\n" + (titles[i].empty() ? std::string(TXT_NOTE_LIST_BLANK_TITLE) : titles[i]);
  }
  if (titles.size() > named) {
    char more[64];
    std::snprintf(more, sizeof more, TXT_DELETE_FAILED_MORE,
                  static_cast<int>(titles.size() - named));
    text += "\n";
    text += more;
  }
  return text;
}

}  // namespace velumbrino
