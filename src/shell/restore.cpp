#include "shell/restore.h"

#include <string>

#include "note/note_style.h"
#include "store/body_load_marker.h"
#include "store/data_folder.h"
#include "store/index_file.h"
#include "store/note_keys.h"
#include "store/text_utils.h"

namespace velumbrino {

namespace {

void RestoreOne(NoteCollection& notes, FileSystem& files, const DefaultFont& font, int number) {
  const std::string n = std::to_string(number);
  const NoteSettings settings(notes.Settings(), n);
  NoteWindow& window = notes.CreateNote(n, /*app_ready=*/false, font, /*show=*/false);

  const int level = ParseOpacityLevel(settings.Read(NoteKey::kOpacidade, "10"));
  window.SetVisible(false);
  window.SetTitle(settings.Read(NoteKey::kTitulo, ""));
  if (auto top = ParseWholeNumber(settings.Read(NoteKey::kTop, ""))) window.SetTop(*top);
  if (auto left = ParseWholeNumber(settings.Read(NoteKey::kLeft, ""))) window.SetLeft(*left);
  const std::string body_path = notes.BodyPath(n);
  BodyLoadMarker& marker = notes.LoadMarker();
  // A body file that is gone can no longer bring anything down: the note is an empty one.
  if (marker.IsSetAside(number) && !files.FileExists(body_path)) marker.Forget(number);
  if (marker.IsSetAside(number)) {
    notes.KeepStoredBody(n);
    window.ShowBodySetAside(SetAsideBodyText(BodyFileName(n)));
  } else if (!notes.LoadStoredBody(window, /*end_load=*/false) && files.FileExists(body_path)) {
    // Read-only with a word of why: typing into an empty body that is never saved would be
    // lost without a sign. The next start reads the file again.
    notes.KeepStoredBody(n);
    window.ShowBodySetAside(UnreadableBodyText(BodyFileName(n)));
  }
  if (auto color = ParseColor(settings.Read(NoteKey::kColor1, ""))) {
    window.SetBackColor(*color);
  }
  if (auto color = ParseColor(settings.Read(NoteKey::kColor2, ""))) {
    window.SetBodyColor(*color);
  }
  if (auto alarm = TextToBool(settings.Read(NoteKey::kAlarm, "0"))) {
    window.SetAlarmTimerEnabled(*alarm);
  }
  window.KeepOnScreen();
  window.SetOpacity(OpacityAlpha(level));
  // Pinned before it is shown, so the window appears straight in the topmost band.
  if (notes.StoredPinned(n)) window.ShowPinned();
  if (auto visible = TextToBool(settings.Read(NoteKey::kVisivel, "True"))) {
    window.SetVisible(*visible);
  }
}

}  // namespace

NoteRestorer::NoteRestorer(NoteCollection& notes, const DefaultFont& font)
    : notes_(notes),
      font_(font),
      snapshot_(std::make_unique<SettingsFile::Snapshot>(notes.Settings())) {
  // Read as the note count was always read, though the index alone decides what is restored.
  (void)notes.Settings().ReadIniValue(kIndexSection, kTotalFormsKey, "0");
  numbers_ = notes.Index().Numbers();
  newly_set_aside_ = notes.LoadMarker().ReadAtStart();
}

void NoteRestorer::RestoreNext() {
  if (Done()) return;
  if (next_ < numbers_.size()) {
    // The record of the note loaded last stays until this one replaces it: the message loop
    // has drawn that note in between.
    RestoreOne(notes_, notes_.Files(), font_, numbers_[next_++]);
    return;
  }
  finished_ = true;
  notes_.LoadMarker().EndLoad();
  snapshot_.reset();
  // Set-aside notes the index no longer names were deleted some other way.
  notes_.LoadMarker().KeepOnly(numbers_);
}

int RestoreNotes(NoteCollection& notes, const DefaultFont& font) {
  NoteRestorer restorer(notes, font);
  while (!restorer.Done()) restorer.RestoreNext();
  return restorer.Restored();
}

}  // namespace velumbrino
