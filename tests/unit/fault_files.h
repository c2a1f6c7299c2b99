#pragma once
// A file system for the fault tests: the standard one, whose writes fail like a full disk.

#include <string>
#include <string_view>

#include "store/file_system.h"
#include "temp_folder.h"

namespace velumbrino::testing {

// The standard file system, except that writes fail once `writes_left` reaches zero (a disk
// that fills up).
class FullDiskFileSystem : public FileSystem {
 public:
  int writes_left = 0;  // negative: never fails

  std::optional<std::string> ReadFile(const std::string& path) override {
    return base_.ReadFile(path);
  }
  bool WriteFileAtomic(const std::string& path, std::string_view bytes) override {
    if (writes_left == 0) return false;
    if (writes_left > 0) --writes_left;
    return base_.WriteFileAtomic(path, bytes);
  }
  bool FileExists(const std::string& path) override { return base_.FileExists(path); }
  bool DirectoryExists(const std::string& path) override { return base_.DirectoryExists(path); }
  bool CreateDirectories(const std::string& path) override { return base_.CreateDirectories(path); }
  bool RemoveFile(const std::string& path) override { return base_.RemoveFile(path); }
  std::optional<std::uint64_t> Stamp(const std::string& path) override { return base_.Stamp(path); }
  std::optional<std::vector<std::string>> ListFiles(const std::string& folder) override {
    return base_.ListFiles(folder);
  }
  std::optional<std::vector<std::string>> ListFolders(const std::string& folder) override {
    return base_.ListFolders(folder);
  }
  bool Rename(const std::string& from, const std::string& to) override {
    return base_.Rename(from, to);
  }
  bool RemoveFolder(const std::string& path) override { return base_.RemoveFolder(path); }

 private:
  FileSystem& base_ = StdFileSystem();
};

}  // namespace velumbrino::testing
