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
  // failed; it is tried again at the next call.
  bool Run(const LocalTime& now);

 private:
  bool Copy(const std::vector<std::string>& names, const std::string& into);
  void RemoveFolderAndFiles(const std::string& folder);
  void KeepNewestDays(const std::string& backup_root);

  FileSystem& files_;
  std::string data_folder_;
  char separator_;
  std::optional<std::string> done_for_;
};

}  // namespace velumbrino
