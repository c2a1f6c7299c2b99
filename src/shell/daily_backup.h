#pragma once
// Once a day, a copy of the notes' files (index, settings and bodies) in the data folder's
// Backup\<yyyy-mm-dd>\ folder; the newest seven days are kept. A copy is made in a folder of
// its own and renamed into place only when complete, so a failed copy leaves nothing under
// the day's name.

#include <optional>
#include <string>
#include <vector>

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
  // failed; it is tried again at the next call. Completes a copy begun with Begin.
  bool Run(const LocalTime& now);

  // The same copy a file at a time, so that start-up shows notes meanwhile. Begin copies the
  // index and the settings (any save writes the settings); CopyStep copies the body of
  // `note_number` if it is still to copy, else the next file; Finish copies the rest and
  // puts the copy in place. A copy that fails leaves nothing and is tried again by Run.
  bool Begin(const LocalTime& now);
  bool CopyStep(int note_number);
  bool Finish();
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
  std::optional<Pending> pending_;
};

}  // namespace velumbrino
