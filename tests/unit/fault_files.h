#pragma once
// A file system for the fault tests: the standard one, whose writes fail like a full disk.

#include <filesystem>
#include <set>
#include <string>
#include <string_view>

#include "store/file_system.h"
#include "temp_folder.h"

namespace velumbrino::testing {

// The standard file system, except that writes fail once `writes_left` reaches zero (a disk
// that fills up).
class FullDiskFileSystem : public FileSystem {
 public:
  using Path = const std::string&;
  using Names = std::optional<std::vector<std::string>>;
  int writes_left = 0;  // negative: never fails

  std::optional<std::string> ReadFile(Path path) override { return base_.ReadFile(path); }
  bool WriteFileAtomic(Path path, std::string_view bytes) override {
    if (writes_left == 0) return false;
    if (writes_left > 0) --writes_left;
    return base_.WriteFileAtomic(path, bytes);
  }
  bool FileExists(Path path) override { return base_.FileExists(path); }
  bool DirectoryExists(Path path) override { return base_.DirectoryExists(path); }
  bool CreateDirectories(Path path) override { return base_.CreateDirectories(path); }
  bool RemoveFile(Path path) override { return base_.RemoveFile(path); }
  std::optional<std::uint64_t> Stamp(Path path) override { return base_.Stamp(path); }
  Names ListFiles(Path folder) override { return base_.ListFiles(folder); }
  Names ListFolders(Path folder) override { return base_.ListFolders(folder); }
  bool Rename(Path from, Path to) override { return base_.Rename(from, to); }
  bool RemoveFolder(Path path) override { return base_.RemoveFolder(path); }

 private:
  FileSystem& base_ = StdFileSystem();
};

// Writes never fail; chosen files (by name) are held open by another program: not read, or
// not removed, renamed or recycled. The folder may refuse to be listed; recycled files go to
// `bin` when set, else are removed.
class StubbornFiles : public FullDiskFileSystem {
 public:
  StubbornFiles() { writes_left = -1; }
  std::set<std::string> unreadable, held;
  bool can_list = true;
  std::string bin;

  std::optional<std::string> ReadFile(Path path) override {
    return unreadable.count(Name(path)) ? std::nullopt : FullDiskFileSystem::ReadFile(path);
  }
  bool RemoveFile(Path path) override {
    return !held.count(Name(path)) && FullDiskFileSystem::RemoveFile(path);
  }
  bool Rename(Path from, Path to) override {
    return !held.count(Name(from)) && FullDiskFileSystem::Rename(from, to);
  }
  bool RecycleFile(Path path) override {
    return bin.empty() ? RemoveFile(path) : Rename(path, bin + Name(path));
  }
  Names ListFiles(Path folder) override {
    return can_list ? FullDiskFileSystem::ListFiles(folder) : std::nullopt;
  }
  static std::string Name(const std::string& path) {
    return std::filesystem::path(path).filename().string();
  }
};

}  // namespace velumbrino::testing
