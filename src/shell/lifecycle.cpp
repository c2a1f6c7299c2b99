#include "shell/lifecycle.h"

#include "store/body_trash.h"
#include "store/data_folder.h"

namespace velumbrino {

Lifecycle::Lifecycle(NoteCollection& notes, const DefaultFont& font, LifecycleHost& host)
    : notes_(notes), font_(font), host_(host), backup_(notes.Files(), notes.DataFolderPath()) {}

bool Lifecycle::Start(const LocalTime& now, bool prepare_failed) {
  while (const std::optional<std::string> held = HeldStoreFile()) {
    if (!host_.RetryHeldFile(*held)) {
      shutting_down_ = true;  // nothing was read, so nothing may be saved
      return false;
    }
  }
  prepare_failed_ = prepare_failed;
  // Before the copy and the restore, so that both take in the notes that came back.
  const std::vector<std::string> came_back = AdoptBodies(notes_);
  if (!came_back.empty()) host_.ReportNotesCameBack(NotesCameBackNotice(came_back));
  // The day's copy of the notes as they were at start-up: made a file at a time while the
  // notes are restored, each body before its note is shown, so no note waits for the copy.
  backup_.Begin(now);
  restorer_ = std::make_unique<NoteRestorer>(notes_, font_);
  return true;
}

std::optional<std::string> Lifecycle::HeldStoreFile() {
  FileSystem& files = notes_.Files();
  for (const char* name : {kIndexFileName, kSettingsFileName}) {
    const std::string path = notes_.DataFolderPath() + name;
    if (files.FileExists(path) && !files.ReadFile(path)) return name;
  }
  return std::nullopt;
}

bool Lifecycle::RestoreTick() {
  if (!restorer_ || shutting_down_) return false;
  if (const std::optional<int> number = restorer_->NextNumber()) backup_.CopyStep(*number);
  restorer_->RestoreNext();
  if (!restorer_->Done()) return false;
  backup_.Finish();  // files of no restored note
  const std::optional<int> set_aside = restorer_->NewlySetAside();
  restorer_.reset();
  if (set_aside) host_.ReportSetAsideBody(*set_aside);
  host_.RestoreFinished();
  if (prepare_failed_) host_.ReportSaveFailure();
  return true;
}

void Lifecycle::NoteChanged(int number, const LocalTime& now) {
  if (shutting_down_) return;
  backup_.Finish();  // a note edited during start-up: the copy holds it as it was
  const int position = notes_.FindNoteWindow(number);
  if (position > 0 && !notes_.SaveNote(position)) host_.ReportSaveFailure();
  backup_.Run(now);
}

void Lifecycle::Shutdown() {
  if (shutting_down_) return;
  shutting_down_ = true;
  if (restorer_) {
    // Closed before every note was restored (a log-off, an uninstall request): the index and
    // the count still name the notes not yet open, so only the open ones are saved.
    for (int position = 1; position <= notes_.Count(); ++position) notes_.SaveNote(position);
  } else {
    notes_.SaveAllNotes();
  }
  // No load is running any more: a record left naming the last note restored (or one that
  // could not be cleared when the restore ended) would set that healthy note aside.
  notes_.LoadMarker().EndLoad();
  // The notes first; an unfinished day's copy is dropped, not completed inside a log-off.
  backup_.Cancel();
}

}  // namespace velumbrino
