#include "shell/restore.h"

#include <string>

#include "note/note_style.h"
#include "store/index_file.h"
#include "store/text_utils.h"

namespace velumbrino {

namespace {

// A stored colour applies only when it is a plain 24-bit value.
std::optional<Color> ParseColor(const std::string& stored) {
  const auto value = ParseWholeNumber(stored);
  if (!value || *value < 0 || *value > 0xFFFFFF) return std::nullopt;
  return static_cast<Color>(*value);
}

void RestoreOne(NoteCollection& notes, FileSystem& files, const DefaultFont& font, int number) {
  const std::string n = std::to_string(number);
  SettingsFile& settings = notes.Settings();
  NoteWindow& window = notes.CreateNote(n, /*app_ready=*/false, font, /*show=*/false);

  const int level = ParseOpacityLevel(settings.ReadIniValue(n, "Opacidade", "10"));
  window.SetVisible(false);
  window.SetTitle(settings.ReadIniValue(n, "Titulo", ""));
  if (auto top = ParseWholeNumber(settings.ReadIniValue(n, "Top", ""))) window.SetTop(*top);
  if (auto left = ParseWholeNumber(settings.ReadIniValue(n, "Left", ""))) window.SetLeft(*left);
  if (!window.LoadBody(notes.BodyPath(n)) && files.FileExists(notes.BodyPath(n))) {
    notes.KeepStoredBody(n);
  }
  if (auto color = ParseColor(settings.ReadIniValue(n, "Color1", ""))) {
    window.SetBackColor(*color);
  }
  if (auto color = ParseColor(settings.ReadIniValue(n, "Color2", ""))) {
    window.SetBodyColor(*color);
  }
  if (auto alarm = TextToBool(settings.ReadIniValue(n, "Alarm", "0"))) {
    window.SetAlarmTimerEnabled(*alarm);
  }
  window.KeepOnScreen();
  window.SetOpacity(OpacityAlpha(level));
  // Pinned before it is shown, so the window appears straight in the topmost band.
  if (notes.StoredPinned(n)) window.ShowPinned();
  if (auto visible = TextToBool(settings.ReadIniValue(n, "Visivel", "True"))) {
    window.SetVisible(*visible);
  }
}

}  // namespace

int RestoreNotes(NoteCollection& notes, const DefaultFont& font, const RestorePacing& pacing) {
  const SettingsFile::Snapshot snapshot(notes.Settings());
  // Read as the note count was always read, though the index alone decides what is restored.
  (void)notes.Settings().ReadIniValue("Indice", "TotalForms", "0");
  const std::string line = Trim(notes.Index().ReadFirstLine().value_or(""));
  int restored = 0;
  for (int number : ParseNoteNumbers(line)) {
    pacing.before_note();
    RestoreOne(notes, notes.Files(), font, number);
    ++restored;
    pacing.after_note();
  }
  return restored;
}

}  // namespace velumbrino
