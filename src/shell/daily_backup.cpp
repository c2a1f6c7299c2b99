#include "shell/daily_backup.h"

#include <algorithm>
#include <cstdio>

#include "dialogs/delete_notes.h"
#include "store/data_folder.h"

namespace velumbrino {

namespace {

bool IsDayName(const std::string& name) {
  if (name.size() != 10 || name[4] != '-' || name[7] != '-') return false;
  return std::all_of(name.begin(), name.end(), [](char c) { return c == '-' || (c >= '0' && c <= '9'); });
}

// The files a backup holds: the index, the settings and the body files, nothing else.
bool IsBackedUp(const std::string& name) {
  return name == kIndexFileName || name == kSettingsFileName || BodyFileNumber(name).has_value();
}

}  // namespace

std::string BackupDayName(const LocalTime& time) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", time.year, time.month, time.day);
  return text;
}

DailyBackup::DailyBackup(FileSystem& files, std::string data_folder)
    : files_(files),
      data_folder_(std::move(data_folder)),
      separator_(!data_folder_.empty() && data_folder_.back() == '/' ? '/' : '\\') {}

bool DailyBackup::Run(const LocalTime& now) {
  const std::string day = BackupDayName(now);
  if (done_for_ == day) return true;
  if (!files_.DirectoryExists(data_folder_)) return false;
  const std::string root = data_folder_ + "Backup" + separator_;
  const std::string final_folder = root + day + separator_;
  const auto names = files_.ListFiles(data_folder_);
  if (!names) return false;
  // Nothing of the notes yet (an empty folder): the first save makes the day's copy.
  if (std::none_of(names->begin(), names->end(), IsBackedUp)) return true;
  if (!files_.DirectoryExists(final_folder)) {
    const std::string partial = root + day + ".parcial" + separator_;
    RemoveFolderAndFiles(partial);  // left by a copy that was interrupted
    if (!files_.CreateDirectories(partial) || !Copy(*names, partial) ||
        !files_.RenameFolder(partial.substr(0, partial.size() - 1),
                             final_folder.substr(0, final_folder.size() - 1))) {
      RemoveFolderAndFiles(partial);
      return false;
    }
  }
  done_for_ = day;
  KeepNewestDays(root);
  return true;
}

bool DailyBackup::Copy(const std::vector<std::string>& names, const std::string& into) {
  for (const std::string& name : names) {
    if (!IsBackedUp(name)) continue;
    const auto bytes = files_.ReadFile(data_folder_ + name);
    if (!bytes || !files_.WriteFileAtomic(into + name, *bytes)) return false;
  }
  return true;
}

void DailyBackup::RemoveFolderAndFiles(const std::string& folder) {
  if (!files_.DirectoryExists(folder)) return;
  if (const auto names = files_.ListFiles(folder)) {
    for (const std::string& name : *names) files_.RemoveFile(folder + name);
  }
  files_.RemoveFolder(folder.substr(0, folder.size() - 1));
}

void DailyBackup::KeepNewestDays(const std::string& backup_root) {
  auto folders = files_.ListFolders(backup_root);
  if (!folders) return;
  std::vector<std::string> days;
  for (const std::string& name : *folders) {
    if (IsDayName(name)) days.push_back(name);
  }
  std::sort(days.rbegin(), days.rend());
  for (std::size_t i = kBackupDaysKept; i < days.size(); ++i) {
    RemoveFolderAndFiles(backup_root + days[i] + separator_);
  }
}

}  // namespace velumbrino
