#include "shell/daily_backup.h"

#include <algorithm>
#include <cstdio>

#include "store/data_folder.h"

namespace velumbrino {

namespace {

bool IsDayName(const std::string& name) {
  if (name.size() != 10 || name[4] != '-' || name[7] != '-') return false;
  return std::all_of(name.begin(), name.end(),
                     [](char c) { return c == '-' || (c >= '0' && c <= '9'); });
}

constexpr const char* kRemovedSuffix = ".removida";
constexpr const char* kPartialSuffix = ".parcial";

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
  constexpr AlarmMinute kRetryMinutes = 60;
  if (!pending_ && failed_at_ && MinuteOf(now) - *failed_at_ < kRetryMinutes) {
    return false;
  }
  const bool made = Begin(now) && Finish();
  if (made) {
    failed_at_.reset();
  } else {
    failed_at_ = MinuteOf(now);
  }
  return made;
}

void DailyBackup::Cancel() {
  if (pending_) Abandon();
}

bool DailyBackup::Begin(const LocalTime& now) {
  if (pending_) return true;
  const std::string day = BackupDayName(now);
  if (done_for_ == day) return true;
  if (!files_.DirectoryExists(data_folder_)) return false;
  const std::string root = data_folder_ + "Backup" + separator_;
  auto names = files_.ListFiles(data_folder_);
  if (!names) return false;
  std::erase_if(*names, [](const std::string& name) { return !IsBackedUp(name); });
  // Nothing of the notes yet (an empty folder): the first save makes the day's copy.
  if (names->empty()) return true;
  if (files_.DirectoryExists(root + day + separator_)) {
    done_for_ = day;
    KeepNewestDays(root);
    return true;
  }
  const std::string partial = root + day + kPartialSuffix + separator_;
  RemoveFolderAndFiles(partial);  // left by a copy that was interrupted
  // A file of it still held (a scanner) would end up in this copy though the notes have moved
  // on: the copy waits until the folder can be cleared.
  if (files_.DirectoryExists(partial)) return false;
  if (!files_.CreateDirectories(partial)) {
    RemoveFolderAndFiles(partial);
    return false;
  }
  // The index and the settings first, the bodies after them.
  std::stable_partition(names->begin(), names->end(),
                        [](const std::string& name) { return !BodyFileNumber(name); });
  pending_ = Pending{day, root, partial, std::move(*names)};
  while (pending_ && pending_->next < pending_->names.size() &&
         !BodyFileNumber(pending_->names[pending_->next])) {
    if (!CopyNext()) return false;
  }
  return true;
}

bool DailyBackup::CopyStep(int note_number) {
  if (!pending_ || pending_->next >= pending_->names.size()) return true;
  auto& names = pending_->names;
  const auto next = names.begin() + static_cast<std::ptrdiff_t>(pending_->next);
  const auto it = std::find_if(next, names.end(), [&](const std::string& name) {
    return BodyFileNumber(name) == note_number;
  });
  if (it != names.end()) std::iter_swap(next, it);
  return CopyNext();
}

bool DailyBackup::Finish() {
  if (!pending_) return true;
  while (pending_->next < pending_->names.size()) {
    if (!CopyNext()) return false;
  }
  const std::string final_folder = pending_->root + pending_->day;
  if (!files_.Rename(pending_->partial.substr(0, pending_->partial.size() - 1), final_folder)) {
    return Abandon();
  }
  done_for_ = pending_->day;
  const std::string root = pending_->root;
  pending_.reset();
  KeepNewestDays(root);
  return true;
}

bool DailyBackup::CopyNext() {
  const std::string& name = pending_->names[pending_->next++];
  const auto bytes = files_.ReadFile(data_folder_ + name);
  if (!bytes || !files_.WriteFileAtomic(pending_->partial + name, *bytes)) return Abandon();
  return true;
}

bool DailyBackup::Abandon() {
  RemoveFolderAndFiles(pending_->partial);
  pending_.reset();
  return false;
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
    // Left by a removal that a held file stopped, or by a copy of another day that could not
    // be cleared away: no day's copy, removed again.
    if (name.ends_with(kRemovedSuffix) || name.ends_with(kPartialSuffix))
      RemoveFolderAndFiles(backup_root + name + separator_);
  }
  std::sort(days.rbegin(), days.rend());
  for (std::size_t i = kBackupDaysKept; i < days.size(); ++i) {
    // Renamed first, in one step: a removal that stops halfway must not leave a folder under
    // the day's name that looks like a copy of it. A day that cannot be renamed stays whole.
    const std::string removed = backup_root + days[i] + kRemovedSuffix;
    if (files_.Rename(backup_root + days[i], removed)) {
      RemoveFolderAndFiles(removed + separator_);
    }
  }
}

}  // namespace velumbrino
