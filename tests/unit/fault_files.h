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

// Writes never fail; chosen files (by name) are held open by another program: not read, or
// not removed, renamed or recycled. The folder may refuse to be listed; recycled files go to
// `bin` when set, else are removed.
class StubbornFiles : public FullDiskFileSystem {
 public:
  StubbornFiles() { writes_left = -1; }
  std::set<std::string> unreadable, held;
  bool can_list = true;
  std::string bin;

  std::optional<std::string> ReadFile(const std::string& path) override {
    if (unreadable.count(Name(path))) return std::nullopt;
    return FullDiskFileSystem::ReadFile(path);
  }
  bool RemoveFile(const std::string& path) override {
    return !held.count(Name(path)) && FullDiskFileSystem::RemoveFile(path);
  }
  bool Rename(const std::string& from, const std::string& to) override {
    return !held.count(Name(from)) && FullDiskFileSystem::Rename(from, to);
  }
  bool RecycleFile(const std::string& path) override {
    return bin.empty() ? RemoveFile(path) : Rename(path, bin + Name(path));
  }
  std::optional<std::vector<std::string>> ListFiles(const std::string& folder) override {
    if (!can_list) return std::nullopt;
    return FullDiskFileSystem::ListFiles(folder);
  }
  static std::string Name(const std::string& path) {
    return std::filesystem::path(path).filename().string();
  }
};

}  // namespace velumbrino::testing
