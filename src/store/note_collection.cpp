#include "store/note_collection.h"

#include <algorithm>

#include "store/body_trash.h"
#include "store/data_folder.h"
#include "store/note_keys.h"
#include "store/text_utils.h"

namespace velumbrino {

namespace {

std::vector<IniEdit> NoteKeyEdits(SettingsFile& settings, NoteWindow& window) {
  const std::string tag = window.Tag();
  return NoteSettings(settings, tag)
      .Edits({{NoteKey::kTop, std::to_string(window.Top())},
              {NoteKey::kLeft, std::to_string(window.Left())},
              {NoteKey::kTag, tag},
              {NoteKey::kTitulo, window.Title()},
              {NoteKey::kVisivel, BoolToText(window.Visible())}});
}

IniEdit TotalFormsEdit(int count) {
  return {std::string(kIndexSection), std::string(kTotalFormsKey), std::to_string(count)};
}

}  // namespace

NoteCollection::NoteCollection(FileSystem& files, NoteWindowFactory& factory,
                               std::string data_folder_path)
    : files_(files),
      factory_(factory),
      data_folder_(std::move(data_folder_path)),
      settings_(files, data_folder_ + kSettingsFileName),
      index_(files, data_folder_ + kIndexFileName),
      load_marker_(files, data_folder_) {}

int NoteCollection::FindNoteWindow(int number) const {
  for (std::size_t i = 0; i < windows_.size(); ++i) {
    if (LeadingNumber(windows_[i]->Tag()) == number) return static_cast<int>(i + 1);
  }
  return 0;
}

int NoteCollection::NextNoteNumber() {
  // The index read as restore reads it, and every open window: a damaged index (entries
  // without their commas, leading zeros) must never hand out the number of an open note.
  std::optional<std::vector<int>> read = index_.ReadNumbers();
  if (!read) return 0;
  std::vector<int> numbers = std::move(*read);
  std::vector<int> taken = numbers;
  for (const auto& window : windows_)
    taken.push_back(static_cast<int>(LeadingNumber(window->Tag())));
  // A body file the index does not name (taken back while the index could not be written, or
  // left by a delete that failed) is some note's text: a new note must not inherit it.
  if (const auto names = files_.ListFiles(data_folder_)) {
    for (const std::string& name : *names) {
      if (const std::optional<int> own = BodyFileNumber(name)) taken.push_back(*own);
    }
  }
  const int number = SmallestFreeNumber(taken);
  numbers.push_back(number);
  // The folder may have been removed during the run; the note must still get its number.
  if (!files_.DirectoryExists(data_folder_)) files_.CreateDirectories(data_folder_);
  if (!index_.WriteNumbers(numbers)) return 0;
  return number;
}

NoteWindow& NoteCollection::CreateNote(const std::string& number, bool app_ready,
                                       const DefaultFont& font, bool show) {
  std::unique_ptr<NoteWindow> window = factory_.CreateNoteWindow(app_ready);
  window->SetTag(number);
  window->ApplyDefaultFont(font);
  if (show) window->SetVisible(true);
  windows_.push_back(std::move(window));
  return *windows_.back();
}

std::string NoteCollection::BodyPath(const std::string& number) const {
  return data_folder_ + BodyFileName(number);
}

bool NoteCollection::LoadStoredBody(NoteWindow& window, bool end_load) {
  const std::string tag = window.Tag();
  const int number = static_cast<int>(LeadingNumber(tag));
  load_marker_.BeginLoad(number);
  const bool loaded = window.LoadBody(BodyPath(tag));
  if (end_load) load_marker_.EndLoad();
  return loaded;
}

bool NoteCollection::SaveBodyOf(NoteWindow& window) {
  const std::string tag = window.Tag();
  if (kept_bodies_.count(tag)) return true;
  const std::string path = BodyPath(tag);
  if (!window.BodyModified() && files_.FileExists(path)) return true;
  return window.SaveBody(path);
}

bool NoteCollection::SaveAllNotes() {
  bool ok = true;
  if (!files_.DirectoryExists(data_folder_)) ok = files_.CreateDirectories(data_folder_);

  std::vector<IniEdit> edits{TotalFormsEdit(Count())};
  std::string list = ",";
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
    NoteWindow& window = **it;
    for (IniEdit& edit : NoteKeyEdits(settings_, window)) edits.push_back(std::move(edit));
    ok = SaveBodyOf(window) && ok;
    list += window.Tag() + ",";
  }
  // One write of config.cfg for every key: either the old file or the new one survives.
  ok = settings_.Apply(edits) && ok;
  ok = index_.Write(Trim(list)) && ok;
  return ok;
}

bool NoteCollection::SaveNote(int position) {
  NoteWindow& window = At(position);
  if (!files_.DirectoryExists(data_folder_) && !files_.CreateDirectories(data_folder_)) {
    return false;
  }
  const bool body_saved = SaveBodyOf(window);
  return settings_.Apply(NoteKeyEdits(settings_, window)) && body_saved;
}

void NoteCollection::DeleteNote(int number, int position) {
  NoteSettings note(settings_, number);
  std::vector<NoteKeyEdit> keys;
  for (NoteKey key : kAlarmKeys) keys.push_back({key, std::nullopt});
  const bool full = position >= 1 && position <= Count();
  if (full) keys.push_back({NoteKey::kOnTop, ""});
  std::vector<IniEdit> edits = note.Edits(keys);
  edits.insert(edits.begin(), TotalFormsEdit(Count()));
  settings_.Apply(edits);
  if (!full) return;

  RecycleBody(position);
  kept_bodies_.erase(note.Section());
  load_marker_.Forget(number);

  windows_[static_cast<std::size_t>(position - 1)]->Close();
  windows_.erase(windows_.begin() + (position - 1));

  edits = note.Edits({{NoteKey::kOnTop, std::nullopt},
                      {NoteKey::kColor1, std::nullopt},
                      {NoteKey::kColor2, std::nullopt}});
  edits.insert(edits.begin(), TotalFormsEdit(Count()));
  settings_.Apply(edits);

  if (std::optional<std::vector<int>> numbers = index_.ReadNumbers()) {
    std::erase(*numbers, number);
    index_.WriteNumbers(*numbers);
  }
}

bool NoteCollection::RecycleBody(int position) {
  NoteWindow& window = At(position);
  return velumbrino::RecycleBody(files_, data_folder_, BodyFileName(window.Tag()), window.Title(),
                                 clock_ ? clock_->Now() : LocalTime{});
}

bool NoteCollection::StoredPinned(const std::string& number) const {
  return ReadNoteKey(settings_, number, NoteKey::kOnTop, "False") != "False";
}

void NoteCollection::TogglePin(int position) {
  NoteWindow& toggled = At(position);
  const bool pin = !StoredPinned(toggled.Tag());
  NoteSettings(settings_, toggled.Tag()).Write(NoteKey::kOnTop, BoolToText(pin));
  if (!pin) toggled.ShowUnpinned();
  // Every pinned note goes to the top of the topmost band again, in collection order (which
  // is the index order); each window is matched by its own number, so a damaged index can
  // never pin the wrong note.
  for (auto& window : windows_) {
    if (StoredPinned(window->Tag())) window->ShowPinned();
  }
  toggled.FocusBody();
}

}  // namespace velumbrino
