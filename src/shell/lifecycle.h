#pragma once
// The order of a run, from the first note restored to the last save: restore one note per
// tick with the day's copy made alongside, saves while the program runs, and the shutdown
// that saves everything. Portable, so that the order itself is tested natively; the
// controller window only paces the ticks and carries out what the host is asked.

#include <memory>
#include <optional>
#include <string>

#include "shell/daily_backup.h"
#include "shell/restore.h"
#include "store/clock.h"
#include "store/note_collection.h"

namespace velumbrino {

// What the order asks of the program around it.
class LifecycleHost {
 public:
  virtual ~LifecycleHost() = default;
  // A body brought the last run down and is set aside from now on: tell the user once.
  virtual void ReportSetAsideBody(int number) = 0;
  // Bodies brought back to the data folder became notes again: tell the user once.
  virtual void ReportNotesCameBack(const std::string& notice) = 0;
  // Every note is restored: the program takes input, and alarms due meanwhile fire.
  virtual void RestoreFinished() = 0;
  // Notes could not be written (told once per run by the host).
  virtual void ReportSaveFailure() = 0;
  // The index or the settings file is there but another program holds it: read now, it
  // would show no note, and the next save would write that over the notes. True: read
  // again; false: the program closes without touching a file.
  virtual bool RetryHeldFile(const std::string& /*file_name*/) { return false; }
};

class Lifecycle {
 public:
  Lifecycle(NoteCollection& notes, const DefaultFont& font, LifecycleHost& host);

  // Begins the day's copy and the restore. `prepare_failed`: the data folder could not be
  // made ready, which the user hears of once the notes are shown. False when the user gave
  // up on a held index or settings file: the program ends, nothing read and nothing saved.
  bool Start(const LocalTime& now, bool prepare_failed);
  bool Restoring() const { return restorer_ != nullptr; }
  // One step of the restore; true when the restore ended with it.
  bool RestoreTick();
  // A note changed: its data is saved, and the first save after midnight makes the new
  // day's copy.
  void NoteChanged(int number, const LocalTime& now);
  // Saves every note that is open; the process ends after it. Once only.
  void Shutdown();
  bool ShuttingDown() const { return shutting_down_; }

 private:
  NoteCollection& notes_;
  const DefaultFont& font_;
  LifecycleHost& host_;
  DailyBackup backup_;
  std::unique_ptr<NoteRestorer> restorer_;
  bool prepare_failed_ = false;
  bool shutting_down_ = false;

  std::optional<std::string> HeldStoreFile();
};

}  // namespace velumbrino
