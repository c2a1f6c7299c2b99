#pragma once
// Once a day, a copy of the notes' files (index, settings and bodies) in the data folder's
// Backup\<yyyy-mm-dd>\ folder; the newest seven days are kept. A copy is made in a folder of
// its own and renamed into place only when complete, so a failed copy leaves nothing under
// the day's name.

#include <optional>
#include <string>
#include <vector>

#include "alarm/alarm_time.h"
#include "store/clock.h"
#include "store/file_system.h"

namespace velumbrino {

inline constexpr int kBackupDaysKept = 7;

// "2026-12-06".
std::string BackupDayName(const LocalTime& time);

class DailyBackup {
 public:
  DailyBackup(FileSystem& files, std::string data_folder);
  // Makes today's copy unless it was made already (this run or before). False when the copy
  // failed; a failed copy (a full disk, an unreadable body) is tried again at most once an
  // hour, not after every save. Completes a copy begun with Begin.
  bool Run(const LocalTime& now);

  // The same copy a file at a time, so that start-up shows notes meanwhile. Begin copies the
  // index and the settings (any save writes the settings); CopyStep copies the body of
  // `note_number` if it is still to copy, else the next file; Finish copies the rest and
  // puts the copy in place. A copy that fails leaves nothing and is tried again by Run.
  bool Begin(const LocalTime& now);
  bool CopyStep(int note_number);
  bool Finish();
  // Drops an unfinished copy (the program is closing): the next start of the day makes a
  // whole one, so a day's copy never mixes files from before and after a save.
  void Cancel();
  bool InProgress() const { return pending_.has_value(); }

 private:
  struct Pending {
    std::string day;
    std::string root;
    std::string partial;
    std::vector<std::string> names;  // still to copy, in order
    std::size_t next = 0;
  };
  bool CopyNext();
  bool Abandon();
  void RemoveFolderAndFiles(const std::string& folder);
  void KeepNewestDays(const std::string& backup_root);

  FileSystem& files_;
  std::string data_folder_;
  char separator_;
  std::optional<std::string> done_for_;
  std::optional<AlarmMinute> failed_at_;
  std::optional<Pending> pending_;
};

}  // namespace velumbrino
