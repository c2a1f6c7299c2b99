#include "store/note_collection.h"

#include "store/data_folder.h"
#include "store/text_utils.h"

namespace velumbrino {

namespace {

constexpr const char* kAlarmKeys[] = {"Alarm", "Diariamente", "TocarSom", "Som",
                                      "Path",  "Data",        "Hora",     "HoraAntes"};

std::vector<IniEdit> NoteKeyEdits(NoteWindow& window) {
  const std::string tag = window.Tag();
  return {{tag, "Top", std::to_string(window.Top())},
          {tag, "Left", std::to_string(window.Left())},
          {tag, "Tag", tag},
          {tag, "Titulo", window.Title()},
          {tag, "Visivel", BoolToText(window.Visible())}};
}

}  // namespace

NoteCollection::NoteCollection(FileSystem& files, NoteWindowFactory& factory,
                               std::string data_folder_path)
    : files_(files),
      factory_(factory),
      data_folder_(std::move(data_folder_path)),
      settings_(files, data_folder_ + kSettingsFileName),
      index_(files, data_folder_ + kIndexFileName) {}

int NoteCollection::FindNoteWindow(int number) const {
  for (std::size_t i = 0; i < windows_.size(); ++i) {
    if (LeadingNumber(windows_[i]->Tag()) == number) return static_cast<int>(i + 1);
  }
  return 0;
}

int NoteCollection::NextNoteNumber() {
  const std::string line = index_.ReadFirstLine().value_or(",");
  const int number = SmallestFreeNumber(line);
  std::string list = Trim(line);
  // A damaged line may lack its outer commas; the new entry must still be found as ",n,".
  if (list.empty() || list.front() != ',') list.insert(list.begin(), ',');
  if (list.back() != ',') list += ',';
  // The folder may have been removed during the run; the note must still get its number.
  if (!files_.DirectoryExists(data_folder_)) files_.CreateDirectories(data_folder_);
  if (!index_.Write(list + std::to_string(number) + ",")) return 0;
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

bool NoteCollection::SaveBodyOf(NoteWindow& window) {
  const std::string tag = window.Tag();
  if (kept_bodies_.count(tag)) return true;
  return window.SaveBody(BodyPath(tag));
}

bool NoteCollection::SaveAllNotes() {
  bool ok = true;
  if (!files_.DirectoryExists(data_folder_)) ok = files_.CreateDirectories(data_folder_);

  std::vector<IniEdit> edits{{"Indice", "TotalForms", std::to_string(Count())}};
  std::string list = ",";
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
    NoteWindow& window = **it;
    for (IniEdit& edit : NoteKeyEdits(window)) edits.push_back(std::move(edit));
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
  return settings_.Apply(NoteKeyEdits(window)) && body_saved;
}

void NoteCollection::DeleteNote(int number, int position) {
  const std::string section = std::to_string(number);
  std::vector<IniEdit> edits{{"Indice", "TotalForms", std::to_string(Count())}};
  for (const char* key : kAlarmKeys) edits.push_back({section, key, std::nullopt});
  if (position == 0 || position > Count()) {
    settings_.Apply(edits);
    return;
  }
  edits.push_back({section, "OnTop", ""});
  settings_.Apply(edits);

  const std::string body = BodyPath(section);
  if (files_.FileExists(body)) files_.RemoveFile(body);
  kept_bodies_.erase(section);

  windows_[static_cast<std::size_t>(position - 1)]->Close();
  windows_.erase(windows_.begin() + (position - 1));

  settings_.Apply({{"Indice", "TotalForms", std::to_string(Count())},
                   {section, "OnTop", std::nullopt},
                   {section, "Color1", std::nullopt},
                   {section, "Color2", std::nullopt}});

  const std::string line = Trim(index_.ReadFirstLine().value_or(""));
  index_.Write(ReplaceAll(line, "," + section + ",", ","));
}

bool NoteCollection::StoredPinned(const std::string& number) const {
  return settings_.ReadIniValue(number, "OnTop", "False") != "False";
}

void NoteCollection::TogglePin(int position) {
  NoteWindow& toggled = At(position);
  const bool pin = !StoredPinned(toggled.Tag());
  settings_.WriteKey(toggled.Tag(), "OnTop", BoolToText(pin));
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
